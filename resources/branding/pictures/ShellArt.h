#pragma once

#include "PixelArt.h"

#include <string_view>

// The desktop and the system: screen, clock, settings.
namespace parvo::pictures::art {

// The desktop: a screen on its stand.
inline constexpr std::string_view Monitor[] = {
    "................",
    "KKKKKKKKKKKKKKKK",
    "KlllllllllllllDK",
    "KlKKKKKKKKKKKKDK",
    "KlKccccccccccKDK",
    "KlKcwcccccccbKDK",
    "KlKccccccccbbKDK",
    "KlKcccccccbbbKDK",
    "KlKccccccbbbbKDK",
    "KlKKKKKKKKKKKKDK",
    "KDDDDDDDDDDDDDDK",
    "KKKKKKKKKKKKKKKK",
    "......KllK......",
    "....KKKKKKKK....",
    "....KggggggK....",
    "....KKKKKKKK....",
};

// History: a clock.
inline constexpr std::string_view Clock[] = {
    "................",
    ".....KKKKKK.....",
    "...KKwwwwwwKK...",
    "..KwwwwKwwwwwK..",
    ".KwwwwwKwwwwwwK.",
    ".KwwwwwKwwwwwwK.",
    "KwKwwwwKwwwwwKwK",
    "KwwwwwwKwwwwwwwK",
    "KwwwwwwKKKKKwwwK",
    "KwwwwwwwwwwwwwwK",
    "KwKwwwwwwwwwwKwK",
    ".KwwwwwwwwwwwwK.",
    ".KwwwwwwKwwwwwK.",
    "..KwwwwwwwwwwK..",
    "...KKwwwwwwKK...",
    ".....KKKKKK.....",
};

// Configuration: a gear wheel.
inline constexpr std::string_view Gear[] = {
    "................",
    ".......KK.......",
    "...KK.KllK.KK...",
    "..KllKllllKllK..",
    "..KlllllllllgK..",
    "...KllgKKglgK...",
    ".KKllK....KlgKK.",
    "KllllK....KlllgK",
    "KllllK....KlllgK",
    ".KKllK....KlgKK.",
    "...KllgKKgllK...",
    "..KlllllllllgK..",
    "..KllKllllKggK..",
    "...KK.KlgK.KK...",
    ".......KK.......",
    "................",
};

}  // namespace parvo::pictures::art
