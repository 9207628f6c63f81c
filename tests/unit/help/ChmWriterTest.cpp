#include "ChmDirectory.h"
#include "ChmFile.h"
#include "ChmSamples.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chm_lib.h>

using namespace parvo;
using namespace parvo::chm;

namespace {

const QList<StoredFile> kSample = {
    {"/html_source/index.html", "<html><body><a href=\"go.html\">GO!</a></body></html>"},
    {"/html_source/go.html", QByteArray("<html><body>finestra GO! \xc3\xa8</body></html>")},
    {"/html_source/images/barra.png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
    {"/html_source/vuota.html", ""},
    {"/parvo.hhc", "<UL><LI><OBJECT type=\"text/sitemap\"></OBJECT></UL>"},
};

QByteArray WithSystem(QList<StoredFile> files, QList<StoredFile>* out = nullptr)
{
    SystemInfo info;
    info.contentsFile = "parvo.hhc";
    info.indexFile = "parvo.hhk";
    info.defaultTopic = "html_source/index.html";
    info.title = "Guida di prova";
    info.compiledName = "prova";
    files.append({"/#SYSTEM", SystemFile(info)});
    if (out)
        *out = files;
    QString error;
    const QByteArray chm = WriteChm(files, {}, &error);
    EXPECT_FALSE(chm.isEmpty()) << qPrintable(error);
    return chm;
}

// Runs one of the independent reader's tools; its standard output.
QByteArray RunTool(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    EXPECT_TRUE(p.waitForFinished(30000)) << qPrintable(tool) << " is part of libchm-bin";
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    return p.readAllStandardOutput();
}

struct Enumerated {
    QList<QByteArray> names;
};

int Collect(chmFile*, chmUnitInfo* ui, void* context)
{
    static_cast<Enumerated*>(context)->names.append(QByteArray(ui->path));
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

TEST(ChmWriter, WrittenFileReadsBackThroughChmlib)
{
    QTemporaryDir dir;
    QList<StoredFile> files;
    const QByteArray chm = WithSystem(kSample, &files);
    const QString path = dir.filePath("prova.chm");
    test::Save(path, chm);

    QString error;
    const auto opened = ChmFile::open(path, &error);
    ASSERT_TRUE(opened) << qPrintable(error);
    for (const StoredFile& f : files)
        EXPECT_EQ(opened->read(QString::fromUtf8(f.name)), f.data) << f.name.constData();
    EXPECT_EQ(opened->title(), "Guida di prova");
    EXPECT_EQ(opened->defaultTopic(), "/html_source/index.html");
    EXPECT_EQ(opened->contentsFile(), "/parvo.hhc");
    EXPECT_TRUE(opened->read("/HTML_SOURCE/GO.HTML")) << "names are found without regard to case";
    EXPECT_FALSE(opened->read("/html_source/manca.html"));
    EXPECT_FALSE(opened->read("/html_source/")) << "a folder has no content";

    // The same bytes for the same pages: the file does not change from build to build.
    EXPECT_EQ(WithSystem(kSample), chm);
}

TEST(ChmWriter, ManyPagesGetAnIndexThatEveryLookupFollows)
{
    QTemporaryDir dir;
    const QList<StoredFile> files = test::ManyPages(3000);
    for (const quint32 chunkSize : {0x200u, 0x1000u}) {
        ChmOptions options;
        options.chunkSize = chunkSize;
        const QByteArray chm = WriteChm(files, options);
        const QString path = dir.filePath(QStringLiteral("molte_%1.chm").arg(chunkSize));
        test::Save(path, chm);
        // Listing chunks chained, and at 512 bytes more than one level of index above them.
        const quint64 dirAt = Le64(chm.constData() + 0x48);
        EXPECT_NE(Le32(chm.constData() + dirAt + 0x1C), 0xFFFFFFFFu);
        if (chunkSize == 0x200)
            EXPECT_GT(Le32(chm.constData() + dirAt + 0x18), 2u) << "index depth";

        chmFile* h = chm_open(QFile::encodeName(path).constData());
        ASSERT_NE(h, nullptr);
        for (const StoredFile& f : files) {
            chmUnitInfo ui;
            ASSERT_EQ(chm_resolve_object(h, f.name.constData(), &ui), CHM_RESOLVE_SUCCESS) << f.name.constData();
            QByteArray got(qsizetype(ui.length), '\0');
            chm_retrieve_object(h, &ui, reinterpret_cast<unsigned char*>(got.data()), 0, LONGINT64(ui.length));
            ASSERT_EQ(got, f.data);
        }
        Enumerated seen;
        chm_enumerate(h, CHM_ENUMERATE_ALL, &Collect, &seen);
        chm_close(h);
        EXPECT_EQ(seen.names.size(), files.size() + 3) << "the files, \"/\", \"/html_source/\" and the section table";

        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const DirectoryResult ours = ReadDirectory(f);
        ASSERT_TRUE(ours.directory) << qPrintable(ours.error);
        EXPECT_EQ(ours.directory->entries.size(), seen.names.size());
    }
}

TEST(ChmWriter, DebianToolsListAndExtractWhatWasWritten)
{
    QTemporaryDir dir;
    QList<StoredFile> files;
    const QString path = dir.filePath("prova.chm");
    test::Save(path, WithSystem(kSample, &files));

    const QByteArray listing = RunTool(QStringLiteral("enum_chmLib"), {path});
    for (const StoredFile& f : files)
        EXPECT_TRUE(listing.contains(f.name)) << f.name.constData() << "\n" << listing.constData();

    const QString out = dir.filePath("estratti");
    RunTool(QStringLiteral("extract_chmLib"), {path, out});
    for (const StoredFile& f : files) {
        QFile extracted(out + QString::fromUtf8(f.name));
        ASSERT_TRUE(extracted.open(QIODevice::ReadOnly)) << f.name.constData();
        EXPECT_EQ(extracted.readAll(), f.data) << f.name.constData();
    }
}

TEST(ChmWriter, RefusesNamesAReaderCouldNotTellApart)
{
    QString error;
    EXPECT_TRUE(WriteChm({{"/a.html", "1"}, {"/A.HTML", "2"}}, {}, &error).isEmpty());
    EXPECT_TRUE(error.contains("A.HTML"));
    EXPECT_TRUE(WriteChm({{"relativo.html", "x"}}).isEmpty());
    EXPECT_TRUE(WriteChm({{"/cartella/", "x"}}).isEmpty());
    EXPECT_TRUE(WriteChm({{"/" + QByteArray(600, 'x'), "x"}}).isEmpty());
    ChmOptions odd;
    odd.chunkSize = 1000;
    EXPECT_TRUE(WriteChm({{"/a.html", "1"}}, odd).isEmpty());
}

TEST(ShippedHelpFile, HoldsThePagesTheProgramOpens)
{
    const QString shipped = QStringLiteral(PARVO_PROGRAM_DIR "/parvo.chm");
    QString error;
    const auto help = ChmFile::open(shipped, &error);
    ASSERT_TRUE(help) << qPrintable(error);
    EXPECT_EQ(help->defaultTopic(), "/html_source/index.html");
    EXPECT_EQ(help->title(), "Guida di Parvo");
    for (const char* page : {"private_label.html", "buttons_pvfolders.html", "buttons_default.html", "dlg_go.html"})
        EXPECT_TRUE(help->contains(QStringLiteral("/html_source/") + QLatin1String(page))) << page;

    // Every source page and picture is stored as it stands, as the independent reader sees it.
    QTemporaryDir dir;
    RunTool(QStringLiteral("extract_chmLib"), {shipped, dir.path()});
    const QString sources = QStringLiteral(PARVO_HELP_SOURCES "/");
    int compared = 0;
    for (QDirIterator it(sources + "html_source", QDir::Files, QDirIterator::Subdirectories); it.hasNext(); ++compared) {
        const QString source = it.next();
        QFile a(source), b(dir.path() + "/" + source.mid(sources.size()));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)) << qPrintable(source);
        EXPECT_EQ(a.readAll(), b.readAll()) << qPrintable(source);
    }
    EXPECT_GT(compared, 25);
}
