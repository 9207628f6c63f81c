// The help viewer walks the directory of a help file before anything else reads it: the
// walk must take any bytes, and what it accepts must be safe to hand to chmlib.

#include "ChmDirectory.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include <chm_lib.h>

using namespace parvo::chm;

namespace {

int Count(chmFile*, chmUnitInfo*, void* context)
{
    ++*static_cast<int*>(context);
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + QStringLiteral("/x.chm");

    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Also as the head of a larger file: offsets past the bytes at hand must still be caught.
    ParseDirectory(bytes, quint64(size) + 4096);
    const DirectoryResult r = ParseDirectory(bytes, quint64(size));
    if (!r.directory)
        return 0;
    for (const DirectoryEntry& e : r.directory->entries) {
        if (e.name.size() > 512 || (e.section == 0 && r.directory->contentOffset + e.offset + e.length > size))
            std::abort();
    }

    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    f.write(bytes);
    f.close();
    chmFile* h = chm_open(QFile::encodeName(path).constData());
    if (!h)
        return 0;
    int seen = 0;
    chm_enumerate(h, CHM_ENUMERATE_ALL, &Count, &seen);
    unsigned char buffer[256];
    for (const DirectoryEntry& e : r.directory->entries) {
        chmUnitInfo ui;
        if (e.section == 0 && chm_resolve_object(h, e.name.constData(), &ui) == CHM_RESOLVE_SUCCESS && ui.space == 0)
            chm_retrieve_object(h, &ui, buffer, 0, LONGINT64(std::min<quint64>(ui.length, sizeof buffer)));
    }
    chm_close(h);
    return 0;
}
