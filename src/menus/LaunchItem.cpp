#include "menus/LaunchItem.h"

#include "app/StringTable.h"
#include "menus/BarCommands.h"
#include "menus/Launch.h"
#include "menus/MakerAddresses.h"
#include "menus/ProgramShortcuts.h"
#include "platform/Prompts.h"

#include <QFileInfo>

namespace parvo {

namespace {

bool IsDriveTag(int tag)
{
    return tag >= 26 && tag <= 31;
}

// The program-shortcut menu's key is "app_" + the shortcut file; the button's name is
// that file's name less ".lnk".
QString ShortcutNameOfKey(const QString& key)
{
    const QString file = QFileInfo(key.mid(4)).fileName();
    return file.left(std::max<qsizetype>(0, file.size() - 4));
}

void RenameShortcut(LaunchContext& ctx, const QString& name)
{
    const auto newName = ctx.prompts.askText(Str(259), name);
    if (!newName || !RenameProgramShortcut(ctx.programFolder, name, *newName))
        return;
    ctx.bar.BuildProgramButtons();
    ctx.bar.Relayout();
}

void ProgramShortcutItem(LaunchContext& ctx, const MenuItem& item)
{
    const QString name = ShortcutNameOfKey(item.Hint);
    switch (item.Tag) {
    case 1:
        ctx.AddLinkRequest = true;
        ctx.bar.OpenOptionsDialog(true);
        break;
    case 2:
        UpdateShortcutList(ctx.programFolder, name, {});
        ctx.bar.BuildProgramButtons();
        ctx.bar.Relayout();
        break;
    case 3:
        RenameShortcut(ctx, name);
        break;
    case 10:
        ctx.AddLinkRequest = false;
        ctx.bar.OpenOptionsDialog(false);
        break;
    default:
        break;
    }
}

void FixedItem(LaunchContext& ctx, const MenuItem& item)
{
    const int tag = item.Tag;
    if (IsDriveTag(tag)) {
        OpenFolder(ctx.shell, ctx.prompts, ctx.Explorer, item.Hint);
        return;
    }
    if (tag >= 100 && tag <= 150) {
        OpenInBrowser(ctx.shell, ctx.BrowserCommand, item.Hint);
        return;
    }
    switch (tag) {
    case 2:
        ctx.prompts.about(Str(55) + QLatin1Char(' ') + ctx.DisplayTitle,
                          AboutText(ctx.DisplayTitle, ctx.HomeLabel, ctx.HomeAddress));
        break;
    case 3: ctx.bar.OpenOptionsDialog(ctx.AddLinkRequest); break;
    case 4: ctx.bar.ShowHelp(HelpTopic(item.Hint)); break;
    case 5: ctx.bar.ShowPvfolderWindow(PvfolderView::WindowsFolders); break;
    case 7:
    case 22: OpenInBrowser(ctx.shell, ctx.BrowserCommand, item.Hint); break;
    case 10: ctx.bar.ShowPvfolderWindow(PvfolderView::Pvfolders); break;
    case 11: ShellRun(ctx.shell, QStringLiteral("mailto:") + item.Hint); break;
    case 23: ctx.bar.CloseBar(); break;
    case 24: ctx.bar.ClickGo(); break;
    case 32:
        ctx.bar.Relayout();
        ctx.bar.RefreshCompletion();
        break;
    default:
        break; // titles and separators
    }
}

} // namespace

QString AboutText(const QString& displayTitle, const QString& homeLabel, const QString& homeAddress)
{
    const QChar cr = QLatin1Char('\r');
    QString text = displayTitle + QLatin1Char(' ') + ProductVersion() + cr + cr;
    text += Str(113) + cr;
    text += QLatin1Char('"') + homeLabel + QLatin1Char('"') + cr;
    text += QStringLiteral("( ") + homeAddress + QStringLiteral(" )") + cr + cr;
    text += Str(114) + cr;
    text += Str(115) + cr + cr;
    text += Str(116) + ProductHomePage();
    return text;
}

QString HelpTopic(const QString& hint)
{
    return hint == QLatin1String("1") ? QString() : QStringLiteral("::/html_source/private_label.html");
}

void LaunchItem(LaunchContext& ctx, const MenuItem& item)
{
    switch (item.HelpContext) {
    case 0: OpenInBrowser(ctx.shell, ctx.BrowserCommand, item.Hint); break;
    case 1: OpenFolder(ctx.shell, ctx.prompts, ctx.Explorer, item.Hint); break;
    case 2: ShellRun(ctx.shell, QStringLiteral("mailto:") + item.Hint); break;
    case 3: ctx.bar.ShowPvfolderWindow(PvfolderView::Pvfolders); break;
    case 4: ctx.bar.OpenOptionsDialog(ctx.AddLinkRequest); break;
    case 5: FixedItem(ctx, item); break;
    case 6: ctx.bar.SetPvfolderViewStyle(item.Tag - 1); break;
    case 7: ctx.bar.ShowPvfolderWindow(PvfolderView::WindowsFolders); break;
    case 8: ProgramShortcutItem(ctx, item); break;
    case 10:
    case 11:
        if (IsDriveTag(item.Tag))
            ctx.bar.ToggleDrive(item.HelpContext == 10, item.Hint);
        break;
    case 12: ShellRun(ctx.shell, item.Hint); break;
    default: break; // separators and headers
    }
}

} // namespace parvo
