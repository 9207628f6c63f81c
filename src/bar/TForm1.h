#pragma once
// The bar window. It owns the live settings, the shared lists and the branding pictures,
// and builds itself in a fixed order at start-up.

#include "app/BrandingPictures.h"
#include "bar/BarLayout.h"
#include "bar/TAppBar.h"
#include "dialogs/LiveBar.h"
#include "dialogs/DropOperation.h"
#include "menus/BarCommands.h"
#include "menus/CompletionList.h"
#include "menus/Favourites.h"
#include "menus/FolderMenu.h"
#include "platform/Registry.h"
#include "settings/BarSettings.h"
#include "settings/FirstRunSetup.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace parvo {

class Registry;
class ShellLinks;
class MessagePrompts;
class BarPanels;
class DriveButtons;
class Drives;
class Shell;
struct DriveInfo;
class HintWindow;
class ProgramStrip;
class TCoolTrayIcon;
class TBcBarPopupMenu;
class TFavsThread;
class MenuReads;
class TZip;
class FileOpsWindow;
class TPvfolder;
class TDropFileTarget;
class ProgramDropQueue;
struct DroppedPrograms;
class HelpViewerLibrary;
class HtmlHelpLoader;
struct MenuItem;

// What the bar needs of the system, handed in by the program entry.
struct BarServices {
    Registry& registry;
    ShellLinks& links;
    MessagePrompts& prompts;
    QString programFolder; // the executable's folder: branding files, help file, engines
    std::function<TextEditorChoice()> findTextEditor; // for the first run's editor button
    DesktopBar& desktop;                     // docking to a screen edge
    Drives& drives;                          // the drive strip's drives
    Shell& shell;                            // opening folders, programs and addresses
    // Where the user's lists (data/) and program shortcuts (links/) live: the program
    // folder on a portable copy, the user's data folder on a system install. Empty: the
    // program folder.
    QString listsFolder = {};

    // The folder that holds data/ and links/.
    const QString& ListsFolder() const { return listsFolder.isEmpty() ? programFolder : listsFolder; }
};

class TForm1 : public TAppBar, private BarCommands, private LiveBar {
    Q_OBJECT
public:
    explicit TForm1(BarServices services);
    ~TForm1() override;

    // Builds the bar. False when the branding data is unusable: the user has been told
    // and the program must end.
    bool FormCreate();

    // Shows the running bar to a user who started the program again.
    void ShowRunningInstance();

    // Lays the bar out again after its contents changed (options, drops, hidden drives).
    void Relayout() override;
    // Rebuilds the program strip from the shortcut list.
    void BuildProgramButtons() override;
    // The bar's one shared popup menu; rebuilt from `MenuKey` at every opening.
    TBcBarPopupMenu* popup_myfolders = nullptr;
    // Rebuilds the address-completion lists (also run once, shortly after start-up).
    void RefreshCompletion() override;

    // The switches the options dialog turns while the bar runs, each applied at once.
    LiveBar& Live() { return *this; }
    // Drops the shared popup, built for the current `MenuKey`, at a screen point.
    void DropMenu(const QPoint& globalTopLeft);
    // What menu items and the bar's other windows ask of the bar.
    BarCommands& Commands() { return *this; }
    // The favourite-folder window, made hidden the first time it is asked for (nothing
    // shows it before that) and kept from then on.
    std::unique_ptr<TPvfolder> Pvfolder;
    TPvfolder& PvfolderWindow();

    // True once everything start-up leaves until after the bar's first painting is done:
    // the tray icon, the first run's lists and shortcut, the one write of the settings, and
    // the program buttons read.
    bool StartupCompleted() const;

    // Files dropped on the bar: the program area makes them program buttons, a drive
    // button or GO! opens the copy / move dialog for them.
    TDropFileTarget* DropFile2 = nullptr;
    // Where the drag is: "links_apps", "go" or a drive's root; after the copy / move
    // dialog, the folder it confirmed.
    QString DropKey;
    // Set while the copy / move dialog is opened from a drop on the bar (clear: from the
    // favourite-folder window).
    bool DropFromBar = false;
    // The bar's one zip wrapper.
    TZip* Zip1 = nullptr;
    // What the copy / move dialog and the drop procedure use of the program (the drop
    // handlers of the bar and of the Pvfolder window hand it to TCopMovDlg).
    DropServices CopMovServices();

