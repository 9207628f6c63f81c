#include "ChmDirectory.h"
#include "ChmFile.h"
#include "ChmSamples.h"
#include "HelpTopic.h"
#include "SiteMap.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;
using namespace parvo::chm;

namespace {

// A file of several listing chunks under one index chunk, small enough to damage by hand.
QByteArray Sample()
{
    ChmOptions options;
    options.chunkSize = 0x200;
    return WriteChm(test::ManyPages(40), options);
}

quint32 Root(const QByteArray& file)
{
    return Le32(file.constData() + Le64(file.constData() + 0x48) + 0x1C);
}

QString Refusal(const QByteArray& file)
{
    const DirectoryResult r = ParseDirectory(file, quint64(file.size()));
    return r.directory ? QStringLiteral("<accepted>") : r.error;
}

} // namespace

TEST(ChmDirectory, SoundFileIsAccepted)
{
    const QByteArray file = Sample();
    ASSERT_NE(Root(file), 0xFFFFFFFFu) << "the sample needs an index";
    const DirectoryResult r = ParseDirectory(file, quint64(file.size()));
    ASSERT_TRUE(r.directory) << qPrintable(r.error);
    EXPECT_EQ(r.directory->entries.size(), 43);
    const DirectoryEntry* page = r.directory->find("/HTML_SOURCE/PAGINA_7.HTML");
    ASSERT_TRUE(page);
    EXPECT_EQ(file.mid(qsizetype(r.directory->contentOffset + page->offset), qsizetype(page->length)),
              "<html><body>pagina 7</body></html>");
}

TEST(ChmDirectory, DamagedOrHostileFilesAreRefused)
{
    const QByteArray good = Sample();
    const quint64 dirAt = Le64(good.constData() + 0x48);
    std::vector<std::pair<const char*, QByteArray>> cases;
    const auto damaged = [&](const char* what, auto change) {
        QByteArray b = good;
        change(b);
        cases.emplace_back(what, b);
    };
    damaged("blocchi dell'elenco girano in tondo", [](QByteArray& b) { test::PutLe32(b, test::ChunkAt(b, 0) + 0x10, 0); });
    damaged("blocchi dell'elenco girano in tondo", [](QByteArray& b) { test::PutLe32(b, test::ChunkAt(b, 1) + 0x10, 0); });
    damaged("blocco dell'elenco rimanda fuori", [](QByteArray& b) { test::PutLe32(b, test::ChunkAt(b, 0) + 0x10, 9999); });
    damaged("indice gira in tondo", [&](QByteArray& b) {
        const qsizetype root = test::ChunkAt(b, Root(b));
        // The first entry's chunk number is its last byte: name length, name, number.
        const qsizetype nameLength = quint8(b[root + 8]);
        b[root + 8 + 1 + nameLength] = char(Root(b));
    });
    damaged("profondità impossibile", [&](QByteArray& b) { test::PutLe32(b, qsizetype(dirAt) + 0x18, 1); });
    damaged("voce rimanda oltre la fine del file", [](QByteArray& b) {
        b.truncate(b.size() - 10);
    });
    damaged("sta fuori dal file", [](QByteArray& b) { test::PutLe64(b, 0x50, quint64(b.size())); });
    damaged("sta fuori dal file", [](QByteArray& b) { test::PutLe64(b, 0x48, ~quint64(0) - 4); });
    damaged("meno blocchi di quanti ne dichiara", [&](QByteArray& b) { test::PutLe32(b, qsizetype(dirAt) + 0x2C, 0x10000000); });
    damaged("non ha un indice sui suoi blocchi", [&](QByteArray& b) { test::PutLe32(b, qsizetype(dirAt) + 0x1C, 0xFFFFFFFF); });
    damaged("dimensione impossibile", [&](QByteArray& b) { test::PutLe32(b, qsizetype(dirAt) + 0x10, 3); });
    damaged("più spazio libero di quanto ne ha", [](QByteArray& b) { test::PutLe32(b, test::ChunkAt(b, 0) + 4, 0xFFFF); });
    damaged("nome di una voce va oltre il suo blocco", [](QByteArray& b) {
        const qsizetype first = test::ChunkAt(b, 0) + ListingHeaderSize;
        b[first] = char(0x84); // an encint of 0x200 + …: the name now runs on and on
    });
    damaged("di un tipo sconosciuto", [](QByteArray& b) { test::PutLe32(b, 4, 4); });
    damaged("non è una guida compilata", [](QByteArray& b) { b.replace(0, 4, "GIF8"); });

    // Each refused for what was done to it, not for some damage met on the way.
    for (const auto& [what, bytes] : cases)
        EXPECT_TRUE(Refusal(bytes).contains(QString::fromUtf8(what))) << what << ": " << qPrintable(Refusal(bytes));

    // Cut anywhere in its header or directory, the file is refused, never read past its end.
    for (qsizetype cut = 0; cut < qsizetype(dirAt) + 0x54 + 0x400; cut += 7)
        EXPECT_NE(Refusal(good.left(cut)), "<accepted>") << cut;
}

