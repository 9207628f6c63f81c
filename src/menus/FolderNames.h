#pragma once
// How folder menus show names found on disk.

#include <QString>

namespace parvo {

// A name written all in capitals (as old systems stored them) is shown with only its
// first letter capital: WINDOWS → Windows, AUTOEXEC.BAT → Autoexec.bat. Any name with
// a lower-case letter is the user's own spelling and is returned unchanged.
QString CapitaliseName(const QString& name);

// The cell of the menu glyph strip for a file, chosen by the extension of its name (the
// text from the last "." of the last path component, ASCII letters compared without
// case): documents 50, web pages 6, archives 53, programs 51, sound 52, anything else 49.
int FileIconIndex(const QString& path);

} // namespace parvo
