#include "dialogs/TCopMovDlg.h"

#include "app/RunOffThread.h"
#include "app/StringTable.h"
#include "dialogs/DestinationHistory.h"
#include "dialogs/FolderNameCompletion.h"
#include "dialogs/PvfolderList.h"
#include "platform/Drives.h"
#include "platform/Prompts.h"
#include "widgets/DriveFolderModel.h"
#include "widgets/ProgramBitmaps.h"
#include "widgets/TPlumBut.h"

#include <QApplication>

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QTreeView>

namespace parvo {

int TCopMovDlg::LastEditKey = 0;

namespace {

constexpr int ClientWidth = 552;
constexpr int ClientHeight = 423;
constexpr int HistPage = 0;
constexpr int TreePage = 1;
constexpr int PvfolderImageIndex = 0;
constexpr int HistoryImageIndex = 1;

QLabel* BoldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QString WithSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

TCopMovDlg::TCopMovDlg(const DropServices& services, const DroppedFiles& drop, QWidget* parent)
    : QDialog(parent)
    , services_(services)
{
    ExtractMode_ = drop.Files.size() == 1 && drop.Files.front().toLower().endsWith(QLatin1String(".zip"));
    CreateControls();
    SetCaptions();
}

TCopMovDlg::~TCopMovDlg() = default;

void TCopMovDlg::CreateControls()
{
    setFixedSize(ClientWidth, ClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(ClientWidth / 2, ClientHeight / 2));

    // The three list buttons, one group, down one at a time.
    auto* lists = new QButtonGroup(this);
    auto makeButton = [this](int top, const QPixmap& glyph) {
        auto* b = new TPlumBut(this);
        b->setGeometry(8, top, 70, 52);
        b->setVertical(true);
        b->setGlyph(glyph);
        connect(b, &TPlumBut::entered, b, [b] { b->setBarColors(QColor(), Qt::blue); });
        connect(b, &TPlumBut::left, b, [b] { b->setBarColors(QColor(), b->palette().windowText().color()); });
        return b;
    };
    const int iconSize = 16;
    PlumBut1 = makeButton(220, style()->standardIcon(QStyle::SP_DriveHDIcon).pixmap(iconSize));
    PlumBut2 = makeButton(272, ProgramBitmap(QStringLiteral("WIN9")));
    PlumBut3 = makeButton(324, ProgramBitmap(QStringLiteral("PvF")));
    for (TPlumBut* b : {PlumBut1, PlumBut2, PlumBut3}) {
        b->setCheckable(true);
        lists->addButton(b);
    }
    PlumBut1->setChecked(true);
    connect(PlumBut1, &TPlumBut::clicked, this, &TCopMovDlg::ShowTree);
    connect(PlumBut2, &TPlumBut::clicked, this, &TCopMovDlg::ShowHistory);
    connect(PlumBut3, &TPlumBut::clicked, this, &TCopMovDlg::ShowPvfolders);

    Label1 = BoldLabel(QString(), this);
    Label1->setGeometry(90, 10, 60, 18);
    Label2 = new QLabel(this);
    Label2->setGeometry(150, 10, 100, 18);
    Label3 = BoldLabel(QString(), this);
    Label3->setGeometry(90, 36, 200, 18);
    RadioButton1 = new QRadioButton(this);
    RadioButton1->setGeometry(100, 58, 160, 20);
    RadioButton2 = new QRadioButton(this);
    RadioButton2->setGeometry(100, 80, 160, 20);
    RadioButton3 = new QRadioButton(this);
    RadioButton3->setGeometry(100, 102, 160, 20);
    RadioButton1->setChecked(true);
    Edit2 = new QLineEdit(QStringLiteral("zip_parvo.zip"), this);
    Edit2->setGeometry(270, 101, 200, 22);
    for (QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3})
        connect(r, &QRadioButton::clicked, this, &TCopMovDlg::RadioButtonClick);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setGeometry(90, 128, 454, 52);
    CheckBox1 = new QCheckBox(GroupBox1);
    CheckBox1->setGeometry(10, 22, 210, 22);
    CheckBox1->setChecked(true);
    CheckBox2 = new QCheckBox(GroupBox1);
    CheckBox2->setGeometry(230, 22, 210, 22);
    for (QCheckBox* c : {CheckBox1, CheckBox2})
        connect(c, &QCheckBox::clicked, this, [this] { Edit1->setFocus(); });

    Label6 = BoldLabel(QString(), this);
    Label6->setGeometry(90, 191, 60, 18);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(150, 188, 366, 22);
    Edit1->installEventFilter(this);
    connect(Edit1, &QLineEdit::textEdited, this, &TCopMovDlg::Edit1Change);

