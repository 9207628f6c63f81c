#pragma once
// The one handler of every menu item: it tells the item's purpose from its kind code
// (`HelpContext`) and sub-code (`Tag`), and its target from its `Hint`.

#include "menus/MenuItem.h"

#include <QString>

namespace parvo {

class BarCommands;
class Prompts;
class Shell;

// What the handler reads of the bar, and what it may change.
struct LaunchContext {
    Shell& shell;
    Prompts& prompts;
    BarCommands& bar;
    QString programFolder;
    QString BrowserCommand;
    int Explorer = 1;
    QString DisplayTitle;
    QString HomeLabel;
    QString HomeAddress;
    bool AddLinkRequest = false; // set for "add a shortcut", read by the options dialog
};

void LaunchItem(LaunchContext& ctx, const MenuItem& item);

// The text of the about box.
QString AboutText(const QString& displayTitle, const QString& homeLabel, const QString& homeAddress);

// The help topic of a help item: none for "1", the private-label page for any other.
QString HelpTopic(const QString& hint);

} // namespace parvo
