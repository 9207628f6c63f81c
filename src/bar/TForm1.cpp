#include "bar/TForm1.h"

#include "app/BrandingFile.h"
#include "app/DataFilePath.h"
#include "app/StringTable.h"
#include "bar/BarPanels.h"
#include "bar/DriveButtons.h"
#include "bar/DriveContextMenu.h"
#include "bar/AppBarGeometry.h"
#include "bar/DriveList.h"
#include "bar/FloatingPlacement.h"
#include "dialogs/GoButtonClick.h"
#include "help/HelpViewerLibrary.h"
#include "help/HtmlHelpLoader.h"
#include "menus/GoDispatch.h"
#include "menus/Launch.h"
#include "menus/LaunchItem.h"
#include "menus/MenuReads.h"
#include "menus/OffThread.h"
#include "menus/PopupMenu.h"
#include "menus/TFavsThread.h"
#include "platform/Drives.h"
#include "platform/Shell.h"
#include "bar/ButtonHints.h"
#include "bar/DriveStripLayout.h"
#include "bar/BarDropHitTest.h"
#include "bar/ProgramDropQueue.h"
#include "bar/ProgramStrip.h"
#include "dialogs/OptionSwitches.h"
#include "dialogs/TOptionsDlg.h"
#include "dialogs/TCopMovDlg.h"
#include "dialogs/TPvfolder.h"
#include "widgets/HintWindow.h"
#include "widgets/TBcBarPopupMenu.h"
#include "widgets/TCoolTrayIcon.h"
#include "widgets/TPlumBut.h"
#include "platform/Registry.h"
#include "settings/FirstRunSetup.h"
#include "settings/SettingsStore.h"
#include "settings/ShortcutList.h"
#include "settings/SystemLocations.h"
#include "widgets/FileOpsWindow.h"
#include "widgets/MessagePrompts.h"
#include "zip/TProgressForm.h"
#include "zip/TZip.h"
#include "widgets/ProgramBitmaps.h"
#include "widgets/TDropFileTarget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QPainter>

