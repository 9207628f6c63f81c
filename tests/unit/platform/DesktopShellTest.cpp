#include "platform/linux/DesktopShell.h"
#include "platform/linux/ShellLinkFile.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include "../TempFiles.h"

#include <gtest/gtest.h>

using namespace parvo;
using parvo::test::ReadBytes;
using parvo::test::WriteBytes;

namespace {

// What a started program wrote, once it has: its working folder, then one argument a
// line in brackets. Empty when nothing came within a few seconds.
QStringList waitForMarker(const QString& path)
{
    const QDeadlineTimer deadline(5000);
    while (!QFile::exists(path) && !deadline.hasExpired())
        QThread::msleep(10);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// Nothing may come: waits a little to be sure.
bool staysAbsent(const QString& path)
{
    QThread::msleep(300);
    return !QFile::exists(path);
}

class DesktopShellTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        marker = dir.filePath(QStringLiteral("marker"));
        bin = dir.filePath(QStringLiteral("bin"));
        // Records its folder and arguments; written aside and renamed so that the test
        // never reads half of it.
        recorder = "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > '" + QFile::encodeName(marker)
            + ".part' && mv '" + QFile::encodeName(marker) + ".part' '" + QFile::encodeName(marker) + "'\n";
        WriteBytes(bin + QStringLiteral("/record"), recorder, true);
        WriteBytes(bin + QStringLiteral("/opener"), recorder, true);
        WriteBytes(bin + QStringLiteral("/my-terminal"), recorder, true);
        config.programPath = {bin, QStringLiteral("/usr/bin"), QStringLiteral("/bin")};
        config.opener = bin + QStringLiteral("/opener");
        config.terminal = QStringLiteral("my-terminal");
        config.busName = QStringLiteral("parvo-test-no-bus");
        work = dir.filePath(QStringLiteral("work folder"));
        QDir().mkpath(work);
    }

    QString canonical(const QString& path) const { return QFileInfo(path).canonicalFilePath(); }

    QTemporaryDir dir;
    QString marker;
    QString bin;
    QString work;
    QByteArray recorder;
    DesktopShellConfig config;
};

} // namespace

TEST_F(DesktopShellTest, StartsAProgramWithItsParametersInItsFolder)
{
    const QString script = dir.filePath(QStringLiteral("tools/run me.sh"));
    WriteBytes(script, recorder, true);
    DesktopShell shell(config);
    // Double quotes group, as on the old system's command lines; single quotes are text.
    EXPECT_EQ(shell.execute(script, QStringLiteral("one \"two words\" 'three'"), work), 0);
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[one]", "[two words]", "['three']"}));
}

TEST_F(DesktopShellTest, ABareProgramNameIsLookedForOnThePath)
{
    DesktopShell shell(config);
    EXPECT_EQ(shell.execute(QStringLiteral("record"), QStringLiteral("x"), work), 0);
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[x]"}));
}

TEST_F(DesktopShellTest, MissingProgramsGiveMinusOne)
{
    DesktopShell shell(config);
    EXPECT_EQ(shell.execute(dir.filePath(QStringLiteral("no-such-program")), {}, {}), -1);
    EXPECT_EQ(shell.execute(QStringLiteral("no-such-program-anywhere"), {}, {}), -1);
    EXPECT_EQ(shell.execute(QStringLiteral("C:\\Windows\\notepad.exe"), {}, {}), -1);
    EXPECT_EQ(shell.execute(QString(), {}, {}), -1);

    // A desktop entry whose program is not installed, and one that is no application.
    const QString missing = dir.filePath(QStringLiteral("missing.desktop"));
    WriteBytes(missing, "[Desktop Entry]\nType=Application\nName=Gone\nExec=no-such-program-anywhere %U\n");
    EXPECT_EQ(shell.execute(missing, {}, {}), -1);
    const QString folderEntry = dir.filePath(QStringLiteral("dir.desktop"));
    WriteBytes(folderEntry, "[Desktop Entry]\nType=Directory\nName=Stuff\n");
    EXPECT_EQ(shell.execute(folderEntry, {}, {}), -1);

    // A shortcut to a program that is not there.
    const QString link = dir.filePath(QStringLiteral("gone.lnk"));
    ShellLink target;
    target.target = dir.filePath(QStringLiteral("removed-program"));
    ASSERT_TRUE(ShellLinkFile().write(link, target));
    EXPECT_EQ(shell.execute(link, {}, {}), -1);
    EXPECT_TRUE(staysAbsent(marker));
}

