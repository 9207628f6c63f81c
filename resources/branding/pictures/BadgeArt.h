#pragma once

#include "PixelArt.h"

#include <string_view>

// Badges: small marks laid over the lower right corner of a bigger glyph (at 8, 7 on
// a folder) to say what it holds or what an action does to it.
namespace parvo::pictures::art {

inline constexpr QPoint BadgeCorner{8, 7};

inline constexpr std::string_view GearBadge[] = {
    "...KKK..",
    ".KKgggKK",
    ".KglllgK",
    "KglKKKlg",
    "KglK.Klg",
    "KglKKKlg",
    ".KglllgK",
    ".KKgggKK",
    "...KKK..",
};

inline constexpr std::string_view WindowBadge[] = {
    "KKKKKKKK",
    "KbbbbbwK",
    "KKKKKKKK",
    "KwwwwwwK",
    "KwccccwK",
    "KwwwwwwK",
    "KwccwwwK",
    "KwwwwwwK",
    "KKKKKKKK",
};

inline constexpr std::string_view PlayBadge[] = {
    "..KKKK..",
    ".KGGGGK.",
    "KGwGGGGK",
    "KGwwGGGK",
    "KGwwwGGK",
    "KGwwGGGK",
    "KGwGGGGK",
    ".KGGGGK.",
    "..KKKK..",
};

inline constexpr std::string_view GlobeBadge[] = {
    "..KKKK..",
    ".KcbbcK.",
    "KcGGbGbK",
    "KbGGGbbK",
    "KbbGbGGK",
    "KbbbGGbK",
    "KcbbbGcK",
    ".KcbbcK.",
    "..KKKK..",
};

inline constexpr std::string_view PageBadge[] = {
    "KKKKKK..",
    "KwwwwKK.",
    "KwDDwKwK",
    "KwwwwKKK",
    "KwDDDDwK",
    "KwwwwwwK",
    "KwDDDDwK",
    "KwwwwwwK",
    "KKKKKKKK",
};

inline constexpr std::string_view PlusBadge[] = {
    "..KKKK..",
    "..KGGK..",
    "KKKhGKKK",
    "KhhhGGGK",
    "KGGGGGGK",
    "KKKGGKKK",
    "..KGGK..",
    "..KKKK..",
};

inline constexpr std::string_view QuestionBadge[] = {
    "..KKKK..",
    ".KwwwwK.",
    "KwwKKwwK",
    "KKKKwwwK",
    "..KwwwK.",
    "..KwwK..",
    "..KKKK..",
    "..KwwK..",
    "..KKKK..",
};

// Sending something on: an arrow pointing right.
inline constexpr std::string_view SendBadge[] = {
    "...KK...",
    "KKKKcK..",
    "KcccccK.",
    "KbbbbbbK",
    "KBBBBBK.",
    "KKKKBK..",
    "...KK...",
};

inline constexpr std::string_view CableBadge[] = {
    "...KK...",
    "...KK...",
    "...KK...",
    "KKKKKKKK",
    "KccKKccK",
    "KKKKKKKK",
};

}  // namespace parvo::pictures::art
