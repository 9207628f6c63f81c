// The mount table is the kernel's, but the paths in it are whatever names users and
// programs gave their mount points: the reader and the choice of drives must take any
// bytes, and the letters given must stay one per drive.

#include "platform/linux/DriveLetters.h"
#include "platform/linux/MountInfo.h"

#include "../fakes/FakeRegistry.h"

#include <QSet>
#include <cstdlib>

using namespace parvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<MountEntry> all = ParseMountInfo(bytes);
    for (const MountEntry& m : all) {
        if (!m.mountPoint.startsWith(QLatin1Char('/')) || m.root.isEmpty())
            std::abort();
        if (m.mountPoint.size() > 1 && m.mountPoint.endsWith(QLatin1Char('/')))
            std::abort();
        DriveTypeOfFileSystem(m.fsType);
    }

    const QList<MountEntry> chosen = BrowsableMounts(all);
    if (chosen.size() > all.size())
        std::abort();
    QStringList points;
    QSet<QString> distinct;
    for (const MountEntry& m : chosen) {
        if (!all.contains(m))
            std::abort();
        distinct.insert(m.mountPoint);
        points << m.mountPoint;
    }
    if (distinct.size() != chosen.size())
        std::abort(); // a folder hidden by a later mount is never listed

    // Twice, as two runs of the bar: the second must give every mount its first letter.
    FakeRegistry reg;
    const QList<LetteredMount> first = AssignDriveLetters(reg, points, 1);
    const QList<LetteredMount> second = AssignDriveLetters(reg, points, 2);
    for (const QList<LetteredMount>* run : {&first, &second}) {
        QSet<QChar> letters;
        for (const LetteredMount& m : *run) {
            if (letters.contains(m.letter) || m.letter < QLatin1Char('C') || m.letter > QLatin1Char('Z'))
                std::abort();
            if ((m.letter == QLatin1Char('C')) != (m.mountPoint == QLatin1String("/")))
                std::abort();
            letters.insert(m.letter);
        }
    }
    if (first != second)
        std::abort();
    return 0;
}
