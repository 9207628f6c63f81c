#include "SponsorStrip.h"

#include "ActionArt.h"
#include "FileArt.h"
#include "Palette.h"
#include "ShellArt.h"
#include "WebArt.h"

#include <array>

namespace parvo::pictures {

namespace {

using namespace art;

// Books of different kinds are told apart by the colour of their cover.
inline constexpr Recolour RedBook[] = {{'b', 'r'}, {'B', 'n'}};
inline constexpr Recolour GreenBook[] = {{'b', 'G'}, {'B', 'K'}};

struct LinkIcon
{
    std::array<const char*, 4> words;  // any of them, in the lower-case address or caption
    Sprite sprite;
    std::span<const Recolour> recolour{};
};

// Searched in this order; the first entry with a word in the link's text gives its icon.
const std::array<LinkIcon, 15> linkIcons = {{
    {{"meteo", "weather", "tempo", "previsioni"}, Weather},
    {{"mappa", "mappe", "map", "stradario"}, Map},
    {{"dizionario", "dictionary", "vocabolario", "wiktionary"}, Book, RedBook},
    {{"libri", "libro", "book", "biblioteca"}, Book, GreenBook},
    {{"enciclopedia", "encyclopedia", "wikipedia", "sapere"}, Book},
    {{"notizie", "news", "giornale", "quotidiano"}, Newspaper},
    {{"negozio", "shop", "acquisti", "offerte"}, Cart},
    {{"sport", "calcio", "football", "risultati"}, Ball},
    {{"video", "film", "cinema", "televisione"}, Film},
    {{"musica", "music", "radio", "canzoni"}, MusicNote},
    {{"posta", "mail", "webmail", "pvemail"}, Envelope},
    {{"forum", "chat", "comunità", "community"}, Bubble},
    {{"calendario", "agenda", "eventi", "calendar"}, Calendar},
    {{"cerca", "search", "ricerca", "motore"}, Magnifier},
    {{"sistema operativo", "software", "download", "programmi"}, AppWindow},
}};

const LinkIcon* iconFor(const QString& text)
{
    const QString lower = text.toLower();
    for (const LinkIcon& icon : linkIcons) {
        for (const char* word : icon.words) {
            if (lower.contains(QLatin1String(word)))
                return &icon;
        }
    }
    return nullptr;
}

}  // namespace

QImage makeSponsorStrip(const QStringList& links)
{
    const int cells = std::max<int>(SponsorMinimumCells, int(links.size()));
    QImage strip(16 * cells, 16, QImage::Format_RGB32);
    strip.fill(brand::Transparent);
    for (int cell = 0; cell < cells; ++cell) {
        const LinkIcon* icon = cell > 0 && cell < links.size() ? iconFor(links[cell]) : nullptr;
        Layer layer{Globe};
        if (cell == 0)
            layer = {House};
        else if (icon)
            layer = {icon->sprite, {0, 0}, icon->recolour};
        paintCell(strip, cell, {&layer, 1});
    }
    return strip;
}

}  // namespace parvo::pictures
