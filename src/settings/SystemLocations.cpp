#include "settings/SystemLocations.h"

#include "app/StringTable.h"
#include "platform/Registry.h"
#include "settings/RegistryKeys.h"
#include "settings/SortedTextList.h"

#include <array>

namespace parvo {

namespace {

struct SpecialFolder {
    const char* value;
    int nameId;
    bool submenu;
    int picture;
};

constexpr std::array<SpecialFolder, 11> kSpecialFolders = {{
    {"Desktop", 122, true, 0},
    {"Personal", 123, true, 1},
    {"Favorites", 124, true, 2},
    {"Fonts", 125, false, 3},
    {"SendTo", 126, true, 4},
    {"Start Menu", 127, true, 5},
    {"Programs", 128, true, 6},
    {"Startup", 129, true, 7},
    {"Recent", 130, false, 1},
    {"History", 131, false, 8},
    {"Cache", 132, false, 9},
}};

QString Text(const std::optional<RegValue>& v)
{
    if (!v)
        return {};
    return v->type == RegType::Dword ? QString::number(v->dword) : v->text;
}

// A drive letter and colon in front ("C:\…", "c:/…"), or no "/" at all ("web.exe -url").
bool IsWindowsStyleCommand(const QString& text)
{
    const bool drive = text.size() >= 2 && text.at(0).isLetter() && text.at(0).unicode() < 0x80
        && text.at(1) == QLatin1Char(':');
    return drive || !text.contains(QLatin1Char('/'));
}

} // namespace

void LoadWindowsFolders(Registry& reg, QStringList& winFolderList, const WindowsFolderSink& intoWindow)
{
    const QString key = QString::fromLatin1(keys::ShellFolders);
    reg.createKey(RegRoot::CurrentUser, key);
    winFolderList.clear();
    for (const SpecialFolder& f : kSpecialFolders) {
        const auto v = reg.value(RegRoot::CurrentUser, key, QString::fromLatin1(f.value));
        if (!v)
            continue;
        // An expandable path is used as stored: the menus show what the system holds.
        const QString path = Text(v);
        const QString name = Str(f.nameId);
        winFolderList.append(name + QLatin1Char('|') + path + QLatin1String(f.submenu ? ">11" : ">00"));
        if (intoWindow)
            intoWindow(name, path, f.picture);
    }
}

QString FavouritesFolder(const Registry& reg)
{
    return Text(reg.value(RegRoot::CurrentUser, QString::fromLatin1(keys::ShellFolders), QStringLiteral("Favorites")));
}

QString BrowserFromCommand(const QString& command)
{
    QString text;
    if (command.startsWith(QLatin1Char('"'))) {
        const qsizetype close = command.indexOf(QLatin1Char('"'), 1);
        text = close < 0 ? command.mid(1) : command.mid(1, close - 1);
    } else {
        const qsizetype quote = command.indexOf(QLatin1Char('"'));
        text = quote < 0 ? command : command.left(quote);
    }
    // Only a Windows command ends its program at ".EXE"; a path here may hold those
    // letters anywhere ("/opt/app.executables/…").
    if (!IsWindowsStyleCommand(text))
        return text;
    const qsizetype exe = text.toUpper().indexOf(QLatin1String(".EXE"));
    if (exe >= 0)
        text.truncate(exe + 4);
    return text;
}

QString FindDefaultBrowser(const Registry& reg)
{
    const QString shell = QString::fromLatin1(keys::HttpShell);
    QString verb = Text(reg.value(RegRoot::ClassesRoot, shell, QString()));
    if (verb.isEmpty())
        verb = QStringLiteral("open");
    const QString command =
        Text(reg.value(RegRoot::ClassesRoot, shell + QLatin1Char('\\') + verb + QStringLiteral("\\command"), QString()));
    return BrowserFromCommand(command);
}

void LoadTypedUrls(const Registry& reg, SortedTextList& completion)
{
    const QString key = QString::fromLatin1(keys::TypedUrls);
    for (int n = 1;; ++n) {
        const auto v = reg.value(RegRoot::CurrentUser, key, QStringLiteral("url") + QString::number(n));
        if (!v)
            break;
        const QString url = Text(v);
        if (url.size() >= 2 && url.at(1) == QLatin1Char(':'))
            continue; // a local path, not a web address
        completion.add(WithoutHttpPrefix(url));
    }
}

} // namespace parvo