namespace parvo {

namespace {

// The rest of start-up runs after the first painting, or this long after the bar was
// made should it never be painted.
constexpr int kCompleteStartupLatestMs = 2000;
// The settings the start-up changed are stored by then at the latest.
constexpr int kStartupWritesLatestMs = 3000;
constexpr int PlacementSaveDelayMs = 250;

// Colours are stored with red in the low byte, as the branding data has always held them.
QColor FromStoredColour(int value)
{
    const auto v = static_cast<quint32>(value);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

} // namespace

TForm1::TForm1(BarServices services)
    : TAppBar(Settings, services.desktop, services.prompts)
    , services_(std::move(services))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    placementSave_.setSingleShot(true);
    placementSave_.setInterval(PlacementSaveDelayMs);
    connect(&placementSave_, &QTimer::timeout, this, [this] { SaveBarPlacement(services_.registry, Settings); });
    CreateChildren();
}

void TForm1::CreateChildren()
{
    panels_ = new BarPanels(this);
    a4_ = new ProgramStrip(services_.links, panels_->a4m);
    driveButtons_ = new DriveButtons(panels_->a2);
    panels_->a4m->setMouseTracking(true);
    panels_->a4m->installEventFilter(this);
    HintWindow_ = new HintWindow();
    eTray = new TCoolTrayIcon(this);
    popup_myfolders = new TBcBarPopupMenu(this);
    Zip1 = new TZip({services_.prompts, &services_.drives, services_.programFolder,
                     [this](std::function<void()> cancel) { return TProgressForm::Create(this, DisplayTitle, std::move(cancel)); }},
                    this);
    fileOps_ = std::make_unique<FileOpsWindow>(services_.prompts, this);
    popup_myfolders->OnPopup = [this] { popup_myfoldersPopup(); };
    popup_myfolders->OnBeforeDrawBar = [this] { popup_myfoldersBeforeDrawBar(); };
    popup_myfolders->OnExpand = [this](MenuItem& item) { ExpandItem(item); };
    popup_myfolders->OnChoose = [this](const MenuItem& item) { LaunchItem(item); };
    // A folder fill of thousands of items brings the open levels up to date once.
    folderMenus_.BeginUpdate = [this] { popup_myfolders->BeginUpdate(); };
    folderMenus_.EndUpdate = [this] { popup_myfolders->EndUpdate(); };
    // Folders and favourites are read off this thread; their levels wait for them a moment.
    MenuReads::Popup readsPopup;
    readsPopup.root = [this]() -> MenuItem& { return popup_myfolders->Items(); };
    readsPopup.beginUpdate = folderMenus_.BeginUpdate;
    readsPopup.endUpdate = folderMenus_.EndUpdate;
    readsPopup.holdOpening = [this](int ms) { popup_myfolders->HoldOpening(ms); };
    readsPopup.releaseOpening = [this] { popup_myfolders->ReleaseOpening(); };
    menuReads_ = new MenuReads(std::move(readsPopup), this);

    connect(panels_->bScrLeft, &TPlumBut::clicked, this, &TForm1::bScrLeftClick);
    connect(panels_->bScrRight, &TPlumBut::clicked, this, &TForm1::bScrRightClick);
    connect(eTray, &TCoolTrayIcon::menuRequested, this, [this](const QPoint& at) { PopupFrom(at, true); });
    connect(a4_, &ProgramStrip::entered, this, [this](const QString& path, const QString& name, QWidget* button) {
        MenuKey = ProgramButtonMenuKey(path);
        ShowButtonHint(button, name);
    });
    // The shortcut files and icons come in off the interface thread: the strip changes length then.
    connect(a4_, &ProgramStrip::built, this, &TForm1::Relayout);
    connect(a4_, &ProgramStrip::left, this, &TForm1::HideButtonHint);
    connect(a4_, &ProgramStrip::clicked, this, [this](const QString& path) { ShellRun(services_.shell, path); });
    connect(driveButtons_, &DriveButtons::entered, this, [this](const DriveInfo& drive, QWidget* button) {
        MenuKey = DriveMenuKey(drive);
        ShowButtonHint(button, DriveButtonHint(drive));
    });
    connect(driveButtons_, &DriveButtons::left, this, &TForm1::HideButtonHint);
    connect(driveButtons_, &DriveButtons::clicked, this, [this](const DriveInfo& drive) {
        OpenFolder(services_.shell, services_.prompts, Settings.Explorer, DriveMenuKey(drive));
    });
    connect(driveButtons_, &DriveButtons::menuRequested, this, &TForm1::DropMenu);
    connect(driveButtons_, &DriveButtons::rightClicked, this, &TForm1::ShowDriveMenu);
    connect(panels_, &BarPanels::webLabelClicked, this, &TForm1::Url1Click);
    connect(panels_->bComp, &TPlumBut::clicked, this, [this] { bCompClick(0); });
    connect(panels_->bCompSearch, &TPlumBut::clicked, this, [this] { bCompClick(SearchButtonHelpContext); });
    connect(a4_, &ProgramStrip::rightClicked, this, [this](const QString&, const QPoint& at) { DropMenu(at); });
    ConnectHints();

    DropFile2 = new TDropFileTarget(this);
    DropFile2->OnEnter = [this] { DropFile2Enter(); };
    DropFile2->OnDragOver = [this](QPoint p, Qt::DropAction proposed) { return DropFile2DragOver(p, proposed); };
    DropFile2->OnLeave = [this] { DropFile2Leave(); };
    DropFile2->OnDrop = [this](Qt::DropAction effect) { DropFile2Drop(effect); };
    programDrops_ = new ProgramDropQueue(services_.links, services_.ListsFolder(), this);
    connect(programDrops_, &ProgramDropQueue::finished, this, &TForm1::ProgramsDropped);
}

void TForm1::ConnectHints()
{
    for (const auto& [button, id] : panels_->fixedButtons()) {
        const FixedButton which = id;
        TPlumBut* b = button;
        connect(b, &TPlumBut::entered, this, [this, which, b] {
            if (const auto key = HoverMenuKey(which))
                MenuKey = *key;
            ShowButtonHint(b, Str(HintStringId(which)));
        });
        connect(b, &TPlumBut::left, this, &TForm1::HideButtonHint);
        connect(b, &TPlumBut::menuRequested, this, &TForm1::DropMenu);
    }
}

void TForm1::ShowButtonHint(QWidget* control, const QString& text)
{
    if (text.isEmpty())
        return;
    const QRect onScreen(control->mapToGlobal(QPoint(0, 0)), control->size());
    const QScreen* screen = control->screen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1 << 15, 1 << 15);
    HintWindow_->showAt(text, PlaceHintWindow(onScreen, HintWindow_->measure(text, HintMaxWidth), area));
}

