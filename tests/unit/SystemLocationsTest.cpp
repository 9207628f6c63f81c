#include "FakeRegistry.h"
#include "app/StringTable.h"
#include "settings/HistoryRing.h"
#include "settings/RegistryKeys.h"
#include "settings/SortedTextList.h"
#include "settings/SystemLocations.h"

#include <gtest/gtest.h>

using namespace parvo;

namespace {
const QString Folders = QString::fromLatin1(keys::ShellFolders);
const QString Typed = QString::fromLatin1(keys::TypedUrls);
} // namespace

TEST(WindowsFolders, FixedOrderNamesFlagsAndPictures)
{
    FakeRegistry reg;
    // Stored out of order, and with values the list does not know.
    reg.set(Folders, "Cache", RegValue::fromText("/home/u/.cache"));
    reg.set(Folders, "Fonts", RegValue::fromText("/home/u/.fonts"));
    reg.set(Folders, "Desktop", RegValue::fromText("/home/u/Desktop"));
    reg.set(Folders, "My Music", RegValue::fromText("/home/u/Music"));
    reg.set(Folders, "Personal", RegValue::fromExpandText("%HOME%/Documents"));
    reg.set(Folders, "Recent", RegValue::fromText("/home/u/.local/share/recent"));

    QStringList list = {"stale entry"};
    QList<std::tuple<QString, QString, int>> window;
    LoadWindowsFolders(reg, list, [&](const QString& n, const QString& p, int pic) { window.append({n, p, pic}); });

    EXPECT_EQ(list, QStringList({
                        Str(122) + "|/home/u/Desktop>11",
                        Str(123) + "|%HOME%/Documents>11",
                        Str(125) + "|/home/u/.fonts>00",
                        Str(130) + "|/home/u/.local/share/recent>00",
                        Str(132) + "|/home/u/.cache>00",
                    }));
    ASSERT_EQ(window.size(), 5);
    EXPECT_EQ(std::get<2>(window.at(0)), 0);
    EXPECT_EQ(std::get<2>(window.at(2)), 3);
    EXPECT_EQ(std::get<2>(window.at(3)), 1) << "recent files share the documents picture";
    EXPECT_EQ(std::get<2>(window.at(4)), 9);
    EXPECT_EQ(Str(122), "Desktop");
    EXPECT_EQ(Str(130), "Dati recenti");
}

TEST(WindowsFolders, MissingDesktopMovesTheFavouritesUp)
{
    FakeRegistry reg;
    reg.set(Folders, "Favorites", RegValue::fromText("/home/u/.local/share/parvo/Favorites"));
    reg.set(Folders, "Startup", RegValue::fromText("/home/u/.config/autostart"));
    QStringList list;
    LoadWindowsFolders(reg, list);
    ASSERT_EQ(list.size(), 2);
    EXPECT_TRUE(list.at(0).startsWith(Str(124) + "|/home/u/.local/share/parvo/Favorites>11"));
    EXPECT_EQ(FavouritesFolder(reg), "/home/u/.local/share/parvo/Favorites");
    EXPECT_TRUE(reg.keyExists(RegRoot::CurrentUser, Folders));

    FakeRegistry empty;
    LoadWindowsFolders(empty, list);
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(FavouritesFolder(empty), "");
}

TEST(DefaultBrowser, CommandRules)
{
    EXPECT_EQ(BrowserFromCommand("\"C:\\Program Files\\Web\\web.exe\" -nohome \"%1\""), "C:\\Program Files\\Web\\web.exe");
    EXPECT_EQ(BrowserFromCommand("C:\\PROGRA~1\\WEB.EXE -url %1"), "C:\\PROGRA~1\\WEB.EXE");
    EXPECT_EQ(BrowserFromCommand("c:\\web\\web.Exe\"%1\""), "c:\\web\\web.Exe");
    EXPECT_EQ(BrowserFromCommand("/usr/bin/browser %u"), "/usr/bin/browser %u");
    EXPECT_EQ(BrowserFromCommand("\"/usr/bin/my browser\" %u"), "/usr/bin/my browser");
    EXPECT_EQ(BrowserFromCommand("\"/unterminated"), "/unterminated");
    EXPECT_EQ(BrowserFromCommand("web.EXE -url %1"), "web.EXE");
    EXPECT_EQ(BrowserFromCommand("C:/Web/web.exe %1"), "C:/Web/web.exe");
    // A path here may hold the letters anywhere.
    EXPECT_EQ(BrowserFromCommand("\"/opt/app.executables/web\" \"%1\""), "/opt/app.executables/web");
    EXPECT_EQ(BrowserFromCommand("/home/u/my.exe-tools/web"), "/home/u/my.exe-tools/web");
    EXPECT_EQ(BrowserFromCommand(""), "");
}

