#pragma once
// The desktop of an X11 window manager that follows the extended window-manager hints:
// dock windows, reserved struts, `_NET_WORKAREA`, `_NET_WM_STATE` for stacking and the
// task bar, and the active window's full-screen state. Auto-hide bars register in a
// property of the root window per edge, holding the bar's window.
//
// Runs on the application's own X connection. Without one (another platform), the bar
// still docks by the screen's geometry but reserves nothing.
//
// The bar speaks in the toolkit's device-independent pixels, X in physical ones: every
// property written and every root geometry read is mapped through the monitor it lies on.

#include "platform/DesktopBar.h"

#include <QAbstractNativeEventFilter>
#include <QScreen>
#include <QMap>
#include <QObject>

#include <optional>

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

namespace parvo {

class X11DesktopBar final : public DesktopBar, private QAbstractNativeEventFilter {
public:
    X11DesktopBar();
    ~X11DesktopBar() override;
    X11DesktopBar(const X11DesktopBar&) = delete;
    X11DesktopBar& operator=(const X11DesktopBar&) = delete;

    QList<Monitor> monitors() const override;
    QList<DockedStrip> otherBars(WindowId window) const override;
    bool managesDocks() const override;
    void setDockWindow(WindowId window, bool docked) override;
    void reserve(WindowId window, TAppBarEdge edge, const QRect& strip) override;
    WindowId autoHideBar(TAppBarEdge edge) const override;
    bool setAutoHideBar(WindowId window, TAppBarEdge edge, bool on) override;
    void releaseAutoHide(WindowId window) override;
    void setStacking(WindowId window, Stacking stacking) override;
    void watch(WindowId window, Notices notices) override;

    // The root-window property that registers the auto-hide bar of an edge.
    static const char* AutoHideProperty(TAppBarEdge edge);

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // A question is asked (the request sent) apart from awaiting its answer, so that the
    // questions of one step reach the display together: one round trip instead of several.
    struct WorkAreaQuestion {
        xcb_get_property_cookie_t desktop, area;
    };
    xcb_get_geometry_cookie_t askRootSize() const;
    QSize rootSize(xcb_get_geometry_cookie_t asked) const;
    QSize rootSize() const { return rootSize(askRootSize()); }
    xcb_get_property_cookie_t askManaged(xcb_window_t window) const;
    bool managed(xcb_get_property_cookie_t asked) const;
    bool managed(xcb_window_t window) const { return managed(askManaged(window)); }
    // Whether the window manager still holds the window when the wait ends.
    bool waitWithdrawn(xcb_window_t window) const;
    void changeState(xcb_window_t window, const QList<xcb_atom_t>& add, const QList<xcb_atom_t>& remove,
                     std::optional<bool> knownManaged = std::nullopt);
    // Whether the mask had to be added.
    bool addEventMask(xcb_window_t window, uint32_t mask, xcb_get_window_attributes_cookie_t asked);
    bool addEventMask(xcb_window_t window, uint32_t mask)
    {
        return addEventMask(window, mask, xcb_get_window_attributes(c_, window));
    }
    WorkAreaQuestion askWorkArea() const;
    QRect workArea(WorkAreaQuestion asked) const;
    QRect readWorkArea() const { return workArea(askWorkArea()); }
    bool activeWindowFullScreen(xcb_get_property_cookie_t activeAsked);
    xcb_get_property_cookie_t askHolder(TAppBarEdge edge) const;
    xcb_window_t registeredHolder(xcb_get_property_cookie_t asked) const;
    bool activeWindowFullScreen();
    void checkWorkArea(bool windowsChanged);
    void checkFullScreen();
    void followScreen(QScreen* screen);
    void screensChanged();

    xcb_connection_t* c_ = nullptr;
    mutable xcb_ewmh_connection_t ewmh_{}; // the library takes it by non-const pointer
    int screenNumber_ = 0;
    xcb_window_t root_ = XCB_NONE;
    xcb_atom_t autoHideAtoms_[4] = {};
    xcb_atom_t wmState_ = XCB_NONE;

    QMap<WindowId, Notices> watchers_;
    QRect lastWorkArea_;
    xcb_window_t active_ = XCB_NONE;
    bool fullScreen_ = false;
    bool screensPending_ = false;
    QMap<int, WindowId> localAutoHide_; // without an X connection
    QObject context_;                   // for notices delivered from the event loop
};

} // namespace parvo