TEST_F(DesktopShellTest, StartsADesktopEntryFromItsExecLine)
{
    const QString entry = dir.filePath(QStringLiteral("app.desktop"));
    WriteBytes(entry, "[Desktop Entry]\nType=Application\nName=Recorder\n"
                     "Exec=\"" + QFile::encodeName(bin) + "/record\" --flag %F \"spaced arg\" 100%%\n"
                     "Path=" + QFile::encodeName(work) + "\n");
    DesktopShell shell(config);
    EXPECT_EQ(shell.execute(entry, QStringLiteral("extra"), {}), 0);
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[--flag]", "[spaced arg]", "[100%]", "[extra]"}));
}

TEST_F(DesktopShellTest, ADesktopEntryForATerminalRunsInOne)
{
    const QString entry = dir.filePath(QStringLiteral("tui.desktop"));
    WriteBytes(entry, "[Desktop Entry]\nType=Application\nName=Top\nExec=record -d 1\nTerminal=true\n");
    DesktopShell shell(config);
    EXPECT_EQ(shell.execute(entry, {}, work), 0);
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[-e]", "[" + bin + "/record]", "[-d]", "[1]"}));
}

TEST_F(DesktopShellTest, ALinkEntryOpensItsAddress)
{
    const QString entry = dir.filePath(QStringLiteral("site.desktop"));
    WriteBytes(entry, "[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org/a b\n");
    DesktopShell shell(config);
    EXPECT_EQ(shell.execute(entry, {}, {}), 0);
    const QStringList got = waitForMarker(marker);
    ASSERT_EQ(got.size(), 2);
    EXPECT_EQ(got[1], QStringLiteral("[https://example.org/a b]"));
}

TEST_F(DesktopShellTest, AShortcutStartsItsTargetWithItsArgumentsInItsFolder)
{
    const QString script = dir.filePath(QStringLiteral("programs/tool"));
    WriteBytes(script, recorder, true);
    ShellLink link;
    link.target = script;
    link.arguments = QStringLiteral("--open \"My File.txt\"");
    link.workingDir = work;
    const QString linkPath = dir.filePath(QStringLiteral("links/Tool.lnk"));
    QDir().mkpath(QFileInfo(linkPath).path());
    ASSERT_TRUE(ShellLinkFile().write(linkPath, link));

    DesktopShell shell(config);
    EXPECT_EQ(shell.execute(linkPath, QStringLiteral("more"), {}), 0);
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[--open]", "[My File.txt]", "[more]"}));
}

TEST_F(DesktopShellTest, AShortcutWithAForeignWorkingFolderStartsInTheTargetsFolder)
{
    const QString script = dir.filePath(QStringLiteral("programs/tool"));
    WriteBytes(script, recorder, true);
    ShellLink link;
    link.target = script;
    link.workingDir = QStringLiteral("C:\\Programmi\\Tool");
    const QString linkPath = dir.filePath(QStringLiteral("Tool.LNK"));
    ASSERT_TRUE(ShellLinkFile().write(linkPath, link));

    DesktopShell shell(config);
    EXPECT_EQ(shell.execute(linkPath, {}, {}), 0);
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(dir.filePath(QStringLiteral("programs")))}));
}

TEST_F(DesktopShellTest, ShortcutsPointingAtEachOtherEndWithoutStartingAnything)
{
    const QString a = dir.filePath(QStringLiteral("a.lnk"));
    const QString b = dir.filePath(QStringLiteral("b.lnk"));
    ShellLink toB;
    toB.target = b;
    ShellLink toA;
    toA.target = a;
    ASSERT_TRUE(ShellLinkFile().write(a, toB));
    ASSERT_TRUE(ShellLinkFile().write(b, toA));
    DesktopShell shell(config);
    EXPECT_EQ(shell.execute(a, {}, {}), -1);
    EXPECT_TRUE(staysAbsent(marker));
}

