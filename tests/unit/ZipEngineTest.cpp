// The wrapper driving the real engines: round trips checked by the command-line zip
// tools, their archives extracted by ours, and what must never happen.

#include "FakePrompts.h"
#include "TempFiles.h"
#include "ZipBuilder.h"
#include "app/StringTable.h"
#include "zip/TZip.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using namespace parvo;
using namespace parvo::test;

namespace {

QCoreApplication& App()
{
    static int argc = 1;
    static char name[] = "unit_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv); // never destroyed, as Qt must outlive main()
    return *QCoreApplication::instance();
}

// Runs a tool; its standard output, or a failed test.
QString Tool(const QString& program, const QStringList& args, const QString& folder = {}, int* exitCode = nullptr)
{
    QProcess p;
    if (!folder.isEmpty())
        p.setWorkingDirectory(folder);
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(120000)) << program.toStdString();
    if (exitCode)
        *exitCode = p.exitCode();
    else
        EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << " " << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Every file, folder and link below `root`: kind, permissions, time and contents.
std::string Describe(const QString& root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st;
        lstat(QFile::encodeName(path).constData(), &st);
        QString line = path.mid(root.size()) + QStringLiteral(" %1").arg(st.st_mode, 0, 8);
        if (S_ISLNK(st.st_mode))
            line += QStringLiteral(" -> ") + QFile::symLinkTarget(path).section(QLatin1Char('/'), -1);
        else if (!S_ISDIR(st.st_mode))
            line += QStringLiteral(" %1 %2").arg(qint64(st.st_mtime)).arg(QString::fromLatin1(ReadBytes(path).toHex().left(64)))
                  + QStringLiteral(" %1").arg(qint64(st.st_size));
        lines << line;
    }
    lines.sort();
    return lines.join(QLatin1Char('\n')).toStdString();
}

// A tree of text, binary, empty and nested files and an empty folder.
void MakeTree(const QString& root)
{
    QByteArray text;
    for (int i = 0; i < 4000; ++i)
        text += "line " + QByteArray::number(i * 7919 % 1000) + " of a text file\n";
    QByteArray binary(300000, '\0');
    quint32 x = 12345;
    for (char& c : binary) {
        x = x * 1103515245u + 12345u;
        c = char(x >> 24);
    }
    WriteBytes(root + QStringLiteral("/text.txt"), text);
    WriteBytes(root + QStringLiteral("/noise.bin"), binary);
    WriteBytes(root + QStringLiteral("/small.bin"), binary.left(1000));
    WriteBytes(root + QStringLiteral("/empty.txt"), {});
    WriteBytes(root + QStringLiteral("/sub/deeper/perché.txt"), text.left(3000), true);
    WriteBytes(root + QStringLiteral("/sub/big.txt"), text.repeated(40));
    QDir().mkpath(root + QStringLiteral("/hollow"));
    QFile::setPermissions(root + QStringLiteral("/small.bin"), QFile::ReadOwner | QFile::WriteOwner);
    struct timespec old[2] = {{0, UTIME_OMIT}, {946684800, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(root + QStringLiteral("/text.txt")).constData(), old, 0);
}

class ZipEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        zip.DllDir = QStringLiteral(PARVO_PROGRAM_DIR);
        zip.ShowProgressDialog = false;
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    int extract(const QString& archive, const QString& into, quint8 flags = 0x10)
    {
        QDir().mkpath(into);
        zip.SetZipPath(archive);
        zip.ExtractDir = into;
        zip.ExtractFlags = flags;
        return zip.Extract();
    }

    QTemporaryDir dir;
    FakePrompts prompts;
    TZip zip{{prompts, nullptr, QString(), {}}};
};