void TForm1::HideButtonHint()
{
    HintWindow_->hide();
}

void TForm1::DropMenu(const QPoint& globalTopLeft)
{
    PopupFrom(globalTopLeft, false);
}

void TForm1::PopupFrom(const QPoint& at, bool fromTray)
{
    HideButtonHint();
    popupFromTray_ = fromTray;
    popup_myfolders->Title = fromTray ? QStringLiteral("Normal") : MenuKey;
    popup_myfolders->popup(at);
}

void TForm1::popup_myfoldersPopup()
{
    PopupRequest request;
    PopupSources& src = request.sources;
    src.MenuKey = MenuKey;
    src.DisplayTitle = DisplayTitle;
    src.HomeLabel = HomeLabel;
    src.HomeAddress = HomeAddress;
    src.Drives = services_.drives.list();
    src.ExceptDrives = Settings.ExceptDrives;
    src.programFolder = services_.ListsFolder();
    src.PvfolderViewStyle = PvfolderViewStyle;
    request.fromTray = popupFromTray_;
    folderMenus_.WinFolderList = WinFolderList;
    folderMenus_.programFolder = services_.ListsFolder();
    folderMenus_.Drives_subfolders = Settings.Drives_subfolders;
    folderMenus_.Drives_files = Settings.Drives_files;
    folderMenus_.Drives_hidden = Settings.Drives_hidden;
    folderMenus_.Drives_fullimages = Settings.Drives_fullimages;
    request.folders = &folderMenus_;
    request.registry = &services_.registry;
    request.favourites = &Favourites;
    request.reads = menuReads_;
    const QString data = DataFilePath(0, services_.programFolder);
    request.readWebLinks = [data] { return ReadWebLinks(data); };
    if (parvo::popup_myfoldersPopup(popup_myfolders->Items(), request) == PopupOutcome::DamagedBranding) {
        popup_myfolders->Items().children.clear();
        EndForDamagedData();
    }
}

void TForm1::popup_myfoldersBeforeDrawBar()
{
    // The caption follows the key alone, also when the tray opened the main menu.
    popup_myfolders->SideBarCaption = SideBarCaption(MenuKey, DisplayTitle);
    popup_myfolders->CaptionColor = QColor(0xFF, 0xFF, 0xFF);
    popup_myfolders->GradientEnd = AccentColor;
    popup_myfolders->SeparatorFade = true;
    popup_myfolders->FadeWidth = 40;
}

void TForm1::ExpandItem(MenuItem& item)
{
    folderMenus_.RootBuild = false;
    if (const auto read = ExpandFolderItem(folderMenus_, popup_myfolders->Items(), &item))
        ReadFolderLater(*menuReads_, item, *read);
}

void TForm1::LaunchItem(const MenuItem& item)
{
    LaunchContext ctx{services_.shell, services_.prompts, *this, services_.ListsFolder(), BrowserCommand,
                      Settings.Explorer, DisplayTitle, HomeLabel, HomeAddress, AddLinkRequest};
    parvo::LaunchItem(ctx, item);
    AddLinkRequest = ctx.AddLinkRequest;
}

