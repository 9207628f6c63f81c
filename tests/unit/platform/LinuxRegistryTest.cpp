#include "platform/linux/LinuxRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "../TempFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace parvo;
using parvo::test::ReadBytes;
using parvo::test::WriteBytes;

namespace {

constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKCR = RegRoot::ClassesRoot;

QString q(const char* s) { return QString::fromUtf8(s); }

const QString kParvo = q("SOFTWARE\\Tessaline\\Parvo");
const QString kShellFolders = q("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
const QString kRun = q("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString kTypedUrls = q("Software\\Microsoft\\Internet Explorer\\TypedURLs");

// A whole desktop inside a temporary folder.
class LinuxRegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        root = tmp.path();
        dirs.home = root + q("/home");
        dirs.configHome = dirs.home + q("/.config");
        dirs.configDirs = {root + q("/etc/xdg")};
        dirs.dataHome = dirs.home + q("/.local/share");
        dirs.dataDirs = {root + q("/usr/local/share"), root + q("/usr/share")};
        dirs.cacheHome = dirs.home + q("/.cache");
        dirs.programPath = {root + q("/bin")};
        QDir().mkpath(dirs.home);
        file = LinuxRegistry::defaultFilePath(dirs);
    }

    std::unique_ptr<LinuxRegistry> open() { return std::make_unique<LinuxRegistry>(file, dirs); }

    QString program(const char* name)
    {
        const QString path = root + q("/bin/") + q(name);
        WriteBytes(path, "#!/bin/sh\n", true);
        return path;
    }

    QTemporaryDir tmp;
    QString root;
    XdgDirs dirs;
    QString file;
};

} // namespace

TEST_F(LinuxRegistryTest, ValuesSurviveARestartWithTheirTypesAndSpelling)
{
    {
        auto reg = open();
        EXPECT_FALSE(reg->keyExists(HKCU, kParvo));
        EXPECT_FALSE(QFile::exists(file)); // nothing written while nothing changed
        EXPECT_TRUE(reg->setValue(HKCU, kParvo, q("Floating"), RegValue::fromDword(2)));
        EXPECT_TRUE(reg->setValue(HKCU, kParvo, q("Except_drive"), RegValue::fromText(q("ad\n\"x\""))));
        EXPECT_TRUE(reg->setValue(HKCU, kParvo + q("\\Options"), q("Path"), RegValue::fromExpandText(q("%HOME%"))));
        EXPECT_TRUE(reg->createKey(HKCU, kParvo + q("\\HistoryLinks")));
        EXPECT_TRUE(reg->setValue(HKCU, q("software\\tessaline\\PARVO"), q("FLOATING"), RegValue::fromDword(3)));
        EXPECT_TRUE(reg->deleteValue(HKCU, kParvo, q("nothing there")));
    }
    EXPECT_TRUE(ReadBytes(file).startsWith("REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo]\n"
                                          "\"Floating\"=dword:00000003\n"));
    auto reg = open();
    EXPECT_FALSE(reg->wasDamaged());
    EXPECT_EQ(reg->value(HKCU, kParvo, q("floating")), RegValue::fromDword(3));
    EXPECT_EQ(reg->value(HKCU, kParvo, q("Except_drive")), RegValue::fromText(q("ad\n\"x\"")));
    EXPECT_EQ(reg->value(HKCU, kParvo + q("\\Options"), q("Path")), RegValue::fromExpandText(q("%HOME%")));
    EXPECT_EQ(reg->valueNames(HKCU, kParvo), (QStringList{q("Floating"), q("Except_drive")}));
    EXPECT_TRUE(reg->keyExists(HKCU, kParvo + q("\\HISTORYLINKS")));
    EXPECT_TRUE(reg->keyExists(HKCU, q("SOFTWARE\\Tessaline")));

    EXPECT_TRUE(reg->deleteValue(HKCU, kParvo, q("EXCEPT_DRIVE")));
    EXPECT_FALSE(open()->value(HKCU, kParvo, q("Except_drive")));
}

