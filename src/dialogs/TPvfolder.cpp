#include "dialogs/TPvfolder.h"

#include "app/StringTable.h"
#include "dialogs/AddDlgModes.h"
#include "dialogs/FolderEntryName.h"
#include "dialogs/PvfolderLayout.h"
#include "dialogs/TAddDlg.h"
#include "dialogs/TCopMovDlg.h"
#include "menus/Launch.h"
#include "platform/Drives.h"
#include "platform/Prompts.h"
#include "settings/SettingsStore.h"
#include "widgets/MessagePrompts.h"
#include "widgets/PathLabel.h"
#include "widgets/ProgramBitmaps.h"
#include "widgets/TDropFileTarget.h"
#include "widgets/TLinkLabel.h"
#include "widgets/TListView.h"
#include "widgets/TPlumBut.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace parvo {

namespace {

QString HelpTopicFor(bool pvfolders)
{
    return pvfolders ? QStringLiteral("::/html_source/buttons_pvfolders.html")
                     : QStringLiteral("::/html_source/buttons_default.html");
}

QFrame* Bevel(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

TPvfolder::TPvfolder(TForm1& form1, const BarServices& services)
    : QWidget(nullptr, Qt::Window)
    , form1_(form1)
    , services_(services)
    , rows_(services.ListsFolder())
{
    // Closing this window only hides it; it never ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName(QStringLiteral("Pvfolder"));
    CreateChildren();
}

TPvfolder::~TPvfolder()
{
    if (created_)
        FormDestroy();
}

void TPvfolder::CreateChildren()
{
    Panel1 = new QFrame(this);
    const auto button = [this](int width, bool checkable) {
        auto* b = new TPlumBut(Panel1);
        b->resize(width, 22);
        b->setCheckable(checkable);
        return b;
    };
    btnwin = button(80, true);
    btne = button(80, true);
    // One radio group: exactly one view button is down.
    btnwin->setAutoExclusive(true);
    btne->setAutoExclusive(true);
    Bevel1 = Bevel(Panel1);
    btnview = button(32, false);
    btnview->setMenuPart(TPlumBut::MenuPart::Whole);
    btnview->setShowArrow(true);
    Bevel2 = Bevel(Panel1);
    btnadd = button(22, false);
    btndel = button(22, false);
    Bevel3 = Bevel(Panel1);
    btned = button(70, false);
    btnhelp = button(22, false);

    List1 = new TListView(this);
    status = new QWidget(this);
    btninternet = new TPlumBut(status);
    btninternet->setText(QStringLiteral("Internet"));
    btninternet->setMenuPart(TPlumBut::MenuPart::Whole);
    btninternet->setShowArrow(true);
    url1 = new TLinkLabel(status);
    url1->setShell(&services_.shell);
    statusText = new PathLabel(status);

    connect(btnwin, &TPlumBut::clicked, this, &TPvfolder::btnwinClick);
    connect(btne, &TPlumBut::clicked, this, &TPvfolder::btneClick);
    connect(btnadd, &TPlumBut::clicked, this, &TPvfolder::btnaddClick);
    connect(btndel, &TPlumBut::clicked, this, &TPvfolder::btndelClick);
    connect(btned, &TPlumBut::clicked, this, &TPvfolder::btnedClick);
    connect(btnhelp, &TPlumBut::clicked, this, &TPvfolder::btnhelpClick);
    // The two menu buttons drop the bar's one popup, built for the key they set.
    connect(btnview, &TPlumBut::entered, this, [this] { form1_.MenuKey = QStringLiteral("viewstyle"); });
    connect(btninternet, &TPlumBut::entered, this, [this] { form1_.MenuKey = QStringLiteral("Slinks"); });
    connect(btnview, &TPlumBut::menuRequested, &form1_, &TForm1::DropMenu);
    connect(btninternet, &TPlumBut::menuRequested, &form1_, &TForm1::DropMenu);

    connect(List1, &TListView::selectionChanged, this, &TPvfolder::List1Change);
    connect(List1, &TListView::doubleClicked, this, &TPvfolder::List1ItemActivate);
    connect(List1, &TListView::keyPressed, this, [this](QKeyEvent* e) { List1KeyDown(e->key()); });
    connect(List1, &TListView::mouseMoved, this, &TPvfolder::List1MouseMove);

    DropFileTarget1 = new TDropFileTarget(List1);
    DropFileTarget1->OnDragOver = [this](QPoint p, Qt::DropAction a) { return DropFileTarget1DragOver(p, a); };
    DropFileTarget1->OnLeave = [this] { DropFileTarget1Leave(); };
    DropFileTarget1->OnDrop = [this](Qt::DropAction effect) { DropFileTarget1Drop(effect); };
}

void TPvfolder::FormCreate()
{
    Registry& reg = services_.registry;
    EnsurePvfolderDefaults(reg);
    LoadPvfolderPlacement(reg, placement_);
    Tag = placement_.Tag;
    List1->setColumns({Str(82), Str(246)});
    SetViewStyle(placement_.View);
    List1->setColumnWidth(0, placement_.Kol1);
    List1->setColumnWidth(1, placement_.Kol2);
    ApplyPlacement();

    setWindowTitle(Str(60) + QStringLiteral(" - [ ") + form1_.DisplayTitle + QStringLiteral(" ]"));
    url1->setText(form1_.WebAddress);
    url1->setToolTip(form1_.WebAddress);

    if (form1_.Pictures)
        PvFImg = form1_.Pictures->PopupImg;
    setWindowIcon(form1_.windowIcon());
    btnwin->setGlyph(PvFImg.cell(4));
    btne->setGlyph(PvFImg.cell(9));
    btnview->setGlyph(PvFImg.cell(37));
    btnadd->setGlyph(PvFImg.cell(34));
    btndel->setGlyph(PvFImg.cell(35));
    btned->setGlyph(PvFImg.cell(36));
    btnhelp->setGlyph(PvFImg.cell(20));
    LoadImageLists();

    btnwin->setText(Str(68));
    btnwin->setToolTip(Str(59));
    btne->setText(Str(60));
    btne->setToolTip(Str(80));
    btnview->setToolTip(Str(69));
    btnadd->setToolTip(Str(156));
    btndel->setToolTip(Str(81));
    btned->setText(Str(248).remove(QLatin1Char('&')));
    btned->setToolTip(Str(157));
    btnhelp->setToolTip(Str(50));
    SetStatusText(Str(513));
    Relayout();
    created_ = true;
}

void TPvfolder::ApplyPlacement()
{
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens.append(s->availableGeometry());
    const QRect r = VisiblePvfolderRect(
        QRect(placement_.Left, placement_.Top, placement_.Width, placement_.Height), screens);
    move(r.topLeft());
    resize(r.size());
    setWindowState(placement_.Maximised ? Qt::WindowMaximized : Qt::WindowNoState);
}

void TPvfolder::LoadImageLists()
{
    List1->setImages(PvfolderImages());
}

void TPvfolder::ShowPvfolderWindow(PvfolderView view)
{
    if (Tag == 1)
        showNormal();
    else
        showMaximized();
    BringToFront();
    // As a click on the view's button would: the list is read again.
    TPlumBut* button = view == PvfolderView::Pvfolders ? btne : btnwin;
    button->setChecked(true);
    emit button->clicked(true);
}

void TPvfolder::BringToFront()
{
    raise();
    activateWindow();
}

void TPvfolder::SetViewStyle(int style)
{
    List1->setViewStyle(style);
    form1_.PvfolderViewStyle = List1->viewStyle();
}

int TPvfolder::ViewStyle() const
{
    return List1->viewStyle();
}

void TPvfolder::AddItem(const QString& name, const QString& path, int image)
{
    rows_.AddItem(name, path, image);
    List1->addItem(name, path, image);
}

bool TPvfolder::IsListed(const QString& path) const
{
    return rows_.IsListed(path);
}

QString TPvfolder::StatusText() const
{
    return statusText->text();
}

void TPvfolder::SetStatusText(const QString& text)
{
    statusText->setText(text);
}

void TPvfolder::ShowRows()
{
    const int selected = List1->selectedRow();
    List1->clear();
    for (const PvfolderRow& row : rows_.rows())
        List1->addItem(row.caption, row.path, row.image);
    if (selected >= 0)
        List1->setSelectedRow(std::min(selected, List1->count() - 1));
}

// Views.

void TPvfolder::btnwinClick()
{
    btnwin->setChecked(true);
    rows_.ShowWindowsFolders(services_.registry, form1_.WinFolderList);
    ShowRows();
    for (QWidget* w : std::initializer_list<QWidget*>{btnadd, btndel, btned, Bevel2, Bevel3})
        w->hide();
}

void TPvfolder::btneClick()
{
    btne->setChecked(true);
    rows_.ShowPvfolders();
    ShowRows();
    for (QWidget* w : std::initializer_list<QWidget*>{btnadd, btndel, btned, Bevel2, Bevel3})
        w->show();
}

// Add, edit, remove.

std::optional<std::pair<QString, QString>> TPvfolder::AskFolder(int mode, const QString& name, const QString& path)
{
    BringToFront();
    TAddDlg dialog(form1_.DisplayTitle, this);
    dialog.Edit1->setText(name);
    dialog.Edit2->setText(path);
    dialog.Edit1->setFocus();
    dialog.Button3->setEnabled(!name.isEmpty() && !path.isEmpty());
    dialog.Button1->setVisible(true);
    dialog.AddDlgMode = mode;
    dialog.DriveList = services_.drives.list();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::pair{dialog.Edit1->text(), dialog.Edit2->text()};
}

void TPvfolder::Answer(const PvfolderReply& reply)
{
    ShowRows(); // first: the selection it keeps would put its path in the status bar
    if (reply.message)
        services_.prompts.message(Str(reply.message));
    if (reply.status)
        SetStatusText(Str(reply.status));
}

void TPvfolder::btnaddClick()
{
    if (const auto entry = AskFolder(addmode::AddPvfolder, {}, {}))
        Answer(rows_.Add(entry->first, entry->second));
}

void TPvfolder::btnedClick()
{
    const int row = List1->selectedRow();
    if (row < 0 || row >= rows_.rows().size())
        return;
    const PvfolderRow& current = rows_.rows().at(row);
    if (const auto entry = AskFolder(addmode::EditPvfolder, current.caption, current.path))
        Answer(rows_.Edit(row, entry->first, entry->second));
}

void TPvfolder::btndelClick()
{
    const int row = List1->selectedRow();
    if (row < 0)
        return;
    Answer(rows_.Remove(row));
}

void TPvfolder::btnhelpClick()
{
    form1_.Commands().ShowHelp(HelpTopicFor(btne->isChecked()));
}

// The list.

void TPvfolder::List1Change()
{
    const int row = List1->selectedRow();
    SetStatusText(PvfolderStatusText(row >= 0 && row < rows_.rows().size() ? &rows_.rows().at(row) : nullptr));
}

void TPvfolder::List1ItemActivate()
{
    const int row = List1->selectedRow();
    if (row < 0 || row >= rows_.rows().size())
        return;
    OpenFolder(services_.shell, services_.prompts, form1_.Settings.Explorer, rows_.rows().at(row).path);
}

void TPvfolder::List1KeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        List1ItemActivate();
    else if (key == Qt::Key_Delete && btne->isChecked())
        btndelClick();
}

void TPvfolder::List1MouseMove(QPoint point, bool free)
{
    if (!free)
        return;
    const int row = List1->rowAt(point);
    SetStatusText(PvfolderStatusText(row >= 0 && row < rows_.rows().size() ? &rows_.rows().at(row) : nullptr));
}

// Drops.

Qt::DropAction TPvfolder::DropFileTarget1DragOver(QPoint point, Qt::DropAction proposed)
{
    const int row = List1->rowAt(point);
    const PvfolderRow* target = row >= 0 && row < rows_.rows().size() ? &rows_.rows().at(row) : nullptr;
    const PvfolderDragOver answer = PvfolderDragOverAt(rows_.view(), target, proposed == Qt::MoveAction);
    List1->setDropHighlight(target ? row : -1);
    DropDestination = answer.DropDestination;
    SetStatusText(answer.status);
    if (answer.refused)
        return Qt::IgnoreAction;
    // Copy and move are the two effects offered here.
    return proposed == Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction;
}

void TPvfolder::DropFileTarget1Leave()
{
    List1->setDropHighlight(-1);
}

void TPvfolder::DropFileTarget1Drop(Qt::DropAction effect)
{
    if (DropDestination != QLatin1String(NoTargetMarker)) {
        BringToFront();
        form1_.DropFromBar = false;
        const DroppedFiles drop{DropFileTarget1->Files, DropFileTarget1->MappedNames};
        TCopMovDlg dialog(form1_.CopMovServices(), drop, this);
        dialog.Prepare(int(drop.Files.size()), effect == Qt::MoveAction, DropDestination);
        if (dialog.exec() == QDialog::Accepted)
            ExecuteDropOperation(dialog, drop, DropDestination, [this](const QString& text) { SetStatusText(text); });
        List1->setDropHighlight(-1);
        return;
    }
    if (rows_.view() != PvfolderView::Pvfolders)
        return;
    const QList<DriveInfo> drives = services_.drives.list();
    for (const QString& folder : DroppedFolders(DropFileTarget1->Files)) {
        if (const auto entry = AskFolder(addmode::AddPvfolder, DerivedFolderName(folder, drives), folder))
            Answer(rows_.Add(entry->first, entry->second));
    }
}

// Window.

void TPvfolder::Relayout()
{
    PvfolderTextWidths widths;
    widths.url1 = url1->fontMetrics().horizontalAdvance(url1->text());
    // A captioned button needs its glyph, 2 pixels, its caption and a margin each side.
    const auto face = [](const TPlumBut* b) { return 16 + 2 + b->fontMetrics().horizontalAdvance(b->text()) + 10; };
    widths.btnwin = face(btnwin);
    widths.btne = face(btne);
    widths.btned = face(btned);
    const PvfolderLayout l = LayOutPvfolder(width(), height(), widths);
    Panel1->setGeometry(l.Panel1);
    btnwin->setGeometry(l.btnwin);
    btne->setGeometry(l.btne);
    Bevel1->setGeometry(l.Bevel1);
    btnview->setGeometry(l.btnview);
    Bevel2->setGeometry(l.Bevel2);
    btnadd->setGeometry(l.btnadd);
    btndel->setGeometry(l.btndel);
    Bevel3->setGeometry(l.Bevel3);
    btned->setGeometry(l.btned);
    btnhelp->setGeometry(l.btnhelp);
    List1->setGeometry(l.List1);
    status->setGeometry(l.status);
    btninternet->setGeometry(l.btninternet);
    url1->setGeometry(l.url1);
    statusText->setGeometry(l.panel2);
}

void TPvfolder::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Relayout();
    FormResize();
}

void TPvfolder::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        FormResize();
}

void TPvfolder::FormResize()
{
    if (isMinimized())
        return;
    Tag = isMaximized() ? 0 : 1;
}

void TPvfolder::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept(); // hides the window; it lives on until the program ends
}

void TPvfolder::FormClose()
{
    placement_.Maximised = isMaximized();
    if (!placement_.Maximised) {
        placement_.Left = x();
        placement_.Top = y();
        placement_.Width = width();
        placement_.Height = height();
    }
    placement_.View = List1->viewStyle();
    placement_.Kol1 = List1->columnWidth(0);
    placement_.Kol2 = List1->columnWidth(1);
    SavePvfolderPlacement(services_.registry, placement_);
}

void TPvfolder::FormDestroy()
{
    // A window still open when the program ends keeps its place as a closed one does.
    if (isVisible())
        FormClose();
}

} // namespace parvo
