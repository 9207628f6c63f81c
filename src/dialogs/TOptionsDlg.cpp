#include "dialogs/TOptionsDlg.h"

#include "app/StringTable.h"
#include "dialogs/OpenFileDialog.h"
#include "dialogs/TAddDlg.h"
#include "dialogs/TimportDlg.h"
#include "bar/DriveButtons.h"
#include "dialogs/ListEditorView.h"
#include "dialogs/LiveBar.h"
#include "widgets/DialogFont.h"
#include "widgets/GradientTitle.h"
#include "widgets/TLinkLabel.h"
#include "widgets/TPlumBut.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>

namespace parvo {

namespace {

// The frame: tree and close button on the left, title strip and pages on the right.
constexpr QSize ClientSize(592, 358);
constexpr QRect TreePlace(8, 8, 160, 306);
constexpr QRect ClosePlace(8, 322, 160, 28);
constexpr QRect TitlePlace(176, 8, 408, 26);
constexpr QRect PagesPlace(176, 40, 408, 310);
constexpr int PageWidth = PagesPlace.width();
constexpr int Line = 22; // one row of controls

QLabel* SectionTitle(QWidget* page, int textId, QRect place)
{
    auto* label = new QLabel(Str(textId), page);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setWordWrap(true);
    label->setGeometry(place);
    return label;
}

QLabel* Note(QWidget* page, int textId, QRect place)
{
    auto* label = new QLabel(Str(500) + QLatin1Char(' ') + Str(textId), page);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

void ClearGroup(QButtonGroup* group)
{
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}

} // namespace

TOptionsDlg::TOptionsDlg(OptionsDialogServices services, QWidget* parent)
    : QDialog(parent)
    , services_(std::move(services))
    , switches_(services_.registry, services_.bar, services_.prompts, services_.executablePath)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(Str(52) + QStringLiteral(" [ ") + services_.DisplayTitle + QStringLiteral(" ]"));
    setFixedSize(ClientSize);
    UseDialogFont(this);

    TvMenu = new QTreeWidget(this);
    TvMenu->setGeometry(TreePlace);
    TvMenu->setHeaderHidden(true);
    TvMenu->setRootIsDecorated(false);
    for (int i = 0; i < OptionsPageCount; ++i)
        new QTreeWidgetItem(TvMenu, {Str(OptionsPageTitleId(OptionsPage(i)))});
    connect(TvMenu, &QTreeWidget::currentItemChanged, this, &TOptionsDlg::TvMenuChange);

    auto* close = new QPushButton(Str(258), this);
    close->setGeometry(ClosePlace);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    title_ = new GradientTitle(this);
    title_->setGeometry(TitlePlace);

    UseProgramDialogs();
    for (ListKind kind : {ListKind::Programs, ListKind::WebLinks, ListKind::Email}) {
        lists_[size_t(kind)] = std::make_unique<ListPage>(kind, services_.programFolder, services_.bar,
                                                          services_.links, services_.prompts);
    }

