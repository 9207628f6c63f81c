#include "FakeShellLinks.h"
#include "TempFiles.h"
#include "settings/FirstRunSetup.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;
using parvo::test::ReadBytes;
using parvo::test::WriteBytes;

namespace {

struct FirstRun : ::testing::Test {
    QTemporaryDir dir;
    FakeShellLinks links;
    FirstRunEnvironment env;
    QString editor;

    void SetUp() override
    {
        env.programFolder = dir.path() + "/program/";
        env.links = &links;
        editor = dir.path() + "/bin/mousepad";
        WriteBytes(editor, "#!/bin/sh\n");
        env.findTextEditor = [this] { return TextEditorChoice{editor, QFileInfo(editor).fileName()}; };
        env.winFolderList = {"Desktop|/home/u/Desktop>11", "Documenti|/home/u/Documents>11"};
    }
    QString path(const QString& rel) const { return env.programFolder + rel; }
};

} // namespace

TEST_F(FirstRun, CreatesFoldersListsAndTheEditorShortcut)
{
    RunFirstSetup(env);
    EXPECT_TRUE(QFileInfo(path("links")).isDir());
    EXPECT_EQ(ReadBytes(path("data/shortcut.mke")),
              QByteArray("// shortcuts - Parvo - Do not change this file!\r\nmousepad\r\n"));
    EXPECT_EQ(ReadBytes(path("data/efolder.mke")),
              QByteArray("// efolder - Parvo - Do not change this file!\r\nDesktop|/home/u/Desktop>11\r\n"));
    ASSERT_TRUE(links.written.contains(path("links/mousepad.lnk")));
    const ShellLink link = links.written.value(path("links/mousepad.lnk"));
    EXPECT_EQ(link.target, editor);
    EXPECT_EQ(link.workingDir, dir.path() + "/bin/");
    EXPECT_EQ(link.description, "mousepad");
}

TEST_F(FirstRun, ExistingListsAreLeftAloneAndMissingPiecesAreSkipped)
{
    WriteBytes(path("data/shortcut.mke"), "mine\r\nkept\r\n");
    env.winFolderList.clear();
    RunFirstSetup(env);
    EXPECT_EQ(ReadBytes(path("data/shortcut.mke")), QByteArray("mine\r\nkept\r\n"));
    EXPECT_TRUE(links.written.isEmpty()) << "no editor shortcut beside an existing list";
    EXPECT_EQ(ReadBytes(path("data/efolder.mke")), QByteArray("// efolder - Parvo - Do not change this file!\r\n"));

    QFile::remove(path("data/shortcut.mke"));
    editor = dir.path() + "/bin/no-such-editor";
    RunFirstSetup(env);
    EXPECT_EQ(ReadBytes(path("data/shortcut.mke")), QByteArray("// shortcuts - Parvo - Do not change this file!\r\n"));
    EXPECT_TRUE(links.written.isEmpty());
}

TEST_F(FirstRun, AnOldProgramListIsConvertedBeforeANewListIsMade)
{
    WriteBytes(path("data/links.mke"), "old\r\nGimp|/usr/bin/gimp\r\n");
    RunFirstSetup(env);
    EXPECT_FALSE(QFileInfo::exists(path("data/links.mke")));
    EXPECT_EQ(ReadBytes(path("data/shortcut.mke")), QByteArray("// shortcuts - Parvo - Do not change this file!\r\nGimp\r\n"));
    EXPECT_EQ(links.written.keys(), QStringList({path("links/Gimp.lnk")})) << "the user's list, not the editor";
}

TEST_F(FirstRun, TheEditorButtonTakesTheDesktopsNameOrElseThatOfItsProgram)
{
    // A desktop entry started whole, under the name the desktop shows.
    editor = dir.path() + "/apps/org.example.Editor.desktop";
    WriteBytes(editor, "[Desktop Entry]\n");
    env.findTextEditor = [this] { return TextEditorChoice{editor, "Editor di testo"}; };
    RunFirstSetup(env);
    EXPECT_EQ(ReadBytes(path("data/shortcut.mke")),
              QByteArray("// shortcuts - Parvo - Do not change this file!\r\nEditor di testo\r\n"));
    EXPECT_EQ(links.written.value(path("links/Editor di testo.lnk")).target, editor);

    // A name that cannot be a button's gives way to the file's.
    QFile::remove(path("data/shortcut.mke"));
    env.findTextEditor = [this] { return TextEditorChoice{editor, "../x"}; };
    RunFirstSetup(env);
    EXPECT_EQ(ReadBytes(path("data/shortcut.mke")),
              QByteArray("// shortcuts - Parvo - Do not change this file!\r\norg.example.Editor\r\n"));
}
