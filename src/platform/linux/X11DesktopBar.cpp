#include "platform/linux/X11DesktopBar.h"

#include "platform/linux/EwmhStrut.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace parvo {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

constexpr uint32_t AllDesktops = 0xFFFFFFFF;
constexpr uint32_t WithdrawnState = 0;
// How long a window manager may take to let go of a withdrawn window.
constexpr int WithdrawWaitMs = 1000;
constexpr int WindowGoneSettleMs = 500;
constexpr int ScreensSettleMs = 500;

const char* const AutoHideNames[4] = {"_PARVO_AUTOHIDE_BAR_LEFT", "_PARVO_AUTOHIDE_BAR_TOP",
                                      "_PARVO_AUTOHIDE_BAR_RIGHT", "_PARVO_AUTOHIDE_BAR_BOTTOM"};

EwmhStrut StrutOf(const xcb_ewmh_wm_strut_partial_t& p)
{
    return {p.left,         p.right,          p.top,           p.bottom,     p.left_start_y, p.left_end_y,
            p.right_start_y, p.right_end_y, p.top_start_x, p.top_end_x, p.bottom_start_x, p.bottom_end_x};
}

xcb_intern_atom_cookie_t AskAtom(xcb_connection_t* c, const char* name)
{
    return xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
}

xcb_atom_t Atom(xcb_connection_t* c, xcb_intern_atom_cookie_t asked)
{
    const Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(c, asked, nullptr));
    return r ? r->atom : XCB_NONE;
}

} // namespace

const char* X11DesktopBar::AutoHideProperty(TAppBarEdge edge)
{
    return IsScreenEdge(edge) ? AutoHideNames[edge] : nullptr;
}

X11DesktopBar::X11DesktopBar()
{
    // Screens are followed on any platform: a floating bar must not be lost either.
    if (qGuiApp) {
        QObject::connect(qGuiApp, &QGuiApplication::screenAdded, &context_, [this](QScreen* s) {
            followScreen(s);
            screensChanged();
        });
        QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, &context_, [this] { screensChanged(); });
        QObject::connect(qGuiApp, &QGuiApplication::primaryScreenChanged, &context_, [this] { screensChanged(); });
        for (QScreen* s : QGuiApplication::screens())
            followScreen(s);
    }
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    c_ = x11->connection();
    // Every name is asked for before any answer is awaited: one round trip to the display.
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(c_, &ewmh_);
    xcb_intern_atom_cookie_t autoHide[4];
    for (int e = 0; e < 4; ++e)
        autoHide[e] = AskAtom(c_, AutoHideNames[e]);
    const xcb_intern_atom_cookie_t wmState = AskAtom(c_, "WM_STATE");
    const bool named = xcb_ewmh_init_atoms_replies(&ewmh_, cookies, nullptr);
    for (int e = 0; e < 4; ++e)
        autoHideAtoms_[e] = Atom(c_, autoHide[e]);
    wmState_ = Atom(c_, wmState);
    if (!named) {
        c_ = nullptr;
        return;
    }
    // The first screen of the display: one X screen spans all monitors nowadays.
    root_ = ewmh_.screens[screenNumber_]->root;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11DesktopBar::~X11DesktopBar()
{
    if (!c_)
        return;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    xcb_ewmh_connection_wipe(&ewmh_);
}

QList<Monitor> X11DesktopBar::monitors() const
{
    QList<Monitor> list;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* s : QGuiApplication::screens()) {
        const Monitor m = Monitor::Scaled(s->geometry(), s->devicePixelRatio(), s->name());
        if (s == primary)
            list.prepend(m);
        else
            list.append(m);
    }
    if (list.isEmpty() && c_)
        list.append(Monitor::Scaled(QRect(QPoint(0, 0), rootSize()), 1));
    return list;
}