TEST_F(ZipEngine, OurArchivesListAsTheCommandLineZipsAndExtractByteForByte)
{
    const QString src = path(QStringLiteral("src"));
    MakeTree(src);
    const QString ours = path(QStringLiteral("ours.zip"));
    zip.SetZipPath(ours);
    zip.FileList = {QStringLiteral(".")};
    zip.AddBaseDir = src;
    zip.AddFlags = 0x1C;
    EXPECT_EQ(zip.Add(), 9); // six files and three folders
    EXPECT_TRUE(zip.FileList.isEmpty());
    EXPECT_TRUE(zip.AddBaseDir.isEmpty());
    EXPECT_EQ(zip.Entries.size(), 9);

    const QString theirs = path(QStringLiteral("theirs.zip"));
    Tool(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-9"), QStringLiteral("-r"), theirs, QStringLiteral(".")}, src);
    Tool(QStringLiteral("unzip"), {QStringLiteral("-tq"), ours});
    auto listing = [](const QString& archive) {
        QStringList lines = Tool(QStringLiteral("zipinfo"), {archive}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return lines.mid(2, lines.size() - 3).join(QLatin1Char('\n')).toStdString(); // no header, no totals
    };
    EXPECT_EQ(listing(ours), listing(theirs));
    EXPECT_LE(QFileInfo(ours).size(), QFileInfo(theirs).size() * 102 / 100);

    Tool(QStringLiteral("unzip"), {QStringLiteral("-q"), ours, QStringLiteral("-d"), path(QStringLiteral("byUnzip"))});
    EXPECT_EQ(Describe(path(QStringLiteral("byUnzip"))), Describe(src));
    EXPECT_EQ(extract(ours, path(QStringLiteral("byUs"))), 6);
    EXPECT_EQ(Describe(path(QStringLiteral("byUs"))), Describe(src));
    EXPECT_TRUE(prompts.shown.isEmpty()) << prompts.shown.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ZipEngine, CommandLineArchivesOfEveryKindExtractByteForByte)
{
    const QString src = path(QStringLiteral("src"));
    MakeTree(src);
    QFile::link(QStringLiteral("text.txt"), src + QStringLiteral("/link.txt"));
    const QStringList kinds[] = {{QStringLiteral("-0")}, {QStringLiteral("-9")}, {QStringLiteral("-fz")},
                                 {QStringLiteral("-P"), QStringLiteral("secret")}};
    int n = 0;
    for (const QStringList& options : kinds) {
        const QString archive = path(QStringLiteral("k%1.zip").arg(n));
        Tool(QStringLiteral("zip"), QStringList{QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("-y")} + options
                                       + QStringList{archive, QStringLiteral(".")}, src);
        prompts.texts = {QStringLiteral("wrong"), QStringLiteral("secret")};
        const QString out = path(QStringLiteral("out%1").arg(n++));
        EXPECT_EQ(extract(archive, out), 7) << options.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(Describe(out), Describe(src)) << options.join(QLatin1Char(' ')).toStdString();
    }
    // The encrypted one asked, was told wrong, asked again and remembered the answer.
    EXPECT_EQ(prompts.shown.count(Str(65281)), 1);
}

TEST_F(ZipEngine, NamesThatReachOutsideAreRefusedAndTheRestExtracted)
{
    ZipEntrySpec link{"link", "/"};
    link.externalAttributes = 0120777u << 16;
    const std::string archive = BuildZip({
        {"/abs.txt", "x"},
        {"../up.txt", "x"},
        {"a/../../up2.txt", "x"},
        {"C:/win.txt", "x"},
        {"bad\nname.txt", "x"},
        link,
        {"link/tmp/escaped.txt", "x"},
        {"folder\\inside.txt", "backslash"},
        {"ok.txt", "fine"},
    });
    const QString file = path(QStringLiteral("evil.zip"));
    WriteBytes(file, QByteArray::fromStdString(archive));
    const QString out = path(QStringLiteral("out"));
    EXPECT_EQ(extract(file, out), 3);
    EXPECT_EQ(ReadBytes(out + QStringLiteral("/ok.txt")), "fine");
    EXPECT_EQ(ReadBytes(out + QStringLiteral("/folder/inside.txt")), "backslash");
    EXPECT_EQ(QFile::symLinkTarget(out + QStringLiteral("/link")), QStringLiteral("/"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/escaped.txt")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("up.txt"))));
    EXPECT_EQ(zip.SkippedCount, 6);
    ASSERT_EQ(prompts.shown.size(), 1);
    const QString notice = prompts.shown.first();
    EXPECT_TRUE(notice.startsWith(Str(65312)));
    for (const char* name : {"/abs.txt", "../up.txt", "C:/win.txt", "link/tmp/escaped.txt"})
        EXPECT_TRUE(notice.contains(QString::fromUtf8(name))) << name;
}

TEST_F(ZipEngine, SizesThatCannotBeTrueAreRefused)
{
    ZipEntrySpec bomb{"bomb.txt", std::string(20000, 'a'), true};
    bomb.declaredSize = 0xFFFFFFF0; // far more than deflate can make of a few bytes
    ZipEntrySpec liar{"liar.txt", std::string(50000, 'b'), true};
    liar.declaredSize = 100;        // more comes out than it said
    const QString file = path(QStringLiteral("bomb.zip"));
    WriteBytes(file, QByteArray::fromStdString(BuildZip({bomb, liar, {"ok.txt", "fine"}})));
    const QString out = path(QStringLiteral("out"));
    EXPECT_EQ(extract(file, out), 1);
    EXPECT_EQ(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{QStringLiteral("ok.txt")});
    EXPECT_EQ(zip.SkippedCount, 2);
}

TEST_F(ZipEngine, ACancelledCompressLeavesNoArchiveBehind)
{
    QByteArray noise(8 << 20, '\0');
    quint32 x = 7;
    for (char& c : noise) {
        x = x * 1664525u + 1013904223u;
        c = char(x >> 24);
    }
    for (int i = 0; i < 4; ++i)
        WriteBytes(path(QStringLiteral("src/n%1.bin").arg(i)), noise);
    const QString archive = path(QStringLiteral("dest/out.zip"));
    QDir().mkpath(path(QStringLiteral("dest")));
    QObject::connect(&zip, &TZip::OnZEDProgressEvent, [&] { zip.Cancel(); });
    zip.SetZipPath(archive);
    zip.FileList = {path(QStringLiteral("src"))};
    zip.AddFlags = 0x14;
    EXPECT_EQ(zip.Add(), 0);
    EXPECT_EQ(QDir(path(QStringLiteral("dest"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());

    // An archive that was there before stays as it was.
    WriteBytes(archive, QByteArray::fromStdString(BuildZip({{"old.txt", "kept"}})));
    const QByteArray before = ReadBytes(archive);
    zip.SetZipPath(archive);
    zip.FileList = {path(QStringLiteral("src"))};
    EXPECT_EQ(zip.Add(), 0);
    EXPECT_EQ(ReadBytes(archive), before);
    EXPECT_EQ(QDir(path(QStringLiteral("dest"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("out.zip")});
}

TEST_F(ZipEngine, FilesTheOverwriteRuleKeepsAreNamed)
{
    const QString archive = path(QStringLiteral("a.zip"));
    WriteBytes(archive, QByteArray::fromStdString(BuildZip({{"same.txt", "archived"}, {"old.txt", "archived"}})));
    const QString out = path(QStringLiteral("out"));
    EXPECT_EQ(extract(archive, out, 0x11), 2);
    // Replace older files: the one made older is replaced, the other stays and is named.
    WriteBytes(out + QStringLiteral("/old.txt"), "mine");
    WriteBytes(out + QStringLiteral("/same.txt"), "mine");
    struct timespec old[2] = {{0, UTIME_OMIT}, {946684800, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(out + QStringLiteral("/old.txt")).constData(), old, 0);
    EXPECT_EQ(extract(archive, out, 0x11), 1);
    EXPECT_EQ(ReadBytes(out + QStringLiteral("/old.txt")), "archived");
    EXPECT_EQ(ReadBytes(out + QStringLiteral("/same.txt")), "mine");
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_EQ(prompts.shown.first(), Str(65312) + QStringLiteral("\nsame.txt (") + Str(65319) + QLatin1Char(')'));
}

TEST_F(ZipEngine, AnArchiveTooLargeToListIsStillAdded)
{
    // More directory than the reader takes (over a million bytes) in a few thousand names.
    const QString src = path(QStringLiteral("src"));
    const QString longName = QString(200, QLatin1Char('n'));
    QDir().mkpath(src);
    constexpr int Files = 4500;
    for (int i = 0; i < Files; ++i)
        WriteBytes(src + QStringLiteral("/%1%2").arg(longName).arg(i), QByteArray::number(i));
    const QString archive = path(QStringLiteral("many.zip"));
    zip.SetZipPath(archive);
    zip.FileList = {QStringLiteral(".")};
    zip.AddBaseDir = src;
    zip.AddFlags = 0x14;
    EXPECT_EQ(zip.Add(), Files);
    EXPECT_TRUE(zip.Entries.isEmpty());
    EXPECT_TRUE(prompts.shown.isEmpty());
    Tool(QStringLiteral("unzip"), {QStringLiteral("-tq"), archive});
}

TEST_F(ZipEngine, OperationsThatCannotRunSayWhy)
{
    // Nothing to extract: no engine is even looked for.
    zip.DllDir = path(QStringLiteral("no-engines"));
    zip.SetZipPath(path(QStringLiteral("empty.zip")));
    EXPECT_EQ(zip.Extract(), 0);
    EXPECT_TRUE(prompts.shown.isEmpty());

    WriteBytes(path(QStringLiteral("one.zip")), QByteArray::fromStdString(BuildZip({{"a", "b"}})));
    zip.SetZipPath(path(QStringLiteral("one.zip")));
    try {
        zip.Extract();
        ADD_FAILURE() << "no engine, no exception";
    } catch (const ZipException& e) {
        EXPECT_EQ(e.Message, Str(65288).replace(QLatin1String("%s"), QStringLiteral("\"UnzDll.dll\".")));
    }
    zip.FileList = {path(QStringLiteral("one.zip"))};
    try {
        zip.Add();
        ADD_FAILURE() << "no engine, no exception";
    } catch (const ZipException& e) {
        EXPECT_EQ(e.Message, Str(65288).replace(QLatin1String("%s"), QStringLiteral("\"ZipDll.dll\".")));
    }

    // An engine older than the records it would be handed.
    zip.DllDir = QStringLiteral(PARVO_OLD_ENGINE_DIR);
    zip.FileList = {path(QStringLiteral("one.zip"))};
    try {
        zip.Add();
        ADD_FAILURE() << "an old engine was taken";
    } catch (const ZipException& e) {
        EXPECT_EQ(e.Message, Str(65291));
    }

    zip.DllDir = QStringLiteral(PARVO_PROGRAM_DIR);
    zip.ExtractDir = path(QStringLiteral("missing"));
    EXPECT_EQ(zip.Extract(), 0);
    zip.SetZipPath(QString());
    zip.FileList = {path(QStringLiteral("one.zip"))};
    EXPECT_EQ(zip.Add(), 0);
    zip.SetZipPath(path(QStringLiteral("one.zip")));
    EXPECT_EQ(zip.Add(), 0); // an empty file list
    WriteBytes(path(QStringLiteral("spanned.zip")), QByteArray::fromStdString(BuildZip({{"a", "b"}}, {.thisDisk = 1, .directoryDisk = 1})));
    zip.SetZipPath(path(QStringLiteral("spanned.zip")));
    EXPECT_EQ(zip.Extract(), 0);
    EXPECT_EQ(prompts.shown, (QStringList{Str(65287).replace(QLatin1String("%s"), path(QStringLiteral("missing"))),
                                          Str(65289), Str(65290), Str(65286)}));
}

TEST_F(ZipEngine, AnArchiveCutShortAfterItsDirectoryWasReadIsReported)
{
    const QString src = path(QStringLiteral("src"));
    MakeTree(src);
    const QString archive = path(QStringLiteral("cut.zip"));
    Tool(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-r"), archive, QStringLiteral(".")}, src);
    zip.SetZipPath(archive);
    ASSERT_FALSE(zip.Entries.isEmpty());
    QFile::resize(archive, QFileInfo(archive).size() / 2);
    zip.ExtractDir = path(QStringLiteral("out"));
    QDir().mkpath(zip.ExtractDir);
    EXPECT_EQ(zip.Extract(), 0);
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown.first().startsWith(Str(65312)));
    EXPECT_EQ(QDir(path(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden), QStringList());
}

class RecordingProgress : public ZipProgressView {
public:
    explicit RecordingProgress(QStringList& log) : log_(log) {}
    void Show() override { log_ << QStringLiteral("show"); }
    void Hide() override { log_ << QStringLiteral("hide"); }
    void SetFileName(const QString& name) override { log_ << QStringLiteral("file ") + name; }
    void SetMaximum(qint64 total) override { log_ << QStringLiteral("max %1").arg(total); }
    void SetPosition(qint64 done) override { log_ << QStringLiteral("at %1").arg(done); }

private:
    QStringList& log_;
};

TEST(ZipProgress, TheWindowFollowsTheEngineAndStepsAsideForQuestions)
{
    App();
    QTemporaryDir dir;
    FakePrompts prompts;
    QStringList log;
    TZip zip{{prompts, nullptr, QString(), [&](std::function<void()>) {
                  log << QStringLiteral("created");
                  return std::make_unique<RecordingProgress>(log);
              }}};
    zip.DllDir = QStringLiteral(PARVO_PROGRAM_DIR);
    const QString archive = dir.filePath(QStringLiteral("a.zip"));
    WriteBytes(archive, QByteArray::fromStdString(BuildZip({{"one.txt", "11"}, {"two.txt", "222"}})));
    WriteBytes(dir.filePath(QStringLiteral("out/two.txt")), "old");
    zip.SetZipPath(archive);
    zip.ExtractDir = dir.filePath(QStringLiteral("out"));
    zip.ExtractFlags = 0x18; // ask before overwriting
    prompts.answers = {PromptAnswer::Yes};
    EXPECT_EQ(zip.Extract(), 2);
    EXPECT_EQ(log, (QStringList{QStringLiteral("created"), QStringLiteral("show"), QStringLiteral("max 5"),
                                QStringLiteral("file one.txt"), QStringLiteral("at 2"), QStringLiteral("file two.txt"),
                                QStringLiteral("hide"), QStringLiteral("show"), QStringLiteral("at 5"), QStringLiteral("hide")}));
    EXPECT_EQ(ReadBytes(dir.filePath(QStringLiteral("out/two.txt"))), "222");
}

} // namespace