TEST(ChmDirectory, ViewerOpensNothingItHasNotChecked)
{
    QTemporaryDir dir;
    QByteArray looped = Sample();
    test::PutLe32(looped, test::ChunkAt(looped, 1) + 0x10, 0);
    test::Save(dir.filePath("anello.chm"), looped);
    QString why;
    EXPECT_FALSE(ChmFile::open(dir.filePath("anello.chm"), &why));
    EXPECT_TRUE(why.contains("in tondo")) << qPrintable(why);
    EXPECT_FALSE(ChmFile::open(dir.filePath("manca.chm"), &why));
}

TEST(HelpTopic, AddressesSplitIntoFileAndPage)
{
    HelpTopic t = SplitHelpTopic("/opt/parvo/parvo.chm::/html_source/go.html#tasti");
    EXPECT_EQ(t.file, "/opt/parvo/parvo.chm");
    EXPECT_EQ(t.page, "/html_source/go.html");
    EXPECT_EQ(t.fragment, "tasti");
    t = SplitHelpTopic("/opt/parvo/parvo.chm");
    EXPECT_EQ(t.file, "/opt/parvo/parvo.chm");
    EXPECT_TRUE(t.page.isEmpty());
    EXPECT_EQ(SplitHelpTopic("a.chm::html_source/x.html>main").page, "/html_source/x.html");
    EXPECT_EQ(SplitHelpTopic("/a>b/a.chm").file, "/a>b/a.chm") << "a \">\" in the file's own path stays";
    // A page never climbs out of the file's root.
    EXPECT_EQ(SplitHelpTopic("a.chm::/../../etc/passwd").page, "/etc/passwd");
    EXPECT_EQ(NormalisePagePath("html_source/./img/../p.html"), "/html_source/p.html");
}

TEST(SiteMap, ListsNestAndEntitiesDecode)
{
    const QByteArray hhc = R"(<HTML><BODY><OBJECT type="text/site properties"><param name="X" value="y"></OBJECT>
<UL>
  <LI> <OBJECT type="text/sitemap"><param name="Name" value="Inizio &amp; fine"><param name="Local" value="a.html"></OBJECT>
  <UL>
    <li><object TYPE='text/sitemap'><PARAM NAME=Name VALUE="Figlio &#232;"><param name="Local" value="b.html"></object>
    <UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Nipote"></OBJECT></UL>
  </UL>
  <LI> <OBJECT type="text/sitemap"><param name="Name" value="Secondo"><param name="Local" value="c.html"></OBJECT>
</UL></BODY></HTML>)";
    const QList<SiteMapItem> items = ParseSiteMap(hhc);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].name, "Inizio & fine");
    EXPECT_EQ(items[0].local, "a.html");
    ASSERT_EQ(items[0].children.size(), 1);
    EXPECT_EQ(items[0].children[0].name, QString::fromUtf8("Figlio è"));
    ASSERT_EQ(items[0].children[0].children.size(), 1);
    EXPECT_TRUE(items[0].children[0].children[0].local.isEmpty());
    EXPECT_EQ(items[1].name, "Secondo");

    // Unbalanced or endless nesting reads what it can and stops.
    EXPECT_TRUE(ParseSiteMap("</UL></UL><LI>").isEmpty());
    QByteArray deep;
    for (int i = 0; i < 5000; ++i)
        deep += "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"x\"></OBJECT>";
    EXPECT_EQ(ParseSiteMap(deep).size(), 1);
}
