#pragma once
// What the desktop does for a bar docked to a screen edge: it lets the bar reserve a strip
// of the screen, so that maximised windows stop short of it, tells where the free work
// area and the other bars are, keeps the register of auto-hide bars (one per edge), keeps
// the bar above or below other windows and off the task bar, and reports a full-screen
// window in front. The docking geometry itself is computed by the bar.

#include "bar/AppBarGeometry.h"

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
    };

    virtual ~DesktopBar() = default;

    // The screen the bar docks on, and the part of it no reserved strip covers.
    virtual QRect screen() const = 0;
    virtual QRect workArea() const = 0;
    // The strips that bars other than `window` hold at the screen edges.
    virtual QList<DockedStrip> otherBars(WindowId window) const = 0;

    // A docked bar is a dock window without frame or title; a floating one a normal
    // window with a title. Both are on every desktop and have no task-bar entry. The
    // window must not be shown while its kind changes.
    virtual void setDockWindow(WindowId window, bool docked) = 0;
    // Reserves `strip` at `edge` for the window; any other edge, or an empty strip,
    // reserves nothing.
    virtual void reserve(WindowId window, TAppBarEdge edge, const QRect& strip) = 0;

    // The window registered as the auto-hide bar of a screen edge; 0 for none.
    virtual WindowId autoHideBar(TAppBarEdge edge) const = 0;
    // Registers (`on`) or unregisters the window as the edge's auto-hide bar. Registering
    // fails while another living window holds the edge.
    virtual bool setAutoHideBar(WindowId window, TAppBarEdge edge, bool on) = 0;

    virtual void setStacking(WindowId window, Stacking stacking) = 0;

    // Starts (or, with empty notices, stops) reporting to the bar of `window`.
    virtual void watch(WindowId window, Notices notices) = 0;
};

} // namespace parvo
