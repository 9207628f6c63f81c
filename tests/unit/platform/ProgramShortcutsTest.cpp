#include "menus/ProgramShortcuts.h"

#include "../TempFiles.h"
#include "FakePrompts.h"
#include "platform/linux/ShellLinkFile.h"
#include "settings/ShortcutList.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

// The fields lnkinfo, an independent reader, finds in a shortcut file.
QString LnkField(const QString& path, const char* name)
{
    QProcess lnkinfo;
    lnkinfo.start(QStringLiteral("lnkinfo"), {path});
    if (!lnkinfo.waitForStarted() || !lnkinfo.waitForFinished(10000) || lnkinfo.exitCode() != 0)
        return QStringLiteral("<lnkinfo failed>");
    for (const QString& line : QString::fromUtf8(lnkinfo.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.trimmed().startsWith(QLatin1String(name)))
            return line.section(QLatin1Char(':'), 1, -1).trimmed();
    return QStringLiteral("<missing>");
}

} // namespace

TEST(ProgramShortcuts, NamesLoseTheirLastFourCharactersButNeverAllOfThem)
{
    EXPECT_EQ(ShortcutNameFor(QStringLiteral("/usr/bin/notepad.exe")), QStringLiteral("notepad"));
    EXPECT_EQ(ShortcutNameFor(QStringLiteral("/home/u/Report.doc")), QStringLiteral("Report"));
    EXPECT_EQ(ShortcutNameFor(QStringLiteral("/tmp/Setup.msi7")), QStringLiteral("Setup."));
    EXPECT_EQ(ShortcutNameFor(QStringLiteral("/usr/bin/gedit")), QStringLiteral("gedit"));
    EXPECT_EQ(ShortcutNameFor(QStringLiteral("/usr/share/applications/org.gnome.gedit.desktop")),
              QStringLiteral("org.gnome.gedit"));
    EXPECT_EQ(ShortcutNameFor(QStringLiteral("/tmp/.desktop")), QStringLiteral(".des"));
    EXPECT_EQ(ShortcutNameFor(QStringLiteral("/tmp/x.sh")), QStringLiteral("x"));
    EXPECT_EQ(ShortcutNameFor(QStringLiteral("/tmp/.rc")), QStringLiteral(".rc"));
    EXPECT_EQ(ShortcutNameFor(QStringLiteral("/tmp/two\nlines.txt")), QStringLiteral("two lines"));
    EXPECT_FALSE(IsUsableShortcutName(QStringLiteral("../x")));
    EXPECT_FALSE(IsUsableShortcutName(QStringLiteral(" ")));
    EXPECT_TRUE(IsUsableShortcutName(QStringLiteral("Editor di testo")));
}

