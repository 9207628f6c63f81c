#include "platform/linux/TextEditor.h"

#include "../TempFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;
using parvo::test::WriteBytes;

namespace {

struct TextEditor : ::testing::Test {
    QTemporaryDir tmp;
    XdgDirs dirs;
    void SetUp() override
    {
        const QString root = tmp.path();
        dirs.home = root + "/home";
        dirs.configHome = root + "/home/.config";
        dirs.dataHome = root + "/home/.local/share";
        dirs.dataDirs = {root + "/usr/share"};
        dirs.programPath = {root + "/bin"};
    }
    QString program(const char* name)
    {
        const QString path = tmp.path() + "/bin/" + name;
        WriteBytes(path, "#!/bin/sh\n", true);
        return path;
    }
};

} // namespace

TEST_F(TextEditor, TheDesktopsEditorIsItsWholeEntryUnderItsItalianName)
{
    program("vim");
    program("mousepad");
    const QString entry = tmp.path() + "/usr/share/applications/vim.desktop";
    // A terminal program with arguments: only the entry itself starts it as meant.
    WriteBytes(entry, "[Desktop Entry]\nType=Application\nName=Vim\nName[it]=Editor Vim\n"
                      "Exec=vim -p %F\nTerminal=true\n");
    WriteBytes(dirs.configHome + "/mimeapps.list", "[Default Applications]\ntext/plain=vim.desktop\n");
    const TextEditorChoice choice = FindTextEditor(dirs);
    EXPECT_EQ(choice.target, entry);
    EXPECT_EQ(choice.name, "Editor Vim");

    // Without an Italian name, the entry's own.
    WriteBytes(entry, "[Desktop Entry]\nType=Application\nName=Vim\nExec=vim %F\n");
    EXPECT_EQ(FindTextEditor(dirs).name, "Vim");
}

TEST_F(TextEditor, WithoutADefaultACommonEditorOnThePathServes)
{
    EXPECT_TRUE(FindTextEditor(dirs).target.isEmpty());
    const QString mousepad = program("mousepad");
    // A default whose program is missing does not count.
    WriteBytes(tmp.path() + "/usr/share/applications/gone.desktop", "[Desktop Entry]\nType=Application\nExec=gone %f\n");
    WriteBytes(dirs.configHome + "/mimeapps.list", "[Default Applications]\ntext/plain=gone.desktop\n");
    const TextEditorChoice choice = FindTextEditor(dirs);
    EXPECT_EQ(choice.target, mousepad);
    EXPECT_EQ(choice.name, "mousepad");
}
