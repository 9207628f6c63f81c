#pragma once
// The seven pages of the options dialog, one per node of its tree, and the page the
// dialog opens on for the menu that opened it.

#include "dialogs/ListPage.h"

#include <QString>
#include <optional>

namespace parvo {

enum class OptionsPage {
    s0, // main options
    s1, // drive buttons and folder menus
    s2, // program shortcuts
    s3, // web links
    s4, // e-mail addresses
    s5, // which bar buttons are shown
    s6, // how folders are opened
};
inline constexpr int OptionsPageCount = 7;

// The string-table number of the page's tree node, which is also its title.
int OptionsPageTitleId(OptionsPage page);

// The list a page edits; none for the settings pages.
std::optional<ListKind> ListOf(std::optional<OptionsPage> page);

struct OptionsOpening {
    std::optional<OptionsPage> page; // none: the menu forces no page
    bool startAdd = false;           // start adding an entry to the page's list at once
};

// Web links and e-mail addresses open on their page and add at once; a drive menu opens
// the drive page; a program button's menu opens the program page, adding only when the
// user asked to add a shortcut.
OptionsOpening OpeningFor(const QString& menuKey, bool addLinkRequest);

} // namespace parvo