    // Live state read by the rest of the program.
    BarSettings Settings;
    QString DisplayTitle;
    QString WebAddress;
    bool HasWebAddress = false;
    QString HomeLabel;
    QString HomeAddress;
    QColor AccentColor;
    QColor BarColor;
    QColor FontColor;
    std::optional<BrandingPictures> Pictures;
    QList<QPixmap> FolderListImages; // the copy / move dialog's folder pictures
    QString MenuKey;
    QString BrowserCommand;
    QStringList WinFolderList;
    QStringList ProgramNames;
    CompletionLists Completion;   // CompletionList and the GO! dialog's copy
    QStringList SearchWordList;   // the search history, loaded when the GO! dialog opens
    FavouritesData Favourites;    // the last scan of the Internet favourites
    int PvfolderViewStyle = 0;    // the favourite-folder window's list view, 0 to 3
    bool AddLinkRequest = false;  // the options dialog opened to add a program shortcut
    int ScrollOffset = 0;
    int ScrollStep = 22;
    bool StartingUp = true;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void FormResize() override;
    void PlacementChanged() override;

private:
    void FatalDataError();
    // The branding data went bad while the bar ran: the user is told and the program ends.
    void EndForDamagedData();
    void LoadSettings();
    void CreateChildren();
    void ConnectHints();
    void ShowButtonHint(QWidget* control, const QString& text);
    void HideButtonHint();
    void bScrLeftClick();
    void Url1Click();
    // The GO! and search buttons; 5 is the search button's help context.
    void bCompClick(int senderHelpContext);
    void ShowDriveMenu(const DriveInfo& drive, const QPoint& at);
    void bScrRightClick();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void FormDestroy();
    // The part of start-up the first painting does not need, run right after it.
    void CompleteStartup();
    void StartFirstRun();
    void EndStartupWrites();
    void SavePlacementSoon();

    void DropFile2Enter();
    Qt::DropAction DropFile2DragOver(QPoint point, Qt::DropAction proposed);
    void DropFile2Leave();
    void DropFile2Drop(Qt::DropAction effect);
    void ClearDropHover();
    void ProgramsDropped(const DroppedPrograms& dropped);

    // The shared popup.
    void PopupFrom(const QPoint& at, bool fromTray);
    void popup_myfoldersPopup();
    void popup_myfoldersBeforeDrawBar();
    void ExpandItem(MenuItem& item);
    void LaunchItem(const MenuItem& item);

    // What menu items ask of the bar.
    void ShowPvfolderWindow(PvfolderView view) override;
    void SetPvfolderViewStyle(int style) override;
    void OpenOptionsDialog(bool addLinkRequest) override;
    void ShowHelp(const QString& topic) override;
    void CloseBar() override;
    void ClickGo() override;
    void ToggleDrive(bool hide, const QString& root) override;

    // What the options dialog changes on the running bar.
    BarSettings& LiveSettings() override { return Settings; }
    void SetAlwaysOnTop(bool on) override;
    bool SetAutoHide(bool on) override;
    void SetTrayIconVisible(bool visible) override;
    void SetButtonVisible(FixedButton button, bool visible) override;
    void SetDriveFont(int pointSize, bool bold) override;

    BarServices services_;
    bool created_ = false;
    bool startupQueued_ = false;
    bool startupCompleted_ = false;
    bool firstRunPending_ = false;
    // The settings start-up writes (a first run's defaults) go to the disk in one write,
    // after the first painting.
    std::optional<RegistryUpdate> startupWrites_;
    BarPanels* panels_ = nullptr;
    ProgramStrip* a4_ = nullptr;
    DriveButtons* driveButtons_ = nullptr;
    HintWindow* HintWindow_ = nullptr;
    TCoolTrayIcon* eTray = nullptr;
    std::optional<BarLayout> layout_;
    FolderMenuState folderMenus_;
    MenuReads* menuReads_ = nullptr; // the popup's folder and favourites reads
    bool popupFromTray_ = false;
    TFavsThread* favsThread_ = nullptr;
    ProgramDropQueue* programDrops_ = nullptr;
    Qt::DropAction dropEffect_ = Qt::IgnoreAction;
    std::unique_ptr<FileOpsWindow> fileOps_;
    std::unique_ptr<HelpViewerLibrary> helpViewer_;
    std::unique_ptr<HtmlHelpLoader> HtmlHelp_; // loads the help viewer on first use
    // Placement is saved a moment after it changes, once for a burst of changes (a drag
    // lays the bar out many times), so that a crash or a lost display keeps it.
    QTimer placementSave_;
};

} // namespace parvo
