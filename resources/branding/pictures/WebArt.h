#pragma once

#include "PixelArt.h"

#include <string_view>

// The Internet and mail: web pages, links, favourites, e-mail, searching.
namespace parvo::pictures::art {

inline constexpr std::string_view Globe[] = {
    ".....KKKKKK.....",
    "...KKcbbbbcKK...",
    "..KcGGbbbbbbcK..",
    ".KcGGGGbbGGbbcK.",
    ".KbGGGGGbGGGbbK.",
    "KbbGGGGGGbbGbbbK",
    "KbbbGGGGbbbbbbbK",
    "KbbbbGGGbbbbGGbK",
    "KbbbbbGGbbbGGGGK",
    "KbbbbbGGbbbGGGbK",
    "KbbbbbGbbbbbGGbK",
    ".KbbbbGbbbbbGbK.",
    ".KcbbbbbbbbbbcK.",
    "..KcbbbbbbbbcK..",
    "...KKcbbbbcKK...",
    ".....KKKKKK.....",
};

inline constexpr std::string_view Envelope[] = {
    "................",
    "................",
    "................",
    "KKKKKKKKKKKKKKKK",
    "KKwwwwwwwwwwwwKK",
    "KwKwwwwwwwwwwKwK",
    "KwwKwwwwwwwwKwwK",
    "KwwwKwwwwwwKwwwK",
    "KwwwwKKwwKKwwwwK",
    "KwwwKwwKKwwKwwwK",
    "KwwKwwwwwwwwKwwK",
    "KwKwwwwwwwwwwKwK",
    "KKlllllllllllllK",
    "KKKKKKKKKKKKKKKK",
    "................",
    "................",
};

// A small envelope; two of them, one behind the other, are the user's address list.
inline constexpr std::string_view SmallEnvelope[] = {
    "KKKKKKKKKKKK",
    "KKwwwwwwwwKK",
    "KwKwwwwwwKwK",
    "KwwKwwwwKwwK",
    "KwwwKKKKwwwK",
    "KwwKwwwwKwwK",
    "KwKwwwwwwKwK",
    "KKllllllllKK",
    "KKKKKKKKKKKK",
};
inline constexpr Recolour BackEnvelope[] = {{'w', 'P'}, {'l', 'p'}};

inline constexpr std::string_view Star[] = {
    ".......KK.......",
    "......KYyK......",
    "......KYyK......",
    ".....KYyyoK.....",
    "KKKKKKYyyoKKKKKK",
    "KYYYYYYyyyyyyyoK",
    ".KYyyyyyyyyyyoK.",
    "..KYyyyyyyyyoK..",
    "...KYyyyyyyoK...",
    "...KYyyyyyyoK...",
    "..KYyyyyyyyyoK..",
    "..KYyyyKKyyyoK..",
    ".KYyyKK..KKyyoK.",
    ".KYKK......KKoK.",
    "KKK..........KKK",
    "................",
};

// One link of a chain; two of them, hooked into each other, are the user's web links.
inline constexpr std::string_view ChainLink[] = {
    ".KKKKKKKKK.",
    "KbbbbbbbbbK",
    "KbKKKKKKKbK",
    "KbK.....KbK",
    "KbK.....KbK",
    "KbKKKKKKKbK",
    "KbbbbbbbbbK",
    ".KKKKKKKKK.",
};
// The stretch of the first link that passes over the second one.
inline constexpr std::string_view ChainLinkSide[] = {
    "KbK",
    "KbK",
    "KbK",
};
inline constexpr Recolour LightLink[] = {{'b', 'c'}};

inline constexpr std::string_view Magnifier[] = {
    "................",
    "....KKKKK.......",
    "...KcccccK......",
    "..KcwwcccgK.....",
    ".KcwccccccgK....",
    ".KcwccccccgK....",
    ".KccccccccgK....",
    ".KccccccccgK....",
    ".KggcccccggK....",
    "..KggggggggK....",
    "...KKKKKKKDKK...",
    "..........KnnK..",
    "...........KnnK.",
    "............KnnK",
    ".............KnK",
    "..............K.",
};

// A house: the home page of the web site.
inline constexpr std::string_view House[] = {
    "................",
    ".......KK.......",
    "......KrrK..KK..",
    ".....KrrrrK.KK..",
    "....KrrrrrrKKK..",
    "...KrrrrrrrrKK..",
    "..KrrrrrrrrrrK..",
    ".KRRRRRRRRRRRRK.",
    "KKKKKKKKKKKKKKKK",
    "..KwwwwwwwwwwK..",
    "..KwKKKwwKKKwK..",
    "..KwKcKwwKnKwK..",
    "..KwKKKwwKnKwK..",
    "..KwwwwwwKnKwK..",
    "..KKKKKKKKKKKK..",
    "................",
};

inline constexpr std::string_view Book[] = {
    "................",
    "..KKKKKKKKKKK...",
    ".KbbbbbbbbbbbK..",
    ".KbBBBBBBBBbbK..",
    ".KbbbbbbbbbbbK..",
    ".KbBBBBBBbbbbK..",
    ".KbbbbbbbbbbbK..",
    ".KbbbbbbbbbbbK..",
    ".KbbbbbbbbbbbK..",
    ".KbbbbbbbbbbbK..",
    ".KbbbbbbbbbbbK..",
    ".KBKKKKKKKKKKKK.",
    ".KBKwwwwwwwwwwK.",
    ".KBKlllllllllK..",
    "..KKKKKKKKKKK...",
    "................",
};

// A folded map with a route.
inline constexpr std::string_view Map[] = {
    "................",
    "................",
    ".KKKK...KKKK....",
    "KhhhhKKKccccKKKK",
    "KhhhhKccrrccKhhK",
    "KhrrhKcrccccKhhK",
    "KhhrrKrcccccKhhK",
    "KhhhrrccccccKhrK",
    "KhhhhKccccccKrhK",
    "KhhhhKccccccrhhK",
    "KhhhhKcccccrKhhK",
    "KhhhhKcccrrcKhhK",
    "KhhhhKKKKccrKhhK",
    ".KKKK...KKKKKKKK",
    "................",
    "................",
};

// Sun behind a cloud: weather.
inline constexpr std::string_view Weather[] = {
    "......O.........",
    "...O..O..O......",
    "....O.O.O.......",
    ".....KKK........",
    "OO..KyyyK.......",
    "...KyyyyyK......",
    "...KyyyKKKKK....",
    "....KyKsssssK...",
    ".O.KKKsswwwwsK..",
    "..KsssswwwwwwsK.",
    ".KsswwwwwwwwwwsK",
    "KsswwwwwwwwwwwsK",
    "KswwwwwwwwwwwwsK",
    ".KllllllllllllK.",
    "..KKKKKKKKKKKK..",
    "................",
};

// A newspaper: news.
inline constexpr std::string_view Newspaper[] = {
    "................",
    ".KKKKKKKKKKKKK..",
    ".KwwwwwwwwwwwKK.",
    ".KwKKKKKKKKKwKsK",
    ".KwwwwwwwwwwwKsK",
    ".KwbbbwwDDDDwKsK",
    ".KwbbbwwwwwwwKsK",
    ".KwbbbwwDDDDwKsK",
    ".KwwwwwwwwwwwKsK",
    ".KwDDDDDDDDDwKsK",
    ".KwwwwwwwwwwwKsK",
    ".KwDDDDDDDDDwKsK",
    ".KwwwwwwwwwwwKsK",
    ".KKKKKKKKKKKKKsK",
    "..KssssssssssssK",
    "...KKKKKKKKKKKKK",
};

// A shopping cart.
inline constexpr std::string_view Cart[] = {
    "................",
    "KKK.............",
    "KDDK............",
    ".KDKKKKKKKKKKKKK",
    ".KDKwwwwwwwwwwK.",
    "..KDKwKwKwKwwK..",
    "..KDKwwwwwwwwK..",
    "...KDKwKwKwwK...",
    "...KDKKKKKKKK...",
    "....KDDDDDDDDK..",
    "....KKKKKKKKKK..",
    ".....KDDDDDDDK..",
    "......KKKKKKKK..",
    "......KK...KK...",
    ".....KggK.KggK..",
    "......KK...KK...",
};

// A speech bubble: forums and chat.
inline constexpr std::string_view Bubble[] = {
    "................",
    "................",
    "..KKKKKKKKKKKK..",
    ".KwwwwwwwwwwwwK.",
    "KwwwwwwwwwwwwwwK",
    "KwwDDDDDDDDDDwwK",
    "KwwwwwwwwwwwwwwK",
    "KwwDDDDDDDDwwwwK",
    "KwwwwwwwwwwwwwwK",
    ".KwwwwwwwwwwwwK.",
    "..KKKwwKKKKKKK..",
    "....KwwK........",
    "....KwK.........",
    "....KK..........",
    "................",
    "................",
};

// A calendar page.
inline constexpr std::string_view Calendar[] = {
    "................",
    "...K......K.....",
    ".KKDKKKKKKDKKK..",
    ".KrrrrrrrrrrrK..",
    ".KrrrrrrrrrrrK..",
    ".KKKKKKKKKKKKK..",
    ".KwwwwwwwwwwwK..",
    ".KwDwDwDwDwDwK..",
    ".KwwwwwwwwwwwK..",
    ".KwDwDwDwrrwwK..",
    ".KwwwwwwwrrwwK..",
    ".KwDwDwDwDwDwK..",
    ".KwwwwwwwwwwwK..",
    ".KKKKKKKKKKKKK..",
    "................",
    "................",
};

// A film strip: video.
inline constexpr std::string_view Film[] = {
    "................",
    "................",
    "KKKKKKKKKKKKKKKK",
    "KwKwKwKwKwKwKwKK",
    "KKKKKKKKKKKKKKKK",
    "KKccccKKccccKKKK",
    "KKcbbcKKcbbcKKKK",
    "KKcbbcKKcbbcKKKK",
    "KKccccKKccccKKKK",
    "KKKKKKKKKKKKKKKK",
    "KwKwKwKwKwKwKwKK",
    "KKKKKKKKKKKKKKKK",
    "................",
    "................",
    "................",
    "................",
};

// A ball: sport.
inline constexpr std::string_view Ball[] = {
    "................",
    ".....KKKKKK.....",
    "...KKwwwwwwKK...",
    "..KwwwKKKKwwwK..",
    ".KwwwKKKKKKwwwK.",
    ".KwwwwKKKKwwwwK.",
    "KKwwwwwwwwwwwKKK",
    "KKKwwwwwwwwwKKKK",
    "KKKwwwwwwwwwKKKK",
    "KKwwwwKKKwwwwwKK",
    "KwwwwKKKKKwwwwwK",
    ".KwwwKKKKKwwwwK.",
    ".KwwwwKKKwwwwwK.",
    "..KKwwwwwwwwKK..",
    "...KKKwwwwKKK...",
    ".....KKKKKK.....",
};

}  // namespace parvo::pictures::art
