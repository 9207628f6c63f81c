#pragma once
// The two ways items enter the popup's first level: a root item made from a caption, a
// target and a kind name (the form in which the list files and the menu builders hand
// over their entries), and an item added inside one of those root items.

#include "menus/MenuItem.h"

#include <QString>
#include <QStringList>

namespace parvo {

// Appends one item to `root` (the popup's first level). `kind` sets its kind code, sub-code
// and picture: "email", "www", "efolders", "winfolders", "viewstyle", "otherz_email",
// "otherz_slinks", "app_…" (a program-shortcut menu key), or a letter with a number:
// "s<n>" web link n of the branding data, "x<n>" a fixed item, "y<n>" / "z<n>" a ticked /
// unticked drive. A hint of "|" makes a parent whose children come later through
// AddSubItem; "--" a greyed item. The kind "efolder" makes no item: the hint (a whole
// favourite-folder entry) goes to `scratchList` instead. Returns the new item, or
// nullptr for "efolder".
MenuItem* AddRootItem(MenuItem& root, const QString& caption, const QString& hint, const QString& kind,
                      QStringList* scratchList = nullptr);

// Inserts an item at the top of the root item at `rootIndex`, so that a run of calls
// lists its items in the reverse order of the calls. Its picture is a cell of the menu
// strip inside the root item 1 (the "more information" sub-menu), of the branding strip
// anywhere else.
MenuItem& AddSubItem(MenuItem& root, int rootIndex, int tag, const QString& hint, const QString& caption);

} // namespace parvo
