// The parameter records handed to the engines: each field for each option bit.

#include "zip/EngineRecords.h"

#include <gtest/gtest.h>

using namespace parvo;

namespace {

ZipBool Callback(CallbackRecord*) { return ZIP_FALSE; }

int Anchor;

TEST(ZipEngineRecords, UnzipRecordCarriesTheCallerTheArchiveAndTheFiles)
{
    const auto call = MakeUnzipCall(0x10, QString(), QStringLiteral("/tmp/à.zip"), {QStringLiteral("a/*.txt"), QStringLiteral("b")},
                                    {&Anchor, &Callback});
    const UnzipParams& p = call->params;
    EXPECT_EQ(p.Handle, nullptr);
    EXPECT_EQ(p.Caller, &Anchor);
    EXPECT_EQ(p.Version, 160);
    EXPECT_EQ(p.Callback, &Callback);
    EXPECT_EQ(p.Password, nullptr);
    EXPECT_STREQ(p.ArchivePath, "/tmp/\xc3\xa0.zip");
    ASSERT_EQ(p.FileCount, 2);
    EXPECT_STREQ(p.Files[0].FileSpec, "a/*.txt");
    EXPECT_STREQ(p.Files[1].FileSpec, "b");
    EXPECT_EQ(p.KeepTimes, ZIP_TRUE);
    EXPECT_EQ(p.TagA, 3);
    EXPECT_EQ(p.TagB, 7);
    EXPECT_EQ(p.Reserved16 | p.Reserved20 | p.Reserved32 | p.Reserved36 | p.Reserved44, 0);
    EXPECT_EQ(sizeof(UnzipFileSpec), 72u);

    const auto whole = MakeUnzipCall(0x01, QStringLiteral("pw"), QStringLiteral("x.zip"), {}, {});
    EXPECT_EQ(whole->params.FileCount, 0);
    EXPECT_EQ(whole->params.Files, nullptr);
    EXPECT_STREQ(whole->params.Password, "pw");
}

TEST(ZipEngineRecords, ExtractFlagsSetTheirFields)
{
    struct Row {
        quint8 flags;
        bool test, replaceOlder, update, folders, replaceAll;
    };
    for (const Row& r : {Row{0x00, false, false, false, false, true}, Row{0x01, false, true, false, false, false},
                         Row{0x02, false, false, true, false, false}, Row{0x03, false, true, false, false, false},
                         Row{0x04, true, false, false, false, false}, Row{0x05, false, true, false, false, false},
                         Row{0x06, false, false, true, false, false}, Row{0x08, false, false, false, false, true},
                         Row{0x10, false, false, false, true, true}, Row{0x11, false, true, false, true, false}}) {
        const UnzipParams& p = MakeUnzipCall(r.flags, QString(), QStringLiteral("a.zip"), {}, {})->params;
        EXPECT_EQ(p.TestOnly, r.test ? ZIP_TRUE : ZIP_FALSE) << int(r.flags);
        EXPECT_EQ(p.ReplaceOlder, r.replaceOlder ? ZIP_TRUE : ZIP_FALSE) << int(r.flags);
        EXPECT_EQ(p.Update, r.update ? ZIP_TRUE : ZIP_FALSE) << int(r.flags);
        EXPECT_EQ(p.WithFolders, r.folders ? ZIP_TRUE : ZIP_FALSE) << int(r.flags);
        EXPECT_EQ(p.ReplaceAll, r.replaceAll ? ZIP_TRUE : ZIP_FALSE) << int(r.flags);
    }
}

TEST(ZipEngineRecords, ZipRecordCarriesTheCallerTheArchiveAndTheFiles)
{
    const auto call = MakeZipCall(0x02, QString(), QStringLiteral("out.zip"), QStringLiteral("/tmp"), QString(), false,
                                  {QStringLiteral("/d/a.txt"), QStringLiteral("/d/b")}, {&Anchor, &Callback});
    const ZipParams& p = call->params;
    EXPECT_EQ(p.Caller, &Anchor);
    EXPECT_EQ(p.Version, 160);
    EXPECT_EQ(p.Callback, &Callback);
    EXPECT_EQ(p.Password, nullptr);
    EXPECT_EQ(p.Encrypt, ZIP_FALSE);
    EXPECT_EQ(p.KeepAttributes, ZIP_TRUE);
    EXPECT_EQ(p.Level, 9);
    EXPECT_EQ(p.AddMode, ZIP_TRUE);
    EXPECT_STREQ(p.ArchivePath, "out.zip");
    EXPECT_STREQ(p.TempPath, "/tmp");
    EXPECT_EQ(p.Comment, nullptr);
    ASSERT_EQ(p.FileCount, 2);
    EXPECT_STREQ(p.Files[1].FileSpec, "/d/b");
    EXPECT_EQ(p.Tag, 7);
    EXPECT_EQ(sizeof(ZipFileSpec), 104u);

    const auto secret = MakeZipCall(0, QStringLiteral("pw"), QStringLiteral("a.zip"), QString(), QStringLiteral("Ç!"), true, {}, {});
    EXPECT_STREQ(secret->params.Password, "pw");
    EXPECT_EQ(secret->params.Encrypt, ZIP_TRUE);
    EXPECT_STREQ(secret->params.Comment, "\x80!"); // in the archive's code page
    const auto utf8 = MakeZipCall(0, QString(), QStringLiteral("a.zip"), QString(), QStringLiteral("Ç!"), false, {}, {});
    EXPECT_STREQ(utf8->params.Comment, "\xc3\x87!");
}

TEST(ZipEngineRecords, AddFlagsSetTheirFields)
{
    struct Row {
        quint8 flags;
        bool move, junk, noFolderEntries;
        quint16 recurse;
        bool hidden, update, freshen;
    };
    for (const Row& r : {Row{0x00, false, true, true, 0, false, false, false},
                         Row{0x01, false, true, true, 0, false, false, true},
                         Row{0x02, false, true, true, 0, false, true, false},
                         Row{0x03, false, true, true, 0, false, true, false},
                         Row{0x04, false, true, false, 0xFFFF, false, false, false},
                         Row{0x08, false, true, false, 0, false, false, false},
                         Row{0x10, false, false, true, 0, false, false, false},
                         Row{0x14, false, false, false, 0xFFFF, false, false, false},
                         Row{0x1C, false, false, false, 0xFFFF, false, false, false},
                         Row{0x40, true, true, true, 0, false, false, false},
                         Row{0x80, false, true, true, 0, true, false, false}}) {
        const ZipParams& p = MakeZipCall(r.flags, QString(), QStringLiteral("a.zip"), QString(), QString(), false, {}, {})->params;
        EXPECT_EQ(p.MoveFiles, r.move ? ZIP_TRUE : ZIP_FALSE) << int(r.flags);
        EXPECT_EQ(p.JunkPaths, r.junk ? ZIP_TRUE : ZIP_FALSE) << int(r.flags);
        EXPECT_EQ(p.NoFolderEntries, r.noFolderEntries ? ZIP_TRUE : ZIP_FALSE) << int(r.flags);
        EXPECT_EQ(p.Recurse, r.recurse) << int(r.flags);
        EXPECT_EQ(p.HiddenFiles, r.hidden ? ZIP_TRUE : ZIP_FALSE) << int(r.flags);
        EXPECT_EQ(p.Update, r.update ? ZIP_TRUE : ZIP_FALSE) << int(r.flags);
        EXPECT_EQ(p.Freshen, r.freshen ? ZIP_TRUE : ZIP_FALSE) << int(r.flags);
    }
}

} // namespace
