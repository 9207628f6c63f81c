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
#include "menus/NativePath.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
        apps = dir.filePath(QStringLiteral("share/applications"));
        QDir().mkpath(apps);
        config.applicationDirs = {apps};
    }

    QString canonical(const QString& path) const { return QFileInfo(path).canonicalFilePath(); }

    QTemporaryDir dir;
    QString marker;
    QString bin;
    QString work;
    QString apps;
    QByteArray recorder;
    DesktopShellConfig config;
};

} // namespace

TEST_F(DesktopShellTest, StartsAProgramWithItsParametersInItsFolder)
{
    const QString script = dir.filePath(QStringLiteral("tools/run me.sh"));
    WriteBytes(script, recorder, true);
    // Double quotes group, as on the old system's command lines; single quotes are text.
    EXPECT_TRUE(StartLikeTheDesktop(config, script, QStringLiteral("one \"two words\" 'three'"), work));
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[one]", "[two words]", "['three']"}));
}

TEST_F(DesktopShellTest, ExecuteReturnsAtOnceAndStartsOffTheCallingThread)
{
    DesktopShell shell(config);
    EXPECT_EQ(shell.execute(QStringLiteral("record"), QStringLiteral("x"), work), 0);
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[x]"}));
    // Only what needs no look at the target is refused at once.
    EXPECT_EQ(shell.execute(QString(), {}, {}), -1);
    EXPECT_EQ(shell.execute(dir.filePath(QStringLiteral("no-such-program")), {}, {}), 0);
}

TEST_F(DesktopShellTest, MissingProgramsStartNothing)
{
    EXPECT_FALSE(StartLikeTheDesktop(config, dir.filePath(QStringLiteral("no-such-program")), {}, {}));
    EXPECT_FALSE(StartLikeTheDesktop(config, QStringLiteral("no-such-program-anywhere"), {}, {}));
    EXPECT_FALSE(StartLikeTheDesktop(config, QStringLiteral("C:\\Windows\\notepad.exe"), {}, {}));
    EXPECT_FALSE(StartLikeTheDesktop(config, QString(), {}, {}));

    // A desktop entry whose program is not installed, and one that is no application.
    const QString missing = apps + QStringLiteral("/missing.desktop");
    WriteBytes(missing, "[Desktop Entry]\nType=Application\nName=Gone\nExec=no-such-program-anywhere %U\n");
    EXPECT_FALSE(StartLikeTheDesktop(config, missing, {}, {}));
    const QString folderEntry = apps + QStringLiteral("/dir.desktop");
    WriteBytes(folderEntry, "[Desktop Entry]\nType=Directory\nName=Stuff\n");
    EXPECT_FALSE(StartLikeTheDesktop(config, folderEntry, {}, {}));

    // A shortcut to a program that is not there.
    const QString link = dir.filePath(QStringLiteral("gone.lnk"));
    ShellLink target;
    target.target = dir.filePath(QStringLiteral("removed-program"));
    ASSERT_TRUE(ShellLinkFile().write(link, target));
    EXPECT_FALSE(StartLikeTheDesktop(config, link, {}, {}));
    EXPECT_TRUE(staysAbsent(marker));
}

TEST_F(DesktopShellTest, ADesktopEntryStartsItsWholeExecLineWithTheFieldCodesFilled)
{
    const QString entry = apps + QStringLiteral("/app.desktop");
    WriteBytes(entry, "[Desktop Entry]\nType=Application\nName=Recorder\nIcon=rec\n"
                     "Exec=\"" + QFile::encodeName(bin) + "/record\" --flag %F \"spaced arg\" 100%% %i --name=%c %k\n"
                     "Path=" + QFile::encodeName(work) + "\n");
    EXPECT_TRUE(StartLikeTheDesktop(config, entry, QStringLiteral("\"a b\" c"), {}));
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[--flag]", "[a b]", "[c]", "[spaced arg]", "[100%]",
                                                  "[--icon]", "[rec]", "[--name=Recorder]", "[" + entry + "]"}));

    // A sandboxed program keeps every word of its line; the address takes the place of
    // %u, after the "--" the browser's caller puts before it.
    QFile::remove(marker);
    const QString sandboxed = apps + QStringLiteral("/web.desktop");
    WriteBytes(sandboxed, "[Desktop Entry]\nType=Application\nName=Web\n"
                         "Exec=record run --branch=stable org.example.Web @@u %u @@\n");
    EXPECT_TRUE(StartLikeTheDesktop(config, sandboxed, QStringLiteral("-- \"http://a.it/?q=1 2\""), work));
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[run]", "[--branch=stable]", "[org.example.Web]",
                                                  "[@@u]", "[--]", "[http://a.it/?q=1 2]", "[@@]"}));

    // A file code inside a quoted argument (a shell command, say) takes nothing in.
    QFile::remove(marker);
    const QString shelled = apps + QStringLiteral("/sh.desktop");
    WriteBytes(shelled, "[Desktop Entry]\nType=Application\nName=Sh\nExec=record \"echo %f\" --file=%f\n");
    EXPECT_TRUE(StartLikeTheDesktop(config, shelled, QStringLiteral("\"; touch x\""), work));
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[echo ]", "[--file=; touch x]"}));
}

TEST_F(DesktopShellTest, ADesktopEntryForATerminalRunsInOne)
{
    const QString entry = apps + QStringLiteral("/tui.desktop");
    WriteBytes(entry, "[Desktop Entry]\nType=Application\nName=Top\nExec=record -d 1\nTerminal=true\n");
    EXPECT_TRUE(StartLikeTheDesktop(config, entry, {}, work));
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[-e]", "[" + bin + "/record]", "[-d]", "[1]"}));
}

