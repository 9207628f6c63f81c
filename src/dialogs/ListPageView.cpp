#include "dialogs/ListPageView.h"

#include "app/StringTable.h"
#include "dialogs/AddDlgModes.h"
#include "dialogs/EditorRowsModel.h"
#include "dialogs/ListEditorView.h"
#include "platform/Prompts.h"
#include "widgets/ImageStrip.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

namespace parvo {

namespace {

struct PageTexts {
    int title;
    QList<int> columns; // header text ids
    QList<int> widths;
    int note;
    int addMode;
    int editMode;
};

PageTexts TextsOf(ListKind kind)
{
    switch (kind) {
    case ListKind::Programs: return {244, {245}, {337}, 507, -1, -1};
    case ListKind::WebLinks: return {250, {251, 252}, {175, 162}, 508, addmode::AddWebLink, addmode::EditWebLink};
    case ListKind::Email: return {253, {254, 255}, {175, 162}, 509, addmode::AddEmail, addmode::EditEmail};
    }
    return {};
}

// Cells of the bar's picture strip.
constexpr int AddPicture = 34;
constexpr int DeletePicture = 35;
constexpr int EditPicture = 36;
constexpr int UpPicture = 32;
constexpr int DownPicture = 33;

constexpr int ListTop = 22;
constexpr int ListHeight = 204;
constexpr int ArrowWidth = 34;
constexpr int ArrowGap = 6;
constexpr int ButtonTop = 232;
constexpr int ButtonWidth = 88;
constexpr int ButtonHeight = 26;
constexpr int ButtonGap = 6;

QString Note(int id) { return Str(500) + QLatin1Char(' ') + Str(id); }

} // namespace

ListPageView::ListPageView(ListPage& page, ListPageQuestions questions, const ImageStrip& pictures, QWidget* parent)
    : QWidget(parent), page_(page), ask_(std::move(questions))
{
    const PageTexts texts = TextsOf(page.Kind());
    title_ = new QLabel(Str(texts.title), this);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);

    QStringList headers;
    for (int id : texts.columns)
        headers.append(Str(id));
    model_ = new EditorRowsModel(page.Rows(), headers, this);
    view_ = new ListEditorView(this);
    view_->setModel(model_);
    view_->setAcceptsFiles(page.Kind() == ListKind::Programs);
    for (int c = 0; c < texts.widths.size(); ++c)
        view_->setColumnWidth(c, texts.widths[c]);
    if (page.Kind() == ListKind::Programs)
        view_->header()->setSectionResizeMode(0, QHeaderView::Fixed);
    view_->header()->setStretchLastSection(false);
    connect(view_, &ListEditorView::rowDropped, this, &ListPageView::RowDropped);
    connect(view_, &ListEditorView::dragEnded, this, [this] { page_.EndDrag(); });
    connect(view_, &ListEditorView::filesDropped, this, &ListPageView::FilesDropped);
    connect(view_, &QAbstractItemView::doubleClicked, this, [this] {
        if (page_.Kind() == ListKind::Programs)
            RenameClick();
        else
            EditClick();
    });

    auto* up = new QPushButton(this);
    up->setIcon(pictures.cell(UpPicture));
    up->setAccessibleName(QStringLiteral("up"));
    connect(up, &QPushButton::clicked, this, &ListPageView::UpClick);
    auto* down = new QPushButton(this);
    down->setIcon(pictures.cell(DownPicture));
    down->setAccessibleName(QStringLiteral("down"));
    connect(down, &QPushButton::clicked, this, &ListPageView::DownClick);
    buttons_ = {up, down};

    switch (page.Kind()) {
    case ListKind::Programs:
        AddButton(247, AddPicture, pictures, &ListPageView::AddClick);
        AddButton(260, EditPicture, pictures, &ListPageView::RenameClick);
        AddButton(249, DeletePicture, pictures, &ListPageView::DeleteClick);
        break;
    case ListKind::Email:
        AddButton(256, -1, pictures, &ListPageView::ImportClick);
        [[fallthrough]];
    case ListKind::WebLinks:
        AddButton(247, AddPicture, pictures, &ListPageView::AddClick);
        AddButton(248, EditPicture, pictures, &ListPageView::EditClick);
        AddButton(249, DeletePicture, pictures, &ListPageView::DeleteClick);
        break;
    }

