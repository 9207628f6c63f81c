#include "bar/TAppBar.h"

#include "bar/FloatingPlacement.h"
#include "platform/Prompts.h"
#include "settings/BarSettings.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QStyle>

namespace parvo {

namespace {

// A hidden auto-hide bar leaves two of these on the screen. A docked bar has no frame,
// so one pixel stands for the border.
constexpr QSize AutoHideBorder(1, 1);
// How near the pointer must stay for a shown auto-hide bar to stay out: twice this.
constexpr QSize DoubleClickArea(4, 4);
constexpr int SlideFrameMs = 10;

// Floating, a title without minimise and maximise buttons: the bar is not an application
// window one minimises or maximises. Docked, no frame at all.
constexpr Qt::WindowFlags FloatingFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
constexpr Qt::WindowFlags DockedFlags = Qt::Window | Qt::FramelessWindowHint;

// Where the bar docks when the desktop names no monitor at all.
const QRect NoMonitor(0, 0, 1024, 768);

QSize FirstMonitorSize(const DesktopBar& desktop)
{
    const QList<Monitor> monitors = desktop.monitors();
    return monitors.isEmpty() ? NoMonitor.size() : monitors.first().logical.size();
}

} // namespace

TAppBar::TAppBar(BarSettings& settings, DesktopBar& desktop, Prompts& prompts)
    : QWidget(nullptr, FloatingFlags)
    , AppBarSizes(AppBarSizes::ForScreen(FirstMonitorSize(desktop)))
    , settings_(settings)
    , desktop_(desktop)
    , prompts_(prompts)
{
    connect(&autoHideTimer_, &QTimer::timeout, this, &TAppBar::AutoHideTick);
    slideTimer_.setInterval(SlideFrameMs);
    connect(&slideTimer_, &QTimer::timeout, this, &TAppBar::SlideTick);
}

TAppBar::~TAppBar()
{
    autoHideTimer_.stop();
    slideTimer_.stop();
    if (!created_)
        return;
    // The edge becomes `abeUnknown`: the bar leaves the desktop's registers. The settings
    // are gone by now and keep the edge the bar was at.
    desktop_.watch(window_, {});
    ReleaseAutoHide();
    desktop_.reserve(window_, abeUnknown, {});
    desktop_.setStacking(window_, DesktopBar::Stacking::Normal);
}

QString TAppBar::AutoHideRefusalText()
{
    return QStringLiteral("There is already an auto hidden window on this edge.\n\r"
                          "Only one auto hidden window is allowed on each edge.");
}

TAppBarEdge TAppBar::Edge() const { return ProposedEdge != abeUnknown ? ProposedEdge : settings_.Edge; }

void TAppBar::AppBarCreated()
{
    // The window is made as the kind the stored edge asks for. Made as another and changed,
    // what the toolkit asked of it meanwhile goes through a window manager that keeps no
    // docks, which may carry it out after the bar has placed itself: the bar stood at its
    // edge in the toolkit's first size.
    setWindowFlags(FlagsFor(KindFor(IsScreenEdge(settings_.Edge))));
    window_ = winId();
    created_ = true;
    anchor_ = Monitors().first().logical.center();
    WatchDesktop();
    ReapplyEdge();
    // The settings read at start-up after the edge (auto-hide, always on top) are in
    // place once the event loop runs: a move that ends where it began applies them.
    QTimer::singleShot(0, this, [this] {
        if (ProposedEdge != abeUnknown)
            return;
        MoveLoopBegin();
        MoveLoopEnd();
    });
}

void TAppBar::WatchDesktop()
{
    DesktopBar::Notices notices;
    notices.workAreaChanged = [this] {
        if (ProposedEdge == abeUnknown && IsScreenEdge(settings_.Edge) && !settings_.AutoHide)
            ReapplyEdge();
    };
    notices.fullScreenChanged = [this](bool present) {
        FullScreenAppPresent = present;
        if (ProposedEdge == abeUnknown)
            ReapplyEdge();
    };
    notices.screensChanged = [this] { FollowScreens(); };
    desktop_.watch(window_, std::move(notices));
}

bool TAppBar::event(QEvent* event)
{
    // The toolkit may give the bar a new native window: the desktop's registers follow.
    if (event->type() == QEvent::WinIdChange && created_ && winId() != window_) {
        desktop_.watch(window_, {});
        ReleaseAutoHide();
        desktop_.reserve(window_, abeUnknown, {});
        window_ = winId();
        kind_.reset();
        WatchDesktop();
        QTimer::singleShot(0, this, [this] {
            if (ProposedEdge == abeUnknown)
                ReapplyEdge();
        });
    }
    return QWidget::event(event);
}

QList<Monitor> TAppBar::Monitors() const
{
    QList<Monitor> monitors = desktop_.monitors();
    if (monitors.isEmpty())
        monitors.append(Monitor::Scaled(NoMonitor, 1));
    return monitors;
}

QRect TAppBar::DockMonitor() const
{
    const QList<Monitor> monitors = Monitors();
    return monitors[MonitorAt(monitors, anchor_)].logical;
}

bool TAppBar::AtOuterEdge(TAppBarEdge edge) const
{
    const QList<Monitor> monitors = Monitors();
    return IsOuterEdge(monitors, MonitorAt(monitors, anchor_), edge);
}

QRect TAppBar::WorkAreaOf(const QRect& monitor) const
{
    QList<DockedStrip> strips = desktop_.otherBars(window_);
    if (!ownStrip_.isEmpty())
        strips.append({settings_.Edge, ownStrip_});
    return MonitorWorkArea(monitor, strips);
}

void TAppBar::FollowScreens()
{
    const QList<Monitor> monitors = Monitors();
    const QRect monitor = monitors[MonitorAt(monitors, anchor_)].logical;
    const AppBarSizes limits = AppBarSizes::ForScreen(monitor.size());
    MaxWidth = limits.MaxWidth;
    MaxHeight = limits.MaxHeight;
    MaxHorzDockSize = limits.MaxHorzDockSize;
    MaxVertDockSize = limits.MaxVertDockSize;
    // The drag ends on the new monitors. A docked bar whose monitor went away stands on
    // the nearest one, and goes back to its own when it comes back.
    if (!created_ || ProposedEdge != abeUnknown)
        return;
    if (settings_.Edge == abeFloat) {
        QList<QRect> screens;
        for (const Monitor& m : monitors)
            screens.append(m.logical);
        SetFloatRect(VisibleFloatingRect(FloatRect(), screens));
    }
    ReapplyEdge();
}

void TAppBar::ReapplyEdge() { SetEdge(settings_.Edge); }

void TAppBar::SetEdge(TAppBarEdge edge)
{
    if (!created_) {
        settings_.Edge = edge;
        return;
    }
    StopSlide();
    ReleaseAutoHide();
    settings_.Edge = edge;
    if (edge == abeUnknown) {
        desktop_.reserve(window_, abeUnknown, {});
        return;
    }

    const bool docked = IsScreenEdge(edge);
    bool refused = false;
    SetWindowKind(docked);
    RelaxSizeHints();
    ++placing_;
    if (!docked) {
        desktop_.reserve(window_, edge, {});
        ShowRect(abeFloat, FloatRect());
    } else {
        if (settings_.AutoHide && !desktop_.setAutoHideBar(window_, edge, true)) {
            settings_.AutoHide = false;
            refused = true;
        }
        // A strip reserved at an edge between two monitors would be counted from the edge
        // of the whole desktop and take the neighbour too.
        betweenMonitors_ = !AtOuterEdge(edge);
        const QRect rect = DockedRect(edge, DockMonitor());
        desktop_.reserve(window_, edge, settings_.AutoHide || betweenMonitors_ ? QRect() : rect);
        SlideTo(settings_.AutoHide ? AutoHideRect(edge, AutoHideShown) : rect);
    }
    --placing_;
    ApplyStacking();
    ApplySizeHints();
    FollowPointerWhileShown();
    // Told once the bar stands docked, so the box does not cover a half-placed bar.
    if (refused)
        prompts_.message(AutoHideRefusalText());
}

QRect TAppBar::DockedRect(TAppBarEdge edge, const QRect& monitor) const
{
    // An auto-hide bar reserves nothing and lies over the others.
    const QRect area = settings_.AutoHide ? monitor
                                          : DockArea(edge, DockThickness(edge, *this), monitor,
                                                     StripsOn(monitor, desktop_.otherBars(window_)));
    return DockRect(edge, area, *this);
}

QRect TAppBar::AutoHideRect(TAppBarEdge edge, bool shown) const
{
    const QRect monitor = DockMonitor();
    const QRect place = AutoHidePlace(edge, DockedRect(edge, monitor), monitor, AutoHideBorder, shown);
    // Between two monitors the hidden bar keeps to its own: only its edge strip is left.
    return shown || AtOuterEdge(edge) ? place : place.intersected(monitor);
}

void TAppBar::SetWindowKind(bool docked)
{
    const WindowKind kind = KindFor(docked);
    if (kind_ == kind)
        return;
    // A window manager reads the kind of a window when it takes the window on, so the
    // window is withdrawn while the kind changes.
    const bool shown = isVisible();
    ++placing_;
    if (shown)
        hide();
    // A docked bar has no frame, whatever the window manager makes of a dock window; one
    // that keeps no docks in place never sees the bar, which then stands exactly where
    // it puts itself.
    // A moved window keeps its place through new flags as a place of its frame; the
    // bar's places are always the window's own, given again right after.
    setAttribute(Qt::WA_Moved, false);
    setWindowFlags(FlagsFor(kind));
    // The toolkit writes the window's kind anew whenever it creates the window, which
    // new flags ask for: it is made to do that now, before the desktop is told.
    winId();
    desktop_.setDockWindow(window_, docked);
    kind_ = kind;
    if (shown)
        show();
    --placing_;
}

TAppBar::WindowKind TAppBar::KindFor(bool docked) const
{
    return !docked ? WindowKind::Floating : desktop_.managesDocks() ? WindowKind::Dock : WindowKind::Unmanaged;
}

Qt::WindowFlags TAppBar::FlagsFor(WindowKind kind)
{
    switch (kind) {
    case WindowKind::Floating: return FloatingFlags;
    case WindowKind::Dock: return DockedFlags;
    case WindowKind::Unmanaged: return DockedFlags | Qt::X11BypassWindowManagerHint;
    }
    return FloatingFlags;
}

void TAppBar::ReleaseAutoHide() { desktop_.releaseAutoHide(window_); }

void TAppBar::ApplyStacking()
{
    using S = DesktopBar::Stacking;
    // Above everything, except a full-screen window, which the bar must not cover. A bar
    // between two monitors reserves no strip: it stays above the windows instead.
    const bool above = settings_.AlwaysOnTop || (IsScreenEdge(settings_.Edge) && betweenMonitors_);
    const S s = !above ? S::Normal : FullScreenAppPresent ? S::Below : S::Above;
    if (kind_ == WindowKind::Unmanaged && s == S::Above)
        raise();
    desktop_.setStacking(window_, s);
}

void TAppBar::RelaxSizeHints()
{
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // A base size stands for the minimum where none is given.
    setBaseSize(0, 0);
    setSizeIncrement(0, 0);
}

void TAppBar::ApplySizeHints()
{
    const TAppBarEdge edge = settings_.Edge;
    if (!created_ || placing_ > 0 || ProposedEdge != abeUnknown || slideTimer_.isActive() || edge == abeUnknown)
        return;
    // From the place the bar was given, not from the window's size, which follows the
    // window system's answer a moment later. The hints speak of the window inside its
    // frame; a floating rectangle counts the frame.
    const int frame = edge == abeFloat ? FloatFrameHeight : 0;
    const QSize placed = edge == abeFloat ? FloatRect().size() : requested_.size();
    WindowSizeHints hints = SizeHintsFor(edge, *this, DockMonitor().size(), placed);
    for (QSize* s : {&hints.minimum, &hints.maximum, &hints.base})
        s->setHeight(std::max(0, s->height() - frame));
    setMinimumSize(hints.minimum);
    setMaximumSize(hints.maximum);
    // A held axis has no steps; the window system wants one anyway.
    setSizeIncrement(std::max(1, hints.increment.width()), std::max(1, hints.increment.height()));
    setBaseSize(hints.base);
}

QRect TAppBar::FloatRect() const
{
    return {settings_.FloatLeft, settings_.FloatTop, settings_.FloatRight - settings_.FloatLeft,
            settings_.FloatBottom - settings_.FloatTop};
}

void TAppBar::SetFloatRect(const QRect& r)
{
    settings_.FloatLeft = r.left();
    settings_.FloatTop = r.top();
    settings_.FloatRight = r.left() + r.width();
    settings_.FloatBottom = r.top() + r.height();
}

void TAppBar::TrackFloatRect()
{
    // The user moved or resized the floating window through the window manager.
    if (!created_ || placing_ > 0 || ProposedEdge != abeUnknown || slideTimer_.isActive() ||
        settings_.Edge != abeFloat || !isVisible())
        return;
    requested_ = geometry();
    const QRect before = FloatRect();
    SetFloatRect(FloatRectFor(requested_.topLeft(), requested_.size()));
    if (FloatRect() != before)
        PlacementChanged();
}

QRect TAppBar::ModelRect() const
{
    const TAppBarEdge edge = settings_.Edge;
    return IsScreenEdge(edge) ? DockedRect(edge, DockMonitor()) : FloatRect();
}

void TAppBar::ShowRect(TAppBarEdge edge, const QRect& r)
{
    // Positions are those of the window inside its frame, as the window system keeps
    // them wherever the frame ends up.
    Place(edge == abeFloat ? QRect(r.topLeft(), FloatClientSize(r)) : r);
}

void TAppBar::Place(const QRect& client)
{
    requested_ = client;
    ++placing_;
    setGeometry(client);
    --placing_;
}

// Moving by the free background.

void TAppBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !created_ || childAt(event->position().toPoint()) != nullptr ||
        ProposedEdge != abeUnknown) {
        QWidget::mousePressEvent(event);
        return;
    }
    // A click is no drag: the move starts once the pointer has gone far enough.
    pressed_ = true;
    pressPoint_ = event->globalPosition().toPoint();
    event->accept();
}

void TAppBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pointer = event->globalPosition().toPoint();
    if (pressed_ && !mouseDrag_ && (pointer - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
        StopSlide();
        MoveLoopBegin();
        mouseDrag_ = true;
        dragOffset_ = pressPoint_ - requested_.topLeft();
        RelaxSizeHints();
    }
    if (!mouseDrag_) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    DragTo(pointer, event->modifiers().testFlag(Qt::ControlModifier));
    event->accept();
}

void TAppBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    pressed_ = false;
    event->accept();
    if (!mouseDrag_)
        return;
    DragTo(event->globalPosition().toPoint(), event->modifiers().testFlag(Qt::ControlModifier));
    mouseDrag_ = false;
    MoveLoopEnd();
    PlacementChanged();
}

void TAppBar::MoveLoopBegin()
{
    dragRect_ = ModelRect();
    dragAnchor_ = anchor_;
    ownStrip_ = IsScreenEdge(settings_.Edge) && !settings_.AutoHide && !betweenMonitors_ ? dragRect_ : QRect();
    ProposedEdge = settings_.Edge;
}

void TAppBar::DragTo(QPoint pointer, bool ctrlHeld)
{
    // The edges on offer are those of the monitor under the pointer.
    const QList<Monitor> monitors = Monitors();
    const QRect monitor = monitors[MonitorAt(monitors, pointer)].logical;
    dragAnchor_ = monitor.center();
    EdgeProposal p;
    p.pointer = pointer;
    p.ctrlHeld = ctrlHeld;
    p.flags = Flags;
    p.current = ProposedEdge;
    p.screen = monitor;
    p.workArea = WorkAreaOf(monitor);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    p.scrollBar = {bar, bar};
    const TAppBarEdge proposed = ProposeEdge(p);

    QRect rect;
    if (IsScreenEdge(proposed)) {
        rect = DockedRect(proposed, monitor);
    } else if (IsScreenEdge(ProposedEdge)) {
        // Off an edge: the floating bar hangs from the pointer.
        rect = FloatRectAtPointer(FloatRect().size(), pointer);
        dragOffset_ = pointer - rect.topLeft();
    } else {
        rect = QRect(pointer - dragOffset_, FloatRect().size());
    }
    const bool edgeChanged = proposed != ProposedEdge;
    ProposedEdge = proposed;
    dragRect_ = rect;
    const QSize before = size();
    ShowRect(proposed, rect);
    // A new size lays the bar out already; a new edge of the same size must too.
    if (edgeChanged && size() == before)
        FormResize();
}

