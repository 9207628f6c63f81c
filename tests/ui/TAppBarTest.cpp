#include "FakeDesktopBar.h"
#include "FakePrompts.h"
#include "UiApp.h"
#include "bar/TAppBar.h"
#include "settings/BarSettings.h"

#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace parvo;

namespace {

// A bar with the docking sizes of the real one and a record of its layouts.
class Bar : public TAppBar {
public:
    Bar(BarSettings& s, FakeDesktopBar& d, FakePrompts& p)
        : TAppBar(s, d, p)
    {
        setAttribute(Qt::WA_DontShowOnScreen);
        HorzSizeInc = 0;
        VertSizeInc = 0;
        HorzDockSize = 28;
        VertDockSize = 36;
        SlideEffect = false;
        button = new QWidget(this); // a control on the bar, not its background
        button->setGeometry(10, 0, 50, 22);
    }
    void Create() { AppBarCreated(); }
    QList<TAppBarEdge> layouts;
    QList<QPoint> moves;
    QWidget* button;
    int placementChanges = 0;

protected:
    void PlacementChanged() override { ++placementChanges; }
    // Like the bar's layout: a floating bar is widened in 1-pixel steps.
    void FormResize() override
    {
        layouts.append(Edge());
        HorzSizeInc = Edge() == abeFloat ? 1 : 0;
    }
    void moveEvent(QMoveEvent* e) override
    {
        TAppBar::moveEvent(e);
        moves.append(geometry().topLeft());
    }
};

struct AppBar : ::testing::Test {
    QApplication& app = test::App();
    BarSettings settings;
    FakeDesktopBar desktop;
    FakePrompts prompts;
    std::unique_ptr<Bar> bar;

    void SetUp() override
    {
        settings.FloatLeft = 100;
        settings.FloatTop = 100;
        settings.FloatRight = 600;
        settings.FloatBottom = 146;
    }
    // As the bar starts: the settings loaded, the bar created, shown, the event loop run.
    void Start(TAppBarEdge edge)
    {
        settings.Edge = edge;
        bar = std::make_unique<Bar>(settings, desktop, prompts);
        bar->Create();
        bar->show();
        Settle();
    }
    static void Settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    WindowId id() const { return bar->winId(); }

    void Mouse(QEvent::Type type, QPoint global, Qt::KeyboardModifiers mods = {})
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, QPointF(bar->mapFromGlobal(global)), QPointF(global), button, held, mods);
        QApplication::sendEvent(bar.get(), &e);
    }
    void PressAt(QPoint local) { Mouse(QEvent::MouseButtonPress, bar->mapToGlobal(local)); }
};

} // namespace

TEST_F(AppBar, DocksAtEachEdgeAndReservesItsStrip)
{
    Start(abeTop);
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 1280, 28));
    EXPECT_EQ(desktop.reserved.value(id()), (DockedStrip{abeTop, QRect(0, 0, 1280, 28)}));
    EXPECT_TRUE(desktop.dockWindow.value(id())) << "a docked bar is a dock window";
    EXPECT_EQ(bar->minimumSize(), QSize(1280, 28)) << "a docked bar cannot be resized";
    EXPECT_EQ(bar->maximumSize(), QSize(1280, 28));
    EXPECT_EQ(bar->layouts.last(), abeTop);

    bar->SetEdge(abeLeft);
    Settle();
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 36, 800));
    EXPECT_EQ(desktop.reserved.value(id()), (DockedStrip{abeLeft, QRect(0, 0, 36, 800)}));
    EXPECT_EQ(settings.Edge, abeLeft);

    bar->SetEdge(abeRight);
    Settle();
    EXPECT_EQ(bar->geometry(), QRect(1244, 0, 36, 800));
    bar->SetEdge(abeBottom);
    Settle();
    EXPECT_EQ(bar->geometry(), QRect(0, 772, 1280, 28));

    // Floating: the floating rectangle, less the frame's height; nothing reserved.
    bar->SetEdge(abeFloat);
    Settle();
    EXPECT_EQ(bar->geometry(), QRect(100, 100, 500, 22));
    EXPECT_FALSE(desktop.reserved.contains(id()));
    EXPECT_FALSE(desktop.dockWindow.value(id()));
    EXPECT_EQ(bar->minimumSize(), QSize(0, 22)) << "floating, the width may change, the height not";
    EXPECT_EQ(bar->maximumSize(), QSize(1280, 22));
    EXPECT_TRUE(bar->isVisible()) << "the bar comes back after its kind changed";
    EXPECT_FALSE(bar->WatchesPointer()) << "a bar that does not hide never wakes for the pointer";
}

