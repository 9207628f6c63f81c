#include "dialogs/FolderNameCompletion.h"

#include "CoreApp.h"
#include "TempFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace parvo;

namespace {

LocalNames Names(const QString& usbRoot = QStringLiteral("/media/usb/"))
{
    LocalNames n;
    n.drives = {{QChar('C'), QStringLiteral("/"), DriveFixed, {}},
                {QChar('D'), usbRoot, DriveRemovable, QStringLiteral("USB")},
                {QChar('E'), QStringLiteral("/mnt/gone/"), DriveNoRootDir, {}}};
    n.home = QStringLiteral("/home/anna/");
    return n;
}

// A folder of sample entries, dated in the past so that a reading of it counts as current.
struct SampleFolder {
    QTemporaryDir tmp;
    QString path;

    SampleFolder()
    {
        path = tmp.path() + QLatin1Char('/');
        QDir d(path);
        for (const char* f : {"Alpha", "MyPhotos", "Myphotos", "beta", "zeta", ".config", "Music"})
            d.mkdir(QString::fromLatin1(f));
        test::WriteBytes(path + "alphabet.txt", "x");
        test::WriteBytes(path + "zebra.txt", "x");
        QFile::link(path + "Music", path + "linkdir");
        QFile::link(path + "nowhere", path + "linkbroken");
        backdate();
    }
    void backdate() const
    {
        const timespec past[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
        utimensat(AT_FDCWD, QFile::encodeName(path).constData(), past, 0);
    }
};

} // namespace

TEST(FolderNameCompletion, ShapesOfTextNeedNoDisk)
{
    const LocalNames n = Names();
    EXPECT_EQ(ClassifyFolderName("c", n).suffix, ":/");
    EXPECT_EQ(ClassifyFolderName("D", n).suffix, ":/");
    EXPECT_EQ(ClassifyFolderName("d:", n).suffix, "/");
    // A letter of a drive not there now, or of no drive, and text that is no drive form.
    for (const char* none : {"e", "e:", "q", "q:", "c:/", "/", "/home/", "", "abc", "docs/x", "é"}) {
        const FolderNameQuery q = ClassifyFolderName(QString::fromUtf8(none), n);
        EXPECT_TRUE(q.suffix.isEmpty() && !q.needsDisk()) << none;
    }

    const FolderNameQuery q = ClassifyFolderName("d:/Photos/Vac", n);
    EXPECT_EQ(q.folder, "/media/usb/Photos/");
    EXPECT_EQ(q.prefix, "Vac");
    EXPECT_EQ(ClassifyFolderName("~/Doc", n).folder, "/home/anna/");
    EXPECT_EQ(ClassifyFolderName("/ho", n).prefix, "ho");
}

TEST(FolderNameCompletion, LocalPathsResolveDrivesAndHome)
{
    const LocalNames n = Names("/media/usb");
    EXPECT_EQ(LocalPathOf("c:/home/anna/x.txt", n), "/home/anna/x.txt");
    EXPECT_EQ(LocalPathOf("C:", n), "/");
    EXPECT_EQ(LocalPathOf("d:", n), "/media/usb/");
    EXPECT_EQ(LocalPathOf("d:/a b", n), "/media/usb/a b");
    EXPECT_EQ(LocalPathOf("~", n), "/home/anna");
    EXPECT_EQ(LocalPathOf("~/Documenti", n), "/home/anna/Documenti");
    // Texts that are not local paths go on as typed: programs found on the path, a
    // letter without a drive, a name beginning with "~".
    for (const char* same : {"firefox", "q:/x", "~anna", "-rf", "/etc/hosts"})
        EXPECT_EQ(LocalPathOf(same, n), QString::fromLatin1(same));
}

TEST(FolderNameCompletion, OffersTheRestOfTheFirstFolderName)
{
    SampleFolder f;
    const LocalNames n = Names();
    auto complete = [&](const QString& typed) { return CompleteFolderName(f.path + typed, n); };
    EXPECT_EQ(complete("Al"), "pha");
    EXPECT_EQ(complete("b"), "eta");
    EXPECT_EQ(complete(".c"), "onfig");
    EXPECT_EQ(complete("lin"), QString()) << "the first match is a broken link: a file";
    EXPECT_EQ(complete("linkd"), "ir") << "a link to a folder is a folder";
    // The first match a file, or no match at all: nothing; nor "." and "..".
    for (const char* none : {"al", "z", "q", "Alpha", ".", "..", "alphabet.txt"})
        EXPECT_EQ(complete(QString::fromLatin1(none)), QString()) << none;
    EXPECT_EQ(CompleteFolderName(f.path + "missing/Al", n), QString());
    // The first match is the same found by one pass over a reading or by a binary search
    // once it is sorted.
    FolderListing listing = FolderListing::read(f.path);
    for (const char* prefix : {"M", "My", "l", "", "z", "q"}) {
        const FolderEntry* unsorted = listing.firstMatch(QString::fromLatin1(prefix));
        FolderListing sortedListing = listing;
        sortedListing.sort();
        const FolderEntry* bisected = sortedListing.firstMatch(QString::fromLatin1(prefix));
        ASSERT_EQ(!unsorted, !bisected) << prefix;
        if (unsorted)
            EXPECT_EQ(unsorted->name, bisected->name) << prefix;
    }
    // Through a drive letter, the text keeps its drive form.
    EXPECT_EQ(CompleteFolderName("d:/Al", Names(f.path)), "pha");
}

TEST(FolderNameCompletion, LowerCaseOnlyWhereItNamesTheSameFolder)
{
    SampleFolder f;
    const LocalNames n = Names();
    // "Myphotos" is another folder on this disk: the real spelling stays.
    EXPECT_EQ(CompleteFolderName(f.path + "MyP", n), "hotos");
    EXPECT_EQ(CompleteFolderName(f.path + "My", n), "Photos");
    // As on a disk that ignores case, where the lower-cased name reaches the same folder.
    QDir(f.path).rmdir("Myphotos");
    QFile::link(f.path + "MyPhotos", f.path + "Myphotos");
    EXPECT_EQ(CompleteFolderName(f.path + "My", n), "photos");
    EXPECT_EQ(CompleteFolderName(f.path + "Mu", n), "sic") << "already lower case";
}

TEST(FolderNameCompletion, NamesOutsideTheEncodingAreLeftOut)
{
    SampleFolder f;
    const QByteArray bad = QFile::encodeName(f.path) + "caf\xe9";
    ASSERT_EQ(mkdir(bad.constData(), 0755), 0);
    QDir(f.path).mkdir("cafeteria");
    const FolderListing listing = FolderListing::read(f.path);
    for (const FolderEntry& e : listing.entries)
        EXPECT_FALSE(e.name.contains(QChar(0xFFFD))) << qPrintable(e.name);
    EXPECT_EQ(CompleteFolderName(f.path + "caf", Names()), "eteria");
}

TEST(FolderNameCompletion, UnreadableFolderOffersNothing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every folder";
    SampleFolder f;
    QDir(f.path).mkdir("locked");
    QDir(f.path + "locked").mkdir("inner");
    chmod(QFile::encodeName(f.path + "locked").constData(), 0);
    EXPECT_EQ(CompleteFolderName(f.path + "locked/in", Names()), QString());
    chmod(QFile::encodeName(f.path + "locked").constData(), 0755);
}

TEST(FolderNameCompletion, ListingNoticesAChangedFolder)
{
    SampleFolder f;
    const FolderListing listing = FolderListing::read(f.path);
    EXPECT_TRUE(listing.isCurrent());
    QDir(f.path).mkdir("new");
    EXPECT_FALSE(listing.isCurrent());
    // Read just after a change, a listing is never trusted: another change may follow
    // within the same tick of the folder's date.
    EXPECT_FALSE(FolderListing::read(f.path).isCurrent());
}

TEST(FolderNameCompletion, AppendedOfferIsSelected)
{
    EXPECT_EQ(AppendCompletion("c", ":/"), (CompletedText{"c:/", 1, 2}));
    EXPECT_EQ(AppendCompletion("/home/an", "na"), (CompletedText{"/home/anna", 8, 2}));
    for (const char* none : {"", ".", ".."})
        EXPECT_FALSE(AppendCompletion("/x/", QString::fromLatin1(none)));
}

TEST(FolderNameCompleter, AnswersTheLatestRequestOnly)
{
    test::CoreApp();
    SampleFolder f;
    FolderNameCompleter completer(Names());
    QList<std::pair<QString, QString>> answers;
    QObject::connect(&completer, &FolderNameCompleter::completed,
                     [&](const QString& text, const QString& suffix) { answers.append({text, suffix}); });

    // A drive form is answered inside the call.
    completer.request("c");
    ASSERT_EQ(answers.size(), 1);
    EXPECT_EQ(answers[0], std::make_pair(QString("c"), QString(":/")));

    // Two requests before the loop runs: only the second is answered.
    completer.request(f.path + "Al");
    completer.request(f.path + "b");
    ASSERT_TRUE(test::RunEventsUntil([&] { return answers.size() == 2; }));
    EXPECT_EQ(answers[1], std::make_pair(f.path + "b", QString("eta")));
    test::RunEventsUntil([] { return false; }, 100);
    EXPECT_EQ(answers.size(), 2);

    // A request cancelled, or followed by a drive form, is not answered.
    completer.request(f.path + "z");
    completer.cancel();
    completer.request(f.path + "Mu");
    completer.request("d");
    test::RunEventsUntil([] { return false; }, 200);
    ASSERT_EQ(answers.size(), 3);
    EXPECT_EQ(answers[2].first, "d");
}

TEST(FolderNameCompleter, GoesAwayWithoutWaitingForItsThread)
{
    test::CoreApp();
    SampleFolder f;
    auto* completer = new FolderNameCompleter(Names());
    bool answered = false;
    QObject::connect(completer, &FolderNameCompleter::completed, [&] { answered = true; });
    completer->request(f.path + "Al");
    delete completer;
    test::RunEventsUntil([] { return false; }, 200);
    EXPECT_FALSE(answered);
}