void TAppBar::MoveLoopEnd()
{
    if (ProposedEdge == abeUnknown)
        return;
    const QList<Monitor> monitors = Monitors();
    const QRect monitor = monitors[MonitorAt(monitors, dragAnchor_)].logical;
    const MoveEnd end = EndOfMove(settings_.Edge, ProposedEdge, dragRect_, FloatRect(), WorkAreaOf(monitor), *this);
    ProposedEdge = abeUnknown;
    ownStrip_ = QRect();
    anchor_ = dragAnchor_;
    HorzDockSize = end.HorzDockSize;
    VertDockSize = end.VertDockSize;
    SetFloatRect(end.floatRect);
    SetEdge(end.edge);
}

// Following the window's own changes.

void TAppBar::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    TrackFloatRect();
}

void TAppBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    TrackFloatRect();
    FormResize();
    // The layout may have changed the size increments (a floating bar is widened in
    // 1-pixel steps).
    ApplySizeHints();
}

// Auto-hide.

bool TAppBar::IsAutoHidden() const
{
    return created_ && settings_.AutoHide && IsScreenEdge(settings_.Edge) && ProposedEdge == abeUnknown;
}

void TAppBar::SlideAutoHide(bool shown)
{
    if (!IsAutoHidden())
        return;
    AutoHideShown = shown;
    FollowPointerWhileShown();
    SlideTo(AutoHideRect(settings_.Edge, shown));
}

