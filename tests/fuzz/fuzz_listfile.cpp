// List files come from the user's data folder and may have been edited by hand or written
// by an older version: every reader must take any bytes.

#include "settings/ListEntry.h"
#include "settings/ListFile.h"
#include "settings/ListFiles.h"
#include "settings/ShortcutList.h"
#include "settings/SortedTextList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

using namespace parvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const QString folder = dir.path() + QLatin1Char('/');
    static const bool made = QDir().mkpath(folder + QStringLiteral("data"));
    (void)made;

    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const char* name : {"www", "shortcut"}) {
        QFile f(ListFilePath(folder, QString::fromLatin1(name)));
        if (!f.open(QIODevice::WriteOnly))
            std::abort();
        f.write(bytes);
    }

    QStringList entries;
    LoadMenuList(folder, QStringLiteral("www"), entries);
    for (const QString& line : entries) {
        if (line.isEmpty())
            std::abort(); // readers stop at the first empty line
        for (int i = 0; i < 4; ++i)
            ParseEntry(line, i);
        // The target never holds the flag mark and the name never holds a "|".
        if (ParseEntry(line, 0).contains(QLatin1Char('|')))
            std::abort();
        if (line.contains(QLatin1Char('|')) && ParseEntry(line, 1).contains(QLatin1Char('>')))
            std::abort();
    }
    SortedTextList completion;
    LoadCompletionList(folder, QStringLiteral("www"), completion);
    ReadListIntoEditor(folder, QStringLiteral("www"));

    // A rewrite keeps every entry a reader saw, hidden ones included.
    const QStringList before = ReadListBody(ListFilePath(folder, QStringLiteral("shortcut")), false).value_or(QStringList());
    ReplaceShortcutName(folder, QStringLiteral("\x01no such name"), QStringLiteral("x"));
    const QStringList after = ReadListBody(ListFilePath(folder, QStringLiteral("shortcut")), false).value_or(QStringList());
    if (before != after)
        std::abort();
    return 0;
}
