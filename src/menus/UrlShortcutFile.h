#pragma once
// Internet shortcut files (".URL"): INI text written by Windows, whose section
// "[InternetShortcut]" holds the address as the value "URL". They reach the bar from the
// user's favourites folder, so any bytes must be taken: only a bounded prefix is read and
// text that is not UTF-8 is read in the Windows-1252 code page these files come from.

#include "settings/WindowsText.h"

#include <QByteArray>
#include <QString>

namespace parvo {

// How much of a shortcut file is read: far more than any real one needs, little enough
// that a huge or mistaken file cannot stall the bar or fill its memory.
inline constexpr qint64 kUrlFileReadLimit = 64 * 1024;

// The address of a shortcut that has none.
QString UrlNotFound();

// The value "URL" of the section "InternetShortcut" in the file's bytes, or UrlNotFound().
// Section and key names ignore letter case, blanks around them and around "=" are
// dropped, the first value found wins, and lines may end in CR LF, LF or CR. A value
// ends at the first NUL byte. When `truncated` is set the bytes are a prefix of a longer
// file, and their last, possibly cut line is not used.
QString UrlFromShortcutText(const QByteArray& bytes, bool truncated = false);

// Reads at most kUrlFileReadLimit bytes of the regular file at `path`. A file that cannot
// be read, or is no regular file (a pipe would block the bar), gives UrlNotFound().
QString ReadUrlShortcut(const QString& path);

} // namespace parvo
