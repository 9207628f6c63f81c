// Files dragged onto the real bar: onto the program area, a drive button, GO!, and the
// gaps between them.

#include "BarFixture.h"
#include "bar/BarPanels.h"
#include "bar/ProgramStrip.h"
#include "dialogs/TCopMovDlg.h"
#include "settings/ShortcutList.h"
#include "widgets/TDropFileTarget.h"
#include "widgets/TPlumBut.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace parvo;
using namespace parvo::test;

namespace {

struct BarDrop : BarFixture {
    BarPanels* panels = nullptr;

    void Start()
    {
        StartBar();
        panels = bar->findChild<BarPanels*>();
        ASSERT_TRUE(panels);
    }
    QString MakeFile(const QString& name)
    {
        QFile f(Folder(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return Folder(name);
    }
    QPoint Centre(QWidget* w) const { return w->mapTo(bar.get(), w->rect().center()); }
    QList<TPlumBut*> DriveButtonsShown() const { return panels->a2->findChildren<TPlumBut*>(); }
    int ProgramButtons() const { return bar->findChild<ProgramStrip*>()->count(); }
};

} // namespace

TEST_F(BarDrop, ProgramsDroppedOnTheProgramAreaBecomeButtonsInDropOrder)
{
    Start();
    const int before = ProgramButtons();
    const QStringList files = {MakeFile("uno.bin"), MakeFile("due.desktop"), Folder("sparito.sh"), MakeFile("tre")};
    const QPoint programs = panels->a4m->geometry().topLeft() + QPoint(5, 5);
    ASSERT_TRUE(DragTo(bar.get(), programs, Urls(files), false, true));
    EXPECT_EQ(bar->DropKey, "links_apps");
    ASSERT_TRUE(QTest::qWaitFor([&] { return ProgramButtons() == before + 3; }, 5000));
    const QStringList names = ReadShortcutNames(program);
    EXPECT_EQ(names.mid(names.size() - 3), (QStringList{"uno", "due", "tre"}));
    EXPECT_EQ(links.written.value(program + "links/tre.lnk").target, Folder("tre"));
    EXPECT_FALSE(QFile::exists(program + "links/sparito.lnk")) << "a path that is gone makes nothing";
    EXPECT_TRUE(QFile::exists(Folder("uno.bin"))) << "the dropped file stays where it was";
}

TEST_F(BarDrop, GapsBetweenPanelsAndWebAddressesAreRefused)
{
    Start();
    const QString file = MakeFile("nota.txt");
    // The scroll panel between drives and programs, and the menu buttons.
    EXPECT_FALSE(DragTo(bar.get(), panels->a3->geometry().center(), Urls({file}), false, false));
    EXPECT_FALSE(DragTo(bar.get(), Centre(panels->bFavs), Urls({file}), false, false));
    EXPECT_FALSE(DragTo(bar.get(), panels->a4m->geometry().topLeft() + QPoint(5, 5),
                        {QUrl("http://example.org/")}, false, false));
    EXPECT_EQ(ReadShortcutNames(program).size(), 0);
}

TEST_F(BarDrop, TheTargetButtonIsDrawnRaisedWhileTheDragIsOverIt)
{
    Start();
    const QList<TPlumBut*> drives = DriveButtonsShown();
    ASSERT_EQ(drives.size(), 2);
    QMimeData mime;
    mime.setUrls(Urls({MakeFile("a.txt")}));
    const auto moveTo = [&](QPoint at) {
        QDragMoveEvent over(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar.get(), &over);
    };
    QDragEnterEvent enter(Centre(drives[1]), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar.get(), &enter);
    EXPECT_TRUE(drives[1]->isHovered());
    EXPECT_FALSE(drives[0]->isHovered() || panels->bComp->isHovered());
    moveTo(Centre(panels->bComp));
    EXPECT_TRUE(panels->bComp->isHovered());
    EXPECT_FALSE(drives[1]->isHovered());
    moveTo(panels->a3->geometry().center());
    EXPECT_FALSE(panels->bComp->isHovered() || drives[0]->isHovered() || drives[1]->isHovered());
    moveTo(Centre(drives[0]));
    QDragLeaveEvent leave;
    QApplication::sendEvent(bar.get(), &leave);
    EXPECT_FALSE(drives[0]->isHovered());
}

TEST_F(BarDrop, DriveAndGoOpenTheCopyDialogWithTheirDestination)
{
    Start();
    const QStringList files = {MakeFile("a.txt"), MakeFile("b.txt")};
    const QList<TPlumBut*> drives = DriveButtonsShown();
    ASSERT_EQ(drives.size(), 2);

    bool seen = false;
    OnNextModal<TCopMovDlg>([&](TCopMovDlg* d) {
        EXPECT_EQ(d->Label2->text(), "2");
        EXPECT_TRUE(d->RadioButton2->isChecked());
        EXPECT_EQ(d->Edit1->text(), dir.path() + "/");
        EXPECT_TRUE(bar->DropFromBar);
        d->reject();
    }, &seen);
    ASSERT_TRUE(DragTo(bar.get(), Centre(drives[1]), Urls(files), true, true));
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen; }, 5000));

    seen = false;
    OnNextModal<TCopMovDlg>([&](TCopMovDlg* d) {
        EXPECT_TRUE(d->Edit1->text().isEmpty());
        EXPECT_TRUE(d->RadioButton1->isChecked());
        d->reject();
    }, &seen);
    ASSERT_TRUE(DragTo(bar.get(), Centre(panels->bComp), Urls(files), false, true));
    EXPECT_EQ(bar->DropKey, "go");
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen; }, 5000));
    EXPECT_TRUE(QFile::exists(files[0]) && QFile::exists(files[1]));
}