bool X11DesktopBar::managesDocks() const
{
    if (!c_)
        return true;
    // Both asked before either answer is awaited.
    const xcb_get_property_cookie_t checkAsked = xcb_ewmh_get_supporting_wm_check(&ewmh_, root_);
    const xcb_get_property_cookie_t supportedAsked = xcb_ewmh_get_supported(&ewmh_, screenNumber_);
    xcb_window_t check = XCB_NONE;
    xcb_ewmh_get_atoms_reply_t supported;
    const bool checked = xcb_ewmh_get_supporting_wm_check_reply(&ewmh_, checkAsked, &check, nullptr);
    if (!xcb_ewmh_get_supported_reply(&ewmh_, supportedAsked, &supported, nullptr))
        return false;
    if (!checked || check == XCB_NONE) {
        xcb_ewmh_get_atoms_reply_wipe(&supported);
        return false;
    }
    bool dock = false;
    for (uint32_t i = 0; i < supported.atoms_len; ++i)
        dock = dock || supported.atoms[i] == ewmh_._NET_WM_WINDOW_TYPE_DOCK;
    xcb_ewmh_get_atoms_reply_wipe(&supported);
    return dock;
}

void X11DesktopBar::followScreen(QScreen* screen)
{
    QObject::connect(screen, &QScreen::geometryChanged, &context_, [this] { screensChanged(); });
}

void X11DesktopBar::screensChanged()
{
    // One change of the monitors arrives as several signals: the bar hears of it once,
    // when the toolkit has them all, and once more a moment later, as the toolkit may
    // take the last of a quick series of changes in only after its signals.
    if (screensPending_)
        return;
    screensPending_ = true;
    const auto tell = [this] {
        for (const Notices& n : std::as_const(watchers_)) {
            if (n.screensChanged)
                n.screensChanged();
        }
    };
    QMetaObject::invokeMethod(
        &context_,
        [this, tell] {
            screensPending_ = false;
            tell();
        },
        Qt::QueuedConnection);
    QTimer::singleShot(ScreensSettleMs, &context_, tell);
}

xcb_get_geometry_cookie_t X11DesktopBar::askRootSize() const { return xcb_get_geometry(c_, root_); }

QSize X11DesktopBar::rootSize(xcb_get_geometry_cookie_t asked) const
{
    const Reply<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(c_, asked, nullptr));
    return g ? QSize(g->width, g->height) : QSize();
}

X11DesktopBar::WorkAreaQuestion X11DesktopBar::askWorkArea() const
{
    return {xcb_ewmh_get_current_desktop(&ewmh_, screenNumber_), xcb_ewmh_get_workarea(&ewmh_, screenNumber_)};
}

QRect X11DesktopBar::workArea(WorkAreaQuestion asked) const
{
    uint32_t desktop = 0;
    if (!xcb_ewmh_get_current_desktop_reply(&ewmh_, asked.desktop, &desktop, nullptr))
        desktop = 0;
    xcb_ewmh_get_workarea_reply_t wa;
    if (!xcb_ewmh_get_workarea_reply(&ewmh_, asked.area, &wa, nullptr))
        return {};
    QRect r;
    if (wa.workarea_len > 0) {
        const xcb_ewmh_geometry_t& g = wa.workarea[desktop < wa.workarea_len ? desktop : 0];
        r = QRect(static_cast<int>(g.x), static_cast<int>(g.y), static_cast<int>(g.width), static_cast<int>(g.height));
    }
    xcb_ewmh_get_workarea_reply_wipe(&wa);
    return r;
}

