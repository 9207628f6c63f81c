#include "app/BrandingFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace parvo;

namespace {

using Records = QList<QPair<QString, QString>>;

QPair<QString, QString> Rec(const char* key, const char* value)
{
    return {QString::fromUtf8(key), QString::fromUtf8(value)};
}

// A field as stored, with a length byte of our choosing and the given bytes after it.
QByteArray RawField(quint8 lengthByte, const QByteArray& bytes)
{
    QByteArray field(kBrandingFieldSize, '\0');
    field[0] = static_cast<char>(lengthByte);
    std::copy_n(bytes.begin(), std::min<qsizetype>(bytes.size(), kBrandingTextMax), field.begin() + 1);
    return field;
}

// Home, links, title, colours, search: n = links + 4.
Records Branding(int links)
{
    Records records{Rec("Casa Parvo", "http://www.parvo.example/benvenuti/index.html")};
    for (int i = 1; i <= links; ++i)
        records << std::pair(QStringLiteral("Sito %1").arg(i), QStringLiteral("http://s%1.example/a?b=%1").arg(i));
    records << Rec("Parvo", "www.parvo.example") << Rec("13160660|0", "10498160")
            << Rec("http://www.parvo.example/banner", "https://cerca.example/?q=|&lang=it");
    return records;
}

class BrandingFileTest : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes, const char* name = "data1.mke")
    {
        const QString path = dir.filePath(QLatin1String(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    QString writeRecords(const Records& records)
    {
        QString error;
        const QByteArray bytes = EncodeBrandingRecords(records, &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return write(bytes);
    }

    QTemporaryDir dir;
};

} // namespace

TEST(BrandingPairs, FirstMatchInTableOrderAndEachPositionOnce)
{
    const CharPair table[] = {{'a', 'b'}, {'b', 'c'}, {'a', 'z'}, {'x', 'a'}};
    QByteArray text = "abxq";
    SwapPairs(text, table, PairDirection::Forward);
    // a→b (not on to c, not z), b→c, x→a (not on to b), q untouched.
    EXPECT_EQ(text, QByteArray("bcaq"));

    text = "abcq";
    SwapPairs(text, table, PairDirection::Reverse);
    // Compared with the seconds: a→x, b→a (not on to x), c→b (not on to a), q untouched.
    EXPECT_EQ(text, QByteArray("xabq"));
}

TEST(BrandingText, EncodingIsTheExactInverseAndLeavesUtf8AndSeparatorAlone)
{
    QString printable;
    for (char c = 0x20; c < 0x7f; ++c)
        printable += QLatin1Char(c);
    const QString italian = QStringLiteral("Perché la città è più bella ☕ €");
    for (const QString& text : {printable, italian, QString()}) {
        EXPECT_EQ(DecodeBrandingText(EncodeBrandingText(text)), text);
    }

    // Each ASCII byte decodes to a different character: no two stored forms collide.
    QByteArray ascii(0x80, '\0');
    for (int b = 0; b < 0x80; ++b)
        ascii[b] = static_cast<char>(b);
    const QString decoded = DecodeBrandingText(ascii);
    EXPECT_EQ(decoded.size(), 0x80);
    EXPECT_EQ(QSet<QChar>(decoded.begin(), decoded.end()).size(), 0x80);

    // The stored form really is scrambled, but UTF-8 bytes and "|" stay as they are.
    const QString address = QStringLiteral("http://www.parvo.example/|");
    EXPECT_NE(EncodeBrandingText(address), address.toUtf8());
    EXPECT_TRUE(EncodeBrandingText(address).endsWith('|'));
    const QByteArray storedItalian = EncodeBrandingText(italian);
    const QByteArray plainItalian = italian.toUtf8();
    ASSERT_EQ(storedItalian.size(), plainItalian.size());
    for (qsizetype i = 0; i < plainItalian.size(); ++i)
        if (static_cast<unsigned char>(plainItalian[i]) >= 0x80)
            EXPECT_EQ(storedItalian[i], plainItalian[i]) << i;
}

TEST(BrandingWriter, LaysOutLengthPrefixedFieldsOfFixedSize)
{
    const QByteArray bytes = EncodeBrandingRecords({Rec("abc", ""), Rec("", "città")});
    ASSERT_EQ(bytes.size(), 2 * kBrandingRecordSize);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes.mid(1, 3), EncodeBrandingText(QStringLiteral("abc")));
    EXPECT_EQ(bytes.mid(4, kBrandingFieldSize - 4), QByteArray(kBrandingFieldSize - 4, '\0'));
    EXPECT_EQ(bytes[kBrandingFieldSize], 0);
    EXPECT_EQ(bytes[kBrandingRecordSize], 0);
    EXPECT_EQ(bytes[kBrandingRecordSize + kBrandingFieldSize], 6); // "città" is 6 bytes in UTF-8
}

TEST(BrandingWriter, RefusesTextsOverHundredBytesInsteadOfCutting)
{
    QString error;
    EXPECT_EQ(EncodeBrandingRecords({std::pair(QString(100, u'x'), QString(100, u'y'))}, &error).size(),
              kBrandingRecordSize);
    EXPECT_TRUE(error.isEmpty());

    EXPECT_TRUE(EncodeBrandingRecords({Rec("ok", "ok"), std::pair(QString(), QString(101, u'y'))}, &error)
                    .isEmpty());
    EXPECT_TRUE(error.contains(QLatin1String("record 1"))) << error.toStdString();

    // Counted in bytes: 51 two-byte letters do not fit though they are 51 characters.
    EXPECT_TRUE(EncodeBrandingRecords({std::pair(QString(51, u'è'), QString())}, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(EncodeBrandingRecords({std::pair(QString(50, u'è'), QString())}, &error).isEmpty());
}

TEST_F(BrandingFileTest, ReadersFindEachRoleCountingFromBothEnds)
{
    const QString path = writeRecords(Branding(3));

    QString title, address;
    ReadTitleAndAddress(path, title, address);
    EXPECT_EQ(title, QStringLiteral("Parvo"));
    EXPECT_EQ(address, QStringLiteral("www.parvo.example"));

    QString label, home;
    ReadHome(path, label, home);
    EXPECT_EQ(label, QStringLiteral("Casa Parvo"));
    EXPECT_EQ(home, QStringLiteral("http://www.parvo.example/benvenuti/index.html"));

    EXPECT_EQ(ReadColour(path, 1), 13160660);
    EXPECT_EQ(ReadColour(path, 2), 0);
    EXPECT_EQ(ReadColour(path, 3), 10498160);
    EXPECT_EQ(ReadColour(path, 0), 0);
    EXPECT_EQ(ReadColour(path, 4), 0);

    EXPECT_EQ(ReadSearchSite(path), QStringLiteral("http://www.parvo.example/banner"));
    EXPECT_EQ(ReadSearchUrl(path, QStringLiteral("gatto nero")),
              QStringLiteral("https://cerca.example/?q=gatto+nero&lang=it"));

    const auto links = ReadWebLinks(path);
    ASSERT_TRUE(links);
    EXPECT_EQ(*links, (QStringList{QStringLiteral("Casa Parvo=http://www.parvo.example/"),
                                   QStringLiteral("Sito 1=http://s1.example/a?b=1"),
                                   QStringLiteral("Sito 2=http://s2.example/a?b=2"),
                                   QStringLiteral("Sito 3=http://s3.example/a?b=3")}));
}

TEST_F(BrandingFileTest, WebLinksHoldOneLinePlusTheRecordsBeforeTheLastThree)
{
    const Records records = Branding(3); // 7 records
    const std::pair<int, int> expected[] = {{1, -1}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {6, 3}, {7, 4}};
    for (auto [n, lines] : expected) {
        const QString path = writeRecords(records.mid(0, n));
        const auto links = ReadWebLinks(path);
        if (lines < 0) {
            EXPECT_FALSE(links) << n;
            continue;
        }
        ASSERT_TRUE(links) << n;
        EXPECT_EQ(links->size(), lines) << n;
        EXPECT_TRUE(links->front().startsWith(QLatin1String("Casa Parvo=http://www.parvo.example/"))) << n;
    }
}

TEST(BrandingSiteRoot, KeepsSchemeAndHostUpToTheFirstSlash)
{
    EXPECT_EQ(SiteRoot(QStringLiteral("http://www.parvo.example/a/b.html")),
              QStringLiteral("http://www.parvo.example/"));
    EXPECT_EQ(SiteRoot(QStringLiteral("http://")), QStringLiteral("http://"));
    EXPECT_EQ(SiteRoot(QString()), QStringLiteral("http://"));
    // A root that would otherwise lose its host or its scheme.
    EXPECT_EQ(SiteRoot(QStringLiteral("http://www.parvo.example")), QStringLiteral("http://www.parvo.example/"));
    EXPECT_EQ(SiteRoot(QStringLiteral("https://www.parvo.example/x")), QStringLiteral("https://www.parvo.example/"));
    EXPECT_EQ(SiteRoot(QStringLiteral("http://parvo.example?x=1")), QStringLiteral("http://parvo.example/"));
    EXPECT_EQ(SiteRoot(QStringLiteral("www.parvo.example/x")), QStringLiteral("http://www.parvo.example/"));
}

TEST_F(BrandingFileTest, SearchTemplateTakesTheWordsAtEveryBar)
{
    const auto withTemplate = [&](const char* search) {
        return writeRecords({Rec("home", "http://h.example/"), Rec("Parvo", "-"), Rec("0|0", "0"),
                             Rec("http://banner.example/", search)});
    };
    QString path = withTemplate("a|b");
    EXPECT_EQ(ReadSearchUrl(path, QStringLiteral("uno due")), QStringLiteral("auno+dueb"));
    EXPECT_EQ(ReadSearchUrl(path, QString()), QStringLiteral("ab"));
    // Only blanks are touched; nothing else is escaped.
    EXPECT_EQ(ReadSearchUrl(path, QStringLiteral(" a&b\t")), QStringLiteral("a+a&b\tb"));

    path = withTemplate("|-|");
    EXPECT_EQ(ReadSearchUrl(path, QStringLiteral("x y")), QStringLiteral("x+y-x+y"));

    path = withTemplate("-");
    EXPECT_EQ(ReadSearchUrl(path, QString()), QStringLiteral("-"));
    EXPECT_EQ(ReadSearchUrl(path, QStringLiteral("parole")), QStringLiteral("-"));
}

TEST_F(BrandingFileTest, ColoursParseDecimalOrDollarHexAndOtherwiseGiveZero)
{
    const auto colours = [&](const char* key, const char* value) {
        return writeRecords({Rec("home", "x"), Rec(key, value), Rec("s", "t")});
    };
    QString path = colours("16777215", "$FF00ff");
    EXPECT_EQ(ReadColour(path, 1), 0); // no "|": the part before it is empty
    EXPECT_EQ(ReadColour(path, 2), 16777215);
    EXPECT_EQ(ReadColour(path, 3), 0xFF00FF);

    path = colours("$80|-12", " 42 ");
    EXPECT_EQ(ReadColour(path, 1), 128);
    EXPECT_EQ(ReadColour(path, 2), -12);
    EXPECT_EQ(ReadColour(path, 3), 42);

    // Split at the first "|" only.
    path = colours("1|2|3", "$FFFFFFFF");
    EXPECT_EQ(ReadColour(path, 1), 1);
    EXPECT_EQ(ReadColour(path, 2), 0);
    EXPECT_EQ(ReadColour(path, 3), -1);

    for (const char* bad : {"", "12a", "$", "$G0", "0x10", "-", "2147483648", "$100000000", "1 2"}) {
        path = colours(bad, bad);
        EXPECT_EQ(ReadColour(path, 2), 0) << bad;
        EXPECT_EQ(ReadColour(path, 3), 0) << bad;
    }
    path = colours("2147483647|-2147483648", "0");
    EXPECT_EQ(ReadColour(path, 1), 2147483647);
    EXPECT_EQ(ReadColour(path, 2), -2147483647 - 1);
}

TEST_F(BrandingFileTest, LengthByteOverHundredReadsOnlyTheField)
{
    const QByteArray key = EncodeBrandingText(QString(100, u'k'));
    const QByteArray value = EncodeBrandingText(QString(100, u'v'));
    QByteArray record = RawField(255, key) + RawField(200, value);
    // Bytes after the stated length are ignored, whatever they hold.
    QByteArray tail = RawField(2, EncodeBrandingText(QStringLiteral("okGARBAGE")));
    const QString path = write(record + record + tail + QByteArray(kBrandingFieldSize, 'z'));

    QString title, address;
    ReadTitleAndAddress(path, title, address);
    EXPECT_EQ(title, QString(100, u'k'));
    EXPECT_EQ(address, QString(100, u'v'));
    EXPECT_EQ(ReadSearchSite(path), QStringLiteral("ok"));
}

TEST_F(BrandingFileTest, PartialTrailingRecordIsNotCounted)
{
    QByteArray bytes = EncodeBrandingRecords(Branding(1)); // 5 records
    bytes += EncodeBrandingRecords({Rec("spare", "spare")}).left(kBrandingRecordSize - 1);
    const QString path = write(bytes);
    QString title, address;
    ReadTitleAndAddress(path, title, address);
    EXPECT_EQ(title, QStringLiteral("Parvo"));
    EXPECT_EQ(ReadColour(path, 3), 10498160);
    EXPECT_EQ(ReadSearchSite(path), QStringLiteral("http://www.parvo.example/banner"));
    ASSERT_TRUE(ReadWebLinks(path));
    EXPECT_EQ(ReadWebLinks(path)->size(), 2);
}

TEST_F(BrandingFileTest, EveryReaderFallsBackOnUnreadableFiles)
{
    const QString missing = dir.filePath(QStringLiteral("missing.mke"));
    const QString empty = write({}, "empty.mke");
    const QString partial = write(EncodeBrandingRecords(Branding(0)).left(kBrandingRecordSize - 1), "partial.mke");
    QByteArray noise(kBrandingRecordSize - 1, '\0');
    for (char& b : noise)
        b = static_cast<char>(QRandomGenerator::global()->bounded(256));
    const QString garbage = write(noise, "garbage.mke");
    const QString folder = dir.path();
    for (const QString& path : {missing, empty, partial, garbage, folder}) {
        QString title = QStringLiteral("old title"), address = QStringLiteral("old address");
        ReadTitleAndAddress(path, title, address);
        EXPECT_TRUE(title.isEmpty()) << path.toStdString();
        EXPECT_EQ(address, QStringLiteral("old address"));

        QString label = QStringLiteral("old label"), home = QStringLiteral("old home");
        ReadHome(path, label, home);
        EXPECT_EQ(label, QStringLiteral("old label"));
        EXPECT_TRUE(home.isEmpty());

        for (int which = 1; which <= 3; ++which)
            EXPECT_EQ(ReadColour(path, which), 0);
        EXPECT_FALSE(ReadWebLinks(path));
        EXPECT_TRUE(ReadSearchUrl(path, QStringLiteral("a b")).isEmpty());
        EXPECT_TRUE(ReadSearchSite(path).isEmpty());
    }

    // Two records: home and the last record exist, the title record (n−3) does not.
    const QString two = writeRecords({Rec("home", "http://h.example/"), Rec("site", "t|")});
    QString title = QStringLiteral("old"), address = QStringLiteral("kept");
    ReadTitleAndAddress(two, title, address);
    EXPECT_TRUE(title.isEmpty());
    EXPECT_EQ(address, QStringLiteral("kept"));
    EXPECT_EQ(ReadSearchSite(two), QStringLiteral("site"));
    EXPECT_EQ(ReadSearchUrl(two, QStringLiteral("q")), QStringLiteral("tq"));
}

TEST_F(BrandingFileTest, EachCallReadsTheFileAgain)
{
    const QString path = writeRecords(Branding(0));
    QString title, address;
    ReadTitleAndAddress(path, title, address);
    EXPECT_EQ(title, QStringLiteral("Parvo"));

    Records changed = Branding(2);
    changed[3].first = QStringLiteral("Altro");
    writeRecords(changed);
    ReadTitleAndAddress(path, title, address);
    EXPECT_EQ(title, QStringLiteral("Altro"));
    EXPECT_EQ(ReadWebLinks(path)->size(), 3);
}