TEST_F(BarDrop, ADragShowsAnAutoHiddenBarUntilItLeaves)
{
    reg.setValue(RegRoot::CurrentUser, keys::Program, "Floating", RegValue::fromDword(1));
    reg.setValue(RegRoot::CurrentUser, keys::Options, "Hide", RegValue::fromDword(1));
    Start();
    ASSERT_TRUE(bar->Settings.AutoHide);
    // The user works in another window, the pointer far from the bar.
    QWidget other;
    other.show();
    other.activateWindow();
    QCursor::setPos(900, 400);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !bar->isActiveWindow() && !bar->AutoHideShown; }, 3000));

    QMimeData mime;
    mime.setUrls(Urls({MakeFile("a.txt")}));
    // It comes in over the menu buttons, where nothing can be dropped.
    QDragEnterEvent enter(Centre(panels->bFavs), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar.get(), &enter);
    EXPECT_TRUE(bar->AutoHideShown);
    QTest::qWait(bar->SlideTime + 300);
    EXPECT_TRUE(bar->AutoHideShown) << "held out while the drag is over it";

    QDragLeaveEvent leave;
    QApplication::sendEvent(bar.get(), &leave);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !bar->AutoHideShown; }, 3000));
}

TEST(TDropFileTarget, TakesLocalFilesOnlyAndNamesIntact)
{
    test::App();
    QMimeData mime;
    QList<QUrl> urls = {QUrl::fromLocalFile("/tmp/a b#c%d?.txt"), QUrl("http://example.org/x"),
                        QUrl("file://server/share/f"), QUrl::fromEncoded("file:///tmp/caf%E9"),
                        QUrl::fromLocalFile("/tmp/caffè"), QUrl("file://localhost/tmp/z")};
    mime.setUrls(urls);
    EXPECT_EQ(TDropFileTarget::LocalPaths(&mime), (QStringList{"/tmp/a b#c%d?.txt", "/tmp/caffè", "/tmp/z"}));
    mime.setText("/tmp/plain");
    mime.setUrls({});
    EXPECT_TRUE(TDropFileTarget::LocalPaths(&mime).isEmpty());
}