QList<DockedStrip> X11DesktopBar::otherBars(WindowId window) const
{
    QList<DockedStrip> strips;
    if (!c_)
        return strips;
    const xcb_get_geometry_cookie_t rootAsked = askRootSize();
    xcb_ewmh_get_windows_reply_t clients;
    if (!xcb_ewmh_get_client_list_reply(&ewmh_, xcb_ewmh_get_client_list(&ewmh_, screenNumber_), &clients, nullptr)) {
        xcb_discard_reply(c_, rootAsked.sequence);
        return strips;
    }
    const QSize root = rootSize(rootAsked);
    // Every window's struts are asked for at once, then the places of those that have
    // one: two round trips to the display however many windows there are.
    struct Client {
        xcb_window_t window;
        xcb_get_property_cookie_t partial, legacy;
        EwmhStrut strut;
        xcb_get_geometry_cookie_t size;
        xcb_translate_coordinates_cookie_t at;
    };
    std::vector<Client> others;
    for (uint32_t i = 0; i < clients.windows_len; ++i) {
        const xcb_window_t w = clients.windows[i];
        if (w != window)
            others.push_back({w, xcb_ewmh_get_wm_strut_partial(&ewmh_, w), xcb_ewmh_get_wm_strut(&ewmh_, w), {}, {}, {}});
    }
    xcb_ewmh_get_windows_reply_wipe(&clients);
    for (Client& o : others) {
        xcb_ewmh_wm_strut_partial_t partial;
        xcb_ewmh_get_extents_reply_t legacy;
        if (xcb_ewmh_get_wm_strut_partial_reply(&ewmh_, o.partial, &partial, nullptr)) {
            xcb_discard_reply(c_, o.legacy.sequence);
            o.strut = StrutOf(partial);
        } else if (xcb_ewmh_get_wm_strut_reply(&ewmh_, o.legacy, &legacy, nullptr)) {
            o.strut = StrutFromLegacy(legacy.left, legacy.right, legacy.top, legacy.bottom, root);
        }
        if (!o.strut.isEmpty()) {
            o.size = xcb_get_geometry(c_, o.window);
            o.at = xcb_translate_coordinates(c_, o.window, root_, 0, 0);
        }
    }
    for (const Client& o : others) {
        if (o.strut.isEmpty())
            continue;
        const Reply<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(c_, o.size, nullptr));
        const Reply<xcb_translate_coordinates_reply_t> at(xcb_translate_coordinates_reply(c_, o.at, nullptr));
        const QRect placed = g && at ? QRect(at->dst_x, at->dst_y, g->width, g->height) : QRect();
        strips += StripsOfStrut(o.strut, placed, root);
    }
    return LogicalStrips(strips, monitors());
}

xcb_get_property_cookie_t X11DesktopBar::askManaged(xcb_window_t window) const
{
    return xcb_get_property(c_, 0, window, wmState_, XCB_ATOM_ANY, 0, 2);
}

bool X11DesktopBar::managed(xcb_get_property_cookie_t asked) const
{
    const Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(c_, asked, nullptr));
    if (!r || r->type == XCB_NONE || xcb_get_property_value_length(r.get()) < 4)
        return false;
    uint32_t state = 0;
    std::memcpy(&state, xcb_get_property_value(r.get()), sizeof state);
    return state != WithdrawnState;
}

bool X11DesktopBar::waitWithdrawn(xcb_window_t window) const
{
    // The window manager clears the window's desktop and state when it lets the window
    // go; what is written before that would be lost.
    xcb_flush(c_);
    bool held = managed(window);
    for (int waited = 0; waited < WithdrawWaitMs && held; waited += 5) {
        QThread::msleep(5);
        held = managed(window);
    }
    return held;
}

void X11DesktopBar::changeState(xcb_window_t window, const QList<xcb_atom_t>& add, const QList<xcb_atom_t>& remove,
                                std::optional<bool> knownManaged)
{
    // The window's present state is asked for with the question of who holds it.
    const xcb_get_property_cookie_t stateAsked = xcb_ewmh_get_wm_state(&ewmh_, window);
    if (knownManaged ? *knownManaged : managed(window)) {
        xcb_discard_reply(c_, stateAsked.sequence);
        // A managed window asks the window manager.
        for (xcb_atom_t a : remove)
            xcb_ewmh_request_change_wm_state(&ewmh_, screenNumber_, window, XCB_EWMH_WM_STATE_REMOVE, a, XCB_NONE,
                                             XCB_EWMH_CLIENT_SOURCE_TYPE_NORMAL);
        for (xcb_atom_t a : add)
            xcb_ewmh_request_change_wm_state(&ewmh_, screenNumber_, window, XCB_EWMH_WM_STATE_ADD, a, XCB_NONE,
                                             XCB_EWMH_CLIENT_SOURCE_TYPE_NORMAL);
        return;
    }
    // An unmanaged one holds the state for the window manager to read when it maps.
    QList<xcb_atom_t> atoms;
    xcb_ewmh_get_atoms_reply_t current;
    if (xcb_ewmh_get_wm_state_reply(&ewmh_, stateAsked, &current, nullptr)) {
        for (uint32_t i = 0; i < current.atoms_len; ++i)
            atoms.append(current.atoms[i]);
        xcb_ewmh_get_atoms_reply_wipe(&current);
    }
    for (xcb_atom_t a : remove)
        atoms.removeAll(a);
    for (xcb_atom_t a : add) {
        if (!atoms.contains(a))
            atoms.append(a);
    }
    xcb_ewmh_set_wm_state(&ewmh_, window, static_cast<uint32_t>(atoms.size()), atoms.data());
}

