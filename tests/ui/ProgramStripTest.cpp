#include "bar/ProgramStrip.h"

#include "FakeShellLinks.h"
#include "UiApp.h"
#include "menus/ProgramShortcuts.h"
#include "widgets/TPlumBut.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

// Records the threads the shortcut files are read on.
struct ThreadLinks : FakeShellLinks {
    std::optional<ShellLink> read(const QString& linkPath) const override
    {
        threads.append(QThread::currentThread());
        return FakeShellLinks::read(linkPath);
    }
    mutable QList<QThread*> threads;
};

struct ProgramButtons : ::testing::Test {
    QApplication& app = test::App();
    QTemporaryDir dir;
    QString lists = dir.path() + "/";
    ThreadLinks links;
    QWidget bar;
    ProgramStrip strip{links, &bar};
    QStringList savedPaths = QIcon::themeSearchPaths();
    QString savedTheme = QIcon::themeName();

    // A theme whose 16-pixel "editor" is plain red.
    void SetUp() override
    {
        const QString icons = dir.path() + "/icons";
        QDir().mkpath(icons + "/strip/16x16/apps");
        QFile index(icons + "/strip/index.theme");
        ASSERT_TRUE(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=strip\nDirectories=16x16/apps\n\n[16x16/apps]\nSize=16\nType=Fixed\n");
        index.close();
        QImage red(16, 16, QImage::Format_ARGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(icons + "/strip/16x16/apps/editor.png"));
        QIcon::setThemeSearchPaths({icons});
        QIcon::setThemeName("strip");
    }
    void TearDown() override
    {
        QIcon::setThemeSearchPaths(savedPaths);
        QIcon::setThemeName(savedTheme);
    }
    void Link(const QString& name, const QString& target)
    {
        ShellLink link;
        link.target = target;
        links.written[ShortcutFilePath(lists, name)] = link;
    }
    QList<TPlumBut*> Buttons() const { return strip.findChildren<TPlumBut*>(); }
    bool Built() { return QTest::qWaitFor([this] { return !strip.isReading(); }, 5000); }
};

} // namespace

TEST_F(ProgramButtons, ButtonsComeWithTheirIconsReadAwayFromTheInterfaceThread)
{
    // A desktop entry naming a theme icon, and a program named like one.
    QFile entry(dir.path() + "/tool.desktop");
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=Tool\nExec=tool\nIcon=editor\n");
    entry.close();
    Link("Tool", entry.fileName());
    Link("Editor", "/usr/bin/Editor");
    Link("Other", dir.path() + "/nothing-like-it");

    QSignalSpy built(&strip, &ProgramStrip::built);
    strip.BuildProgramButtons(lists, {"Tool", "Missing", "Editor", "Other"});
    ASSERT_TRUE(Built());
    EXPECT_EQ(built.count(), 1);
    ASSERT_EQ(strip.count(), 3) << "a shortcut that cannot be read gets no button";
    const QList<TPlumBut*> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 3);
    for (int i : {0, 1}) {
        const QImage glyph = buttons[i]->glyph().toImage();
        ASSERT_EQ(glyph.size(), QSize(16, 16)) << i;
        EXPECT_EQ(glyph.pixelColor(8, 8), QColor(Qt::red)) << i;
    }
    EXPECT_FALSE(buttons[2]->glyph().isNull()) << "a program without an icon of its own still shows one";

    ASSERT_EQ(links.threads.size(), 4);
    for (QThread* t : links.threads)
        EXPECT_NE(t, app.thread());
}

TEST_F(ProgramButtons, TheLastBuildWinsOverOneStillReading)
{
    Link("A", "/usr/bin/a");
    Link("B", "/usr/bin/b");
    strip.BuildProgramButtons(lists, {"A", "B"});
    strip.BuildProgramButtons(lists, {"B"});
    ASSERT_TRUE(Built());
    QTest::qWait(50); // the first read's answer, if it comes last, changes nothing
    EXPECT_EQ(strip.count(), 1);
}
