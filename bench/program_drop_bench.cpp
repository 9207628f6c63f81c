// Program-drop benchmark: the time to put N dropped files on the bar (a shortcut file
// for each, then their names on the list in one write), as a ratio to a floor measured
// in the same run: writing N files of the same size, each replaced whole as the
// shortcuts are, and the same list once. 100, 1,000 and 5,000 files. Every file is
// flushed to the disk before it replaces the old one, so on a slow disk thousands of
// them take many seconds: the bar writes them away from its interface thread.
//
// usage: program_drop_bench [SCRATCH_FOLDER]

#include "menus/ProgramShortcuts.h"
#include "platform/linux/ShellLinkFile.h"
#include "settings/ShortcutList.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace parvo;

namespace {

qint64 Median(std::vector<qint64> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QStringList MakePrograms(const QString& folder, int count)
{
    QDir().mkpath(folder);
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QStringLiteral("programma%1.bin").arg(i);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n");
        files.append(path);
    }
    return files;
}

// The floor: the same number of files of the shortcuts' size, and the list once.
qint64 Floor(const QString& folder, const QStringList& files, qint64 linkSize)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QByteArray bytes(linkSize, 'x');
    QElapsedTimer t;
    t.start();
    QStringList names;
    for (const QString& file : files) {
        const QString name = QFileInfo(file).completeBaseName();
        QSaveFile out(folder + name + QStringLiteral(".lnk"));
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        out.commit();
        names.append(name);
    }
    QSaveFile list(folder + QStringLiteral("list.mke"));
    list.open(QIODevice::WriteOnly);
    list.write(names.join(QStringLiteral("\r\n")).toUtf8());
    list.commit();
    return t.nsecsElapsed();
}

qint64 Drop(const QString& program, const QStringList& files, qint64* linkSize)
{
    QDir(program).removeRecursively();
    ShellLinkFile links;
    QElapsedTimer t;
    t.start();
    const DroppedPrograms dropped = WriteDroppedPrograms(links, program, files);
    AppendShortcutNames(program, dropped.names);
    const qint64 elapsed = t.nsecsElapsed();
    if (dropped.names.size() != files.size())
        return -1;
    *linkSize = QFileInfo(ShortcutFilePath(program, dropped.names.first())).size();
    return elapsed;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/program-drop-XXXXXX")
                                   : QDir::tempPath() + QStringLiteral("/program-drop-XXXXXX"));
    std::printf("dropped programs onto the bar (shortcut files, one list write) against writing as many files\n");
    std::printf("%-12s %12s %12s %8s %12s\n", "files", "floor ms", "drop ms", "ratio", "drop us/file");
    double last = 0;
    for (const int count : {100, 1000, 5000}) {
        const QStringList files = MakePrograms(scratch.path() + QStringLiteral("/src%1/").arg(count), count);
        std::vector<qint64> floors, drops;
        qint64 linkSize = 0;
        for (int r = 0; r < (count >= 5000 ? 1 : 3); ++r) {
            const qint64 drop = Drop(scratch.path() + QStringLiteral("/program/"), files, &linkSize);
            if (drop < 0) {
                std::printf("%d files: not every shortcut was written\n", count);
                return 1;
            }
            drops.push_back(drop);
            floors.push_back(Floor(scratch.path() + QStringLiteral("/floor/"), files, linkSize));
        }
        const qint64 floor = Median(floors), drop = Median(drops);
        last = double(drop) / double(floor);
        std::printf("%-12d %12.2f %12.2f %8.2f %12.2f\n", count, floor / 1e6, drop / 1e6, last, drop / 1e3 / count);
    }
    std::printf("ratio program_drop_5000 %.2f\n", last);
    return 0;
}