void TForm1::RefreshCompletion()
{
    // The favourites folder is scanned off this thread; the lists are rebuilt here once
    // its addresses are in.
    const QString favourites = FavouritesFolder(services_.registry);
    RunOffThread<QStringList>(
        this, [favourites] { return favourites.isEmpty() ? QStringList() : FavouriteAddresses(favourites); },
        [this](const QStringList& addresses) {
            const QString data = DataFilePath(0, services_.programFolder);
            if (!parvo::RefreshCompletion(services_.registry, services_.ListsFolder(), data, addresses, Completion))
                EndForDamagedData();
        });
}

TPvfolder& TForm1::PvfolderWindow()
{
    if (!Pvfolder) {
        Pvfolder = std::make_unique<TPvfolder>(*this, services_);
        Pvfolder->FormCreate();
    }
    return *Pvfolder;
}

void TForm1::ShowPvfolderWindow(PvfolderView view)
{
    PvfolderWindow().ShowPvfolderWindow(view);
}

void TForm1::SetPvfolderViewStyle(int style)
{
    if (Pvfolder)
        Pvfolder->SetViewStyle(style);
    else
        PvfolderViewStyle = style;
}

void TForm1::OpenOptionsDialog(bool)
{
    HideButtonHint();
    OptionsDialogServices s(services_.registry, *this, services_.prompts, services_.links, services_.shell);
    s.programFolder = services_.programFolder;
    s.executablePath = QCoreApplication::applicationFilePath();
    s.DisplayTitle = DisplayTitle;
    s.WebAddress = HasWebAddress ? WebAddress : QString();
    s.MenuKey = MenuKey;
    s.AddLinkRequest = AddLinkRequest;
    if (Pictures)
        s.PopupImg = Pictures->PopupImg;
    s.BarColor = BarColor;
    s.FontColor = FontColor;
    s.setMenuKey = [this](const QString& key) { MenuKey = key; };
    s.dropMenu = [this](const QPoint& at) { DropMenu(at); };
    TOptionsDlg dialog(std::move(s));
    dialog.exec();
}

void TForm1::SetAlwaysOnTop(bool on)
{
    Settings.AlwaysOnTop = on;
    ReapplyEdge();
}

bool TForm1::SetAutoHide(bool on)
{
    Settings.AutoHide = on;
    ReapplyEdge(); // refused when another bar hides at this edge
    return Settings.AutoHide == on;
}

void TForm1::SetTrayIconVisible(bool visible)
{
    Settings.TrayIconVisible = visible;
    eTray->setVisible(visible);
}

void TForm1::SetButtonVisible(FixedButton button, bool visible)
{
    for (const OptionalBarButton& b : OptionalBarButtons()) {
        if (b.button == button)
            Settings.*b.shown = visible;
    }
    Relayout();
}

void TForm1::SetDriveFont(int pointSize, bool bold)
{
    Settings.DriveFontSize = pointSize;
    Settings.DriveFontBold = bold;
    driveButtons_->setDriveFont(pointSize, bold);
}

void TForm1::ShowHelp(const QString& topic)
{
    if (!HtmlHelp_) {
        helpViewer_ = std::make_unique<HelpViewerLibrary>(services_.programFolder);
        HtmlHelp_ = std::make_unique<HtmlHelpLoader>([this] { return helpViewer_->findEntry(); }, services_.prompts,
                                                     services_.shell);
    }
    // Owned by the desktop, as every help request is: the viewer stays when the bar hides.
    (*HtmlHelp_)(0, HelpAddress(DataFilePath(20, services_.programFolder), topic));
}

void TForm1::ClickGo()
{
    bCompClick(0);
}

void TForm1::bCompClick(int senderHelpContext)
{
    if (!Pictures)
        return;
    HideButtonHint();
    GoButtonContext ctx{services_.registry,
                        services_.shell,
                        services_.programFolder,
                        BrowserCommand,
                        Completion.GoCompletionList,
                        SearchWordList,
                        Pictures->PopupImg,
                        MenuKey,
                        LocalNames{services_.drives.list(), QDir::homePath()},
                        [this] { EndForDamagedData(); }};
    parvo::bCompClick(ctx, senderHelpContext);
}

void TForm1::CloseBar()
{
    close();
}