TEST(DefaultBrowser, ReadsTheVerbThenItsCommand)
{
    FakeRegistry reg;
    EXPECT_EQ(FindDefaultBrowser(reg), "");
    reg.set("http\\shell\\open\\command", "", RegValue::fromText("\"/usr/bin/web\" \"%1\""), RegRoot::ClassesRoot);
    EXPECT_EQ(FindDefaultBrowser(reg), "/usr/bin/web");
    reg.set("http\\shell", "", RegValue::fromText("browse"), RegRoot::ClassesRoot);
    EXPECT_EQ(FindDefaultBrowser(reg), "") << "the verb names another command";
    reg.set("http\\shell\\browse\\command", "", RegValue::fromText("D:\\b\\B.EXE %1"), RegRoot::ClassesRoot);
    EXPECT_EQ(FindDefaultBrowser(reg), "D:\\b\\B.EXE");
}

TEST(TypedUrls, SkipsLocalPathsStripsHttpAndStopsAtTheFirstGap)
{
    FakeRegistry reg;
    reg.set(Typed, "url1", RegValue::fromText("HTTP://www.a.example/"));
    reg.set(Typed, "url2", RegValue::fromText("c:\\windows"));
    reg.set(Typed, "url3", RegValue::fromText("https://b.example"));
    reg.set(Typed, "url4", RegValue::fromText("http://www.a.example/"));
    reg.set(Typed, "url6", RegValue::fromText("after.the.gap"));
    SortedTextList completion;
    completion.add("kept.example");
    LoadTypedUrls(reg, completion);
    EXPECT_EQ(completion.items(), QStringList({"https://b.example", "kept.example", "www.a.example/"}));

    // The key belongs to the browser: reading it where it is missing must not create it.
    FakeRegistry none;
    LoadTypedUrls(none, completion);
    EXPECT_FALSE(none.keyExists(RegRoot::CurrentUser, Typed));
    EXPECT_EQ(completion.items().size(), 3);
}

TEST(HistoryRing, FillsWrapsAndReadsAllHundredSlots)
{
    FakeRegistry reg;
    const QString links = QString::fromLatin1(keys::HistoryLinks);
    const QString key = QString::fromLatin1(keys::Program) + links;
    AppendHistoryEntry(reg, "http://first.example", links);
    EXPECT_EQ(reg.dword(key, "Numer"), 1u);
    EXPECT_EQ(reg.text(key, "L0"), "http://first.example");
    for (int i = 1; i < 100; ++i)
        AppendHistoryEntry(reg, QString("site%1.example").arg(i), links);
    EXPECT_EQ(reg.dword(key, "Numer"), 100u);
    EXPECT_EQ(reg.text(key, "L99"), "site99.example");

    AppendHistoryEntry(reg, "wrapped.example", links);
    EXPECT_EQ(reg.dword(key, "Numer"), 1u);
    EXPECT_EQ(reg.text(key, "L0"), "wrapped.example");
    EXPECT_EQ(reg.text(key, "L1"), "site1.example");
    EXPECT_FALSE(reg.has(key, "L100"));

    SortedTextList completion;
    QStringList words;
    LoadHistoryList(reg, links, completion, words);
    EXPECT_EQ(completion.size(), 100);
    EXPECT_TRUE(completion.contains("wrapped.example"));
    EXPECT_TRUE(words.isEmpty());
}

TEST(HistoryRing, RepeatsAreStoredTwiceButCompletedOnceAndWordsKeepSlotOrder)
{
    FakeRegistry reg;
    const QString links = QString::fromLatin1(keys::HistoryLinks);
    AppendHistoryEntry(reg, "http://same.example", links);
    AppendHistoryEntry(reg, "http://same.example", links);
    SortedTextList completion;
    QStringList words;
    LoadHistoryList(reg, links, completion, words);
    EXPECT_EQ(completion.items(), QStringList({"same.example"}));

    const QString search = QString::fromLatin1(keys::SearchKeywords);
    const QString key = QString::fromLatin1(keys::Program) + search;
    reg.set(key, "L1", RegValue::fromText("zebra"));
    reg.set(key, "L0", RegValue::fromText("apple"));
    reg.set(key, "L3", RegValue::fromText("after gap"));
    LoadHistoryList(reg, search, completion, words);
    EXPECT_EQ(words, QStringList({"apple", "zebra"}));
    EXPECT_EQ(completion.size(), 1);
}

TEST(HistoryRing, ADamagedCounterRestartsTheRingInsteadOfWritingPastIt)
{
    FakeRegistry reg;
    const QString search = QString::fromLatin1(keys::SearchKeywords);
    const QString key = QString::fromLatin1(keys::Program) + search;
    reg.set(key, "Numer", RegValue::fromDword(5000));
    AppendHistoryEntry(reg, "word", search);
    EXPECT_EQ(reg.text(key, "L0"), "word");
    EXPECT_EQ(reg.dword(key, "Numer"), 1u);
    EXPECT_FALSE(reg.has(key, "L5000"));
}