    note_ = new QLabel(Note(texts.note), this);
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ListPageView::AddButton(int textId, int pictureCell, const ImageStrip& pictures, void (ListPageView::*click)())
{
    auto* b = new QPushButton(Str(textId), this);
    if (pictureCell >= 0)
        b->setIcon(pictures.cell(pictureCell));
    connect(b, &QPushButton::clicked, this, click);
    buttons_.append(b);
}

void ListPageView::LayOut()
{
    const int w = width();
    title_->setGeometry(0, 0, w, 18);
    const int listWidth = w - ArrowGap - ArrowWidth - 4;
    view_->setGeometry(0, ListTop, listWidth, ListHeight);
    const int arrowHeight = (ListHeight - 4) / 2;
    buttons_[0]->setGeometry(listWidth + ArrowGap, ListTop, ArrowWidth, arrowHeight);
    buttons_[1]->setGeometry(listWidth + ArrowGap, ListTop + arrowHeight + 4, ArrowWidth, arrowHeight);
    for (int i = 2; i < buttons_.size(); ++i)
        buttons_[i]->setGeometry((i - 2) * (ButtonWidth + ButtonGap), ButtonTop, ButtonWidth, ButtonHeight);
    note_->setGeometry(0, ButtonTop + ButtonHeight + 6, w, 30);
}

QRect ListPageView::linkPlace() const
{
    // Right under the note's text.
    return QRect(0, note_->y() + note_->heightForWidth(note_->width()), note_->width(), 18);
}

void ListPageView::showEvent(QShowEvent* event)
{
    EnsureLoaded();
    QWidget::showEvent(event);
}

void ListPageView::EnsureLoaded()
{
    if (page_.Loaded())
        return;
    page_.Load();
    model_->reset();
    // A list that could not be read is shown as it is, and left alone.
    if (!page_.Editable()) {
        for (QPushButton* b : std::as_const(buttons_))
            b->setEnabled(false);
        view_->setReorderable(false);
        note_->setText(Str(100) + QLatin1Char(' ') + Str(285));
    }
}

void ListPageView::Changed(std::optional<int> select, int first, int last)
{
    const int keep = view_->currentRow();
    model_->refresh(first, last);
    view_->selectRow(select ? *select : keep);
}

void ListPageView::AddClick()
{
    EnsureLoaded();
    if (page_.Kind() == ListKind::Programs) {
        const QString file = ask_.chooseProgram ? ask_.chooseProgram() : QString();
        if (!file.isEmpty())
            Changed(page_.AddPrograms({file}));
        return;
    }
    if (!ask_.editEntry)
        return;
    if (const auto entry = ask_.editEntry(TextsOf(page_.Kind()).addMode, {}))
        Changed(page_.Append(*entry));
}

void ListPageView::EditClick()
{
    EnsureLoaded();
    const int row = view_->currentRow();
    if (row < 0 || page_.Kind() == ListKind::Programs || !ask_.editEntry || !page_.Editable())
        return;
    if (const auto entry = ask_.editEntry(TextsOf(page_.Kind()).editMode, page_.Rows().at(row)))
        Changed(page_.Replace(row, *entry), row, row);
}

void ListPageView::RenameClick()
{
    EnsureLoaded();
    const int row = view_->currentRow();
    if (row < 0 || page_.Kind() != ListKind::Programs || !ask_.prompts || !page_.Editable())
        return;
    // A refused or failed rename shows nothing and changes nothing.
    if (const auto name = ask_.prompts->askText(Str(259), page_.Rows().at(row).caption))
        Changed(page_.RenameProgram(row, *name));
}

void ListPageView::DeleteClick()
{
    EnsureLoaded();
    const int row = view_->currentRow();
    if (row >= 0)
        Changed(page_.Remove(row));
}

void ListPageView::UpClick()
{
    EnsureLoaded();
    const int row = view_->currentRow();
    Changed(page_.MoveUp(row), row - 1, row);
}

void ListPageView::DownClick()
{
    EnsureLoaded();
    const int row = view_->currentRow();
    Changed(page_.MoveDown(row), row, row + 1);
}

void ListPageView::ImportClick()
{
    EnsureLoaded();
    if (page_.Kind() != ListKind::Email || !ask_.importAddresses || !page_.Editable())
        return;
    if (const auto rows = ask_.importAddresses())
        Changed(page_.AppendAll(*rows));
}

void ListPageView::RowDropped(int dragged, int onto)
{
    const auto to = page_.DropRow(dragged, onto);
    Changed(to, std::min(dragged, to.value_or(dragged)), std::max(dragged, to.value_or(dragged)));
}

void ListPageView::FilesDropped(const QStringList& paths)
{
    // The user dropped from another program: come to the front to show the result.
    window()->raise();
    window()->activateWindow();
    Changed(page_.AddPrograms(paths));
}

} // namespace parvo
