#include "menus/GoDispatch.h"

#include "FakeRegistry.h"
#include "TempFiles.h"
#include "app/BrandingFile.h"
#include "settings/HistoryRing.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

QByteArray Gif(int width, int height, const char* version = "GIF89a")
{
    QByteArray b(version);
    b += char(width & 0xFF);
    b += char(width >> 8);
    b += char(height & 0xFF);
    b += char(height >> 8);
    b += QByteArray("\x80\x00\x00", 3);
    return b;
}

// A branding file with the home record, one web link, title, colours and the last
// record (banner link, search template).
QString Branding(const QTemporaryDir& dir, const QString& searchTemplate)
{
    const QString path = dir.filePath("data1.mke");
    test::WriteBytes(path, EncodeBrandingRecords({{"Casa", "http://casa.example/"},
                                                  {"Link", "http://link.example/"},
                                                  {"Parvo", "www.parvo.example"},
                                                  {"1|2", "3"},
                                                  {"http://banner.example/", searchTemplate}}));
    return path;
}

} // namespace

TEST(GoDispatch, BannerMustBeAGifAndIsPlacedByItsWidth)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("data4.mke");
    test::WriteBytes(path, Gif(468, 60));
    const auto banner = ReadBanner(path);
    ASSERT_TRUE(banner);
    EXPECT_EQ(banner->width, 468);
    EXPECT_EQ(banner->height, 60);
    test::WriteBytes(path, Gif(400, 50, "GIF87a"));
    EXPECT_EQ(ReadBanner(path)->width, 400);

    // Not a GIF, cut short, of no size, missing: no banner.
    for (const QByteArray& bad : {QByteArray("\x89PNG\r\n\x1a\n0000"), QByteArray("GIF89a\x01"), Gif(0, 60), QByteArray()}) {
        test::WriteBytes(path, bad);
        EXPECT_FALSE(ReadBanner(path)) << bad.toHex().constData();
    }
    EXPECT_FALSE(ReadBanner(dir.filePath("missing.mke")));

    EXPECT_EQ(BannerLeft(468), 14);
    EXPECT_EQ(BannerLeft(400), 48);
    for (int other : {425, 399, 401, 0, 1000})
        EXPECT_EQ(BannerLeft(other), 40) << other;
}

TEST(GoDispatch, BrandingFillsTheDialogAndHidesSearchForTheDashTemplate)
{
    QTemporaryDir dir;
    GoBranding b = ReadGoBranding(Branding(dir, "https://cerca.example/?q=|"));
    EXPECT_EQ(b.homeLabel, "Casa");
    EXPECT_EQ(b.homeAddress, "http://casa.example/");
    EXPECT_EQ(b.bannerLink, "http://banner.example/");
    EXPECT_TRUE(b.searchRow);
    EXPECT_FALSE(ReadGoBranding(Branding(dir, "-")).searchRow);
    // Unreadable branding falls back to empty texts; an empty template is not "-".
    b = ReadGoBranding(dir.filePath("missing.mke"));
    EXPECT_TRUE(b.searchRow);
    EXPECT_TRUE(b.homeAddress.isEmpty() && b.bannerLink.isEmpty());
}

TEST(GoDispatch, SearchWordsGoIntoTheTemplateQuoted)
{
    QTemporaryDir dir;
    const QString data = Branding(dir, "https://cerca.example/?q=|&lang=it");
    EXPECT_EQ(SearchAddress(data, "gatti neri"), "https://cerca.example/?q=gatti+neri&lang=it");
    // What would end or change the query is quoted; letters beyond ASCII as UTF-8.
    EXPECT_EQ(SearchAddress(data, "c++ & java #1"), "https://cerca.example/?q=c%2B%2B+%26+java+%231&lang=it");
    EXPECT_EQ(SearchAddress(data, QString::fromUtf8("città 100%")), "https://cerca.example/?q=citt%C3%A0+100%25&lang=it");
}

TEST(GoDispatch, SearchWordsLoadFromTheirRing)
{
    FakeRegistry reg;
    AppendHistoryEntry(reg, "gatti", "\\SearchKeywords");
    AppendHistoryEntry(reg, "meteo", "\\SearchKeywords");
    AppendHistoryEntry(reg, "www.x.example", "\\HistoryLinks");
    QStringList words{"stale"};
    LoadSearchWords(reg, words);
    EXPECT_EQ(words, (QStringList{"gatti", "meteo"}));
}