    PageControl = new QStackedWidget(this);
    PageControl->setGeometry(PagesPlace);
    PageControl->addWidget(BuildMainPage());
    PageControl->addWidget(BuildDrivePage());
    PageControl->addWidget(BuildListPage(ListKind::Programs));
    PageControl->addWidget(BuildListPage(ListKind::WebLinks));
    PageControl->addWidget(BuildListPage(ListKind::Email));
    PageControl->addWidget(BuildButtonsPage());
    PageControl->addWidget(BuildOpenerPage());
    PageControl->setCurrentIndex(int(OptionsPage::s1));
}

void TOptionsDlg::UseProgramDialogs()
{
    ListPageQuestions& ask = services_.questions;
    if (!ask.prompts)
        ask.prompts = &services_.prompts;
    if (!ask.editEntry) {
        ask.editEntry = [this](int mode, const EditorRow& start) -> std::optional<EditorRow> {
            TAddDlg dialog(services_.DisplayTitle, this);
            dialog.Edit1->setText(start.caption);
            dialog.Edit2->setText(start.second);
            dialog.Edit1->setFocus();
            dialog.Button3->setEnabled(!start.caption.isEmpty() && !start.second.isEmpty());
            dialog.Button1->setVisible(false);
            dialog.AddDlgMode = mode;
            if (dialog.exec() != QDialog::Accepted)
                return std::nullopt;
            return EditorRow{dialog.Edit1->text(), dialog.Edit2->text()};
        };
    }
    if (!ask.chooseProgram)
        ask.chooseProgram = [this] { return ChooseFileToOpen(this, Str(143), Str(142)); };
    if (!ask.importAddresses) {
        ask.importAddresses = [this] {
            return ImportAddresses({services_.prompts, services_.shell, services_.DisplayTitle, services_.WebAddress},
                                   this);
        };
    }
}

TOptionsDlg::~TOptionsDlg()
{
    // The list views show rows the list pages own: the views go first.
    delete PageControl;
}

QCheckBox* TOptionsDlg::AddCheck(QWidget* page, Option option, int textId, QRect place,
                                 void (OptionSwitches::*click)(bool))
{
    auto* box = new QCheckBox(Str(textId), page);
    box->setGeometry(place);
    connect(box, &QCheckBox::toggled, this, [this, click](bool ticked) {
        (switches_.*click)(ticked);
        ShowControls();
    });
    checks_[option] = box;
    return box;
}

QRadioButton* TOptionsDlg::AddRadio(QWidget* page, QButtonGroup* group, Option option, int value, int textId,
                                    QRect place)
{
    auto* radio = new QRadioButton(Str(textId), page);
    radio->setGeometry(place);
    group->addButton(radio, value);
    radios_[{option, value}] = radio;
    return radio;
}

void TOptionsDlg::ConnectGroup(QButtonGroup* group, void (OptionSwitches::*click)(int))
{
    // A radio handler runs for the choice that became selected.
    connect(group, &QButtonGroup::idToggled, this, [this, click](int value, bool on) {
        if (on) {
            (switches_.*click)(value);
            ShowControls();
        }
    });
}

QWidget* TOptionsDlg::BuildMainPage()
{
    auto* page = new QWidget;
    const int x = 16;
    const int w = PageWidth - x;
    SectionTitle(page, 220, {0, 0, PageWidth, 18});
    AddCheck(page, Option::Stay, 221, {x, 22, w, Line}, &OptionSwitches::StayClick);
    AddCheck(page, Option::Hide, 222, {x, 44, w, Line}, &OptionSwitches::HideClick);
    Note(page, 223, {x, 68, w, 32});
    SectionTitle(page, 224, {0, 106, PageWidth, 18});
    cbAutostart_ = new QCheckBox(Str(225), page);
    cbAutostart_->setGeometry(x, 128, w, Line);
    connect(cbAutostart_, &QCheckBox::toggled, this, [this](bool ticked) {
        switches_.AutostartClick(ticked);
        ShowControls();
    });
    Note(page, 226, {x, 152, w, 32});
    SectionTitle(page, 227, {0, 190, PageWidth, 18});
    AddCheck(page, Option::Tray, 228, {x, 212, w, Line}, &OptionSwitches::TrayClick);
    Note(page, 229, {x, 236, w, 32});
    return page;
}

QPixmap TOptionsDlg::DriveSample(int layout, int clickLayout) const
{
    // A drive button of that face, drawn as the bar draws it.
    DriveButtons sample(nullptr);
    sample.setBarColors(services_.BarColor, services_.FontColor);
    const BarSettings& s = services_.bar.LiveSettings();
    sample.setDriveFont(s.DriveFontSize, s.DriveFontBold);
    const DriveInfo drive{QLatin1Char('C'), QStringLiteral("/"), DriveFixed, {}};
    const int length = sample.ArrangeDriveButtons({drive}, true, layout, clickLayout, services_.PopupImg);
    sample.resize(length, 22);
    QPalette p = sample.palette();
    p.setColor(QPalette::Window, services_.BarColor);
    sample.setPalette(p);
    sample.setAutoFillBackground(services_.BarColor.isValid());
    return sample.grab();
}

QWidget* TOptionsDlg::BuildDrivePage()
{
    auto* page = new QWidget;
    // Left: the faces and the click behaviour, each choice with a sample button.
    constexpr int sampleX = 172;
    SectionTitle(page, 230, {0, 0, 226, 18});
    (new QLabel(Str(231), page))->setGeometry(8, 20, 160, 18);
    auto* layouts = new QButtonGroup(page);
    for (int v = 1; v <= 3; ++v) {
        const int y = 40 + (v - 1) * 26;
        AddRadio(page, layouts, Option::Layout, v, 231 + v, {8, y, sampleX - 10, 24});
        auto* sample = new QLabel(page);
        sample->setPixmap(DriveSample(v, 5));
        sample->setGeometry(sampleX, y + 1, 54, 22);
    }
    ConnectGroup(layouts, &OptionSwitches::LayoutClick);
    (new QLabel(Str(235), page))->setGeometry(8, 122, 160, 18);
    auto* clicks = new QButtonGroup(page);
    for (int v = 4; v <= 6; ++v) {
        const int y = 142 + (v - 4) * 26;
        AddRadio(page, clicks, Option::ClickLayout, v, 232 + v, {8, y, sampleX - 10, 24});
        auto* sample = new QLabel(page);
        sample->setPixmap(DriveSample(1, v));
        sample->setGeometry(sampleX, y + 1, 54, 22);
    }
    ConnectGroup(clicks, &OptionSwitches::ClickLayoutClick);

    // Right: the drive-letter font and what the folder menus hold.
    const int x = 234;
    const int w = PageWidth - x;
    SectionTitle(page, 239, {x, 0, w, 18});
    AddCheck(page, Option::FontDisksBold, 240, {x + 4, 22, w - 4, Line}, &OptionSwitches::BoldClick);
    AddCheck(page, Option::FontSized, 241, {x + 4, 44, w - 4, Line}, &OptionSwitches::SizedClick);
    auto* sizes = new QButtonGroup(page);
    AddRadio(page, sizes, Option::FontSizeInc, 2, 242, {x + 20, 66, w - 20, Line});
    AddRadio(page, sizes, Option::FontSizeInc, 4, 243, {x + 20, 88, w - 20, Line});
    ConnectGroup(sizes, &OptionSwitches::SizeIncClick);
    SectionTitle(page, 266, {x, 122, w, 18});
    AddCheck(page, Option::Drives_subfolders, 267, {x + 4, 144, w - 4, Line}, &OptionSwitches::SubfoldersClick);
    AddCheck(page, Option::Drives_files, 268, {x + 20, 166, w - 20, Line}, &OptionSwitches::FilesClick);
    AddCheck(page, Option::Drives_hidden, 269, {x + 20, 188, w - 20, Line}, &OptionSwitches::HiddenClick);
    AddCheck(page, Option::Drives_fullimages, 270, {x + 4, 210, w - 4, Line}, &OptionSwitches::FullImagesClick);
    return page;
}

QWidget* TOptionsDlg::BuildListPage(ListKind kind)
{
    auto* page = new QWidget;
    auto* view = new ListPageView(*lists_[size_t(kind)], services_.questions, services_.PopupImg, page);
    view->setGeometry(0, 0, PageWidth, PagesPlace.height());
    view->LayOut();
    listViews_[size_t(kind)] = view;
    if (kind == ListKind::WebLinks && !services_.WebAddress.isEmpty()) {
        auto* link = new TLinkLabel(view);
        link->setText(services_.WebAddress);
        link->setShell(&services_.shell);
        link->setGeometry(view->linkPlace());
    }
    return page;
}

QWidget* TOptionsDlg::BuildButtonsPage()
{
    auto* page = new QWidget;
    SectionTitle(page, 257, {0, 0, PageWidth, 18});
    for (int i = 0; i < OptionalButtonCount; ++i) {
        const OptionalBarButton& b = OptionalBarButtons()[size_t(i)];
        const int y = 26 + i * 30;
        auto* sample = new TPlumBut(page);
        sample->setGeometry(16, y, 30, 26);
        sample->setGlyph(services_.PopupImg.cell(b.pictureCell));
        sample->setBarColors(services_.BarColor, services_.FontColor);
        // The search button only clicks; the others drop a sample menu from the bar.
        if (b.button != FixedButton::bCompSearch) {
            sample->setMenuPart(TPlumBut::MenuPart::Whole);
            sample->setShowArrow(true);
            connect(sample, &TPlumBut::entered, this, [this] {
                if (services_.setMenuKey)
                    services_.setMenuKey(QStringLiteral("configuration_demo"));
            });
            connect(sample, &TPlumBut::menuRequested, this, [this](const QPoint& at) {
                if (services_.dropMenu)
                    services_.dropMenu(at);
            });
        }
        samples_[size_t(i)] = sample;
        auto* box = new QCheckBox(Str(HintStringId(b.button)), page);
        box->setGeometry(52, y + 2, PageWidth - 52, Line);
        connect(box, &QCheckBox::toggled, this, [this, i](bool ticked) {
            switches_.ButtonClick(i, ticked);
            ShowControls();
        });
        buttonBoxes_[size_t(i)] = box;
        checks_[b.setting] = box;
    }
    Note(page, 510, {16, 214, PageWidth - 16, 40});
    return page;
}

QWidget* TOptionsDlg::BuildOpenerPage()
{
    auto* page = new QWidget;
    SectionTitle(page, 263, {0, 0, PageWidth, 36});
    auto* openers = new QButtonGroup(page);
    AddRadio(page, openers, Option::Explorer, 1, 264, {16, 42, PageWidth - 16, Line});
    AddRadio(page, openers, Option::Explorer, 2, 265, {16, 66, PageWidth - 16, Line});
    ConnectGroup(openers, &OptionSwitches::ExplorerClick);
    Note(page, 514, {16, 100, PageWidth - 16, 60});
    return page;
}

QCheckBox* TOptionsDlg::Check(Option option) const
{
    const auto it = checks_.find(option);
    return it == checks_.end() ? nullptr : it->second;
}

QRadioButton* TOptionsDlg::Radio(Option option, int value) const
{
    const auto it = radios_.find({option, value});
    return it == radios_.end() ? nullptr : it->second;
}

void TOptionsDlg::ShowControls()
{
    // Setting a control runs its handler, which the guard holds back.
    const auto guard = switches_.Loading();
    const OptionControls& c = switches_.Controls();
    const auto tick = [this](Option o, bool on) { checks_.at(o)->setChecked(on); };
    tick(Option::Stay, c.Stay);
    tick(Option::Hide, c.Hide);
    tick(Option::Tray, c.Tray);
    cbAutostart_->setChecked(c.Autostart);
    tick(Option::FontDisksBold, c.Bold);
    tick(Option::FontSized, c.Sized);
    tick(Option::Drives_subfolders, c.Subfolders);
    tick(Option::Drives_files, c.Files);
    tick(Option::Drives_hidden, c.Hidden);
    tick(Option::Drives_fullimages, c.FullImages);
    for (int i = 0; i < OptionalButtonCount; ++i)
        buttonBoxes_[size_t(i)]->setChecked(c.Buttons[size_t(i)]);
    const auto choose = [this](Option o, int value) {
        if (QRadioButton* r = Radio(o, value)) {
            r->setChecked(true);
        } else {
            // A stored value outside the choices selects none of them.
            for (const auto& [key, radio] : radios_) {
                if (key.first == o)
                    ClearGroup(radio->group());
            }
        }
    };
    choose(Option::Layout, c.Layout);
    choose(Option::ClickLayout, c.ClickLayout);
    choose(Option::FontSizeInc, c.SizeInc);
    choose(Option::Explorer, c.Explorer);
    Radio(Option::FontSizeInc, 2)->setEnabled(c.SizeButtonsEnabled());
    Radio(Option::FontSizeInc, 4)->setEnabled(c.SizeButtonsEnabled());
    Check(Option::Drives_files)->setEnabled(c.SubfolderBoxesEnabled());
    Check(Option::Drives_hidden)->setEnabled(c.SubfolderBoxesEnabled());
}

void TOptionsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    FormActivate();
}