void X11DesktopBar::setDockWindow(WindowId window, bool docked)
{
    if (!c_)
        return;
    const auto w = static_cast<xcb_window_t>(window);
    // Nothing maps the window while its kind changes: who holds it stays as the wait ends.
    const bool held = waitWithdrawn(w);
    xcb_atom_t type = docked ? ewmh_._NET_WM_WINDOW_TYPE_DOCK : ewmh_._NET_WM_WINDOW_TYPE_NORMAL;
    xcb_ewmh_set_wm_window_type(&ewmh_, w, 1, &type);
    if (held)
        xcb_ewmh_request_change_wm_desktop(&ewmh_, screenNumber_, w, AllDesktops, XCB_EWMH_CLIENT_SOURCE_TYPE_NORMAL);
    else
        xcb_ewmh_set_wm_desktop(&ewmh_, w, AllDesktops);
    // The bar is reached through its own icon, never through a task bar or pager.
    changeState(w, {ewmh_._NET_WM_STATE_SKIP_TASKBAR, ewmh_._NET_WM_STATE_SKIP_PAGER}, {}, held);
    xcb_flush(c_);
}

void X11DesktopBar::reserve(WindowId window, TAppBarEdge edge, const QRect& strip)
{
    if (!c_)
        return;
    const auto w = static_cast<xcb_window_t>(window);
    const xcb_get_geometry_cookie_t rootAsked = askRootSize();
    const xcb_get_property_cookie_t haveAsked = xcb_ewmh_get_wm_strut_partial(&ewmh_, w);
    const QList<Monitor> all = monitors();
    const int on = MonitorAt(all, strip.center());
    const QRect physical = on >= 0 ? ToPhysical(strip, all[on]) : strip;
    const EwmhStrut want = StrutFor(edge, physical, rootSize(rootAsked));
    // Rewriting the same strut makes the window manager recompute the work area and tell
    // every bar, this one too: write only changes.
    EwmhStrut have;
    xcb_ewmh_wm_strut_partial_t p;
    if (xcb_ewmh_get_wm_strut_partial_reply(&ewmh_, haveAsked, &p, nullptr))
        have = StrutOf(p);
    if (have == want)
        return;
    if (want.isEmpty()) {
        xcb_delete_property(c_, w, ewmh_._NET_WM_STRUT_PARTIAL);
        xcb_delete_property(c_, w, ewmh_._NET_WM_STRUT);
    } else {
        const xcb_ewmh_wm_strut_partial_t s{want.left,           want.right,        want.top,
                                            want.bottom,         want.left_start_y, want.left_end_y,
                                            want.right_start_y,  want.right_end_y,  want.top_start_x,
                                            want.top_end_x,      want.bottom_start_x, want.bottom_end_x};
        xcb_ewmh_set_wm_strut_partial(&ewmh_, w, s);
        // For window managers that know only the older form.
        xcb_ewmh_set_wm_strut(&ewmh_, w, want.left, want.right, want.top, want.bottom);
    }
    xcb_flush(c_);
}

WindowId X11DesktopBar::autoHideBar(TAppBarEdge edge) const
{
    if (!IsScreenEdge(edge))
        return 0;
    if (!c_)
        return localAutoHide_.value(edge, 0);
    const xcb_window_t holder = registeredHolder(askHolder(edge));
    if (holder == XCB_NONE)
        return 0;
    // A bar that ended without letting go holds nothing.
    const Reply<xcb_get_window_attributes_reply_t> alive(
        xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, holder), nullptr));
    return alive ? holder : 0;
}