TEST_F(LinuxRegistryTest, DamagedFileKeepsItsReadableValuesAndIsBackedUp)
{
    const QByteArray damaged = "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo]\n"
                               "\"Lewa\"=dword:0000000a\n"
                               "\"Gora\"=dword:zz\n"
                               "\x01\x02garbage\n"
                               "\"Szer\"=dword:000001f4\n"
                               "\"Except_drive\"=\"cut sh";
    WriteBytes(file, damaged);
    auto reg = open();
    EXPECT_TRUE(reg->wasDamaged());
    EXPECT_EQ(reg->value(HKCU, kParvo, q("Lewa")), RegValue::fromDword(10));
    EXPECT_EQ(reg->value(HKCU, kParvo, q("Szer")), RegValue::fromDword(500));
    EXPECT_FALSE(reg->value(HKCU, kParvo, q("Except_drive")));
    EXPECT_TRUE(reg->backupPath().isEmpty()); // reading alone changes nothing on disk
    EXPECT_EQ(ReadBytes(file), damaged);

    // Even a write of a value that is already there replaces the damaged file.
    EXPECT_TRUE(reg->setValue(HKCU, kParvo, q("Lewa"), RegValue::fromDword(10)));
    ASSERT_FALSE(reg->backupPath().isEmpty());
    EXPECT_EQ(ReadBytes(reg->backupPath()), damaged);
    const QString firstBackup = reg->backupPath();
    auto clean = open();
    EXPECT_FALSE(clean->wasDamaged());
    EXPECT_EQ(clean->valueNames(HKCU, kParvo), (QStringList{q("Lewa"), q("Szer")}));

    // The file is damaged again in the same second: the first backup stays as it was.
    const QByteArray again = damaged + "\nmore garbage";
    WriteBytes(file, again);
    auto second = open();
    EXPECT_TRUE(second->setValue(HKCU, kParvo, q("Gora"), RegValue::fromDword(40)));
    EXPECT_NE(second->backupPath(), firstBackup);
    EXPECT_EQ(ReadBytes(second->backupPath()), again);
    EXPECT_EQ(ReadBytes(firstBackup), damaged);
    EXPECT_EQ(QDir(QFileInfo(file).path()).entryList(QDir::Files).size(), 3);
}

TEST_F(LinuxRegistryTest, UnwritableFolderLeavesTheOldFileAndKeepsValuesInMemory)
{
    {
        auto reg = open();
        ASSERT_TRUE(reg->setValue(HKCU, kParvo, q("Lewa"), RegValue::fromDword(1)));
    }
    const QByteArray before = ReadBytes(file);
    const QString folder = QFileInfo(file).path();
    // The test may run as root, who writes anywhere: the attempt then runs in a child
    // process that has given up its rights.
    ASSERT_EQ(::chmod(QFile::encodeName(root).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dirs.home).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && ::setuid(65534) != 0)
                ::_exit(2);
            LinuxRegistry reg(file, dirs);
            const bool stored = reg.setValue(HKCU, kParvo, q("Gora"), RegValue::fromDword(2));
            const bool batched = [&] {
                RegistryUpdate update(reg);
                return reg.setValue(HKCU, kParvo, q("Szer"), RegValue::fromDword(3));
            }();
            const bool kept = reg.value(HKCU, kParvo, q("Gora")) == RegValue::fromDword(2)
                && reg.value(HKCU, kParvo, q("Szer")) == RegValue::fromDword(3)
                && reg.value(HKCU, kParvo, q("Lewa")) == RegValue::fromDword(1);
            ::_exit(!stored && batched && kept ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{q("registry.reg")});
}