void TForm1::ToggleDrive(bool hide, const QString& root)
{
    if (parvo::ToggleDrive(services_.registry, Settings, services_.drives.list(), hide, root))
        Relayout();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panels_->a4m && event->type() == QEvent::MouseMove)
        MenuKey = ProgramViewportMenuKey();
    // A right click on the free part of the program area offers to add a shortcut.
    if (watched == panels_->a4m && event->type() == QEvent::ContextMenu) {
        MenuKey = ProgramViewportMenuKey();
        DropMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Drops.

void TForm1::DropFile2Enter()
{
    HoldShownForDrag(true);
}

Qt::DropAction TForm1::DropFile2DragOver(QPoint point, Qt::DropAction proposed)
{
    if (!layout_)
        return dropEffect_;
    QStringList roots;
    for (const DriveInfo& drive : driveButtons_->drives())
        roots.append(DriveMenuKey(drive));
    const auto hit = BarDropHitTest(Edge(), point, *layout_, Settings.Layout, Settings.ClickLayout, roots);
    if (!hit)
        return dropEffect_; // a bar at no edge: nothing changes
    panels_->bComp->setHovered(hit->target == DropTarget::Go);
    driveButtons_->setDropHover(hit->target == DropTarget::Drive ? hit->driveIndex : -1);
    switch (hit->target) {
    case DropTarget::None:
        dropEffect_ = Qt::IgnoreAction;
        break;
    case DropTarget::Programs:
        DropKey = hit->DropKey;
        dropEffect_ = Qt::LinkAction;
        break;
    case DropTarget::Go:
    case DropTarget::Drive:
        DropKey = hit->DropKey;
        dropEffect_ = proposed == Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction;
        break;
    }
    return dropEffect_;
}

void TForm1::ClearDropHover()
{
    panels_->bComp->setHovered(false);
    driveButtons_->setDropHover(-1);
}

void TForm1::DropFile2Leave()
{
    ClearDropHover();
    HoldShownForDrag(false);
}

void TForm1::DropFile2Drop(Qt::DropAction effect)
{
    ClearDropHover();
    HoldShownForDrag(false);
    if (DropKey == QLatin1String(DropKeyPrograms)) {
        programDrops_->add(DropFile2->Files);
        return;
    }
    // A drive or GO!: what to do with the files, and where, is asked first.
    raise();
    activateWindow();
    DropFromBar = true;
    const DroppedFiles drop{DropFile2->Files, DropFile2->MappedNames};
    TCopMovDlg dialog(CopMovServices(), drop, this);
    dialog.Prepare(int(drop.Files.size()), effect == Qt::MoveAction,
                   DropKey == QLatin1String(DropKeyGo) ? QString() : DropKey);
    if (dialog.exec() == QDialog::Accepted)
        ExecuteDropOperation(dialog, drop, DropKey);
}

void TForm1::ProgramsDropped(const DroppedPrograms& dropped)
{
    // Thousands of failures make one message, not thousands of boxes.
    if (!dropped.errors.isEmpty())
        services_.prompts.error(QStringList(dropped.errors.mid(0, 10)).join(QLatin1Char('\n')));
    if (dropped.names.isEmpty())
        return;
    AppendShortcutNames(services_.ListsFolder(), dropped.names);
    BuildProgramButtons();
    Relayout();
}

void TForm1::Url1Click()
{
    OpenInBrowser(services_.shell, BrowserCommand, HomeAddress);
}

void TForm1::ShowDriveMenu(const DriveInfo& drive, const QPoint& at)
{
    HideButtonHint();
    // Opened without a loop of its own: this runs inside the drive button's press, and
    // what the menu does may rebuild the strip, that button too.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto addItems = [this, menu, drive](const QList<DriveContextItem>& items) {
        // Only the items the menu does not have yet: those without the space come first.
        for (qsizetype i = menu->actions().size(); i < items.size(); ++i) {
            const DriveContextItem& item = items[i];
            if (item.action == DriveMenuAction::Separator) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(item.caption);
            action->setEnabled(item.enabled);
            const DriveMenuAction what = item.action;
            connect(action, &QAction::triggered, this, [this, what, drive] {
                RunDriveMenuAction(what, drive, services_.shell, services_.drives, services_.prompts, Settings.Explorer,
                                   [this](bool) { Relayout(); }); // an ejected drive leaves the strip
            });
        }
    };
    addItems(DriveContextMenu(drive, std::nullopt));
    // The free space is read off this thread (a drive that does not answer must not freeze
    // the bar). The menu waits a moment for it, so that it normally opens whole; a slower
    // answer adds its line to the open menu.
    auto opened = std::make_shared<bool>(false);
    const auto open = [menu, at, opened] {
        if (!std::exchange(*opened, true))
            menu->popup(at);
    };
    Drives& drives = services_.drives;
    const QString root = drive.root;
    RunOffThread<std::optional<DriveSpace>>(
        menu, [&drives, root] { return drives.space(root); },
        [addItems, open, drive](const std::optional<DriveSpace>& space) {
            addItems(DriveContextMenu(drive, space));
            open();
        });
    QTimer::singleShot(MenuReads::kHoldMs, menu, open);
}