void TAppBar::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (IsAutoHidden() && !AutoHideShown)
        SlideAutoHide(true);
}

void TAppBar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && IsAutoHidden() && AutoHideShown && !dragHold_ &&
        !QApplication::activePopupWidget())
        SlideAutoHide(false);
}

void TAppBar::HoldShownForDrag(bool hold)
{
    dragHold_ = hold;
    if (hold && IsAutoHidden() && !AutoHideShown)
        SlideAutoHide(true);
}

void TAppBar::FollowPointerWhileShown()
{
    if (IsAutoHidden() && AutoHideShown) {
        if (!autoHideTimer_.isActive())
            autoHideTimer_.start(SlideTime);
    } else if (ProposedEdge == abeUnknown) {
        // A drag keeps it going: the bar may come back to its auto-hide edge.
        autoHideTimer_.stop();
    }
}

void TAppBar::AutoHideTick()
{
    FollowPointerWhileShown();
    // A menu dropped from the bar keeps it out while the menu is open.
    if (!IsAutoHidden() || !AutoHideShown || dragHold_ || isActiveWindow() || QApplication::activePopupWidget())
        return;
    if (PointerAwayFromBar(frameGeometry(), QCursor::pos(), DoubleClickArea))
        SlideAutoHide(false);
}

// Sliding.

void TAppBar::SlideTo(const QRect& target)
{
    StopSlide();
    if (!SlideEffect || SlideTime <= 0 || !isVisible() || target == requested_) {
        Place(target);
        return;
    }
    RelaxSizeHints();
    slideFrom_ = requested_;
    slideTo_ = target;
    slideClock_.start();
    slideTimer_.start();
}

void TAppBar::SlideTick()
{
    const int elapsed = static_cast<int>(slideClock_.elapsed());
    Place(SlideStep(slideFrom_, slideTo_, elapsed, SlideTime));
    repaint();
    if (elapsed >= SlideTime) {
        slideTimer_.stop();
        ApplySizeHints();
    }
}

void TAppBar::StopSlide()
{
    if (!slideTimer_.isActive())
        return;
    slideTimer_.stop();
    Place(slideTo_);
}

} // namespace parvo
