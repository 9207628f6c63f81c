// Folder-menu benchmark: the time from the request to open one folder sub-menu until it
// is on screen and filled (the folder read off the interface thread and sorted, its items
// built, the level shown and painted),
// as a ratio to a floor measured in the same run: a bare read of the same folder's names
// plus the same locale-aware sort. Folders of 1,000, 10,000 and 100,000 files and one of
// 2,000 sub-folders. Offscreen.
//
// usage: folder_menu_bench [SCRATCH_FOLDER]

#include "menus/FolderMenu.h"
#include "menus/FolderReader.h"
#include "menus/MenuReads.h"
#include "widgets/TBcBarPopupMenu.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLocale>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <vector>

using namespace parvo;

namespace {

void MakeFolder(const QString& path, int files, int folders)
{
    QDir().mkpath(path);
    for (int i = 0; i < files; ++i) {
        // Mixed case and a spread of first letters, so the sort has real work to do.
        const QString name = QStringLiteral("%1ile %2.txt").arg(i % 3 ? QLatin1Char('f') : QLatin1Char('F')).arg((i * 7919) % files);
        QFile f(path + name);
        f.open(QIODevice::WriteOnly);
    }
    for (int i = 0; i < folders; ++i)
        QDir().mkdir(path + QStringLiteral("Cartella %1").arg((i * 7919) % folders));
}

// The floor: every name of the folder, then the menus' own sort.
qint64 Floor(const QString& path)
{
    QElapsedTimer t;
    t.start();
    QStringList names;
    if (DIR* d = opendir(QFile::encodeName(path).constData())) {
        while (const dirent* e = readdir(d)) {
            if (e->d_name[0] == '.' && (e->d_name[1] == 0 || (e->d_name[1] == '.' && e->d_name[2] == 0)))
                continue;
            names.append(QFile::decodeName(e->d_name));
        }
        closedir(d);
    }
    SortLikeLocale(names);
    return t.nsecsElapsed();
}

// The measured road: a one-item root menu whose folder item is opened from the keyboard.
qint64 OpenSubMenu(const QString& path, QWidget& owner)
{
    TBcBarPopupMenu popup(&owner);
    FolderMenuState state;
    state.MenuKey = path;
    popup.OnPopup = [&] {
        MenuItem& root = popup.Items();
        root.children.clear();
        MenuItem folder;
        folder.Caption = QStringLiteral("[ folder ]");
        folder.Hint = path;
        folder.Tag = -1;
        folder.HelpContext = 1;
        folder.OnClick = ItemClick::ExpandFolder;
        folder.AutoLineReduction = true;
        root.children.push_back(std::move(folder));
    };
    // As the bar reads: off the interface thread, the level held until the read ends.
    MenuReads reads({[&]() -> MenuItem& { return popup.Items(); }, [&] { popup.BeginUpdate(); },
                     [&] { popup.EndUpdate(); }, [&](int ms) { popup.HoldOpening(ms); },
                     [&] { popup.ReleaseOpening(); }});
    popup.OnExpand = [&](MenuItem& item) {
        if (const auto read = ExpandFolderItem(state, popup.Items(), &item))
            ReadFolderLater(reads, item, *read);
    };
    popup.popup(QPoint(10, 10));
    QCoreApplication::processEvents();
    QWidget* rootLevel = popup.openLevels().value(0);
    if (!rootLevel)
        return -1;

    QElapsedTimer t;
    t.start();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(rootLevel, &down); // the one item becomes current
    QCoreApplication::sendEvent(rootLevel, &right);
    // Open and filled: a big folder may show its waiting item first.
    while ((popup.openLevels().size() < 2 || reads.running() > 0) && t.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); // leaves the core to the read
    QWidget* level = popup.openLevels().value(1);
    if (!level)
        return -1;
    level->repaint(); // the first paint of the new level, synchronously
    const qint64 ns = t.nsecsElapsed();
    popup.closeAll();
    QCoreApplication::processEvents();
    return ns;
}

qint64 Median(std::vector<qint64> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Sort as an Italian desktop would, with full collation rules, even on a machine
    // whose own locale is plain C.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTemporaryDir scratch(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/folder-bench-XXXXXX")
                                   : QDir::tempPath() + QStringLiteral("/folder-bench-XXXXXX"));
    QWidget owner;

    struct Case {
        const char* what;
        int files;
        int folders;
        int runs;
    };
    const Case cases[] = {{"1,000 files", 1000, 0, 9}, {"10,000 files", 10000, 0, 5},
                          {"100,000 files", 100000, 0, 3}, {"2,000 sub-folders", 0, 2000, 5}};
    std::printf("folder sub-menu open (read, sort, build, show, first paint) against a bare read + the same sort\n");
    std::printf("%-18s %12s %12s %8s %14s\n", "folder", "floor ms", "menu ms", "ratio", "menu us/entry");
    double ratio10k = 0, ratio100k = 0;
    int n = 0;
    for (const Case& c : cases) {
        const QString path = scratch.path() + QStringLiteral("/case%1/").arg(n++);
        MakeFolder(path, c.files, c.folders);
        Floor(path); // warm the directory cache for both
        std::vector<qint64> floors, menus;
        for (int r = 0; r < c.runs; ++r) {
            floors.push_back(Floor(path));
            menus.push_back(OpenSubMenu(path, owner));
        }
        const qint64 floor = Median(floors), menu = Median(menus);
        if (menu < 0) {
            std::printf("%-18s the sub-menu did not open\n", c.what);
            return 1;
        }
        const int entries = c.files + c.folders;
        const double ratio = double(menu) / double(floor);
        std::printf("%-18s %12.2f %12.2f %8.2f %14.2f\n", c.what, floor / 1e6, menu / 1e6, ratio, menu / 1e3 / entries);
        if (c.files == 10000)
            ratio10k = ratio;
        if (c.files == 100000)
            ratio100k = ratio;
    }
    std::printf("goal: ratio <= 3 at 10,000 entries (%.2f) and about the same at 100,000 (%.2f)\n", ratio10k, ratio100k);
    std::printf("ratio folder_menu_10000 %.2f\nratio folder_menu_100000 %.2f\n", ratio10k, ratio100k);
    return 0;
}