TEST_F(AppBar, OtherBarsShortenTheDockedStrip)
{
    desktop.others = {{abeLeft, QRect(0, 0, 40, 800)}, {abeTop, QRect(40, 0, 1240, 24)}};
    Start(abeTop);
    EXPECT_EQ(bar->geometry(), QRect(40, 24, 1240, 28));

    // The desktop changes around the bar: it takes its place again.
    desktop.others.clear();
    desktop.notices.workAreaChanged();
    Settle();
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 1280, 28));
    EXPECT_EQ(desktop.reserved.value(id()).strip, QRect(0, 0, 1280, 28));
}

TEST_F(AppBar, TheEdgeIsAppliedAgainOnceTheEventLoopRuns)
{
    settings.Edge = abeBottom;
    bar = std::make_unique<Bar>(settings, desktop, prompts);
    bar->Create();
    EXPECT_FALSE(desktop.autoHide.contains(abeBottom));
    // Options read after the edge at start-up.
    settings.AutoHide = true;
    settings.AlwaysOnTop = true;
    bar->show();
    Settle();
    EXPECT_EQ(desktop.autoHide.value(abeBottom), id());
    EXPECT_EQ(desktop.stacking.value(id()), DesktopBar::Stacking::Above);
    EXPECT_FALSE(desktop.reserved.contains(id())) << "an auto-hide bar reserves nothing";
    EXPECT_EQ(bar->geometry(), QRect(0, 798, 1280, 28)) << "hidden but for two pixels";
}

TEST_F(AppBar, AutoHideSlidesOutAtThePointerAndBackWhenItLeaves)
{
    settings.AutoHide = true;
    Start(abeBottom);
    ASSERT_EQ(bar->geometry(), QRect(0, 798, 1280, 28));
    EXPECT_FALSE(bar->AutoHideShown);
    EXPECT_FALSE(bar->WatchesPointer()) << "hidden, the bar waits for the pointer to come";

    bar->SlideEffect = true;
    bar->moves.clear();
    QCursor::setPos(5, 799); // the pointer stays on the bar
    ASSERT_EQ(QCursor::pos(), QPoint(5, 799));
    QEnterEvent enter(QPointF(5, 1), QPointF(5, 1), QPointF(5, 799));
    QApplication::sendEvent(bar.get(), &enter);
    EXPECT_TRUE(bar->AutoHideShown);
    EXPECT_TRUE(bar->WatchesPointer()) << "out, the bar looks for the pointer leaving";
    QTest::qWait(200);
    EXPECT_GT(bar->geometry().y(), 772) << "half-way: still sliding";
    EXPECT_LT(bar->geometry().y(), 798);
    QTest::qWait(300);
    EXPECT_EQ(bar->geometry(), QRect(0, 772, 1280, 28)) << "out within the slide time";
    EXPECT_GT(bar->moves.size(), 3) << "in steps, not at once";

    // The pointer far away, the bar not active: the next tick slides it back.
    QCursor::setPos(640, 300);
    bar->SlideEffect = false;
    QTest::qWait(bar->SlideTime + 150);
    EXPECT_FALSE(bar->AutoHideShown);
    EXPECT_EQ(bar->geometry(), QRect(0, 798, 1280, 28));
    EXPECT_FALSE(bar->WatchesPointer()) << "back in, the bar sleeps again";

    // Auto-hide turned off while the bar is out: it stays docked and stops looking.
    QApplication::sendEvent(bar.get(), &enter);
    ASSERT_TRUE(bar->WatchesPointer());
    settings.AutoHide = false;
    bar->ReapplyEdge();
    Settle();
    EXPECT_EQ(bar->geometry(), QRect(0, 772, 1280, 28));
    EXPECT_FALSE(bar->WatchesPointer());
}

