#pragma once

#include "PixelArt.h"

#include <string_view>

// Folder pictures. The yellow folder is drawn in other colours for the program's own
// folders and for system folders; badges (BadgeArt.h) mark what a folder holds.
namespace parvo::pictures::art {

inline constexpr std::string_view Folder[] = {
    "................",
    "................",
    ".KKKKK..........",
    "KYYYYYK.........",
    "KYyyyyyKKKKKKKK.",
    "KYYYYYYYYYYYYYYK",
    "KYyyyyyyyyyyyyoK",
    "KYyyyyyyyyyyyyoK",
    "KYyyyyyyyyyyyyoK",
    "KYyyyyyyyyyyyyoK",
    "KYyyyyyyyyyyyyoK",
    "KYyyyyyyyyyyyyoK",
    "KYyyyyyyyyyyyyoK",
    "KooooooooooooooK",
    ".KKKKKKKKKKKKKK.",
    "................",
};

// Folder in the accent colour: the program's own folders.
inline constexpr Recolour PurpleFolder[] = {{'Y', 'P'}, {'y', 'p'}, {'o', 'v'}};
// Folder in grey: system folders with no picture of their own.
inline constexpr Recolour GreyFolder[] = {{'Y', 's'}, {'y', 'l'}, {'o', 'g'}};

}  // namespace parvo::pictures::art
