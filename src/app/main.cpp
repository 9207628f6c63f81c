// The program entry: one bar per user, built in a fixed order, then the event loop.

#include "app/DataFilePath.h"
#include "app/FontSetup.h"
#include "app/InstanceGuard.h"
#include "app/OneHeap.h"
#include "app/QtTranslations.h"
#include "app/SessionBusAhead.h"
#include "app/TerminationSignals.h"
#include "bar/TForm1.h"
#include "platform/linux/DesktopShell.h"
#include "platform/linux/LinuxRegistry.h"
#include "platform/linux/MountDrives.h"
#include "platform/linux/ShellLinkFile.h"
#include "platform/linux/TextEditor.h"
#include "platform/linux/X11DesktopBar.h"
#include "platform/linux/X11Display.h"
#include "widgets/MessagePrompts.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char* argv[])
{
    parvo::UseOneHeap();
    if (!parvo::ChooseX11Platform())
        return 1;
    // Made ready while the application connects to the display and builds the bar.
    parvo::FontSetup fonts;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Parvo"));

    // Before any window exists: a second start on the same display only wakes the bar
    // running there.
    parvo::TJustOne32 guard(parvo::TJustOne32::InstanceName(QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                                                            qEnvironmentVariable("DISPLAY")),
                            parvo::TJustOne32::DefaultFolder());
    if (guard.alreadyRunning())
        return 0;
    fonts.applicationStarted();
    parvo::ConnectSessionBusAhead();

    parvo::InstallQtTranslations(app);

    parvo::QuitOnTerminationSignals();

    const parvo::XdgDirs dirs = parvo::XdgDirs::fromEnvironment();
    const std::unique_ptr<parvo::LinuxRegistry> registry = parvo::LinuxRegistry::forCurrentUser();
    parvo::ShellLinkFile links;
    parvo::MessagePrompts prompts;
    prompts.setCaption(QApplication::applicationName());

    parvo::X11DesktopBar desktop;
    parvo::MountDrives drives(*registry);
    parvo::DesktopShell shell;

    const QString program = parvo::ProgramFolder();
    parvo::TForm1 bar({*registry, links, prompts, program, [&dirs] { return parvo::FindTextEditor(dirs); }, desktop,
                      drives, shell, parvo::ListsFolder(program, dirs.dataHome)});
    const bool created = bar.FormCreate();
    // Done with the application's font database, which goes with the application.
    fonts.wait();
    if (!created)
        return 1;
    guard.onActivate([&bar] { bar.ShowRunningInstance(); });
    bar.show();
    return QApplication::exec();
}