TEST_F(AppBar, ASecondAutoHideBarOnTheEdgeIsRefused)
{
    desktop.autoHide[abeTop] = 4242; // another bar's living window
    settings.AutoHide = true;
    Start(abeTop);
    EXPECT_FALSE(settings.AutoHide) << "auto-hide falls back to off";
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_EQ(prompts.shown[0], QStringLiteral("There is already an auto hidden window on this edge.\n\r"
                                               "Only one auto hidden window is allowed on each edge."));
    EXPECT_EQ(desktop.autoHide.value(abeTop), 4242u) << "the other bar keeps the edge";
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 1280, 28)) << "docked normally";
    EXPECT_EQ(desktop.reserved.value(id()).strip, QRect(0, 0, 1280, 28));

    // Another edge is free.
    settings.AutoHide = true;
    bar->SetEdge(abeBottom);
    EXPECT_TRUE(settings.AutoHide);
    EXPECT_EQ(desktop.autoHide.value(abeBottom), id());
    EXPECT_EQ(prompts.shown.size(), 1);

    // Moving on releases the edge it held.
    bar->SetEdge(abeLeft);
    EXPECT_FALSE(desktop.autoHide.contains(abeBottom));
    EXPECT_EQ(desktop.autoHide.value(abeLeft), id());
}

TEST_F(AppBar, AnEdgeHeldByAWindowThatIsGoneIsFree)
{
    desktop.autoHide[abeTop] = 4242;
    desktop.deadWindows.insert(4242);
    settings.AutoHide = true;
    Start(abeTop);
    EXPECT_TRUE(settings.AutoHide);
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_EQ(desktop.autoHide.value(abeTop), id());
}

TEST_F(AppBar, AlwaysOnTopGivesWayToAFullScreenWindow)
{
    settings.AlwaysOnTop = true;
    Start(abeTop);
    using S = DesktopBar::Stacking;
    EXPECT_EQ(desktop.stacking.value(id()), S::Above);
    desktop.notices.fullScreenChanged(true);
    EXPECT_TRUE(bar->FullScreenAppPresent);
    EXPECT_EQ(desktop.stacking.value(id()), S::Below);
    desktop.notices.fullScreenChanged(false);
    EXPECT_EQ(desktop.stacking.value(id()), S::Above);

    settings.AlwaysOnTop = false;
    bar->ReapplyEdge();
    EXPECT_EQ(desktop.stacking.value(id()), S::Normal);
    desktop.notices.fullScreenChanged(true);
    EXPECT_EQ(desktop.stacking.value(id()), S::Normal) << "not on top: nothing to give way";
}

TEST_F(AppBar, DraggingTheBackgroundToAnEdgeDocksThere)
{
    Start(abeFloat);
    ASSERT_EQ(bar->geometry(), QRect(100, 100, 500, 22));

    PressAt({4, 10});
    EXPECT_EQ(bar->ProposedEdge, abeUnknown) << "a press alone moves nothing";
    Mouse(QEvent::MouseMove, {105, 110});
    EXPECT_EQ(bar->ProposedEdge, abeUnknown) << "nor does a pointer that has hardly moved";
    Mouse(QEvent::MouseMove, {300, 200});
    EXPECT_EQ(bar->ProposedEdge, abeFloat) << "the move begins at the current edge";
    Settle();
    EXPECT_EQ(bar->geometry(), QRect(296, 190, 500, 22)) << "floating, the bar follows the pointer";
    Mouse(QEvent::MouseMove, {640, 3});
    Settle();
    EXPECT_EQ(bar->Edge(), abeTop) << "the edge reads the proposal during a drag";
    EXPECT_EQ(settings.Edge, abeFloat) << "nothing is set before the drag ends";
    EXPECT_EQ(bar->layouts.last(), abeTop) << "the layout follows the proposal";
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 1280, 28));

    Mouse(QEvent::MouseButtonRelease, {640, 3});
    Settle();
    EXPECT_EQ(bar->ProposedEdge, abeUnknown);
    EXPECT_EQ(settings.Edge, abeTop);
    EXPECT_EQ(bar->placementChanges, 1) << "the window is told at once, to keep the place";
    EXPECT_EQ(desktop.reserved.value(id()).strip, QRect(0, 0, 1280, 28));
    EXPECT_EQ(bar->HorzDockSize, 28);
    EXPECT_EQ(settings.FloatLeft, 100) << "docking keeps the floating rectangle";
    EXPECT_EQ(settings.FloatRight, 600);
}