void TForm1::bScrLeftClick()
{
    if (!layout_)
        return;
    layout_->scroll.bScrLeftClick();
    a4_->setGeometry(layout_->ScrolledProgramStrip());
    panels_->applyScroll(*layout_);
}

void TForm1::bScrRightClick()
{
    if (!layout_)
        return;
    layout_->scroll.bScrRightClick();
    a4_->setGeometry(layout_->ScrolledProgramStrip());
    panels_->applyScroll(*layout_);
}

TForm1::~TForm1()
{
    if (created_)
        FormDestroy();
}

bool TForm1::FormCreate()
{
    StartingUp = true;

    // A stand-alone favourite-folder program of older versions is no longer used.
    const QString oldProgram = DataFilePath(10, services_.programFolder);
    if (QFile::exists(oldProgram))
        QFile::remove(oldProgram);

    const QString data = DataFilePath(0, services_.programFolder);
    QString title;
    ReadTitleAndAddress(data, title, WebAddress);
    DisplayTitle = title.isEmpty() ? QApplication::applicationName() : title;
    setWindowTitle(DisplayTitle);
    services_.prompts.setCaption(DisplayTitle);

    ReadHome(data, HomeLabel, HomeAddress);
    HasWebAddress = !WebAddress.isEmpty() && WebAddress != QLatin1String("-");

    // The web links double as the check that the branding data is whole.
    if (!ReadWebLinks(data)) {
        FatalDataError();
        return false;
    }

    Pictures = LoadBrandingPictures(services_.programFolder);
    if (!Pictures) {
        FatalDataError();
        return false;
    }
    AccentColor = FromStoredColour(ReadColour(data, 3));
    BarColor = FromStoredColour(ReadColour(data, 1));
    FontColor = FromStoredColour(ReadColour(data, 2));
    panels_->setPictures(Pictures->PopupImg, Pictures->SponsorImg2.cell(0), Pictures->SponsorImg3.cell(0));
    panels_->setBarColors(BarColor, FontColor);
    a4_->setBarColors(BarColor, FontColor);
    driveButtons_->setBarColors(BarColor, FontColor);
    if (HasWebAddress)
        panels_->setWebLabel(WebAddress, HomeAddress);
    popup_myfolders->setImages(Pictures->PopupImg, Pictures->SponsorImg);
    popup_myfolders->GradientEnd = AccentColor;
    eTray->setHint(DisplayTitle);

    // Docking: 28 high at the top or bottom, 36 wide at the sides, not resizable there.
    HorzSizeInc = 0;
    VertSizeInc = 0;
    HorzDockSize = 28;
    VertDockSize = 36;

    // Whatever start-up writes to the settings is stored once, after the first painting.
    startupWrites_.emplace(services_.registry);
    LoadSettings();
    SetDriveFont(Settings.DriveFontSize, Settings.DriveFontBold);
    // The tray icon follows its setting once the bar is painted (CompleteStartup).

    // A stored place off every screen, or an unusable width, must not lose the bar.
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens.append(s->geometry());
    const QRect floating = VisibleFloatingRect(
        QRect(Settings.FloatLeft, Settings.FloatTop, Settings.BarWidth, 22 + FloatFrameHeight), screens);
    Settings.FloatLeft = floating.left();
    Settings.FloatTop = floating.top();
    Settings.BarWidth = floating.width();
    Settings.FloatRight = Settings.FloatLeft + Settings.BarWidth;
    Settings.FloatBottom = Settings.FloatTop + 46;
    if (Settings.Edge == abeFloat)
        resize(Settings.BarWidth, 22);
    AppBarCreated();

    MenuKey.clear();
    // A first run makes the shortcut list after the first painting; until then the strip
    // stays empty.
    firstRunPending_ = FirstLoadPending(services_.registry);
    if (!firstRunPending_)
        BuildProgramButtons();
    ScrollOffset = 0;
    ScrollStep = 22;
    StartingUp = false;
    created_ = true;
    // Last, at idle priority, so that nothing it reads delays the bar's first appearance.
    favsThread_ = new TFavsThread(this, [this] { RefreshCompletion(); });
    favsThread_->startIdle();
    // Should the bar never be painted, the rest of start-up still happens.
    QTimer::singleShot(kCompleteStartupLatestMs, this, &TForm1::CompleteStartup);
    return true;
}

