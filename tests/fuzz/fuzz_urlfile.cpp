// Internet shortcut files come from the user's favourites folder, often copied from other
// systems: the reader must take any bytes.

#include "menus/UrlShortcutFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

using namespace parvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + QStringLiteral("/x.url");

    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (bool truncated : {false, true}) {
        const QString url = UrlFromShortcutText(bytes, truncated);
        // A value is one line, cut at its first NUL.
        if (url.contains(QLatin1Char('\r')) || url.contains(QLatin1Char('\n')) || url.contains(QChar(0)))
            std::abort();
    }
    // UTF-8 text reads back as its bytes, less a leading byte-order mark; text that is not
    // UTF-8 keeps one character per byte.
    const QString text = DecodeWindowsText(bytes);
    const QByteArray withoutBom = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    if (text.toUtf8() != withoutBom && text.size() != bytes.size())
        std::abort();

    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    f.write(bytes);
    f.close();
    if (ReadUrlShortcut(path) != UrlFromShortcutText(bytes))
        std::abort();
    return 0;
}