TEST_F(AppBar, DraggedOffAnEdgeTheBarHangsFromThePointer)
{
    Start(abeTop);
    PressAt({4, 10});
    Mouse(QEvent::MouseMove, {640, 400});
    Settle();
    EXPECT_EQ(bar->Edge(), abeFloat);
    EXPECT_EQ(bar->layouts.last(), abeFloat);
    EXPECT_EQ(bar->geometry(), QRect(390, 400, 500, 22));
    Mouse(QEvent::MouseMove, {700, 420});
    Settle();
    EXPECT_EQ(bar->geometry(), QRect(450, 420, 500, 22)) << "and then follows it";
    Mouse(QEvent::MouseButtonRelease, {700, 420});
    Settle();
    EXPECT_EQ(settings.Edge, abeFloat);
    EXPECT_EQ(QRect(settings.FloatLeft, settings.FloatTop, settings.FloatRight - settings.FloatLeft,
                    settings.FloatBottom - settings.FloatTop),
              QRect(450, 420, 500, 46));
    EXPECT_FALSE(desktop.reserved.contains(id()));
    EXPECT_FALSE(desktop.dockWindow.value(id()));
}

TEST_F(AppBar, CtrlKeepsTheBarFloatingAndControlsAreNoHandle)
{
    Start(abeFloat);
    PressAt({4, 10});
    Mouse(QEvent::MouseMove, {640, 0}, Qt::ControlModifier);
    EXPECT_EQ(bar->Edge(), abeFloat) << "Ctrl floats at the very edge";
    Mouse(QEvent::MouseButtonRelease, {640, 0}, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(settings.Edge, abeFloat);
    EXPECT_EQ(settings.FloatLeft, 640 - 4);
    EXPECT_EQ(settings.FloatTop, 0 - 10);

    // A press on a control of the bar does not move the bar.
    const QRect before = bar->geometry();
    PressAt({20, 10}); // on the control, which does not take the press itself
    Mouse(QEvent::MouseMove, {640, 790});
    Mouse(QEvent::MouseButtonRelease, {640, 790});
    Settle();
    EXPECT_EQ(bar->ProposedEdge, abeUnknown);
    EXPECT_EQ(settings.Edge, abeFloat);
    EXPECT_EQ(bar->geometry(), before);
}

TEST_F(AppBar, TheFloatingRectangleFollowsTheUser)
{
    Start(abeFloat);
    bar->setGeometry(200, 150, 520, 22); // the window manager moved and widened it
    Settle();
    EXPECT_EQ(settings.FloatLeft, 200);
    EXPECT_EQ(settings.FloatTop, 150);
    EXPECT_EQ(settings.FloatRight, 720);
    EXPECT_EQ(settings.FloatBottom, 196);

    // Docked, window moves are not the floating rectangle.
    bar->SetEdge(abeTop);
    Settle();
    bar->setGeometry(0, 0, 1280, 28);
    Settle();
    EXPECT_EQ(settings.FloatLeft, 200);
    EXPECT_EQ(settings.FloatRight, 720);
}

TEST_F(AppBar, DestroyingTheBarLeavesTheDesktopsRegisters)
{
    settings.AutoHide = true;
    settings.AlwaysOnTop = true;
    Start(abeLeft);
    const WindowId window = id();
    ASSERT_EQ(desktop.autoHide.value(abeLeft), window);
    bar.reset();
    EXPECT_FALSE(desktop.autoHide.contains(abeLeft));
    EXPECT_FALSE(desktop.reserved.contains(window));
    EXPECT_EQ(desktop.stacking.value(window), DesktopBar::Stacking::Normal) << "out of the top-most band";
    EXPECT_FALSE(desktop.notices.workAreaChanged) << "no more notices for a bar that is gone";
    EXPECT_EQ(settings.Edge, abeLeft) << "the saved edge stays the bar's last";
}

TEST_F(AppBar, AClickOnTheGripLeavesTheBarWhereItIs)
{
    // Clicks at the left end of a top bar once sent it to the left edge and back.
    Start(abeTop);
    for (const QPoint at : {QPoint(5, 10), QPoint(20, 5)}) {
        PressAt(at);
        Mouse(QEvent::MouseButtonRelease, bar->mapToGlobal(at));
        Settle();
        EXPECT_EQ(settings.Edge, abeTop);
        EXPECT_EQ(bar->geometry(), QRect(0, 0, 1280, 28));
    }
    EXPECT_EQ(bar->placementChanges, 0);
}

namespace {

// Two monitors side by side; the right one at twice the scale.
QList<Monitor> TwoMonitors()
{
    return {Monitor::Scaled(QRect(0, 0, 1280, 800), 1, "A"), Monitor::Scaled(QRect(1280, 0, 1024, 768), 2, "B")};
}

} // namespace

TEST_F(AppBar, WithTwoMonitorsOnlyTheDesktopsOuterEdgesAreReserved)
{
    desktop.monitorList = TwoMonitors();
    Start(abeTop);
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 1280, 28)) << "on the primary monitor";
    EXPECT_EQ(desktop.reserved.value(id()).strip, QRect(0, 0, 1280, 28));

    // The edge between the monitors: no strip, above the windows instead.
    bar->SetEdge(abeRight);
    Settle();
    EXPECT_EQ(bar->geometry(), QRect(1244, 0, 36, 800));
    EXPECT_FALSE(desktop.reserved.contains(id()));
    EXPECT_EQ(desktop.stacking.value(id()), DesktopBar::Stacking::Above);

    // Dragged to the far right of the second monitor, the bar docks there.
    PressAt({10, 790});
    Mouse(QEvent::MouseMove, {1600, 400});
    Mouse(QEvent::MouseMove, {2300, 400});
    Settle();
    EXPECT_EQ(bar->Edge(), abeRight);
    EXPECT_EQ(bar->geometry(), QRect(2268, 0, 36, 768)) << "follows the monitor under the pointer";
    Mouse(QEvent::MouseButtonRelease, {2300, 400});
    Settle();
    EXPECT_EQ(desktop.reserved.value(id()).strip, QRect(2268, 0, 36, 768));
    EXPECT_EQ(desktop.stacking.value(id()), DesktopBar::Stacking::Normal);

    // A bar there hides onto its own monitor's edge; between monitors, it keeps to its
    // monitor.
    settings.AutoHide = true;
    bar->ReapplyEdge();
    EXPECT_EQ(bar->geometry(), QRect(2302, 0, 36, 768));
    bar->SetEdge(abeLeft);
    EXPECT_EQ(bar->geometry(), QRect(1280, 0, 2, 768)) << "nothing of it on the left monitor";
}