bool TForm1::StartupCompleted() const
{
    return startupCompleted_ && !firstRunPending_ && !a4_->isReading();
}

void TForm1::CompleteStartup()
{
    if (startupCompleted_ || !created_)
        return;
    startupCompleted_ = true;
    Registry& reg = services_.registry;
    const auto trayIcon = LoadTrayIcon(services_.programFolder);
    if (!trayIcon) {
        EndForDamagedData();
        return;
    }
    Pictures->TrayIcon = *trayIcon;
    // The window manager reads the window's icon as it maps the bar; the bar has no task-bar
    // entry to show it in, so it can come after.
    setWindowIcon(*trayIcon);
    eTray->setIcon(*trayIcon);
    // The tray icon is looked for on the session bus; only showing it makes that connection.
    eTray->setVisible(Settings.TrayIconVisible);
    BrowserCommand = FindDefaultBrowser(reg);
    LoadWindowsFolders(reg, WinFolderList);
    FolderListImages = BuildFolderListImages();
    // Stored as soon as the favourite-folder window's placement exists, though the window
    // itself is only made when it is first shown.
    EnsurePvfolderDefaults(reg);
    if (firstRunPending_)
        StartFirstRun();
    else
        EndStartupWrites();
}

void TForm1::StartFirstRun()
{
    // Looking for the text editor reads the desktop's application database and the
    // program path, so it runs off this thread; the lists and the shortcut are written
    // here, as every list is.
    const QString shortcuts = ShortcutListPath(services_.ListsFolder());
    const auto find = services_.findTextEditor;
    RunOffThread<TextEditorChoice>(
        this, [shortcuts, find] { return QFileInfo::exists(shortcuts) || !find ? TextEditorChoice() : find(); },
        [this](const TextEditorChoice& editor) {
            FirstRunEnvironment env;
            env.programFolder = services_.ListsFolder();
            env.links = &services_.links;
            env.findTextEditor = [editor] { return editor; };
            env.winFolderList = WinFolderList;
            RunFirstLoad(services_.registry, env);
            EndStartupWrites();
            firstRunPending_ = false;
            BuildProgramButtons();
            Relayout();
        });
    // A search that does not end (a program folder on a mount that does not answer) does
    // not hold back the settings any longer than this.
    QTimer::singleShot(kStartupWritesLatestMs, this, &TForm1::EndStartupWrites);
}

void TForm1::EndStartupWrites()
{
    startupWrites_.reset();
}

void TForm1::FatalDataError()
{
    services_.prompts.error(Str(100) + QLatin1Char(' ') + Str(101));
}

