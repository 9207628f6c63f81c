#pragma once
// What the desktop does for a bar docked to a screen edge: it lets the bar reserve a strip
// of the screen, so that maximised windows stop short of it, tells where the free work
// area and the other bars are, keeps the register of auto-hide bars (one per edge), keeps
// the bar above or below other windows and off the task bar, and reports a full-screen
// window in front. The docking geometry itself is computed by the bar.
//
// Every rectangle passed either way is in the bar's own (device-independent) pixels; the
// desktop maps them to whatever its window system counts in.

#include "bar/AppBarGeometry.h"
#include "bar/Monitors.h"

#include <QList>
#include <QRect>
#include <QtGlobal>

#include <functional>

namespace parvo {

// A native window (an X11 window id).
using WindowId = quintptr;

class DesktopBar {
public:
    enum class Stacking { Above, Normal, Below };

    // Called by the desktop, later, on the bar's own thread.
    struct Notices {
        std::function<void()> workAreaChanged;       // or windows came or went
        std::function<void(bool)> fullScreenChanged; // true while a full-screen window is active
        std::function<void()> screensChanged;        // monitors came, went, moved or resized
    };

    virtual ~DesktopBar() = default;

    // Every monitor, the primary one first.
    virtual QList<Monitor> monitors() const = 0;
    // The strips that bars other than `window` hold at the monitors' edges, cut per
    // monitor.
    virtual QList<DockedStrip> otherBars(WindowId window) const = 0;

    // Whether a window manager runs that keeps dock windows where they ask to be, without
    // a frame. Without one a docked bar places itself past any window manager.
    virtual bool managesDocks() const = 0;
    // A docked bar is a dock window; a floating one a normal window with a title. Both
    // are on every desktop and have no task-bar entry. The window must not be shown while
    // its kind changes.
    virtual void setDockWindow(WindowId window, bool docked) = 0;
    // Reserves `strip` (on one monitor, at its outer `edge`) for the window; any other
    // edge, or an empty strip, reserves nothing.
    virtual void reserve(WindowId window, TAppBarEdge edge, const QRect& strip) = 0;

    // The window registered as the auto-hide bar of a screen edge; 0 for none.
    virtual WindowId autoHideBar(TAppBarEdge edge) const = 0;
    // Registers (`on`) or unregisters the window as the edge's auto-hide bar. Registering
    // fails while another living window holds the edge.
    virtual bool setAutoHideBar(WindowId window, TAppBarEdge edge, bool on) = 0;
    // Unregisters the window from every edge it holds.
    virtual void releaseAutoHide(WindowId window)
    {
        for (TAppBarEdge e : {abeLeft, abeTop, abeRight, abeBottom}) {
            if (autoHideBar(e) == window)
                setAutoHideBar(window, e, false);
        }
    }

    virtual void setStacking(WindowId window, Stacking stacking) = 0;

    // Starts (or, with empty notices, stops) reporting to the bar of `window`.
    virtual void watch(WindowId window, Notices notices) = 0;
};

} // namespace parvo
