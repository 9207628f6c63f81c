// Menu-memory benchmark: the real bar, with the program's own services and a new user's
// folders, opens every one of its menus ROUNDS times: the main menu, the favourites, the
// favourite-folder and special-folder lists, e-mail, web links, the drive menu, the folder
// menu of every drive and the menu of every program button, each time also opening the
// sub-menu of the first item that has one (a folder read from the disk). The floor is the
// resident memory once every menu has been opened once; the ratio is the resident memory
// after the last round to that floor (1.00: no growth after the first opening).
//
// usage: menu_memory_bench PROGRAM_FOLDER [ROUNDS]
// Runs on the current X display, which needs an EWMH window manager; HOME and the XDG
// folders should be a new user's.

#include "app/DataFilePath.h"
#include "app/OneHeap.h"
#include "bar/ButtonHints.h"
#include "bar/DriveList.h"
#include "bar/TForm1.h"
#include "platform/linux/DesktopShell.h"
#include "platform/linux/LinuxRegistry.h"
#include "platform/linux/MountDrives.h"
#include "platform/linux/ShellLinkFile.h"
#include "platform/linux/TextEditor.h"
#include "platform/linux/X11DesktopBar.h"
#include "menus/ProgramShortcuts.h"
#include "widgets/MessagePrompts.h"
#include "widgets/TBcBarPopupMenu.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QKeyEvent>
#include <QThread>

#include <cstdio>
#include <fstream>
#include <string>

using namespace parvo;

namespace {

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

// Runs the event loop until `done` holds or `ms` have passed.
template <class Done>
bool Spin(Done done, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

void Press(QWidget* level, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(level, &press);
}

// Opens the bar's popup for `key`, then the sub-menu of its first item that has one, and
// closes everything again. False when the menu did not open.
bool OpenMenu(TForm1& bar, const QString& key)
{
    TBcBarPopupMenu& popup = *bar.popup_myfolders;
    bar.MenuKey = key;
    bar.DropMenu(QPoint(200, 200));
    if (!Spin([&] { return !popup.openLevels().empty(); }, 1000)) {
        popup.closeAll();
        return false;
    }
    QWidget* root = popup.openLevels().front();
    // The keyboard walks down to the first item with a sub-menu and opens it.
    for (const MenuItem& item : popup.Items().children) {
        if (item.isSeparator() || !item.Enabled)
            continue;
        Press(root, Qt::Key_Down);
        if (item.hasSubmenu()) {
            Press(root, Qt::Key_Right);
            Spin([&] { return popup.openLevels().size() > 1; }, 50);
            break;
        }
    }
    Spin([] { return false; }, 10); // a read still running fills its level meanwhile
    popup.closeAll();
    Spin([&] { return popup.openLevels().empty(); }, 1000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER [ROUNDS]\n", argv[0]);
        return 2;
    }
    UseOneHeap(); // as the program does
    QApplication app(argc, argv);
    const QString program = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 200;

    const XdgDirs dirs = XdgDirs::fromEnvironment();
    const std::unique_ptr<LinuxRegistry> registry = LinuxRegistry::forCurrentUser();
    ShellLinkFile links;
    MessagePrompts prompts;
    X11DesktopBar desktop;
    MountDrives drives(*registry);
    DesktopShell shell;
    const QString lists = ListsFolder(program, dirs.dataHome);
    TForm1 bar({*registry, links, prompts, program, [&dirs] { return FindTextEditor(dirs); }, desktop, drives, shell,
                lists});
    if (!bar.FormCreate())
        return 1;
    bar.show();
    if (!Spin([&] { return bar.StartupCompleted(); }, 10000)) {
        std::fprintf(stderr, "the bar never finished starting\n");
        return 1;
    }

    QStringList keys = {QStringLiteral("Normal"), QStringLiteral("Favs"),   QStringLiteral("PvF"),
                        QStringLiteral("WinFolders"), QStringLiteral("email"), QStringLiteral("Slinks"),
                        QStringLiteral("scrDrive")};
    for (const DriveInfo& drive : drives.list())
        keys << DriveMenuKey(drive);
    for (const QString& name : bar.ProgramNames)
        keys << ProgramButtonMenuKey(ShortcutFilePath(lists, name));

    // A menu with nothing to show (no favourites yet, no e-mail addresses) does not open;
    // the first round finds the ones that do.
    QStringList opened;
    for (const QString& key : keys) {
        if (OpenMenu(bar, key))
            opened << key;
        else
            std::printf("menu %s is empty and does not open\n", qPrintable(key));
    }
    long first = ResidentKiB();
    for (int round = 1; round < rounds; ++round) {
        for (const QString& key : opened) {
            if (!OpenMenu(bar, key)) {
                std::fprintf(stderr, "the menu %s did not open again\n", qPrintable(key));
                return 1;
            }
        }
    }
    const long last = ResidentKiB();
    std::printf("%lld menus opened %d times each (with one sub-menu each where there is one)\n",
                static_cast<long long>(opened.size()), rounds);
    std::printf("resident memory after the first round %.1f MiB, after the last %.1f MiB, growth %ld KiB\n",
                first / 1024.0, last / 1024.0, last - first);
    std::printf("goal: no growth after the first opening of each menu (ratio 1.00)\n");
    std::printf("ratio menu_memory_growth %.3f\n", double(last) / double(first));
    return 0;
}