    Notebook1 = new QStackedWidget(this);
    Notebook1->setGeometry(90, 220, 366, 156);
    cuList = new QListWidget(Notebook1);
    cuList->setFrameShape(QFrame::StyledPanel);
    cuList->setMouseTracking(true);
    // Rows are picked with one click and underlined under the pointer.
    cuList->setStyleSheet(QStringLiteral("QListWidget::item:hover { text-decoration: underline; }"));
    cuList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cuList->setIconSize(QSize(16, 16));
    connect(cuList, &QListWidget::itemClicked, this, &TCopMovDlg::cuListSelect);
    Dirtree1 = new QTreeView(Notebook1);
    folders_ = new DriveFolderModel(style()->standardIcon(QStyle::SP_DriveHDIcon),
                                    style()->standardIcon(QStyle::SP_DirIcon), this);
    Dirtree1->setModel(folders_);
    Dirtree1->setHeaderHidden(true);
    Dirtree1->setIndentation(19);
    Dirtree1->setMouseTracking(true);
    Dirtree1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(Dirtree1->selectionModel(), &QItemSelectionModel::currentChanged, this, &TCopMovDlg::Dirtree1Change);
    // A folder asked for is shown chosen once its rows have been read; the edit keeps
    // what it holds.
    connect(folders_, &DriveFolderModel::Revealed, this, [this](const QModelIndex& index) {
        for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
            Dirtree1->expand(up);
        showingChosen_ = true;
        Dirtree1->setCurrentIndex(index);
        showingChosen_ = false;
        Dirtree1->scrollTo(index);
    });
    Notebook1->insertWidget(HistPage, cuList);
    Notebook1->insertWidget(TreePage, Dirtree1);
    Notebook1->setCurrentIndex(TreePage);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(464, 220, 80, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    Button2 = new QPushButton(this);
    Button2->setGeometry(464, 252, 80, 25);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    PlumBut4 = makeButton(324, style()->standardIcon(QStyle::SP_FileDialogNewFolder).pixmap(iconSize));
    PlumBut4->setGeometry(460, 324, 88, 52);
    connect(PlumBut4, &TPlumBut::clicked, this, &TCopMovDlg::NewFolderClick);

    Label7 = new QLabel(this);
    Label7->setGeometry(8, 380, 536, 42);
    Label7->setWordWrap(true);

    LocalNames names;
    names.drives = services_.drives.list();
    names.home = QDir::homePath();
    folders_->SetDrives(names.drives);
    completer_ = new FolderNameCompleter(std::move(names), this);
    connect(completer_, &FolderNameCompleter::completed, this, &TCopMovDlg::Completed);
}

void TCopMovDlg::SetCaptions()
{
    setWindowTitle(Str(160) + QStringLiteral(" [ ") + services_.title + QStringLiteral(" ]"));
    Label1->setText(Str(161));
    Label3->setText(Str(162));
    RadioButton1->setText(Str(163));
    RadioButton2->setText(Str(164));
    RadioButton3->setText(Str(ExtractMode_ ? 165 : 166));
    Label6->setText(Str(178));
    PlumBut1->setText(Str(179));
    PlumBut2->setText(Str(180));
    PlumBut3->setText(Str(60));
    PlumBut4->setText(Str(181));
    Button2->setText(Str(140));
    Label7->setText(Str(500) + QLatin1Char('\n') + QLatin1Char('-') + QLatin1Char('\n') + Str(504));
}

void TCopMovDlg::Prepare(int fileCount, bool moveEffect, const QString& destination)
{
    Label2->setText(QString::number(fileCount));
    if (moveEffect)
        RadioButton2->setChecked(true);
    Edit1->setText(destination);
}

void TCopMovDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    GroupBox1->hide();
    Edit2->hide();
    const QList<QPixmap> images = BuildFolderListImages();
    for (int row = 0; row < cuList->count(); ++row)
        cuList->item(row)->setIcon(images.value(cuList->item(row)->data(Qt::UserRole).toInt()));
    if (!Edit1->text().isEmpty()) {
        SelectInTree(LocalPathOf(Edit1->text(), completer_->names()));
        ConfirmedDestination_ = Edit1->text();
    }
    Edit1->setFocus();
}

void TCopMovDlg::RadioButtonClick()
{
    if (!RadioButton3->isChecked()) {
        GroupBox1->hide();
        Edit2->hide();
        Edit1->setFocus();
        return;
    }
    GroupBox1->show();
    if (ExtractMode_) {
        GroupBox1->setTitle(Str(167));
        CheckBox1->setText(Str(168));
        CheckBox2->setText(Str(169));
        CheckBox2->show();
        Edit1->setFocus();
    } else {
        Edit2->show();
        GroupBox1->setTitle(Str(170));
        CheckBox1->setText(Str(176));
        CheckBox2->hide();
        Edit2->setFocus();
    }
}

void TCopMovDlg::ShowTree()
{
    Notebook1->setCurrentIndex(TreePage);
}

void TCopMovDlg::ShowHistory()
{
    cuList->clear();
    const QPixmap picture = BuildFolderListImages().value(HistoryImageIndex);
    for (const QString& folder : LoadHistory(services_.registry)) {
        auto* item = new QListWidgetItem(picture, folder, cuList);
        item->setData(Qt::UserRole, HistoryImageIndex);
    }
    Notebook1->setCurrentIndex(HistPage);
}

void TCopMovDlg::ShowPvfolders()
{
    cuList->clear();
    const QPixmap picture = BuildFolderListImages().value(PvfolderImageIndex);
    PvfolderList list(services_.programFolder);
    list.ShowPvfolders();
    for (const PvfolderRow& row : list.rows()) {
        auto* item = new QListWidgetItem(picture, row.path, cuList);
        item->setData(Qt::UserRole, PvfolderImageIndex);
    }
    Notebook1->setCurrentIndex(HistPage);
}

void TCopMovDlg::SetDestination(const QString& text)
{
    Edit1->setText(text);
    ConfirmedDestination_ = text;
}

void TCopMovDlg::cuListSelect(QListWidgetItem* item)
{
    if (item)
        Edit1->setText(FoldedPath(item->text()));
    ConfirmedDestination_ = Edit1->text();
}

void TCopMovDlg::Dirtree1Change()
{
    if (showingChosen_)
        return;
    const QString path = folders_->FilePath(Dirtree1->currentIndex());
    if (path.isEmpty()) {
        SetDestination(QStringLiteral("/"));
        return;
    }
    // Drive roots end in "/", as "c:/" does, and keep their case; folders do not.
    SetDestination(path.endsWith(QLatin1Char('/')) ? path : FoldedPath(path));
}

void TCopMovDlg::SelectInTree(const QString& path)
{
    folders_->Reveal(path);
}

bool TCopMovDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            LastEditKey = 0;
            Button1->click();
            return true;
        }
        if (key->key() == Qt::Key_Backspace)
            LastEditKey = 8;
        else if (!key->text().isEmpty())
            LastEditKey = key->text().at(0).unicode();
    }
    return QDialog::eventFilter(watched, event);
}

