#pragma once
// What choosing a menu item can ask of the bar window and of the windows it owns. The
// item handler decides what to do; the bar carries it out.

#include <QString>

namespace parvo {

// The two views of the favourite-folder window.
enum class PvfolderView { Pvfolders, WindowsFolders };

class BarCommands {
public:
    virtual ~BarCommands() = default;

    virtual void ShowPvfolderWindow(PvfolderView view) = 0;
    // The favourite-folder window's list: 0 large icons, 1 small icons, 2 list, 3 details.
    virtual void SetPvfolderViewStyle(int style) = 0;
    // The options dialog, modal; it reads the menu key and the add request to pick its page.
    virtual void OpenOptionsDialog(bool addLinkRequest) = 0;
    // The help file, at its start page (empty topic) or at `topic` (a path inside it).
    virtual void ShowHelp(const QString& topic) = 0;
    // Asks to close the bar; its own close path asks the user first.
    virtual void CloseBar() = 0;
    // As if the GO! button had been clicked.
    virtual void ClickGo() = 0;
    virtual void Relayout() = 0;
    virtual void BuildProgramButtons() = 0;
    // Rebuilds the address-completion lists now.
    virtual void RefreshCompletion() = 0;
    // Hides or shows again the drive button of the drive whose root is `root`.
    virtual void ToggleDrive(bool hide, const QString& root) = 0;
};

} // namespace parvo
