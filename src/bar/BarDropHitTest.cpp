#include "bar/BarDropHitTest.h"

#include "bar/DriveStripLayout.h"

namespace parvo {

namespace {

// Across the bar, a drop counts only on the buttons' 32 (column) or 22 (row) pixels.
constexpr int ColumnReach = 32;
constexpr int RowReach = 22;

BarDropHit Hit(DropTarget target, QString key, int driveIndex = -1)
{
    return {target, driveIndex, std::move(key)};
}

// One test for both orientations: `along` is the coordinate along the bar, `across` the
// one across it, and the rectangles are read on the same axes.
struct Axis {
    bool horizontal;
    int start(const QRect& r) const { return horizontal ? r.left() : r.top(); }
    int length(const QRect& r) const { return horizontal ? r.width() : r.height(); }
};

} // namespace

std::optional<BarDropHit> BarDropHitTest(TAppBarEdge edge, QPoint point, const BarLayout& layout, int Layout,
                                         int ClickLayout, const QStringList& driveRoots)
{
    const auto orientation = OrientationFor(edge);
    if (!orientation)
        return std::nullopt;
    const Axis axis{*orientation == BarOrientation::Horizontal};
    const int along = axis.horizontal ? point.x() : point.y();
    const int across = axis.horizontal ? point.y() : point.x();
    // A row's buttons reach 21 pixels down; a column's run 32 across.
    const bool onButtons = axis.horizontal ? across < RowReach : across < ColumnReach;

    const int goStart = axis.start(layout.a15.rect) + axis.start(layout.bComp.rect);
    const int goEnd = goStart + axis.length(layout.bComp.rect);
    if (along < goEnd) {
        if (along > goStart && onButtons)
            return Hit(DropTarget::Go, QString::fromLatin1(DropKeyGo));
        return BarDropHit{};
    }

    const int drivesStart = axis.start(layout.a2.rect);
    if (along > drivesStart && along < drivesStart + axis.length(layout.a2.rect) && onButtons) {
        // The buttons' real step: a drop must go to the drive whose button is drawn there.
        const int step = DriveButtonStyleFor(axis.horizontal, Layout, ClickLayout).step;
        const int index = step > 0 ? (along - drivesStart) / step : -1;
        if (index < 0 || index >= driveRoots.size())
            return BarDropHit{};
        return Hit(DropTarget::Drive, driveRoots.at(index), index);
    }

    const int programsStart = axis.start(layout.a4m.rect);
    if (along > programsStart && along < programsStart + axis.length(layout.a4m.rect) && onButtons)
        return Hit(DropTarget::Programs, QString::fromLatin1(DropKeyPrograms));
    return BarDropHit{};
}

} // namespace parvo
