#include "bar/TForm1.h"

#include "app/BrandingFile.h"
#include "app/DataFilePath.h"
#include "app/StringTable.h"
#include "platform/Registry.h"
#include "settings/FirstRunSetup.h"
#include "settings/SettingsStore.h"
#include "settings/ShortcutList.h"
#include "settings/SystemLocations.h"
#include "widgets/MessagePrompts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QPainter>

namespace parvo {

namespace {

// Colours are stored with red in the low byte, as the branding data has always held them.
QColor FromStoredColour(int value)
{
    const auto v = static_cast<quint32>(value);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

} // namespace

TForm1::TForm1(BarServices services)
    : QWidget(nullptr, Qt::Window)
    , services_(std::move(services))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
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
    if (!title.isEmpty())
        QApplication::setApplicationDisplayName(title);
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
    setWindowIcon(Pictures->TrayIcon);

    LoadSettings();

    Settings.FloatRight = Settings.FloatLeft + Settings.BarWidth;
    Settings.FloatBottom = Settings.FloatTop + 46;
    move(Settings.FloatLeft, Settings.FloatTop);
    if (Settings.Edge == abeFloat)
        resize(Settings.BarWidth, 22);

    MenuKey.clear();
    BuildProgramButtons();
    ScrollOffset = 0;
    ScrollStep = 22;
    StartingUp = false;
    created_ = true;
    // The favourites scanner, once it exists, starts here: last, at idle priority, so
    // that nothing it reads delays the bar's first appearance.
    return true;
}

void TForm1::FatalDataError()
{
    services_.prompts.error(Str(100) + QLatin1Char(' ') + Str(101));
}

void TForm1::LoadSettings()
{
    Registry& reg = services_.registry;
    BrowserCommand = FindDefaultBrowser(reg);
    LoadWindowsFolders(reg, WinFolderList);
    Settings.ExceptDrives.clear();

    FirstRunEnvironment env;
    env.programFolder = services_.programFolder;
    env.links = &services_.links;
    env.findTextEditor = services_.findTextEditor;
    env.winFolderList = WinFolderList;

    EnsureBarDefaults(reg);
    LoadBarSettings(reg, Settings, env);
    EnsureOptionDefaults(reg);
    LoadOptions(reg, Settings);
}

void TForm1::BuildProgramButtons()
{
    ConvertLegacyLinksFile(services_.programFolder, services_.links);
    EnsureShortcutList(services_.programFolder);
    ProgramNames = ReadShortcutNames(services_.programFolder);
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
    QPainter p(this);
    p.fillRect(rect(), BarColor.isValid() ? BarColor : palette().window().color());
    if (Pictures && !Pictures->SponsorImg2.isNull()) {
        const QPixmap logo = Pictures->SponsorImg2.cell(0);
        p.drawPixmap(2, (height() - logo.height()) / 2, logo);
    }
}

void TForm1::TrackFloatingRect()
{
    if (Settings.Edge != abeFloat || StartingUp)
        return;
    // Positions are those of the frame (as move() takes them), the width that of the
    // client area (as resize() takes it), so a saved bar comes back where it was.
    Settings.FloatLeft = pos().x();
    Settings.FloatTop = pos().y();
    Settings.FloatRight = Settings.FloatLeft + width();
    Settings.FloatBottom = Settings.FloatTop + height();
}

void TForm1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    TrackFloatingRect();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    TrackFloatingRect();
    FormResize();
}

void TForm1::FormResize()
{
    update();
    if (!StartingUp && created_)
        SaveBarPlacement(services_.registry, Settings);
}

void TForm1::FormDestroy()
{
    TrackFloatingRect();
    SaveBarPlacement(services_.registry, Settings);
}

} // namespace parvo