xcb_get_property_cookie_t X11DesktopBar::askHolder(TAppBarEdge edge) const
{
    return xcb_get_property(c_, 0, root_, autoHideAtoms_[edge], XCB_ATOM_WINDOW, 0, 1);
}

xcb_window_t X11DesktopBar::registeredHolder(xcb_get_property_cookie_t asked) const
{
    const Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(c_, asked, nullptr));
    if (!r || r->format != 32 || xcb_get_property_value_length(r.get()) < 4)
        return XCB_NONE;
    xcb_window_t holder = XCB_NONE;
    std::memcpy(&holder, xcb_get_property_value(r.get()), sizeof holder);
    return holder;
}

void X11DesktopBar::releaseAutoHide(WindowId window)
{
    if (!c_) {
        DesktopBar::releaseAutoHide(window);
        return;
    }
    // The four registers are asked at once; a bar mostly holds none, and then one round
    // trip is all it costs.
    xcb_get_property_cookie_t asked[4];
    for (int e = 0; e < 4; ++e)
        asked[e] = askHolder(TAppBarEdge(e));
    for (int e = 0; e < 4; ++e) {
        if (registeredHolder(asked[e]) == window)
            setAutoHideBar(window, TAppBarEdge(e), false);
    }
}

bool X11DesktopBar::setAutoHideBar(WindowId window, TAppBarEdge edge, bool on)
{
    if (!IsScreenEdge(edge))
        return false;
    if (!c_) {
        const WindowId holder = localAutoHide_.value(edge, 0);
        if (on && holder != 0 && holder != window)
            return false;
        if (on)
            localAutoHide_[edge] = window;
        else if (holder == window)
            localAutoHide_.remove(edge);
        return true;
    }
    // Read and written under a server grab, so two bars cannot both take the edge.
    xcb_grab_server(c_);
    const WindowId holder = autoHideBar(edge);
    bool done = true;
    if (on) {
        if (holder != 0 && holder != window) {
            done = false;
        } else {
            const auto w = static_cast<xcb_window_t>(window);
            xcb_change_property(c_, XCB_PROP_MODE_REPLACE, root_, autoHideAtoms_[edge], XCB_ATOM_WINDOW, 32, 1, &w);
        }
    } else if (holder == window) {
        xcb_delete_property(c_, root_, autoHideAtoms_[edge]);
    }
    xcb_ungrab_server(c_);
    xcb_flush(c_);
    return done;
}

void X11DesktopBar::setStacking(WindowId window, Stacking stacking)
{
    if (!c_)
        return;
    const xcb_atom_t above = ewmh_._NET_WM_STATE_ABOVE;
    const xcb_atom_t below = ewmh_._NET_WM_STATE_BELOW;
    const auto w = static_cast<xcb_window_t>(window);
    switch (stacking) {
    case Stacking::Above: changeState(w, {above}, {below}); break;
    case Stacking::Below: changeState(w, {below}, {above}); break;
    case Stacking::Normal: changeState(w, {}, {above, below}); break;
    }
    xcb_flush(c_);
}

bool X11DesktopBar::addEventMask(xcb_window_t window, uint32_t mask, xcb_get_window_attributes_cookie_t asked)
{
    // Each client has its own event mask on a window; this keeps the one Qt set.
    const Reply<xcb_get_window_attributes_reply_t> a(xcb_get_window_attributes_reply(c_, asked, nullptr));
    if (!a || (a->your_event_mask & mask) == mask)
        return false;
    const uint32_t value = a->your_event_mask | mask;
    xcb_change_window_attributes(c_, window, XCB_CW_EVENT_MASK, &value);
    return true;
}