TEST_F(LinuxRegistryTest, UpdatesAreWrittenOnceAtTheOutermostEnd)
{
    auto reg = open();
    ASSERT_TRUE(reg->setValue(HKCU, kParvo, q("Lewa"), RegValue::fromDword(1)));
    // A mark the program would not write: it stays exactly as long as the file is not
    // rewritten.
    const QByteArray marked = ReadBytes(file) + "; mark\n";
    WriteBytes(file, marked);

    EXPECT_TRUE(reg->setValue(HKCU, kParvo, q("lewa"), RegValue::fromDword(1)));
    EXPECT_TRUE(reg->createKey(HKCU, kParvo));
    EXPECT_TRUE(reg->deleteValue(HKCU, kParvo, q("absent")));
    EXPECT_EQ(ReadBytes(file), marked); // nothing changed, nothing written

    reg->beginUpdate();
    {
        RegistryUpdate inner(*reg);
        EXPECT_TRUE(reg->setValue(HKCU, kParvo, q("Gora"), RegValue::fromDword(40)));
        EXPECT_TRUE(reg->createKey(HKCU, kParvo + q("\\Options")));
    }
    EXPECT_TRUE(reg->setValue(HKCU, kParvo, q("Szer"), RegValue::fromDword(500)));
    EXPECT_EQ(ReadBytes(file), marked);
    reg->endUpdate();
    const QByteArray written = ReadBytes(file);
    EXPECT_FALSE(written.contains("; mark"));
    EXPECT_TRUE(written.contains("\"Gora\"=dword:00000028\n\"Szer\"=dword:000001f4\n"));
    EXPECT_TRUE(written.contains("[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo\\Options]"));

    // An unmatched end does not open the way for a later batch to write early.
    reg->endUpdate();
    reg->beginUpdate();
    WriteBytes(file, marked);
    reg->setValue(HKCU, kParvo, q("Lewa"), RegValue::fromDword(5));
    EXPECT_EQ(ReadBytes(file), marked);
    reg->endUpdate();
    EXPECT_TRUE(ReadBytes(file).contains("\"Lewa\"=dword:00000005"));
}