void TCopMovDlg::Edit1Change(const QString& text)
{
    // What is typed is where the files go, as soon as it is typed.
    ConfirmedDestination_ = text;
    if (LastEditKey == 8 || text.isEmpty()) {
        completer_->cancel();
        return;
    }
    completer_->request(text);
}

void TCopMovDlg::Completed(const QString& text, const QString& suffix)
{
    // An answer to a text the user has typed past is no longer wanted.
    if (Edit1->text() != text || Edit1->hasSelectedText())
        return;
    const std::optional<CompletedText> done = AppendCompletion(text, suffix);
    if (!done)
        return;
    Edit1->setText(done->text);
    Edit1->setSelection(int(done->selectionStart), int(done->selectionLength));
    ConfirmedDestination_ = done->text;
}

void TCopMovDlg::NewFolderClick()
{
    const QString folder = LocalPathOf(Edit1->text(), completer_->names());
    if (folder.isEmpty() || !RunOffThread([&] { return QFileInfo(folder).isDir(); }))
        return;
    const std::optional<QString> name = services_.prompts.askText(Str(25) + QLatin1Char(' ') + WithSlash(folder), QString());
    if (!name)
        return;
    const QString created = WithSlash(folder) + *name;
    const bool ok = !name->isEmpty() && !name->contains(QLatin1Char('/'))
        && RunOffThread([&] { return QDir(folder).mkdir(*name); });
    if (!ok) {
        services_.prompts.error(Str(100) + QLatin1Char(' ') + Str(106));
        return;
    }
    folders_->Refresh();
    SelectInTree(created);
    SetDestination(WithSlash(created));
    Edit1->setCursorPosition(int(Edit1->text().size()));
}

DropAnswers TCopMovDlg::Answers() const
{
    DropAnswers a;
    a.choice = RadioButton3->isChecked() ? DropChoice::Zip
             : RadioButton2->isChecked() ? DropChoice::Move
                                         : DropChoice::Copy;
    a.extractMode = ExtractMode_;
    a.destination = LocalPathOf(ConfirmedDestination_, completer_->names());
    a.checkBox1 = CheckBox1->isChecked();
    a.checkBox2 = CheckBox2->isChecked();
    a.zipName = Edit2->text();
    return a;
}

void ExecuteDropOperation(TCopMovDlg& dlg, const DroppedFiles& drop, QString& destination, const DropStatus& status)
{
    ExecuteDropOperation(dlg.Answers(), drop, destination, dlg.Services(), status);
}

} // namespace parvo
