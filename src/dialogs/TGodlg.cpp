#include "dialogs/TGodlg.h"

#include "app/StringTable.h"
#include "widgets/ImageStrip.h"
#include "widgets/TLinkLabel.h"
#include "widgets/TPlumBut.h"

#include <QBuffer>
#include <QComboBox>
#include <QCursor>
#include <QCompleter>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPushButton>
#include <QScreen>
#include <QStringListModel>

namespace parvo {

namespace {

constexpr int kGoCell = 23;
constexpr int kWebCell = 6;
constexpr int kSearchCell = 48;
constexpr int kLocalCell = 8;

// Columns of the layout: pictures, inputs, GO! buttons.
constexpr int kPictureLeft = 12;
constexpr int kInputLeft = 86;
constexpr int kInputWidth = 377;
constexpr int kGoLeft = kInputLeft + kInputWidth + 3;

QLabel* Label(QWidget* parent, const QRect& at, bool bold = false)
{
    auto* l = new QLabel(parent);
    l->setGeometry(at);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QFrame* Bevel(QWidget* parent, const QRect& at)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(at.width() > at.height() ? QFrame::HLine : QFrame::VLine);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(at);
    return f;
}

QComboBox* CompletingCombo(QWidget* parent, const QRect& at)
{
    auto* c = new QComboBox(parent);
    c->setGeometry(at);
    c->setEditable(true);
    // Enter belongs to the dialog: it must not add the text to the list.
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(12);
    auto* model = new QStringListModel(c);
    c->setModel(model);
    // Inline completion, as typed addresses complete in a browser; the lists come sorted
    // without regard to case, so each keystroke is a binary search.
    auto* completer = new QCompleter(model, c);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    completer->setModelSorting(QCompleter::CaseInsensitivelySortedModel);
    c->setCompleter(completer);
    return c;
}

void SetItems(QComboBox* combo, const QStringList& items)
{
    static_cast<QStringListModel*>(combo->model())->setStringList(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

void SetBold(QLabel* label, bool bold)
{
    QFont f = label->font();
    f.setBold(bold);
    label->setFont(f);
}

} // namespace

TGodlg::TGodlg(const ImageStrip& goImg, QString& menuKey, LocalNames names, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , completer_(new FolderNameCompleter(std::move(names), this))
{
    setFixedSize(496, 403);
    // The bar may be hidden in the notification area: closing this must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    Label3 = Label(this, {40, 8, 425, 16}, true);
    Image3 = new QLabel(this);
    Image3->setGeometry(40, 26, 425, 57);
    Image3->setCursor(Qt::PointingHandCursor);
    Image3->installEventFilter(this);
    Bevel1 = Bevel(this, {8, 90, 480, 2});

    Label1 = Label(this, {40, 98, 420, 16});
    Image1 = Label(this, {kPictureLeft, 121, 16, 16});
    Label6 = Label(this, {40, 120, 44, 18}, true);
    webcombo = CompletingCombo(this, {kInputLeft, 118, kInputWidth, 22});
    go1 = new TPlumBut(this);
    go1->setGeometry(kGoLeft, 118, 22, 22);
    Label8 = Label(this, {40, 142, 448, 16});
    Label7 = Label(this, {40, 164, 130, 18}, true);
    go3 = new TLinkLabel(this);
    go3->setGeometry(170, 164, 318, 18);
    QFont linkFont(QStringLiteral("Verdana"));
    linkFont.setPixelSize(13);
    linkFont.setBold(true);
    linkFont.setUnderline(true);
    go3->setFont(linkFont);
    Bevel2 = Bevel(this, {8, 188, 480, 2});

    Label4 = Label(this, {40, 196, 420, 16});
    Image2 = Label(this, {kPictureLeft, 219, 16, 16});
    searchedit = CompletingCombo(this, {kInputLeft, 216, kInputWidth, 22});
    go4 = new TPlumBut(this);
    go4->setGeometry(kGoLeft, 216, 22, 22);
    Label10 = Label(this, {40, 240, 448, 16});
    Bevel3 = Bevel(this, {8, 262, 480, 2});

    Label2 = Label(this, {40, 270, 420, 16});
    Image4 = Label(this, {kPictureLeft, 293, 16, 16});
    LocalEdit = new QLineEdit(this);
    LocalEdit->setGeometry(kInputLeft, 290, kInputWidth, 22);
    go2 = new TPlumBut(this);
    go2->setGeometry(kGoLeft, 290, 22, 22);
    Label9 = Label(this, {40, 314, 448, 16});
    Bevel4 = Bevel(this, {8, 336, 480, 2});
    Bevel5 = Bevel(this, {34, 98, 2, 232});

    Label5 = Label(this, {40, 344, 340, 50});
    Label5->setWordWrap(true);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Button1 = new QPushButton(this);
    Button1->setGeometry(400, 366, 88, 27);
    // Enter chooses the way of the input it is typed in, never this button.
    Button1->setAutoDefault(false);

    for (QLabel* note : {Label8, Label9, Label10}) {
        QFont f = note->font();
        f.setPointSizeF(f.pointSizeF() * 0.8);
        note->setFont(f);
        note->setForegroundRole(QPalette::PlaceholderText);
    }

    // A combo box takes the keys and the focus itself and hands them to its edit line
    // directly, past any filter of the line.
    for (QObject* input : {static_cast<QObject*>(webcombo), static_cast<QObject*>(searchedit),
                           static_cast<QObject*>(LocalEdit)})
        input->installEventFilter(this);

    connect(go1, &TPlumBut::clicked, this, [this] { Choose(GoWebAddress); });
    connect(go2, &TPlumBut::clicked, this, [this] { Choose(GoLocalFile); });
    connect(go3, &TLinkLabel::clicked, this, [this] { Choose(GoHomePage); });
    connect(go4, &TPlumBut::clicked, this, [this] { Choose(GoSearch); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
    connect(webcombo, &QComboBox::editTextChanged, this, [this](const QString& t) { webConfirmed_ = t; });
    connect(searchedit, &QComboBox::editTextChanged, this, [this](const QString& t) { searchConfirmed_ = t; });
    connect(LocalEdit, &QLineEdit::textEdited, this, &TGodlg::LocalEditChange);
    connect(completer_, &FolderNameCompleter::completed, this, &TGodlg::LocalCompleted);

    FormCreate(goImg, menuKey);
}

TGodlg::~TGodlg() = default;

void TGodlg::showEvent(QShowEvent* event)
{
    // Centred on the screen the pointer is on: the dialog has no owner window.
    if (const QScreen* screen = QGuiApplication::screenAt(QCursor::pos()) ? QGuiApplication::screenAt(QCursor::pos())
                                                                           : QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QDialog::showEvent(event);
    // Opened from a bar that never takes the focus: the dialog comes to the front itself.
    raise();
    activateWindow();
}

void TGodlg::FormCreate(const ImageStrip& goImg, QString& menuKey)
{
    menuKey = QStringLiteral("Slinks");
    setWindowTitle(Str(62));
    Label1->setText(Str(191));
    Label2->setText(Str(192));
    Label4->setText(Str(193) + QLatin1Char(':'));
    Label6->setText(QStringLiteral("http://"));
    Label7->setText(Str(194));
    Label8->setText(Str(500) + QLatin1Char(' ') + Str(506));
    Label9->setText(Label8->text());
    Label10->setText(Label8->text());
    Label5->setText(Str(500) + QLatin1Char(' ') + Str(505));
    Button1->setText(Str(140));
    for (TPlumBut* b : {go1, go2, go4})
        b->setGlyph(goImg.cell(kGoCell));
    Image1->setPixmap(goImg.cell(kWebCell));
    Image2->setPixmap(goImg.cell(kSearchCell));
    Image4->setPixmap(goImg.cell(kLocalCell));
}

GoChoice TGodlg::choice() const
{
    GoChoice c;
    c.tag = tag_;
    c.webText = webConfirmed_;
    c.localText = LocalEdit->text();
    c.searchText = searchConfirmed_;
    c.siteText = go3->text();
    c.bannerLink = Label5->toolTip();
    return c;
}

void TGodlg::setWebItems(const QStringList& items)
{
    SetItems(webcombo, items);
}

void TGodlg::setSearchItems(const QStringList& items)
{
    SetItems(searchedit, items);
}

void TGodlg::setSearchRowVisible(bool visible)
{
    // The row's picture and note go with it: alone they would point at nothing.
    for (QWidget* w : {static_cast<QWidget*>(Label4), static_cast<QWidget*>(searchedit),
                       static_cast<QWidget*>(go4), static_cast<QWidget*>(Label10), static_cast<QWidget*>(Image2)})
        w->setVisible(visible);
}

bool TGodlg::setBanner(const QByteArray& gif, int left)
{
    delete banner_;
    auto* buffer = new QBuffer(this);
    buffer->setData(gif);
    banner_ = new QMovie(buffer, "gif", this);
    buffer->setParent(banner_);
    if (!banner_->isValid() || !banner_->jumpToFrame(0) || banner_->currentImage().isNull())
        return false;
    Image3->setMovie(banner_);
    Image3->setGeometry(left, Image3->y(), banner_->currentImage().width(), banner_->currentImage().height());
    banner_->start();
    return true;
}

void TGodlg::focusInput(bool search)
{
    // Without a search row the address box takes the focus.
    QComboBox* input = search && searchedit->isVisibleTo(this) ? searchedit : webcombo;
    input->setFocus();
    MarkFocused(input);
}

void TGodlg::Choose(int way)
{
    tag_ = way;
    accept();
}

bool TGodlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image3) {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            Choose(GoBanner);
            return true;
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        return InputKey(watched, static_cast<QKeyEvent*>(event)->key());
    case QEvent::FocusIn:
        MarkFocused(watched);
        return false;
    default:
        return false;
    }
}

bool TGodlg::InputKey(QObject* input, int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // What is shown is what is opened, a selected completion included.
        if (input == LocalEdit)
            LastLocalKey = 0;
        Choose(input == LocalEdit ? GoLocalFile : input == searchedit ? GoSearch : GoWebAddress);
        return true;
    }
    if (key == Qt::Key_Escape) {
        reject();
        return true;
    }
    if (input == LocalEdit)
        LastLocalKey = key;
    return false;
}

void TGodlg::MarkFocused(QObject* input)
{
    SetBold(Label1, input == webcombo);
    SetBold(Label4, input == searchedit);
    SetBold(Label2, input == LocalEdit);
}

void TGodlg::LocalEditChange(const QString& text)
{
    // A deletion is the user taking something back: offering it again would fight them.
    if (LastLocalKey == Qt::Key_Backspace || LastLocalKey == Qt::Key_Delete) {
        completer_->cancel();
        return;
    }
    completer_->request(text);
}

void TGodlg::LocalCompleted(const QString& text, const QString& suffix)
{
    // Only while the text is still the one asked about and typed at its end.
    if (LocalEdit->text() != text || LocalEdit->cursorPosition() != text.size() || LocalEdit->hasSelectedText())
        return;
    const auto completed = AppendCompletion(text, suffix);
    if (!completed)
        return;
    LocalEdit->setText(completed->text);
    LocalEdit->setSelection(int(completed->selectionStart), int(completed->selectionLength));
}

} // namespace parvo