void TForm1::EndForDamagedData()
{
    FatalDataError();
    // The event loop ends once the running handler returns; the placement is still saved.
    QCoreApplication::exit(1);
}

void TForm1::LoadSettings()
{
    // The default browser and the special folders are read once the bar is painted; the
    // first run's setup waits for them.
    Registry& reg = services_.registry;
    Settings.ExceptDrives.clear();
    EnsureBarDefaults(reg);
    LoadBarSettings(reg, Settings);
    EnsureOptionDefaults(reg);
    LoadOptions(reg, Settings);
}

void TForm1::BuildProgramButtons()
{
    ConvertLegacyLinksFile(services_.ListsFolder(), services_.links);
    EnsureShortcutList(services_.ListsFolder());
    ProgramNames = ReadShortcutNames(services_.ListsFolder());
    a4_->BuildProgramButtons(services_.ListsFolder(), ProgramNames);
}

void TForm1::Relayout()
{
    FormResize();
}

void TForm1::ShowRunningInstance()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    const QString text = Str(40) + QStringLiteral("\n\r\n\r") + Str(41);
    if (services_.prompts.askYesNo(text) == PromptAnswer::Yes)
        event->accept();
    else
        event->ignore();
}

void TForm1::paintEvent(QPaintEvent*)
{
    // The rest of start-up waits until this first painting is on the screen.
    if (created_ && !startupQueued_) {
        startupQueued_ = true;
        QTimer::singleShot(0, this, &TForm1::CompleteStartup);
    }
    QPainter p(this);
    p.fillRect(rect(), BarColor.isValid() ? BarColor : palette().window().color());
    // The free margins at both ends show as accent-coloured grips.
    const AccentSquares squares = FormPaintSquares(width(), height());
    p.fillRect(squares.topLeft, AccentColor);
    p.fillRect(squares.bottomRight, AccentColor);
}

void TForm1::FormResize()
{
    update();
    if (!Pictures)
        return;
    BarLayoutInput in;
    in.edge = Edge(); // during a drag, the edge the pointer proposes
    in.clientWidth = width();
    in.clientHeight = height();
    in.bFavs = Settings.Button_favs;
    in.bSlinks = Settings.Button_slinks;
    in.bMail = Settings.Button_email;
    in.bWinFolders = Settings.Button_winfolders;
    in.bFolders = Settings.Button_efolders;
    in.bCompSearch = Settings.Button_search;
    in.logoWidth = Pictures->SponsorImg2.image().width();
    const auto orientation = OrientationFor(in.edge);
    const bool horizontal = orientation == BarOrientation::Horizontal;
    in.programStripLength = a4_->ArrangeProgramButtons(horizontal);
    if (orientation) {
        const QList<DriveInfo> shown = StripDrives(services_.drives.list(), Settings.ExceptDrives);
        in.driveStripLength = driveButtons_->ArrangeDriveButtons(shown, horizontal, Settings.Layout,
                                                                 Settings.ClickLayout, Pictures->PopupImg);
    }
    in.HasWebAddress = HasWebAddress;
    in.webLabelWidth = panels_->Url1->fontMetrics().horizontalAdvance(WebAddress);
    layout_ = parvo::FormResize(in);
    if (layout_) {
        panels_->apply(*layout_, Pictures->PopupImg);
        a4_->setGeometry(layout_->ScrolledProgramStrip());
        ScrollOffset = layout_->scroll.ScrollOffset();
        HorzSizeInc = layout_->HorzSizeInc;
    }
    if (!StartingUp && created_)
        SavePlacementSoon();
}

void TForm1::PlacementChanged()
{
    if (created_)
        SavePlacementSoon();
}

void TForm1::SavePlacementSoon()
{
    placementSave_.start();
}

void TForm1::FormDestroy()
{
    placementSave_.stop();
    EndStartupWrites();
    SaveBarPlacement(services_.registry, Settings);
}

DropServices TForm1::CopMovServices()
{
    return {services_.registry, services_.prompts, services_.drives, *fileOps_, *Zip1, services_.ListsFolder(), DisplayTitle};
}

} // namespace parvo
