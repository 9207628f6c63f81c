#pragma once
// The click of the bar's GO! and search buttons, and of the main menu's GO! item: a fresh
// GO! dialog filled from the branding data, the address list and the search history,
// shown modally, and the way it closed with carried out.

#include "dialogs/FolderNameCompletion.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace parvo {

class ImageStrip;
class Registry;
class Shell;
class SortedTextList;

// What the click reads and changes of the bar.
struct GoButtonContext {
    Registry& registry;
    Shell& shell;
    QString programFolder;
    QString BrowserCommand;
    SortedTextList& GoCompletionList;
    QStringList& SearchWordList;
    const ImageStrip& PopupImg;
    QString& MenuKey;
    LocalNames names;
    // The branding data is unusable: tell the user and end the program.
    std::function<void()> EndForDamagedData;
};

// `senderHelpContext` 5 (the search button) opens the dialog with the search box
// focused; anything else with the address box focused.
void bCompClick(GoButtonContext& ctx, int senderHelpContext);

} // namespace parvo
