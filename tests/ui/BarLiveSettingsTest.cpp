// The assembled bar window, offscreen: the switches the options dialog turns while the
// bar runs take effect at once, and the bar paints its grips where its panels leave room.

#include "BarFixture.h"
#include "bar/DriveButtons.h"
#include "widgets/TCoolTrayIcon.h"
#include "widgets/TPlumBut.h"

using namespace parvo;

namespace {

struct BarLiveSettings : test::BarFixture {
    void Start()
    {
        reg.set(keys::Program, "FirstLoad", RegValue::fromDword(0));
        reg.set(keys::Program, "Floating", RegValue::fromDword(2)); // docked at the top
        StartBar();
        Settle();
    }
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    WindowId id() const { return bar->winId(); }
    LiveBar& live() { return bar->Live(); }
    bool trayShown() const { return bar->findChild<TCoolTrayIcon*>()->isVisible(); }
    QList<TPlumBut*> shownButtons() const
    {
        QList<TPlumBut*> shown;
        for (TPlumBut* b : bar->findChildren<TPlumBut*>())
            if (b->isVisibleTo(bar.get()))
                shown.append(b);
        return shown;
    }
    TPlumBut* firstDriveButton() const { return bar->findChild<DriveButtons*>()->buttons().value(0); }
};

} // namespace

TEST_F(BarLiveSettings, TheTrayIconComesAndGoesWhileTheBarRuns)
{
    Start();
    EXPECT_TRUE(trayShown()) << "shown by default";
    live().SetTrayIconVisible(false);
    EXPECT_FALSE(trayShown());
    EXPECT_FALSE(bar->Settings.TrayIconVisible);
    live().SetTrayIconVisible(true);
    EXPECT_TRUE(trayShown());
}

TEST_F(BarLiveSettings, AlwaysOnTopAndAutoHideApplyAtOnce)
{
    Start();
    using S = DesktopBar::Stacking;
    ASSERT_EQ(bar->geometry(), QRect(0, 0, 1280, 28));
    live().SetAlwaysOnTop(true);
    EXPECT_EQ(desktop.stacking.value(id()), S::Above);
    live().SetAlwaysOnTop(false);
    EXPECT_EQ(desktop.stacking.value(id()), S::Normal);

    EXPECT_TRUE(live().SetAutoHide(true));
    EXPECT_EQ(desktop.autoHide.value(abeTop), id());
    EXPECT_FALSE(desktop.reserved.contains(id()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->geometry() == QRect(0, -26, 1280, 28); }, 1000))
        << "slid in at once";
    EXPECT_TRUE(live().SetAutoHide(false));
    EXPECT_FALSE(desktop.autoHide.contains(abeTop));
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->geometry() == QRect(0, 0, 1280, 28); }, 1000));
    EXPECT_EQ(desktop.reserved.value(id()).strip, QRect(0, 0, 1280, 28));

    // Another bar hides at the top already: the user is told, auto-hide stays off.
    desktop.autoHide[abeTop] = 4242;
    bool told = false;
    test::OnNextModal<QWidget>([](QWidget* box) { box->close(); }, &told);
    EXPECT_FALSE(live().SetAutoHide(true));
    EXPECT_TRUE(told);
    EXPECT_FALSE(bar->Settings.AutoHide);
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 1280, 28));
}

TEST_F(BarLiveSettings, OptionalButtonsAndTheDriveFaceChangeTheBarAtOnce)
{
    Start();
    const int before = shownButtons().size();
    live().SetButtonVisible(FixedButton::bFavs, false);
    live().SetButtonVisible(FixedButton::bCompSearch, false);
    EXPECT_FALSE(bar->Settings.Button_favs);
    EXPECT_TRUE(bar->Settings.Button_email);
    EXPECT_EQ(shownButtons().size(), before - 2);
    live().SetButtonVisible(FixedButton::bFavs, true);
    EXPECT_EQ(shownButtons().size(), before - 1);

    // Letters only, click only: narrower drive buttons without a menu.
    live().LiveSettings().Layout = 3;
    live().LiveSettings().ClickLayout = 6;
    live().Relayout();
    TPlumBut* c = firstDriveButton();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->size(), QSize(24, 22));
    EXPECT_TRUE(c->glyph().isNull());
    EXPECT_EQ(c->menuPart(), TPlumBut::MenuPart::None);

    live().SetDriveFont(12, true);
    EXPECT_EQ(c->font().pointSize(), 12);
    EXPECT_TRUE(c->font().bold());
    live().SetDriveFont(8, false);
    EXPECT_EQ(c->font().pointSize(), 8);
    EXPECT_FALSE(c->font().bold());
}

TEST_F(BarLiveSettings, TheAccentShowsOnlyInTheBareMarginsAtTheEnds)
{
    Start();
    const QImage image = bar->grab().toImage();
    ASSERT_EQ(image.size(), QSize(1280, 28));
    const QRgb accent = bar->AccentColor.rgb();
    EXPECT_EQ(image.pixel(4, 25), accent) << "the free margin at the left is the grip";
    EXPECT_EQ(image.pixel(1276, 25), accent) << "and at the right";
    EXPECT_NE(image.pixel(15, 25), accent) << "under the logo button";
    EXPECT_NE(image.pixel(1258, 25), accent) << "around the right scroll button";
}
