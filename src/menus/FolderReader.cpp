#include "menus/FolderReader.h"

#include "menus/NativePath.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace parvo {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// Only when readdir cannot tell (a link, or a file system without entry types): a link
// counts as what it points to, a broken one as a file.
bool IsFolderEntry(DIR* dir, const dirent* entry)
{
    switch (entry->d_type) {
    case DT_DIR:
        return true;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat st;
        return fstatat(dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
    }
    default:
        return false;
    }
}

bool IsDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

} // namespace

void SortLikeLocale(QStringList& names)
{
    if (names.size() < 2)
        return;
    const QLocale locale;
    QCollator collator{locale};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    // The C locale collates by code point and ignores the case setting; without a
    // language to follow, names still sort without case through their folded form.
    const bool foldFirst = locale.language() == QLocale::C;

    // One key per name, computed once: comparing keys is a byte comparison, where
    // comparing names would run the collation algorithm n log n times.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<size_t>(names.size()));
    for (const QString& name : std::as_const(names))
        keys.push_back(collator.sortKey(foldFirst ? name.toCaseFolded() : name));

    std::vector<qsizetype> order(static_cast<size_t>(names.size()));
    std::iota(order.begin(), order.end(), qsizetype{0});
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int c = keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]);
        if (c != 0)
            return c < 0;
        return names.at(a) < names.at(b);
    });

    QStringList sorted;
    sorted.reserve(names.size());
    for (qsizetype i : order)
        sorted.append(std::move(names[i]));
    names = std::move(sorted);
}

FolderLevel ReadFolderLevel(const QString& folder, bool hidden, bool withFiles)
{
    FolderLevel level;
    if (folder.isEmpty() || !folder.startsWith(QLatin1Char('/')))
        return level;

    const QByteArray native = EncodeFileName(folder);
    std::unique_ptr<DIR, DirCloser> dir(opendir(native.constData()));
    if (!dir)
        return level;
    level.readable = true;

    // readdir reports its own errors only through errno at the end of the stream; a
    // folder that vanishes or fails midway simply ends the listing where it stopped.
    while (const dirent* entry = readdir(dir.get())) {
        const char* name = entry->d_name;
        if (IsDotOrDotDot(name))
            continue;
        if (name[0] == '.' && !hidden)
            continue;
        if (entry->d_type != DT_DIR && !withFiles && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
            continue;
        if (IsFolderEntry(dir.get(), entry))
            level.folders.append(DecodeFileName(name));
        else if (withFiles)
            level.files.append(DecodeFileName(name));
    }
    SortLikeLocale(level.folders);
    SortLikeLocale(level.files);
    return level;
}

} // namespace parvo
