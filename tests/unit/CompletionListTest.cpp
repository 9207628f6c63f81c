#include "FakeRegistry.h"
#include "EventLoop.h"
#include "TempFiles.h"
#include "app/BrandingFile.h"
#include "menus/CompletionList.h"
#include "menus/Favourites.h"
#include "menus/TFavsThread.h"
#include "settings/RegistryKeys.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

using namespace parvo;
using parvo::test::App;
using parvo::test::WaitUntil;
using parvo::test::WriteBytes;

namespace {

class CompletionList : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + "/";
        branding = folder + "data1.mke";
        writeBranding({{"Casa", "http://www.home.example/benvenuti/index.html"},
                       {"Uno", "http://s1.example/a/b"},
                       {"Parvo", "www.home.example"},
                       {"0|0", "0"},
                       {"http://www.home.example/banner", "https://cerca.example/?q=|"}});
    }
    void writeBranding(const QList<QPair<QString, QString>>& records)
    {
        WriteBytes(branding, EncodeBrandingRecords(records));
    }

    QTemporaryDir dir;
    QString folder;
    QString branding;
    FakeRegistry reg;
};

} // namespace

TEST_F(CompletionList, EverySourceOnceWithoutHttpAndWithHostNames)
{
    reg.set(keys::TypedUrls, "url1", RegValue::fromText("http://typed.example/x"));
    reg.set(QString(keys::Program) + keys::HistoryLinks, "L0", RegValue::fromText("HTTP://hist.example/p"));
    WriteBytes(folder + "data/www.mke", "// header\r\nSito|http://www.list.example/q\r\nStesso|TYPED.example/X\r\n");
    const QString fav = folder + "Favorites";
    reg.set(keys::ShellFolders, "Favorites", RegValue::fromText(fav));
    WriteBytes(fav + "/one.url", "[InternetShortcut]\nURL=http://fav.example/a\n");
    WriteBytes(fav + "/Sub/two.url", "[InternetShortcut]\nURL=HTTP://fav.example/a\n");
    WriteBytes(fav + "/Sub/safe.url", "[InternetShortcut]\nURL=https://secure.example/x\n");
    WriteBytes(fav + "/Sub/ftp.url", "[InternetShortcut]\nURL=ftp://files.example/f\n");
    WriteBytes(fav + "/Sub/bare.url", "[InternetShortcut]\nURL=http://\n");

    SortedTextList completion;
    completion.add("left over");
    ASSERT_TRUE(BuildCompletionList(reg, folder, branding, FavouriteAddresses(fav), completion));
    EXPECT_EQ(completion.items(),
              QStringList({"fav.example/", "fav.example/a", "ftp://files.example/f", "hist.example/", "hist.example/p",
                           "https://secure.example/x", "s1.example/", "s1.example/a/b", "typed.example/",
                           "typed.example/x", "www.home.example/", "www.list.example/", "www.list.example/q"}));
}

TEST(CompletionHostPrefix, HostNameAndSlashOnlyForAddressesWithoutScheme)
{
    EXPECT_EQ(HostPrefix("host.example/path/more"), "host.example/");
    EXPECT_EQ(HostPrefix("host.example/"), "host.example/");
    EXPECT_EQ(HostPrefix("host.example"), "");
    EXPECT_EQ(HostPrefix("https://host.example/x"), "");
    EXPECT_EQ(HostPrefix("HTTPS://host.example/x"), "");
    EXPECT_EQ(HostPrefix("httpfoo.example/x"), "") << "anything beginning with http is left alone";
    EXPECT_EQ(HostPrefix("ftp://host.example/x"), "");
    EXPECT_EQ(HostPrefix("/local/path"), "");
}

TEST_F(CompletionList, RefreshRebuildsBothListsAndDamagedBrandingIsReported)
{
    CompletionLists lists;
    lists.GoCompletionList.add("typed in the dialog");
    ASSERT_TRUE(RefreshCompletion(reg, folder, branding, {}, lists));
    EXPECT_EQ(lists.CompletionList.items(),
              QStringList({"s1.example/", "s1.example/a/b", "www.home.example/"}));
    EXPECT_EQ(lists.GoCompletionList.items(), lists.CompletionList.items());

    writeBranding({{"Casa", "http://www.home.example/"}}); // one record: no branding file
    lists.GoCompletionList.add("kept");
    SortedTextList completion;
    EXPECT_FALSE(BuildCompletionList(reg, folder, branding, {}, completion));
    EXPECT_FALSE(RefreshCompletion(reg, folder, branding, {}, lists));
    EXPECT_TRUE(lists.GoCompletionList.contains("kept"));
    EXPECT_FALSE(BuildCompletionList(reg, folder, folder + "missing.mke", {}, completion));
}


TEST(FavsThread, CallbackRunsOnceOnTheCreatingThread)
{
    App();
    int calls = 0;
    Qt::HANDLE ranOn = nullptr;
    QObject owner;
    auto* thread = new TFavsThread(&owner, [&] { ++calls; ranOn = QThread::currentThreadId(); },
                                   std::chrono::milliseconds(20));
    thread->startIdle();
    WaitUntil([&] { return calls > 0; }, 20000);
    ASSERT_EQ(calls, 1);
    EXPECT_EQ(ranOn, QThread::currentThreadId());
    EXPECT_TRUE(thread->wait(20000));
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);
}

TEST(FavsThread, DestroyedFirstNeverCallsBack)
{
    App();
    std::atomic<int> calls = 0;
    {
        QObject owner;
        auto* waiting = new TFavsThread(&owner, [&] { ++calls; }, std::chrono::hours(1));
        waiting->startIdle();
    } // the owner goes long before the delay: its destruction must not wait for it

    // The call is already queued when the thread object goes: it must be dropped.
    auto queued = std::make_unique<TFavsThread>(nullptr, [&] { ++calls; }, std::chrono::milliseconds(0));
    queued->startIdle();
    ASSERT_TRUE(queued->wait(20000));
    queued.reset();

    // Stopped before it starts: it ends at once.
    TFavsThread stopped(nullptr, [&] { ++calls; }, std::chrono::hours(1));
    stopped.stop();
    stopped.startIdle();
    EXPECT_TRUE(stopped.wait(20000));

    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(calls, 0);
}
