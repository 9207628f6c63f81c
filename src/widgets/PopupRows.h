#pragma once
// What one level of the popup menu shows and how the keyboard moves over it, worked out
// from the item records alone: which items get a row, which rows can be current, the
// text a row draws and the name type-ahead matches.

#include "menus/MenuItem.h"

#include <QChar>
#include <QString>
#include <vector>

namespace parvo::popup {

// The item indices that get a row. With line reduction, separators at the start, at the
// end and right after another shown separator are left out.
std::vector<int> visibleRows(const std::vector<MenuItem>& items, bool reduceLines);

// A separator is never current; every other row is, greyed or not.
inline bool canBeCurrent(const MenuItem& item) { return !item.isSeparator(); }
// An item the user can choose, as opposed to one that opens a sub-menu or does nothing.
inline bool isChoosable(const MenuItem& item)
{
    return item.Enabled && item.OnClick == ItemClick::Launch && !item.hasSubmenu();
}
inline bool opensSubmenu(const MenuItem& item) { return item.Enabled && item.hasSubmenu(); }

// The next row from `from` in direction `step` (+1 / -1) that can be current, wrapping
// round; `from` = -1 starts before the first row (or after the last one going up).
// -1 when no row can be current.
int stepRow(const std::vector<MenuItem>& items, const std::vector<int>& rows, int from, int step);
// The row nearest to `row` that can be current, looking first in direction `step`.
int nearestRow(const std::vector<MenuItem>& items, const std::vector<int>& rows, int row, int step);

// The single line a row draws: line breaks and tabs become spaces and, for items with a
// key letter, "&x" marks x (its position in `text` is `mnemonic`) and "&&" is "&".
struct ItemLabel {
    QString text;
    int mnemonic = -1;
};
ItemLabel itemLabel(const MenuItem& item);
// The caption with its "&" markers kept, line breaks flattened: what a text painter that
// understands key letters wants.
QString markedCaption(const MenuItem& item);

// The name typed letters are matched against: the shown caption without the "[ " of a
// folder or the "-> " of a link in front.
QString typeAheadName(const MenuItem& item);

// The row of the item whose key letter is `key` (case-insensitive), -1 when none.
int rowByMnemonic(const std::vector<MenuItem>& items, const std::vector<int>& rows, QChar key);
// The first row at or after `from` (wrapping) whose name starts with `prefix`,
// case-insensitively; -1 when none.
int rowByPrefix(const std::vector<MenuItem>& items, const std::vector<int>& rows, int from,
                const QString& prefix);

} // namespace parvo::popup
