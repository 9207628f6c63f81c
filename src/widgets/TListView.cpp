#include "widgets/TListView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace parvo {

namespace {

// Draws the drag's target row as if it were selected. While a drag is over a row, that
// row alone looks selected: the selection drawn beside it would leave the user guessing
// which folder the files are about to go to.
class DropHighlightDelegate : public QStyledItemDelegate {
public:
    DropHighlightDelegate(const int& dropRow, QObject* parent)
        : QStyledItemDelegate(parent)
        , dropRow_(dropRow)
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (dropRow_ < 0)
            return;
        if (index.row() == dropRow_)
            option->state |= QStyle::State_Selected;
        else
            option->state &= ~QStyle::State_Selected;
    }

private:
    const int& dropRow_;
};

} // namespace

TListView::TListView(QWidget* parent)
    : QWidget(parent)
    , list_(new QListView(this))
    , tree_(new QTreeView(this))
{
    model_.setColumnCount(2);
    list_->setModel(&model_);
    tree_->setModel(&model_);
    // One selection for both views, so a change of style keeps it.
    QItemSelectionModel* unused = tree_->selectionModel();
    tree_->setSelectionModel(list_->selectionModel());
    delete unused;

    tree_->setRootIsDecorated(false);
    tree_->setItemsExpandable(false);
    tree_->setAllColumnsShowFocus(true);
    tree_->setUniformRowHeights(true);
    tree_->header()->setSectionsClickable(false);
    tree_->header()->setSectionsMovable(false);
    tree_->header()->setStretchLastSection(false);
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(list_), static_cast<QAbstractItemView*>(tree_)})
        Prepare(view);

    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TListView::selectionChanged);
    ApplyStyle();
}

void TListView::Prepare(QAbstractItemView* view)
{
    view->setFrameShape(QFrame::NoFrame);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setItemDelegate(new DropHighlightDelegate(dropRow_, view));
    view->setMouseTracking(true);
    view->viewport()->setMouseTracking(true);
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit doubleClicked(index.row());
    });
}

void TListView::setColumns(const QStringList& captions)
{
    model_.setHorizontalHeaderLabels(captions);
}

void TListView::setColumnWidth(int column, int width)
{
    if (width > 0)
        tree_->setColumnWidth(column, width);
}

int TListView::columnWidth(int column) const
{
    return tree_->columnWidth(column);
}

void TListView::setViewStyle(int style)
{
    if (style < vsIcon || style > vsReport || style == style_)
        return;
    style_ = style;
    ApplyStyle();
}

void TListView::ApplyStyle()
{
    const bool report = style_ == vsReport;
    if (!report) {
        const bool icons = style_ == vsIcon;
        list_->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
        list_->setFlow(style_ == vsList ? QListView::TopToBottom : QListView::LeftToRight);
        list_->setWrapping(true);
        list_->setResizeMode(QListView::Adjust);
        list_->setIconSize(icons ? QSize(32, 32) : QSize(16, 16));
        list_->setGridSize(icons ? QSize(84, 68) : QSize());
        list_->setSpacing(icons ? 0 : 2);
        list_->setWordWrap(icons);
        list_->setTextElideMode(Qt::ElideRight);
        // Icons are arranged by the view; nothing is dragged out of or within the list.
        list_->setMovement(QListView::Static);
        list_->setDragEnabled(false);
        list_->viewport()->setAcceptDrops(false);
    }
    tree_->setIconSize(QSize(16, 16));
    list_->setVisible(!report);
    tree_->setVisible(report);
    list_->setGeometry(rect());
    tree_->setGeometry(rect());
}

QAbstractItemView* TListView::currentView() const
{
    if (style_ == vsReport)
        return tree_;
    return list_;
}

void TListView::setImages(const QList<QIcon>& images)
{
    images_ = images;
}

void TListView::clear()
{
    dropRow_ = -1;
    model_.removeRows(0, model_.rowCount());
}

void TListView::addItem(const QString& caption, const QString& subItem, int image)
{
    auto* name = new QStandardItem(caption);
    if (image >= 0 && image < images_.size())
        name->setIcon(images_.at(image));
    name->setToolTip(subItem);
    auto* place = new QStandardItem(subItem);
    place->setToolTip(subItem);
    model_.appendRow({name, place});
}

void TListView::setItem(int row, const QString& caption, const QString& subItem)
{
    if (row < 0 || row >= model_.rowCount())
        return;
    model_.item(row, 0)->setText(caption);
    model_.item(row, 0)->setToolTip(subItem);
    model_.item(row, 1)->setText(subItem);
    model_.item(row, 1)->setToolTip(subItem);
}

void TListView::removeRow(int row)
{
    if (row < 0 || row >= model_.rowCount())
        return;
    if (dropRow_ == row)
        dropRow_ = -1;
    model_.removeRow(row);
}

int TListView::count() const
{
    return model_.rowCount();
}

QString TListView::caption(int row) const
{
    const QStandardItem* item = model_.item(row, 0);
    return item ? item->text() : QString();
}

QString TListView::subItem(int row) const
{
    const QStandardItem* item = model_.item(row, 1);
    return item ? item->text() : QString();
}

int TListView::selectedRow() const
{
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TListView::setSelectedRow(int row)
{
    QItemSelectionModel* selection = list_->selectionModel();
    if (row < 0 || row >= model_.rowCount()) {
        selection->clearSelection();
        return;
    }
    const QModelIndex index = model_.index(row, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    currentView()->scrollTo(index);
}

int TListView::rowAt(QPoint point) const
{
    const QAbstractItemView* view = currentView();
    const QModelIndex index = view->indexAt(view->viewport()->mapFrom(this, point));
    return index.isValid() ? index.row() : -1;
}

QRect TListView::rowRect(int row) const
{
    const QAbstractItemView* view = currentView();
    const QRect r = view->visualRect(model_.index(row, 0));
    return r.translated(view->viewport()->mapTo(this, QPoint(0, 0)));
}

void TListView::setDropHighlight(int row)
{
    if (row == dropRow_)
        return;
    dropRow_ = row;
    currentView()->viewport()->update();
}

void TListView::resizeEvent(QResizeEvent*)
{
    list_->setGeometry(rect());
    tree_->setGeometry(rect());
}

bool TListView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == list_ || watched == tree_)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Delete) {
            emit keyPressed(key);
            return true;
        }
    }
    if (event->type() == QEvent::MouseMove && (watched == list_->viewport() || watched == tree_->viewport())) {
        auto* move = static_cast<QMouseEvent*>(event);
        const bool free = move->buttons() == Qt::NoButton && move->modifiers() == Qt::NoModifier;
        emit mouseMoved(static_cast<QWidget*>(watched)->mapTo(this, move->position().toPoint()), free);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace parvo
