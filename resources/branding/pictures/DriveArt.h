#pragma once

#include "PixelArt.h"

#include <string_view>

// Drives, one picture per kind of medium; the network and unknown kinds add a badge
// (BadgeArt.h) to the hard disk.
namespace parvo::pictures::art {

inline constexpr std::string_view HardDisk[] = {
    "................",
    "................",
    "................",
    "................",
    "...KKKKKKKKKKKK.",
    "..KsssssssssssKK",
    ".KsssssssssssKgK",
    "KKKKKKKKKKKKKggK",
    "KllllllllllllKgK",
    "KlDDDDDDDlhGlKgK",
    "KllllllllllllKK.",
    "KKKKKKKKKKKKKK..",
    "................",
    "................",
    "................",
    "................",
};

// The hard disk raised, so that a badge fits below or beside it.
inline constexpr std::string_view HardDiskHigh[] = {
    "................",
    "...KKKKKKKKKKKK.",
    "..KsssssssssssKK",
    ".KsssssssssssKgK",
    "KKKKKKKKKKKKKggK",
    "KllllllllllllKgK",
    "KlDDDDDDDlhGlKgK",
    "KllllllllllllKK.",
    "KKKKKKKKKKKKKK..",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
};

inline constexpr std::string_view NetworkCable[] = {
    "......KK........",
    "......KK........",
    "..KKKKKKKKKK....",
    "..KccKKKKccK....",
    "..KKKK..KKKK....",
};

// A removable stick.
inline constexpr std::string_view UsbStick[] = {
    "................",
    ".........KKKKK..",
    "........KsKsKsK.",
    ".......KssssssK.",
    "......KKKKKKKsK.",
    ".....KbbbbbbbKK.",
    "....KbcbbbbbK...",
    "...KbcbbbbbK....",
    "..KbcbbbbbK.....",
    ".KbbbbbbbK......",
    ".KbbbbbbK.......",
    ".KbbbbbK........",
    ".KBbbbK.........",
    "..KBBK..........",
    "...KK...........",
    "................",
};

inline constexpr std::string_view Disc[] = {
    "................",
    ".....KKKKKK.....",
    "...KKssssccKK...",
    "..KsssssscccwK..",
    ".KsssssssccwwsK.",
    ".KPssssssswwssK.",
    "KPPPsssKKssssssK",
    "KPPPPsKwwKsssssK",
    "KPPPPsKwwKsssssK",
    "KPPPssKKKssssssK",
    ".KPsssssssssscK.",
    ".KsssssssssccsK.",
    "..KsssssssccsK..",
    "...KKssssssKK...",
    ".....KKKKKK.....",
    "................",
};

// A memory module: a disk held in memory.
inline constexpr std::string_view MemoryChip[] = {
    "................",
    "................",
    "................",
    "................",
    "KKKKKKKKKKKKKKKK",
    "KGGGGGGGGGGGGGGK",
    "KGKKKGKKKGKKKGGK",
    "KGKDKGKDKGKDKGGK",
    "KGKKKGKKKGKKKGGK",
    "KGGGGGGGGGGGGGGK",
    "KyKyKyKyKyKyKyKK",
    "KKKKKKKKKKKKKKKK",
    "................",
    "................",
    "................",
    "................",
};

}  // namespace parvo::pictures::art
