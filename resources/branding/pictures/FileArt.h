#pragma once

#include "PixelArt.h"

#include <string_view>

// Files by kind, and pages with something printed on them.
namespace parvo::pictures::art {

// Any other file: a blank page with a folded corner.
inline constexpr std::string_view BlankPage[] = {
    "..KKKKKKKKK.....",
    "..KwwwwwwwKK....",
    "..KwwwwwwwKsK...",
    "..KwwwwwwwKssK..",
    "..KwwwwwwwKKKKK.",
    "..KwwwwwwwwwwwK.",
    "..KwwwwwwwwwwwK.",
    "..KwwwwwwwwwwwK.",
    "..KwwwwwwwwwwwK.",
    "..KwwwwwwwwwwwK.",
    "..KwwwwwwwwwwwK.",
    "..KwwwwwwwwwwwK.",
    "..KwwwwwwwwwwwK.",
    "..KwwwwwwwwwwwK.",
    "..KKKKKKKKKKKKK.",
    "................",
};

// Text and office documents: a page of lines.
inline constexpr std::string_view TextPage[] = {
    "..KKKKKKKKK.....",
    "..KwwwwwwwKK....",
    "..KwbbbbwwKsK...",
    "..KwwwwwwwKssK..",
    "..KwDDDDDwKKKKK.",
    "..KwwwwwwwwwwwK.",
    "..KwDDDDDDDDDwK.",
    "..KwwwwwwwwwwwK.",
    "..KwDDDDDDDDDwK.",
    "..KwwwwwwwwwwwK.",
    "..KwDDDDDDDDDwK.",
    "..KwwwwwwwwwwwK.",
    "..KwDDDDDDwwwwK.",
    "..KwwwwwwwwwwwK.",
    "..KKKKKKKKKKKKK.",
    "................",
};

// Programs: an application window.
inline constexpr std::string_view AppWindow[] = {
    "................",
    "................",
    "KKKKKKKKKKKKKKKK",
    "KbbbbbbbbbKwKwKK",
    "KbbbbbbbbbbbbbbK",
    "KKKKKKKKKKKKKKKK",
    "KwwwwwwwwwwwwwwK",
    "KwKKKwDDDDDDwwwK",
    "KwKcKwwwwwwwwwwK",
    "KwKKKwDDDDDwwwwK",
    "KwwwwwwwwwwwwwwK",
    "KwKKKwDDDDDDDwwK",
    "KwKcKwwwwwwwwwwK",
    "KwKKKwwwwwwwwwsK",
    "KKKKKKKKKKKKKKKK",
    "................",
};

// Sound: a pair of notes.
inline constexpr std::string_view MusicNote[] = {
    "................",
    "......vvvvvvvvv.",
    "......vvvvvvvvv.",
    "......v.......v.",
    "......v.......v.",
    "......v.......v.",
    "......v.......v.",
    "......v.......v.",
    "......v.......v.",
    "......v....vvvv.",
    "......v...vPppv.",
    "...vvvv...vpppv.",
    "..vPppv....vvv..",
    "..vpppv.........",
    "...vvv..........",
    "................",
};

// Archives: a parcel with a zip down its middle.
inline constexpr std::string_view Archive[] = {
    "................",
    "..KKKKKKKKKKKK..",
    ".KYYYYYKKYYYYYK.",
    "KKKKKKKKKKKKKKKK",
    "KyyyyyKwKyyyyyoK",
    "KyyyyyKKKyyyyyoK",
    "KyyyyyKwKyyyyyoK",
    "KyyyyyKKKyyyyyoK",
    "KyyyyyKwKyyyyyoK",
    "KyyyyyKKKyyyyyoK",
    "KyyyyKgggKyyyyoK",
    "KyyyyKgDgKyyyyoK",
    "KyyyyyKKKyyyyyoK",
    "KooooooooooooooK",
    "KKKKKKKKKKKKKKKK",
    "................",
};

// Fonts: a page with a large letter.
inline constexpr std::string_view FontPage[] = {
    "..KKKKKKKKK.....",
    "..KwwwwwwwKK....",
    "..KwwwwwwwKsK...",
    "..KwwwwwwwKssK..",
    "..KwwwwwwwKKKKK.",
    "..KwwwwBBwwwwwK.",
    "..KwwwBBBBwwwwK.",
    "..KwwwBBBBwwwwK.",
    "..KwwBBwwBBwwwK.",
    "..KwwBBBBBBwwwK.",
    "..KwBBwwwwBBwwK.",
    "..KwBBwwwwBBwwK.",
    "..KwwwwwwwwwwwK.",
    "..KwwwwwwwwwwwK.",
    "..KKKKKKKKKKKKK.",
    "................",
};

// Licences: a certificate with a seal.
inline constexpr std::string_view Certificate[] = {
    "................",
    "KKKKKKKKKKKKKKKK",
    "KwwwwwwwwwwwwwwK",
    "KwDDDDDDDDDDDDwK",
    "KwwwwwwwwwwwwwwK",
    "KwDDDDDDDDDwwwwK",
    "KwwwwwwwwwwwwwwK",
    "KwDDDDDDwwKKKKwK",
    "KwwwwwwwwKrrrrKK",
    "KwwwwwwwwKrRRrKK",
    "KKKKKKKKKKrrrrKK",
    ".........KKrrKK.",
    ".........KrKKrK.",
    ".........KrK.KrK",
    ".........KKK.KKK",
    "................",
};

}  // namespace parvo::pictures::art
