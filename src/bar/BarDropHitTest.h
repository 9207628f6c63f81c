#pragma once
// Where on the bar a drag is: over the GO! button, over a drive button, over the
// program area, or nowhere a drop can go (the gaps between the panels, the menu buttons,
// the logo). A pure function of the point and the bar's current layout.

#include "bar/AppBarEdge.h"
#include "bar/BarLayout.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

namespace parvo {

enum class DropTarget { None, Go, Drive, Programs };

// `DropKey` values of the targets that are not drives.
inline constexpr char DropKeyGo[] = "go";
inline constexpr char DropKeyPrograms[] = "links_apps";

struct BarDropHit {
    DropTarget target = DropTarget::None;
    int driveIndex = -1; // the drive button under the point, for Drive
    QString DropKey;     // "go", "links_apps" or the drive's root; empty for None
    bool operator==(const BarDropHit&) const = default;
};

// `DropFile2DragOver`'s hit test. `point` is in the bar's client coordinates; `driveRoots`
// are the roots of the drive buttons in strip order; `Layout` and `ClickLayout` the
// drive-button options, which fix the buttons' step along the strip. Nothing for a bar
// at no edge, where the drag changes nothing.
std::optional<BarDropHit> BarDropHitTest(TAppBarEdge edge, QPoint point, const BarLayout& layout, int Layout,
                                         int ClickLayout, const QStringList& driveRoots);

} // namespace parvo
