#pragma once
// The addresses offered while the user types in the GO! dialog: gathered from the
// browser's typed addresses, the dialog's own history, the user's web-link list, the
// branding web links and the Internet favourites.

#include "settings/SortedTextList.h"

#include <QString>
#include <QStringList>

namespace parvo {

class Registry;

struct CompletionLists {
    SortedTextList CompletionList;   // every address offered for completion
    SortedTextList GoCompletionList; // the copy the GO! dialog's address box holds and adds to
};

// Rebuilds `completionList` from scratch: typed addresses and the history of opened
// addresses, the targets of the "www" list of `programFolder`, the web links of the
// branding file `brandingFile`, the addresses found in the favourites folder (scanned
// beforehand, off the interface thread, by FavouriteAddresses); then, for every entry
// that names no scheme and holds a "/", its host name followed by "/". Addresses lose a
// leading "http://". False when the branding web links cannot be read: the installation
// is broken and the caller ends the program.
[[nodiscard]] bool BuildCompletionList(Registry& reg, const QString& programFolder, const QString& brandingFile,
                                       const QStringList& favouriteAddresses, SortedTextList& completionList);

// BuildCompletionList into lists.CompletionList, then lists.GoCompletionList := a copy of
// it. False (and GoCompletionList left as it was) when the branding data is damaged.
[[nodiscard]] bool RefreshCompletion(Registry& reg, const QString& programFolder, const QString& brandingFile,
                                     const QStringList& favouriteAddresses, CompletionLists& lists);

// The host-name entry an address yields: its text up to and including the first "/",
// or empty when it has none to give (no "/", nothing before it, or a scheme such as
// "https:" or "ftp:" in place of a host name).
QString HostPrefix(const QString& address);

} // namespace parvo