TEST(ProgramShortcuts, DroppedFilesBecomeShortcutsAndDroppedShortcutsAreCopiedUnchanged)
{
    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/program/");
    const QString doc = dir.path() + QStringLiteral("/Documenti/Report.doc");
    test::WriteBytes(doc, "text");
    ShellLinkFile links;
    FakePrompts prompts;

    ASSERT_EQ(AddProgramShortcut(links, &prompts, program, doc), QStringLiteral("Report"));
    const QString made = ShortcutFilePath(program, QStringLiteral("Report"));
    EXPECT_EQ(LnkField(made, "Local path"), doc);
    EXPECT_EQ(LnkField(made, "Working directory"), dir.path() + QStringLiteral("/Documenti/"));
    EXPECT_EQ(LnkField(made, "Description"), QStringLiteral("Report"));

    // A shortcut is taken over byte for byte, whatever it holds.
    const QString foreign = dir.path() + QStringLiteral("/Altro.LNK");
    QByteArray bytes = test::ReadBytes(made);
    bytes.append(QByteArray(20000, '\x7f')); // longer than one copy buffer
    test::WriteBytes(foreign, bytes);
    ASSERT_EQ(AddProgramShortcut(links, &prompts, program, foreign), QStringLiteral("Altro"));
    EXPECT_EQ(test::ReadBytes(ShortcutFilePath(program, QStringLiteral("Altro"))), bytes);

    // The same name again overwrites the file and lists the name twice.
    test::WriteBytes(dir.path() + QStringLiteral("/Report.txt"), "other");
    ASSERT_EQ(AddProgramShortcut(links, &prompts, program, dir.path() + QStringLiteral("/Report.txt")),
              QStringLiteral("Report"));
    EXPECT_EQ(LnkField(made, "Local path"), dir.path() + QStringLiteral("/Report.txt"));
    EXPECT_EQ(ReadShortcutNames(program),
              (QStringList{QStringLiteral("Report"), QStringLiteral("Altro"), QStringLiteral("Report")}));
    EXPECT_TRUE(test::ReadBytes(ShortcutListPath(program)).startsWith("// shortcuts - Parvo - Do not change this file!\r\n"));

    // Removing the name takes both lines and the one file.
    UpdateShortcutList(program, QStringLiteral("Report"), {});
    EXPECT_EQ(ReadShortcutNames(program), QStringList{QStringLiteral("Altro")});
    EXPECT_FALSE(QFile::exists(made));
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST(ProgramShortcuts, AFailedCopyTellsWhichFileAndListsNothing)
{
    QTemporaryDir dir;
    const QString program = dir.path() + QLatin1Char('/');
    ShellLinkFile links;
    FakePrompts prompts;
    const QString missing = dir.path() + QStringLiteral("/Gone.lnk");
    EXPECT_FALSE(AddProgramShortcut(links, &prompts, program, missing));
    EXPECT_EQ(prompts.shown, QStringList{QStringLiteral("Error opening a file ") + missing});
    EXPECT_TRUE(ReadShortcutNames(program).isEmpty());

    const QString source = dir.path() + QStringLiteral("/a.lnk");
    test::WriteBytes(source, "x");
    const QString blocked = dir.path() + QStringLiteral("/no/such/folder/a.lnk");
    EXPECT_EQ(CopyFileTo(source, blocked), QStringLiteral("Error creating a file ") + blocked);

    // A copy that fails leaves an earlier file of that name as it was.
    const QString kept = dir.path() + QStringLiteral("/kept.lnk");
    test::WriteBytes(kept, "earlier");
    EXPECT_TRUE(CopyFileTo(missing, kept).has_value());
    EXPECT_EQ(test::ReadBytes(kept), "earlier");

    // Only ".lnk" paths are written as shortcuts.
    EXPECT_FALSE(CreateShortcut(links, &prompts, source, {}, QStringLiteral("a"), dir.path() + QStringLiteral("/a.txt")));
    EXPECT_EQ(prompts.shown.last(), QStringLiteral("Error: link path extension must be .LNK"));
}

TEST(ProgramShortcuts, DroppedProgramsKeepTheirOrderAndSkipWhatIsGone)
{
    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/program/");
    ShellLinkFile links;
    test::WriteBytes(ShortcutListPath(program), "// shortcuts - Parvo - Do not change this file!\r\nprima\r\n");
    const QString a = dir.path() + QStringLiteral("/uno.bin");
    const QString b = dir.path() + QStringLiteral("/due.lnk");
    test::WriteBytes(a, "#!/bin/sh\n", true);
    ASSERT_TRUE(CreateShortcut(links, nullptr, a, {}, QStringLiteral("x"), b));

    const DroppedPrograms dropped =
        WriteDroppedPrograms(links, program, {a, dir.path() + QStringLiteral("/sparito.bin"), b,
                                              dir.path() + QStringLiteral("/senza.lnk")});
    EXPECT_EQ(dropped.names, (QStringList{QStringLiteral("uno"), QStringLiteral("due")}));
    EXPECT_TRUE(dropped.errors.isEmpty());
    ASSERT_TRUE(AppendShortcutNames(program, dropped.names));
    EXPECT_EQ(ReadShortcutNames(program), (QStringList{QStringLiteral("prima"), QStringLiteral("uno"), QStringLiteral("due")}));
    EXPECT_EQ(LnkField(ShortcutFilePath(program, QStringLiteral("uno")), "Local path"), a);
    EXPECT_EQ(test::ReadBytes(ShortcutFilePath(program, QStringLiteral("due"))), test::ReadBytes(b));
    EXPECT_FALSE(QFile::exists(ShortcutFilePath(program, QStringLiteral("sparito"))));

    // A shortcut that cannot be copied is reported, and the others still go on the bar.
    const QString unreadable = dir.path() + QStringLiteral("/chiuso.lnk");
    QDir().mkpath(unreadable); // there, but not a file that can be read
    const DroppedPrograms again = WriteDroppedPrograms(links, program, {unreadable, a});
    EXPECT_EQ(again.names, QStringList{QStringLiteral("uno")});
    EXPECT_EQ(again.errors, QStringList{QStringLiteral("Error opening a file ") + unreadable});
}