TEST_F(DesktopShellTest, DocumentsFoldersAndAddressesGoToTheOpener)
{
    const QString document = dir.filePath(QStringLiteral("letter.odt"));
    WriteBytes(document, "not a program");
    // On FAT media every file is marked executable; a document stays a document.
    const QString flagged = dir.filePath(QStringLiteral("notes.txt"));
    WriteBytes(flagged, "echo this must not run\n", true);

    const QStringList targets{document, flagged, work, QStringLiteral("http://example.org/?q=1"),
                              QStringLiteral("mailto:someone@example.org")};
    for (const QString& target : targets) {
        QFile::remove(marker);
        DesktopShell shell(config);
        EXPECT_EQ(shell.execute(target, QStringLiteral("ignored"), {}), 0) << qPrintable(target);
        const QStringList got = waitForMarker(marker);
        ASSERT_EQ(got.size(), 2) << qPrintable(target);
        EXPECT_EQ(got[1], u'[' + target + u']');
    }

    // Without an opener nothing can open them.
    config.opener = dir.filePath(QStringLiteral("no-opener"));
    DesktopShell none(config);
    EXPECT_EQ(none.execute(document, {}, {}), -1);
    EXPECT_FALSE(none.openWithDesktop(QStringLiteral("http://example.org/")));
}

TEST_F(DesktopShellTest, TerminalOpensInTheFolder)
{
    DesktopShell shell(config);
    EXPECT_TRUE(shell.openTerminal(work));
    EXPECT_EQ(waitForMarker(marker), QStringList{canonical(work)});
    EXPECT_FALSE(shell.openTerminal(dir.filePath(QStringLiteral("no such folder"))));

    config.terminal.clear();
    config.programPath = {dir.filePath(QStringLiteral("empty"))};
    DesktopShell without(config);
    EXPECT_FALSE(without.openTerminal(work));
}

TEST_F(DesktopShellTest, FolderTreeFallsBackToTheOpenerWithoutABus)
{
    DesktopShell shell(config);
    EXPECT_TRUE(shell.showFolderTree(work));
    const QStringList got = waitForMarker(marker);
    ASSERT_EQ(got.size(), 2);
    EXPECT_EQ(got[1], u'[' + work + u']');
}

namespace {

// The file manager's D-Bus object, recording what it is asked to show.
class FileManagerObject : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        {
            QMutexLocker lock(&mutex);
            calls.append(message.member() + u' ' + message.arguments().value(0).toStringList().join(u','));
        }
        connection.send(message.createReply());
        return true;
    }
    QStringList takeCalls()
    {
        QMutexLocker lock(&mutex);
        return std::exchange(calls, {});
    }

private:
    QMutex mutex;
    QStringList calls;
};

} // namespace

TEST_F(DesktopShellTest, FolderTreeAsksTheFileManagerOverTheBus)
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        GTEST_SKIP() << "no dbus-daemon to run a private bus";
    // The bus delivers calls to an object through the event loop of its thread.
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    Q_UNUSED(app);

    QProcess bus;
    bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    ASSERT_TRUE(bus.waitForStarted());
    ASSERT_TRUE(bus.waitForReadyRead(5000));
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    ASSERT_FALSE(address.isEmpty());

    {
        QDBusConnection fileManager = QDBusConnection::connectToBus(address, QStringLiteral("parvo-test-file-manager"));
        QDBusConnection client = QDBusConnection::connectToBus(address, QStringLiteral("parvo-test-client"));
        ASSERT_TRUE(fileManager.isConnected());
        ASSERT_TRUE(client.isConnected());

        // No file manager on the bus yet: the opener is used.
        config.busName = QStringLiteral("parvo-test-client");
        DesktopShell shell(config);
        EXPECT_TRUE(shell.showFolderTree(work));
        EXPECT_EQ(waitForMarker(marker).value(1), u'[' + work + u']');
        QFile::remove(marker);

        FileManagerObject object;
        ASSERT_TRUE(fileManager.registerVirtualObject(QStringLiteral("/org/freedesktop/FileManager1"), &object));
        ASSERT_TRUE(fileManager.registerService(QStringLiteral("org.freedesktop.FileManager1")));
        EXPECT_TRUE(shell.showFolderTree(work + u'/'));
        const QDeadlineTimer deadline(5000);
        QStringList calls;
        while (calls.isEmpty() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            calls = object.takeCalls();
        }
        EXPECT_EQ(calls, QStringList{QStringLiteral("ShowFolders ") + QUrl::fromLocalFile(work + u'/').toString()});
        EXPECT_TRUE(staysAbsent(marker));
        fileManager.unregisterObject(QStringLiteral("/org/freedesktop/FileManager1"));
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("parvo-test-file-manager"));
    QDBusConnection::disconnectFromBus(QStringLiteral("parvo-test-client"));
    bus.kill();
    bus.waitForFinished();
}
