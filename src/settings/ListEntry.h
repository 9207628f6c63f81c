#pragma once
// One line of a list file: name "|" target, optionally followed by ">" and two flag
// characters (the first says whether the entry opens a sub-folder menu).

#include <QString>

namespace parvo {

// Field of a list line: 0 the name (text before the first "|", empty without "|"),
// 1 the target (after the first "|" up to the next ">"; the whole line without "|"),
// 2 the second-to-last and 3 the last character (only in lines with a ">").
// Anything that cannot be had reads "error".
QString ParseEntry(const QString& line, int index);

// True when the entry opens a sub-folder menu: its sub-menu flag is "1", or it has none.
bool EntryOpensSubmenu(const QString& line);

} // namespace parvo
