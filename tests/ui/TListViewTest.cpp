#include "widgets/TListView.h"

#include "UiApp.h"

#include <QAbstractItemView>
#include <QImage>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

// The colour at the free right end of row `row`, as the list draws it.
QColor RowColour(TListView& list, int row)
{
    QAbstractItemView* view = list.currentView();
    const QImage image = view->viewport()->grab().toImage();
    const QRect r = view->visualRect(view->model()->index(row, 1));
    return image.pixelColor(r.right() - 4, r.center().y());
}

} // namespace

TEST(TListView, OnlyTheDragsTargetLooksSelectedWhileADragIsOverIt)
{
    test::App();
    TListView list;
    list.setColumns({"Nome", "Posizione"});
    list.setViewStyle(TListView::vsReport);
    list.setColumnWidth(0, 120);
    list.setColumnWidth(1, 200);
    list.resize(400, 200);
    list.addItem("Uno", "/a", 0);
    list.addItem("Due", "/b", 0);
    list.addItem("Tre", "/c", 0);
    list.show();
    list.setSelectedRow(2);
    const QColor plain = RowColour(list, 0);
    const QColor marked = RowColour(list, 2);
    ASSERT_NE(plain, marked) << "a selected row is drawn apart";

    list.setDropHighlight(1);
    EXPECT_EQ(RowColour(list, 1), marked);
    EXPECT_EQ(RowColour(list, 2), plain) << "the selection steps back while the drag is over another row";
    EXPECT_EQ(list.selectedRow(), 2) << "without being lost";

    list.setDropHighlight(-1);
    EXPECT_EQ(RowColour(list, 1), plain);
    EXPECT_EQ(RowColour(list, 2), marked);
}