TEST_F(DesktopShellTest, ALinkEntryOpensItsAddress)
{
    const QString entry = apps + QStringLiteral("/site.desktop");
    WriteBytes(entry, "[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org/a b\n");
    EXPECT_TRUE(StartLikeTheDesktop(config, entry, {}, {}));
    const QStringList got = waitForMarker(marker);
    ASSERT_EQ(got.size(), 2);
    EXPECT_EQ(got[1], QStringLiteral("[https://example.org/a b]"));
}

TEST_F(DesktopShellTest, AnEntryFromElsewhereOpensAsTextUnlessTheUserMarkedItExecutable)
{
    // On a stick, in Downloads: the editor shows it, its Exec line never runs.
    const QString foreign = dir.filePath(QStringLiteral("Downloads/free game.desktop"));
    WriteBytes(foreign, "[Desktop Entry]\nType=Application\nName=Game\nExec=" + QFile::encodeName(bin) + "/record pwned\n");
    const QString editor = dir.filePath(QStringLiteral("bin/editor"));
    WriteBytes(editor, recorder, true);
    config.textEditor = [editor] { return editor; };
    EXPECT_FALSE(IsTrustedDesktopEntry(config, foreign));
    EXPECT_TRUE(StartLikeTheDesktop(config, foreign, {}, work));
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[" + foreign + "]"}));
    QFile::remove(marker);
    // No editor: it opens nothing at all.
    config.textEditor = {};
    EXPECT_FALSE(StartLikeTheDesktop(config, foreign, {}, work));

    // Marked executable by its owner, on a file system that keeps such marks: it runs.
    ASSERT_TRUE(QFile::setPermissions(foreign, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    EXPECT_TRUE(IsTrustedDesktopEntry(config, foreign));
    EXPECT_TRUE(StartLikeTheDesktop(config, foreign, {}, work));
    EXPECT_EQ(waitForMarker(marker), (QStringList{canonical(work), "[pwned]"}));

    // Those of the applications folders run as they are; ".." cannot lead out of them.
    EXPECT_TRUE(IsTrustedDesktopEntry(config, apps + QStringLiteral("/x.desktop")));
    EXPECT_FALSE(IsTrustedDesktopEntry(config, apps + QStringLiteral("/../Downloads/y.desktop")));
}

TEST_F(DesktopShellTest, NamesThatAreNotUtf8ReachTheProgramAsTheirBytes)
{
    const QByteArray folder = QFile::encodeName(dir.path()) + "/caf\xE9";
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    const QByteArray document = folder + "/men\xF9.txt";
    ASSERT_EQ(::close(::open(document.constData(), O_CREAT | O_WRONLY, 0600)), 0);
    EXPECT_TRUE(StartLikeTheDesktop(config, DecodeFileName(document), {}, {}));
    ASSERT_FALSE(waitForMarker(marker).isEmpty());
    EXPECT_TRUE(ReadBytes(marker).contains("[" + document + "]\n")) << ReadBytes(marker).toHex().constData();

    // A program there too, started with an argument of the same kind.
    QFile::remove(marker);
    const QByteArray program = folder + "/t\xE9l\xE9";
    {
        const int fd = ::open(program.constData(), O_CREAT | O_WRONLY, 0700);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, recorder.constData(), size_t(recorder.size())), recorder.size());
        ::close(fd);
    }
    EXPECT_TRUE(StartLikeTheDesktop(config, DecodeFileName(program), QStringLiteral("\"") + DecodeFileName(document) + "\"", {}));
    ASSERT_FALSE(waitForMarker(marker).isEmpty());
    EXPECT_TRUE(ReadBytes(marker).contains("[" + document + "]\n"));
    parvo::test::RemoveTree(folder);
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

    EXPECT_TRUE(StartLikeTheDesktop(config, linkPath, QStringLiteral("more"), {}));
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

    EXPECT_TRUE(StartLikeTheDesktop(config, linkPath, {}, {}));
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
    EXPECT_FALSE(StartLikeTheDesktop(config, a, {}, {}));
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
        EXPECT_TRUE(StartLikeTheDesktop(config, target, QStringLiteral("ignored"), {})) << qPrintable(target);
        const QStringList got = waitForMarker(marker);
        ASSERT_EQ(got.size(), 2) << qPrintable(target);
        EXPECT_EQ(got[1], u'[' + target + u']');
    }

    // Nothing the opener gets can be an option: a relative path is made absolute, an
    // option-like text is refused.
    DesktopShell shell(config);
    EXPECT_FALSE(shell.openWithDesktop(QStringLiteral("--help")));
    QFile::remove(marker);
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_TRUE(shell.openWithDesktop(QStringLiteral("letter.odt")));
    QDir::setCurrent(old);
    EXPECT_EQ(waitForMarker(marker).value(1), u'[' + document + u']');

    // Without an opener nothing can open them.
    config.opener = dir.filePath(QStringLiteral("no-opener"));
    DesktopShell none(config);
    EXPECT_FALSE(StartLikeTheDesktop(config, document, {}, {}));
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
        ASSERT_EQ(calls.size(), 1);
        EXPECT_TRUE(calls[0].startsWith(QStringLiteral("ShowFolders file://")));
        EXPECT_EQ(QUrl(calls[0].mid(12)).toLocalFile(), work + u'/');
        EXPECT_TRUE(staysAbsent(marker));
        fileManager.unregisterObject(QStringLiteral("/org/freedesktop/FileManager1"));
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("parvo-test-file-manager"));
    QDBusConnection::disconnectFromBus(QStringLiteral("parvo-test-client"));
    bus.kill();
    bus.waitForFinished();
}
