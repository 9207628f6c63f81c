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
    void setStacking(WindowId window, Stacking stacking) override;
    void watch(WindowId window, Notices notices) override;

    // The root-window property that registers the auto-hide bar of an edge.
    static const char* AutoHideProperty(TAppBarEdge edge);

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    QSize rootSize() const;
    bool managed(xcb_window_t window) const;
    void waitWithdrawn(xcb_window_t window) const;
    void changeState(xcb_window_t window, const QList<xcb_atom_t>& add, const QList<xcb_atom_t>& remove);
    void addEventMask(xcb_window_t window, uint32_t mask);
    QRect readWorkArea() const;
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
