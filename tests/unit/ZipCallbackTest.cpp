// The wrapper's answers to every report and question of the engines.

#include "FakePrompts.h"
#include "app/StringTable.h"
#include "zip/TZip.h"

#include <QVariant>
#include <cstring>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

using Box = FakePrompts::Box;

class ZipCallback : public ::testing::Test {
protected:
    bool send(int action, int error = 0, qint64 size = 0, const char* text = "")
    {
        record = CallbackRecord{};
        record.ActionCode = action;
        record.ErrorCode = error;
        record.Size = size;
        std::strncpy(record.Text, text, sizeof record.Text - 1);
        return zip.EngineCallback(record);
    }
    QString with(int id, const char* name) { return Str(id).replace(QLatin1String("%s"), QString::fromUtf8(name)); }

    FakePrompts prompts;
    TZip zip{{prompts, nullptr, QString(), {}}};
    CallbackRecord record{};
};

TEST_F(ZipCallback, ReportsKeepTheCountersAndRaiseTheEvents)
{
    QList<QVariantList> begin, progress, end;
    QObject::connect(&zip, &TZip::OnZEDBeginFileEvent, [&](const QString& n, qint64 s, int c, qint64 t) {
        begin.append({n, s, c, t});
    });
    QObject::connect(&zip, &TZip::OnZEDProgressEvent, [&](const QString& n, qint64 d, qint64 t) { progress.append({n, d, t}); });
    QObject::connect(&zip, &TZip::OnZEDEndBatchEvent, [&](int s, int c, qint64 t) { end.append({s, c, t}); });
    EXPECT_FALSE(send(ZIP_ACTION_FILE_COUNT, 0, 4));
    EXPECT_FALSE(send(ZIP_ACTION_TOTAL_BYTES, 0, 5000000000LL));
    EXPECT_EQ(zip.BatchCount, 4);
    EXPECT_EQ(zip.TotalBytes, 5000000000LL);
    EXPECT_FALSE(send(ZIP_ACTION_BEGIN_FILE, 0, 300, "dir/ä.txt"));
    EXPECT_EQ(zip.CurrentFileName, QStringLiteral("dir/ä.txt"));
    ASSERT_EQ(begin.count(), 1);
    EXPECT_EQ(begin[0], (QVariantList{QStringLiteral("dir/ä.txt"), 300LL, 4, 5000000000LL}));
    send(ZIP_ACTION_PROGRESS, 0, 100);
    send(ZIP_ACTION_PROGRESS, 0, 200);
    EXPECT_EQ(zip.BytesDone, 300);
    EXPECT_EQ(progress[1], (QVariantList{QStringLiteral("dir/ä.txt"), 300LL, 5000000000LL}));
    send(ZIP_ACTION_SKIPPED, ZIP_SKIP_BY_CHOICE, 0, "x");
    send(ZIP_ACTION_SKIPPED, ZIP_SKIP_BY_CHOICE, 0, "y");
    EXPECT_EQ(zip.SkippedCount, 2);
    send(ZIP_ACTION_END_BATCH);
    EXPECT_EQ(end[0], (QVariantList{2, 4, 5000000000LL}));
    // A new total starts the counting afresh.
    send(ZIP_ACTION_TOTAL_BYTES, 0, 10);
    EXPECT_EQ(zip.BytesDone, 0);
    EXPECT_EQ(zip.SkippedCount, 0);
    // Codes with nothing to do, and unknown ones, change nothing and ask nothing.
    for (const int code : {0, 4, 7, 12, -1})
        EXPECT_FALSE(send(code, 0, 99, "z"));
    EXPECT_EQ(zip.BatchCount, 4);
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(ZipCallback, PasswordsAreAskedThreeTimesAtMost)
{
    prompts.texts = {QStringLiteral("first"), QStringLiteral("second")};
    EXPECT_FALSE(send(ZIP_ACTION_PASSWORD, 0, 3, "secret.txt"));
    EXPECT_STREQ(record.Text, "first");
    EXPECT_EQ(record.ErrorCode, 1);
    EXPECT_EQ(record.Size, 2);
    EXPECT_FALSE(send(ZIP_ACTION_PASSWORD, 0, 2, "secret.txt"));
    EXPECT_STREQ(record.Text, "second");
    EXPECT_EQ(record.Size, 1);
    EXPECT_EQ(prompts.shown, (QStringList{with(65280, "secret.txt"), Str(65281)}));

    // No password: going on skips the file, stopping cancels everything.
    prompts.shown.clear();
    prompts.texts = {QString()};
    prompts.answers = {PromptAnswer::Yes};
    EXPECT_FALSE(send(ZIP_ACTION_PASSWORD, 0, 3, "a"));
    EXPECT_EQ(record.ErrorCode, 0);
    EXPECT_EQ(record.Size, 0);
    EXPECT_EQ(prompts.shown.last(), Str(65282));
    EXPECT_EQ(prompts.boxes.last(), (Box{PromptButtons::YesNo, PromptIcon::Question, 1}));
    EXPECT_FALSE(zip.Cancelled);
    prompts.texts = {std::nullopt}; // the box closed: no password either
    prompts.answers = {PromptAnswer::No};
    EXPECT_TRUE(send(ZIP_ACTION_PASSWORD, 0, 3, "a"));
    EXPECT_TRUE(zip.Cancelled);
    EXPECT_TRUE(zip.IsCancelled());
}

TEST_F(ZipCallback, DamagedEntriesAreKeptOnlyWhenTheUserSaysSo)
{
    prompts.answers = {PromptAnswer::Yes, PromptAnswer::No, PromptAnswer::Cancel};
    EXPECT_FALSE(send(ZIP_ACTION_CRC_ERROR, 0, 0, "bad.bin"));
    EXPECT_EQ(record.ErrorCode, 1);
    EXPECT_FALSE(send(ZIP_ACTION_CRC_ERROR, 7, 0, "bad.bin"));
    EXPECT_EQ(record.ErrorCode, 0);
    EXPECT_EQ(prompts.shown.first(), with(65283, "bad.bin"));
    EXPECT_EQ(prompts.boxes.first(), (Box{PromptButtons::YesNoCancel, PromptIcon::Question, 2}));
    EXPECT_TRUE(send(ZIP_ACTION_CRC_ERROR, 0, 0, "bad.bin"));
    EXPECT_TRUE(zip.Cancelled);
}

TEST_F(ZipCallback, OverwritingFollowsTheExtractFlags)
{
    // Nothing said about existing files: they are overwritten, unasked.
    zip.ExtractFlags = 0x10;
    for (const int older : {0, 1}) {
        send(ZIP_ACTION_OVERWRITE, older, 0, "f");
        EXPECT_EQ(record.Size, 1);
    }
    // Replace older files: exactly when the engine found the file on disk older.
    for (const quint8 flags : {quint8(0x11), quint8(0x12), quint8(0x19)}) {
        zip.ExtractFlags = flags;
        send(ZIP_ACTION_OVERWRITE, 1, 0, "f");
        EXPECT_EQ(record.Size, 1) << int(flags);
        send(ZIP_ACTION_OVERWRITE, 2, 0, "f");
        EXPECT_EQ(record.Size, 0) << int(flags);
    }
    EXPECT_TRUE(prompts.shown.isEmpty());

    // Ask: the question depends on the file's age.
    zip.ExtractFlags = 0x18;
    prompts.answers = {PromptAnswer::Yes, PromptAnswer::No, PromptAnswer::Cancel};
    EXPECT_FALSE(send(ZIP_ACTION_OVERWRITE, 1, 0, "old.txt"));
    EXPECT_EQ(record.Size, 1);
    EXPECT_FALSE(send(ZIP_ACTION_OVERWRITE, 0, 0, "new.txt"));
    EXPECT_EQ(record.Size, 0);
    EXPECT_EQ(prompts.shown, (QStringList{with(65284, "old.txt"), with(65285, "new.txt")}));
    EXPECT_EQ(prompts.boxes[0], (Box{PromptButtons::YesNoCancel, PromptIcon::Information, 1}));
    EXPECT_EQ(prompts.boxes[1], (Box{PromptButtons::YesNoCancel, PromptIcon::Error, 2}));
    EXPECT_TRUE(send(ZIP_ACTION_OVERWRITE, 0, 5, "x"));
    EXPECT_EQ(record.Size, 0);
    EXPECT_TRUE(zip.Cancelled);
}

TEST_F(ZipCallback, OnceCancelledEveryReportSaysStop)
{
    zip.Cancel();
    EXPECT_TRUE(send(ZIP_ACTION_FILE_COUNT, 0, 9));
    EXPECT_EQ(zip.BatchCount, 0);
    EXPECT_TRUE(send(ZIP_ACTION_PASSWORD, 0, 3, "a"));
    EXPECT_TRUE(prompts.shown.isEmpty());
}

} // namespace
