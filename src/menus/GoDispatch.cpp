#include "menus/GoDispatch.h"

#include "app/BrandingFile.h"
#include "menus/Launch.h"
#include "settings/HistoryRing.h"
#include "settings/RegistryKeys.h"
#include "settings/SortedTextList.h"

#include <QFile>
#include <QUrl>

namespace parvo {

namespace {

// The GIF header: signature and version, then the logical screen's width and height,
// little-endian.
constexpr int kGifHeaderSize = 10;

// Banners larger than this are no banner: the dialog has room for 425 x 57.
constexpr qint64 kBannerMaxBytes = 16 * 1024 * 1024;

QString SearchKeywordsKey() { return QString::fromLatin1(keys::SearchKeywords); }

} // namespace

std::optional<BannerPicture> ReadBanner(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kBannerMaxBytes)
        return std::nullopt;
    BannerPicture banner;
    banner.bytes = file.readAll();
    const QByteArray& b = banner.bytes;
    if (b.size() < kGifHeaderSize || !(b.startsWith("GIF87a") || b.startsWith("GIF89a")))
        return std::nullopt;
    const auto byte = [&](int i) { return int(static_cast<unsigned char>(b[i])); };
    banner.width = byte(6) | (byte(7) << 8);
    banner.height = byte(8) | (byte(9) << 8);
    if (banner.width == 0 || banner.height == 0)
        return std::nullopt;
    return banner;
}

int BannerLeft(int width)
{
    switch (width) {
    case 400: return 48;
    case 468: return 14;
    default: return 40;
    }
}

GoBranding ReadGoBranding(const QString& brandingFile)
{
    GoBranding b;
    ReadHome(brandingFile, b.homeLabel, b.homeAddress);
    b.searchRow = ReadSearchUrl(brandingFile, QString()) != QLatin1String("-");
    b.bannerLink = ReadSearchSite(brandingFile);
    return b;
}

void LoadSearchWords(Registry& reg, QStringList& searchWords)
{
    searchWords.clear();
    SortedTextList unused; // the search ring feeds no address completion
    LoadHistoryList(reg, SearchKeywordsKey(), unused, searchWords);
}

QString SearchAddress(const QString& brandingFile, const QString& words)
{
    // Words go into an address: "&", "#", "%", "+" and the like would end or change the
    // query, so everything but letters, digits and blanks is quoted; blanks become "+".
    const QString quoted = QString::fromLatin1(QUrl::toPercentEncoding(words, " "));
    return ReadSearchUrl(brandingFile, quoted);
}

void DispatchGoChoice(GoTargets& t, const GoChoice& choice)
{
    switch (choice.tag) {
    case GoWebAddress:
        if (choice.webText.isEmpty())
            return;
        AppendHistoryEntry(t.registry, choice.webText, QString::fromLatin1(keys::HistoryLinks));
        t.GoCompletionList.add(choice.webText);
        OpenInBrowser(t.shell, t.BrowserCommand, choice.webText);
        return;
    case GoLocalFile:
        if (choice.localText.isEmpty())
            return;
        ShellRun(t.shell, LocalPathOf(choice.localText, t.names));
        return;
    case GoHomePage:
        OpenInBrowser(t.shell, t.BrowserCommand, choice.siteText);
        return;
    case GoSearch: {
        if (choice.searchText.isEmpty())
            return;
        if (!t.SearchWordList.contains(choice.searchText, Qt::CaseInsensitive))
            AppendHistoryEntry(t.registry, choice.searchText, SearchKeywordsKey());
        t.SearchWordList.clear();
        OpenInBrowser(t.shell, t.BrowserCommand, SearchAddress(t.brandingFile, choice.searchText));
        return;
    }
    case GoBanner:
        OpenInBrowser(t.shell, t.BrowserCommand, choice.bannerLink);
        return;
    default:
        return;
    }
}

} // namespace parvo
