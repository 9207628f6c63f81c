#pragma once
// The window base of a bar that docks to a screen edge or floats: it reserves the docked
// strip with the desktop, slides an auto-hide bar in and out, keeps the bar above other
// windows when asked (below a full-screen window), and lets the user drag the bar from
// edge to edge by its free background. The geometry comes from AppBarGeometry; the
// edge, the floating rectangle and the auto-hide and always-on-top switches are the
// bar's live settings, read and written in place.
//
// With several monitors the bar docks at the edges of one of them: the one under the
// pointer when a drag ends. Only an edge of the whole desktop is reserved; at an edge
// between two monitors the bar stays above the windows instead.

#include "bar/AppBarGeometry.h"
#include "bar/Monitors.h"
#include "platform/DesktopBar.h"

#include <QElapsedTimer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace parvo {

struct BarSettings;
class Prompts;

class TAppBar : public QWidget, public AppBarSizes {
    Q_OBJECT
public:
    // `settings` may be a member of the derived window: it is not read before
    // AppBarCreated() and not touched by the destructor.
    TAppBar(BarSettings& settings, DesktopBar& desktop, Prompts& prompts);
    ~TAppBar() override;

    // The edge the bar is at; during a drag, the edge the pointer proposes.
    TAppBarEdge Edge() const;
    // Puts the bar at an edge, floating, or (`abeUnknown`) nowhere, taking its strip,
    // auto-hide registration, stacking and window kind along.
    void SetEdge(TAppBarEdge edge);
    // Applies the current edge again, after `AutoHide` or `AlwaysOnTop` changed or the
    // desktop changed around the bar.
    void ReapplyEdge();

    TAppBarFlags Flags = AllAppBarFlags;
    bool SlideEffect = true;
    int SlideTime = 400; // ms

    TAppBarEdge ProposedEdge = abeUnknown; // `abeUnknown` unless a move is in progress
    bool AutoHideShown = false;
    bool FullScreenAppPresent = false;

    // The text shown when another auto-hide bar already holds the edge.
    static QString AutoHideRefusalText();

    // While a drag is over the bar it stays shown: an auto-hidden bar comes out when the
    // drag enters and may hide again once it has left or dropped.
    void HoldShownForDrag(bool hold);
    // Whether the bar looks at the pointer from time to time, as an auto-hide bar does
    // while it is out. Any other bar never wakes for it.
    bool WatchesPointer() const { return autoHideTimer_.isActive(); }

protected:
    // The settings are loaded: applies the edge now and once more when the event loop
    // runs, when everything the bar reads at start-up is in place.
    void AppBarCreated();

    // Lays the window out for Edge(): after every change of size and, during a drag, at
    // every new proposal.
    virtual void FormResize() {}
    // The user has put the bar somewhere new: a drag ended, or the window manager moved
    // or resized the floating window.
    virtual void PlacementChanged() {}

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    enum class WindowKind { Floating, Dock, Unmanaged };
    WindowKind KindFor(bool docked) const;
    static Qt::WindowFlags FlagsFor(WindowKind kind);

    void WatchDesktop();
    void FollowScreens();
    QList<Monitor> Monitors() const;
    // The monitor the docked bar is on, and whether its edge is one of the whole desktop.
    QRect DockMonitor() const;
    bool AtOuterEdge(TAppBarEdge edge) const;
    QRect WorkAreaOf(const QRect& monitor) const;

    void MoveLoopBegin();
    void DragTo(QPoint pointer, bool ctrlHeld);
    void MoveLoopEnd();

    QRect FloatRect() const;
    void SetFloatRect(const QRect& r);
    void TrackFloatRect();
    // Where the bar stands at its set edge: the floating rectangle or the docked strip.
    QRect ModelRect() const;
    void ShowRect(TAppBarEdge edge, const QRect& r);
    void Place(const QRect& client);
    QRect DockedRect(TAppBarEdge edge, const QRect& monitor) const;
    QRect AutoHideRect(TAppBarEdge edge, bool shown) const;

    void SetWindowKind(bool docked);
    void ReleaseAutoHide();
    void ApplyStacking();
    void ApplySizeHints();
    void RelaxSizeHints();

    void SlideTo(const QRect& target);
    void SlideTick();
    void StopSlide();
    void SlideAutoHide(bool shown);
    bool IsAutoHidden() const;
    // The pointer is looked at only while an auto-hide bar is out; a bar at rest sleeps.
    void FollowPointerWhileShown();
    void AutoHideTick();

    BarSettings& settings_;
    DesktopBar& desktop_;
    Prompts& prompts_;
    WindowId window_ = 0;
    bool created_ = false;
    std::optional<WindowKind> kind_;
    QPoint anchor_;          // a point of the monitor the bar docks on
    bool betweenMonitors_ = false; // docked at an edge another monitor touches
    bool pressed_ = false;   // the left button went down on the background
    QPoint pressPoint_;
    bool mouseDrag_ = false; // ...and the pointer has since moved far enough to drag
    QPoint dragAnchor_;      // a point of the monitor the drag proposes
    QRect ownStrip_;         // the strip the bar held when the drag began
    QPoint dragOffset_; // pointer less the window's position
    QRect dragRect_;    // where the drag has put the bar (floating: the floating rectangle)
    QRect requested_;   // the window's place last asked for; the window follows a moment later
    int placing_ = 0;   // moves of the bar's own in progress
    bool dragHold_ = false;
    QTimer autoHideTimer_;
    QTimer slideTimer_;
    QElapsedTimer slideClock_;
    QRect slideFrom_;
    QRect slideTo_;
};

} // namespace parvo