TEST_F(LinuxRegistryTest, ShellFoldersComeFromTheUserDirectories)
{
    WriteBytes(dirs.configHome + q("/user-dirs.dirs"),
              "# written by xdg-user-dirs-update\n"
              "XDG_DESKTOP_DIR=\"$HOME/Scrivania\"\n"
              "XDG_DOCUMENTS_DIR=\"$HOME/Documenti \\\"miei\\\"\"\n"
              "XDG_MUSIC_DIR=\"$HOME/\"\n"
              "XDG_PICTURES_DIR=\"" + (root + q("/pictures")).toUtf8() + "\"\n"
              "XDG_VIDEOS_DIR=\"relative/videos\"\n");
    for (const QString& d : {q("/home/Scrivania"), q("/home/Documenti \"miei\""), q("/home/Music"),
                             q("/pictures"), q("/home/Videos"), q("/home/relative/videos"),
                             q("/home/Templates"), q("/home/.local/share/applications"),
                             q("/home/.config/autostart"), q("/home/.cache"), q("/home/.fonts")})
        QDir().mkpath(root + d);

    auto reg = open();
    EXPECT_TRUE(reg->keyExists(HKCU, kShellFolders));
    EXPECT_TRUE(reg->createKey(HKCU, kShellFolders));
    EXPECT_EQ(reg->valueNames(HKCU, kShellFolders),
              (QStringList{q("Desktop"), q("Personal"), q("Favorites"), q("Fonts"), q("Start Menu"), q("Programs"),
                           q("Startup"), q("Cache"), q("My Pictures"), q("My Video"), q("Templates")}));
    const auto path = [&](const char* name) { return reg->value(HKCU, kShellFolders, q(name)).value_or(RegValue{}).text; };
    EXPECT_EQ(path("desktop"), root + q("/home/Scrivania"));
    EXPECT_EQ(path("Personal"), root + q("/home/Documenti \"miei\""));
    EXPECT_EQ(path("Favorites"), root + q("/home/.local/share/parvo/Favorites"));
    EXPECT_TRUE(QFileInfo(path("Favorites")).isDir());
    EXPECT_EQ(path("Fonts"), root + q("/home/.fonts"));
    EXPECT_EQ(path("Start Menu"), root + q("/home/.local/share/applications"));
    EXPECT_EQ(path("Programs"), path("Start Menu"));
    EXPECT_EQ(path("Startup"), root + q("/home/.config/autostart"));
    EXPECT_EQ(path("Cache"), root + q("/home/.cache"));
    EXPECT_EQ(path("My Pictures"), root + q("/pictures"));
    // A relative setting is ignored and the usual folder taken.
    EXPECT_EQ(path("My Video"), root + q("/home/Videos"));
    EXPECT_EQ(reg->value(HKCU, kShellFolders, q("Desktop"))->type, RegType::Sz);
    EXPECT_FALSE(reg->value(HKCU, kShellFolders, q("SendTo")));
    EXPECT_FALSE(reg->value(HKCU, kShellFolders, q("My Music"))); // set to the home folder: off

    // The key is the desktop's, not the program's.
    EXPECT_FALSE(reg->setValue(HKCU, kShellFolders, q("Desktop"), RegValue::fromText(q("/x"))));
    EXPECT_FALSE(reg->deleteValue(HKCU, kShellFolders, q("Desktop")));
    EXPECT_FALSE(reg->createKey(HKCU, kShellFolders + q("\\Sub")));
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(LinuxRegistryTest, ShellFoldersWithoutUserDirsFileUseTheUsualNames)
{
    QDir().mkpath(dirs.home + q("/Desktop"));
    QDir().mkpath(dirs.dataHome + q("/fonts"));
    QDir().mkpath(dirs.home + q("/.fonts"));
    auto reg = open();
    EXPECT_EQ(reg->valueNames(HKCU, kShellFolders), (QStringList{q("Desktop"), q("Favorites"), q("Fonts")}));
    EXPECT_EQ(reg->value(HKCU, kShellFolders, q("Fonts"))->text, dirs.dataHome + q("/fonts"));
}

TEST_F(LinuxRegistryTest, BrowserCommandComesFromTheDefaultWebApplication)
{
    const QString browser = root + q("/opt/My Browser/browser");
    WriteBytes(browser, "#!/bin/sh\n", true);
    // The user's list names a missing application first and an installed one second; a
    // system list would choose another browser.
    WriteBytes(dirs.configHome + q("/mimeapps.list"),
              "[Added Associations]\nx-scheme-handler/http=other.desktop;\n"
              "[Default Applications]\nx-scheme-handler/http=missing.desktop;org.example-web.desktop;\n");
    WriteBytes(root + q("/usr/share/applications/mimeapps.list"),
              "[Default Applications]\nx-scheme-handler/http=other.desktop\n");
    WriteBytes(root + q("/usr/share/applications/other.desktop"),
              "[Desktop Entry]\nType=Application\nExec=" + program("other").toUtf8() + " %u\n");
    // The id's dash stands for a sub-folder; Exec quotes the path and escapes in it.
    WriteBytes(root + q("/usr/local/share/applications/org.example/web.desktop"),
              "[Desktop Entry]\nType=Application\nName=Web\n"
              "Exec=\"" + (root + q("/opt/My Browser/browser")).toUtf8() + "\" --new-window %U\n");

    auto reg = open();
    EXPECT_TRUE(reg->keyExists(HKCR, q("http\\shell")));
    EXPECT_EQ(reg->value(HKCR, q("http\\shell"), QString()), RegValue::fromText(q("open")));
    // The entry itself: started whole, its Exec line keeps "--new-window".
    EXPECT_EQ(reg->value(HKCR, q("HTTP\\Shell\\Open\\Command"), QString()),
              RegValue::fromText(u'"' + root + q("/usr/local/share/applications/org.example/web.desktop\" \"%1\"")));
    EXPECT_EQ(reg->valueNames(HKCR, q("http\\shell\\open\\command")), QStringList{QString()});
    EXPECT_FALSE(reg->setValue(HKCR, q("http\\shell"), QString(), RegValue::fromText(q("edit"))));
    EXPECT_FALSE(reg->keyExists(HKCR, q("ftp")));
    EXPECT_FALSE(reg->createKey(HKCR, q("ftp")));
}

TEST_F(LinuxRegistryTest, BrowserFallsBackToWebPagesAndTheProgramPath)
{
    // A hidden entry for web addresses does not count; the old defaults.list names the
    // handler of web pages, whose Exec starts it through env by a bare name.
    WriteBytes(dirs.configHome + q("/mimeapps.list"),
              "[Default Applications]\nx-scheme-handler/http=hidden.desktop\n");
    WriteBytes(dirs.dataHome + q("/applications/hidden.desktop"),
              "[Desktop Entry]\nHidden=true\nExec=" + program("hidden").toUtf8() + "\n");
    WriteBytes(root + q("/usr/share/applications/defaults.list"),
              "[Default Applications]\ntext/html=web.desktop\n");
    WriteBytes(root + q("/usr/share/applications/web.desktop"),
              "# a comment\n[Desktop Action new]\nExec=wrong\n"
              "[Desktop Entry]\nExec=env MOZ_X=1 web-browser %u\nExec=wrong\n");
    program("web-browser");
    auto reg = open();
    EXPECT_EQ(reg->value(HKCR, q("http\\shell\\open\\command"), QString()),
              RegValue::fromText(u'"' + root + q("/usr/share/applications/web.desktop\" \"%1\"")));
}

TEST_F(LinuxRegistryTest, NoBrowserLeavesTheCommandOut)
{
    // Only an application whose program is not installed.
    WriteBytes(dirs.configHome + q("/mimeapps.list"), "[Default Applications]\nx-scheme-handler/http=gone.desktop\n");
    WriteBytes(dirs.dataHome + q("/applications/gone.desktop"), "[Desktop Entry]\nExec=not-installed %u\n");
    auto reg = open();
    EXPECT_EQ(reg->value(HKCR, q("http\\shell"), QString()), RegValue::fromText(q("open")));
    EXPECT_FALSE(reg->value(HKCR, q("http\\shell\\open\\command"), QString()));
    EXPECT_TRUE(reg->valueNames(HKCR, q("http\\shell\\open\\command")).isEmpty());
}

TEST_F(LinuxRegistryTest, RunValueIsTheAutostartEntry)
{
    const QString entry = LinuxRegistry::autostartFilePath(dirs);
    auto reg = open();
    EXPECT_TRUE(reg->keyExists(HKCU, kRun));
    EXPECT_TRUE(reg->keyExists(HKCU, q("Software\\Microsoft")));
    EXPECT_FALSE(reg->value(HKCU, kRun, q("Tessaline Parvo")));
    EXPECT_TRUE(reg->deleteValue(HKCU, kRun, q("Tessaline Parvo"))); // already off

    // A path the Exec rules must quote and escape comes back unchanged.
    const QString exe = q("/opt/My Parvo/100% \"real\" $HOME\\parvo`x`");
    EXPECT_TRUE(reg->setValue(HKCU, kRun, q("Tessaline Parvo"), RegValue::fromText(exe)));
    const QByteArray text = ReadBytes(entry);
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\nType=Application\nName=Parvo\n"));
    EXPECT_TRUE(text.contains("\nExec=\"/opt/My Parvo/100%% \\\\\"real\\\\\" \\\\$HOME\\\\\\\\parvo\\\\`x\\\\`\"\n"))
        << text.constData();
    EXPECT_TRUE(text.contains("\nX-GNOME-Autostart-enabled=true\n"));
    EXPECT_EQ(open()->value(HKCU, kRun, q("TESSALINE PARVO")), RegValue::fromText(exe));
    EXPECT_EQ(reg->valueNames(HKCU, kRun), QStringList{q("Tessaline Parvo")});

    // A plain path is written as it stands.
    EXPECT_TRUE(reg->setValue(HKCU, kRun, q("Tessaline Parvo"), RegValue::fromText(q("/usr/bin/parvo"))));
    EXPECT_TRUE(ReadBytes(entry).contains("\nExec=/usr/bin/parvo\n"));

    // Switched off in the desktop's settings, the entry does not count as on.
    WriteBytes(entry, "[Desktop Entry]\nType=Application\nExec=/usr/bin/parvo\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(reg->value(HKCU, kRun, q("Tessaline Parvo")));

    EXPECT_TRUE(reg->deleteValue(HKCU, kRun, q("tessaline parvo")));
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_TRUE(reg->valueNames(HKCU, kRun).isEmpty());

    // Only the program's own value lives there, and never in the registry file.
    EXPECT_FALSE(reg->setValue(HKCU, kRun, q("Other"), RegValue::fromText(q("/bin/true"))));
    EXPECT_FALSE(reg->setValue(HKCU, kRun, q("Tessaline Parvo"), RegValue::fromDword(1)));
    EXPECT_FALSE(reg->setValue(HKCU, kRun + q("\\Sub"), q("x"), RegValue::fromDword(1)));
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(LinuxRegistryTest, TypedUrlsIsThereAndEmpty)
{
    auto reg = open();
    EXPECT_TRUE(reg->keyExists(HKCU, kTypedUrls));
    EXPECT_TRUE(reg->valueNames(HKCU, kTypedUrls).isEmpty());
    EXPECT_FALSE(reg->value(HKCU, kTypedUrls, q("url1")));
    EXPECT_FALSE(reg->setValue(HKCU, kTypedUrls, q("url1"), RegValue::fromText(q("http://x"))));
    EXPECT_FALSE(reg->value(HKCU, kTypedUrls, q("url1")));
}