void X11DesktopBar::watch(WindowId window, Notices notices)
{
    if (!notices.workAreaChanged && !notices.fullScreenChanged && !notices.screensChanged) {
        watchers_.remove(window);
        return;
    }
    const bool first = watchers_.isEmpty();
    watchers_[window] = std::move(notices);
    if (!c_ || !first)
        return;
    // Asked together. The toolkit already hears of the root window's properties; only if
    // it did not is the work area read again, once changes of it are sure to be heard.
    const xcb_get_window_attributes_cookie_t rootAsked = xcb_get_window_attributes(c_, root_);
    const WorkAreaQuestion areaAsked = askWorkArea();
    const xcb_get_property_cookie_t activeAsked = xcb_ewmh_get_active_window(&ewmh_, screenNumber_);
    lastWorkArea_ = workArea(areaAsked);
    if (addEventMask(root_, XCB_EVENT_MASK_PROPERTY_CHANGE, rootAsked)) {
        xcb_discard_reply(c_, activeAsked.sequence);
        lastWorkArea_ = readWorkArea();
        fullScreen_ = activeWindowFullScreen();
    } else {
        fullScreen_ = activeWindowFullScreen(activeAsked);
    }
    xcb_flush(c_);
}

bool X11DesktopBar::activeWindowFullScreen()
{
    return activeWindowFullScreen(xcb_ewmh_get_active_window(&ewmh_, screenNumber_));
}

bool X11DesktopBar::activeWindowFullScreen(xcb_get_property_cookie_t activeAsked)
{
    xcb_window_t active = XCB_NONE;
    if (!xcb_ewmh_get_active_window_reply(&ewmh_, activeAsked, &active, nullptr))
        active = XCB_NONE;
    // The new active window's state is asked for with its event mask.
    const bool own = active == XCB_NONE || watchers_.contains(active);
    const xcb_get_property_cookie_t stateAsked = own ? xcb_get_property_cookie_t{} : xcb_ewmh_get_wm_state(&ewmh_, active);
    if (active != active_) {
        active_ = active;
        // Changes of the active window's state come as events on that window.
        if (active != XCB_NONE)
            addEventMask(active, XCB_EVENT_MASK_PROPERTY_CHANGE);
    }
    if (own)
        return false;
    bool full = false;
    xcb_ewmh_get_atoms_reply_t state;
    if (xcb_ewmh_get_wm_state_reply(&ewmh_, stateAsked, &state, nullptr)) {
        for (uint32_t i = 0; i < state.atoms_len; ++i)
            full = full || state.atoms[i] == ewmh_._NET_WM_STATE_FULLSCREEN;
        xcb_ewmh_get_atoms_reply_wipe(&state);
    }
    return full;
}

void X11DesktopBar::checkWorkArea(bool windowsChanged)
{
    const QRect area = readWorkArea();
    if (area == lastWorkArea_ && !windowsChanged)
        return;
    lastWorkArea_ = area;
    for (const Notices& n : std::as_const(watchers_)) {
        if (n.workAreaChanged)
            n.workAreaChanged();
    }
}

void X11DesktopBar::checkFullScreen()
{
    const bool full = activeWindowFullScreen();
    xcb_flush(c_);
    if (full == fullScreen_)
        return;
    fullScreen_ = full;
    for (const Notices& n : std::as_const(watchers_)) {
        if (n.fullScreenChanged)
            n.fullScreenChanged(full);
    }
}

bool X11DesktopBar::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (watchers_.isEmpty() || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    // The bar answers later, from the event loop: it may show a message box, which must
    // not run inside the event dispatch.
    if (p->window == root_ && p->atom == ewmh_._NET_WORKAREA)
        QMetaObject::invokeMethod(&context_, [this] { checkWorkArea(false); }, Qt::QueuedConnection);
    // A bar that goes away may leave the work area as it was (a bar docked beyond it
    // reserves its strip too), yet free a place nearer the edge.
    else if (p->window == root_ && p->atom == ewmh_._NET_CLIENT_LIST) {
        QMetaObject::invokeMethod(&context_, [this] { checkWorkArea(true); }, Qt::QueuedConnection);
        // A bar that is going may still hold its strip when the list changes; once it has
        // let go, there may be no other change to tell of it.
        QTimer::singleShot(WindowGoneSettleMs, &context_, [this] { checkWorkArea(true); });
    }
    else if ((p->window == root_ && p->atom == ewmh_._NET_ACTIVE_WINDOW) ||
             (p->window == active_ && p->atom == ewmh_._NET_WM_STATE))
        QMetaObject::invokeMethod(&context_, [this] { checkFullScreen(); }, Qt::QueuedConnection);
    return false;
}

} // namespace parvo