TEST_F(AppBar, TheBarFollowsTheMonitorsWhenTheyChange)
{
    settings.AutoHide = true;
    desktop.monitorList = TwoMonitors();
    Start(abeBottom);
    ASSERT_EQ(bar->geometry(), QRect(0, 798, 1280, 28));

    // A lower resolution: the hidden bar comes to the new bottom edge.
    desktop.monitorList[0] = Monitor::Scaled(QRect(0, 0, 1280, 720), 1, "A");
    desktop.notices.screensChanged();
    Settle();
    EXPECT_EQ(bar->geometry(), QRect(0, 718, 1280, 28));

    // Its monitor unplugged, it moves to the one left, and back when it returns.
    const Monitor first = desktop.monitorList.takeFirst();
    desktop.notices.screensChanged();
    Settle();
    EXPECT_EQ(bar->geometry(), QRect(1280, 766, 1024, 28));
    desktop.monitorList.append(first);
    desktop.notices.screensChanged();
    Settle();
    EXPECT_EQ(bar->geometry(), QRect(0, 718, 1280, 28));

    // A floating bar left off every monitor is brought back onto one.
    settings.AutoHide = false;
    bar->SetEdge(abeFloat);
    desktop.monitorList = {Monitor::Scaled(QRect(0, 0, 640, 480), 1)};
    desktop.notices.screensChanged();
    Settle();
    EXPECT_TRUE(QRect(0, 0, 640, 480).intersects(bar->geometry())) << bar->geometry().x() << "," << bar->geometry().y();
}

TEST_F(AppBar, ADockedBarHasNoFrameAndWithoutADockManagerNoManager)
{
    Start(abeTop);
    EXPECT_TRUE(bar->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(bar->windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
    bar->SetEdge(abeFloat);
    EXPECT_FALSE(bar->windowFlags().testFlag(Qt::X11BypassWindowManagerHint));

    desktop.docksManaged = false;
    bar->SetEdge(abeLeft);
    EXPECT_TRUE(bar->windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 36, 800));
}