void TOptionsDlg::FormActivate()
{
    {
        const auto guard = switches_.Loading();
        switches_.Fill();
    }
    // A list is read when its page first shows, so that long lists cost nothing until
    // they are looked at; the files are there from the start.
    for (const auto& list : lists_)
        list->CreateIfMissing();
    ShowControls();

    const OptionsOpening opening = OpeningFor(services_.MenuKey, services_.AddLinkRequest);
    ShowPage(opening.page.value_or(OptionsPage::s0));
    if (const auto kind = ListOf(opening.page); kind && opening.startAdd) {
        // Once the dialog is on screen, so that the add dialog comes up over it.
        QTimer::singleShot(0, List(*kind), &ListPageView::AddClick);
    }
}

void TOptionsDlg::ShowPage(OptionsPage page)
{
    TvMenu->setCurrentItem(TvMenu->topLevelItem(int(page)));
}

OptionsPage TOptionsDlg::CurrentPage() const
{
    return OptionsPage(PageControl->currentIndex());
}

void TOptionsDlg::TvMenuChange()
{
    QTreeWidgetItem* item = TvMenu->currentItem();
    if (!item)
        return;
    PageControl->setCurrentIndex(TvMenu->indexOfTopLevelItem(item));
    title_->setText(item->text(0));
}

} // namespace parvo
