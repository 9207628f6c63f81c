#pragma once

#include "PixelArt.h"

#include <string_view>

// What a button or a menu item does: about, help, quit, go, add, delete, move, view.
namespace parvo::pictures::art {

inline constexpr std::string_view Info[] = {
    "................",
    ".....KKKKKK.....",
    "...KKbbbbbbKK...",
    "..KbbbbwwbbbbK..",
    ".KbbbbbwwbbbbbK.",
    ".KbbbbbbbbbbbbK.",
    "KbbbbbwwwbbbbbbK",
    "KbbbbbbwwbbbbbbK",
    "KbbbbbbwwbbbbbbK",
    "KbbbbbbwwbbbbbbK",
    "KbbbbbbwwbbbbbbK",
    ".KbbbbwwwwbbbbK.",
    ".KBbbbbbbbbbbBK.",
    "..KBBbbbbbbBBK..",
    "...KKBBBBBBKK...",
    ".....KKKKKK.....",
};

inline constexpr std::string_view Help[] = {
    "................",
    ".....KKKKKK.....",
    "...KKbbbbbbKK...",
    "..KbbbwwwwbbbK..",
    ".KbbbwwbbwwbbbK.",
    ".KbbbbbbbwwbbbK.",
    "KbbbbbbbbwwbbbbK",
    "KbbbbbbbwwbbbbbK",
    "KbbbbbbwwbbbbbbK",
    "KbbbbbbwwbbbbbbK",
    "KbbbbbbbbbbbbbbK",
    ".KbbbbbwwbbbbbK.",
    ".KBbbbbwwbbbbBK.",
    "..KBBbbbbbbBBK..",
    "...KKBBBBBBKK...",
    ".....KKKKKK.....",
};

// Quitting the program: a red power sign.
inline constexpr std::string_view Power[] = {
    "................",
    ".......KK.......",
    "...KK.KrrK.KK...",
    "..KrrKKrrKKrrK..",
    ".KrrK.KrrK.KrrK.",
    ".KrK..KrrK..KrK.",
    "KrrK..KrrK..KrrK",
    "KrK...KrrK...KrK",
    "KrK....KK....KrK",
    "KrK..........KrK",
    "KrrK........KrrK",
    ".KrrK......KrrK.",
    ".KrrrKK..KKrrrK.",
    "..KKrrrrrrrrKK..",
    "....KKKKKKKK....",
    "................",
};

// GO!: a green button with an arrow.
inline constexpr std::string_view Go[] = {
    "................",
    ".....KKKKKK.....",
    "...KKhGGGGGKK...",
    "..KhhGGGGGGGGK..",
    ".KhGGGGGwGGGGGK.",
    ".KhGGGGGwwGGGGK.",
    "KhGGGGGGwwwGGGGK",
    "KGGwwwwwwwwwGGGK",
    "KGGwwwwwwwwwwGGK",
    "KGGwwwwwwwwwGGGK",
    "KGGGGGGGwwwGGGGK",
    ".KGGGGGGwwGGGGK.",
    ".KGGGGGGwGGGGGK.",
    "..KGGGGGGGGGGK..",
    "...KKGGGGGGKK...",
    ".....KKKKKK.....",
};

// Updating the program: two arrows chasing each other.
inline constexpr std::string_view Refresh[] = {
    "................",
    "......KKKKK..K..",
    "....KKGGGGGKKGK.",
    "...KGGhhhhGGGGK.",
    "..KGGK....KGGGK.",
    "..KGK....KGGGGK.",
    ".KGK.....KKKKKK.",
    ".KGK............",
    "............KGK.",
    ".KKKKKK.....KGK.",
    ".KGGGGK....KGK..",
    ".KGGGK....KGGK..",
    ".KGGGGhhhhGGK...",
    ".KGKKGGGGGKK....",
    "..K..KKKKK......",
    "................",
};

inline constexpr std::string_view ArrowUp[] = {
    "................",
    ".......KK.......",
    "......KccK......",
    ".....KcbbbK.....",
    "....KcbbbbbK....",
    "...KcbbbbbbbK...",
    "..KcbbbbbbbbbK..",
    ".KKKKKbbbbKKKKK.",
    ".....KcbbbK.....",
    ".....KcbbbK.....",
    ".....KcbbbK.....",
    ".....KcbbbK.....",
    ".....KcbbbK.....",
    ".....KcbbbK.....",
    ".....KKKKKK.....",
    "................",
};

inline constexpr std::string_view ArrowDown[] = {
    "................",
    ".....KKKKKK.....",
    ".....KcbbbK.....",
    ".....KcbbbK.....",
    ".....KcbbbK.....",
    ".....KcbbbK.....",
    ".....KcbbbK.....",
    ".....KcbbbK.....",
    ".KKKKKcbbbKKKKK.",
    "..KcbbbbbbbbBK..",
    "...KcbbbbbbBK...",
    "....KcbbbbBK....",
    ".....KcbbBK.....",
    "......KcBK......",
    ".......KK.......",
    "................",
};

inline constexpr std::string_view Plus[] = {
    "................",
    "................",
    "......KKKK......",
    "......KhGK......",
    "......KhGK......",
    "......KhGK......",
    "..KKKKKhGKKKKK..",
    "..KhhhhhGGGGGK..",
    "..KGGGGGGGGGGK..",
    "..KKKKKGGKKKKK..",
    "......KGGK......",
    "......KGGK......",
    "......KGGK......",
    "......KKKK......",
    "................",
    "................",
};

inline constexpr std::string_view Cross[] = {
    "................",
    "................",
    "..KKK.....KKK...",
    ".KRrrK...KrrrK..",
    ".KrrrrK.KrrrrK..",
    "..KrrrrKrrrrK...",
    "...KrrrrrrrK....",
    "....KrrrrrK.....",
    "...KrrrrrrrK....",
    "..KrrrrKrrrrK...",
    ".KrrrrK.KrrrrK..",
    ".KrrrK...KrrrK..",
    "..KKK.....KKK...",
    "................",
    "................",
    "................",
};

// Renaming and editing: a pencil.
inline constexpr std::string_view Pencil[] = {
    "................",
    "...........KKK..",
    "..........KRRRK.",
    ".........KKrrRrK",
    "........KlKKrrK.",
    ".......KyyYKKK..",
    "......KyyYyyK...",
    ".....KyyYyyK....",
    "....KyyYyyK.....",
    "...KyyYyyK......",
    "..KsyYyyK.......",
    "..KssyyK........",
    ".KsssKK.........",
    ".KDsK...........",
    "KKKK............",
    "................",
};

// The view-style button: a window of icons with a drop-down mark.
inline constexpr std::string_view ViewMenu[] = {
    "................",
    "KKKKKKKKKKKK....",
    "KwwwwwwwwwwK....",
    "KwbbwwbbwwwK....",
    "KwbbwwbbwwwK....",
    "KwwwwwwwwwwK....",
    "KwbbwwbbwwwK....",
    "KwbbwwbbwwwK....",
    "KwwwwwwwwwwK....",
    "KKKKKKKKKKKK....",
    "................",
    "..........KKKKK.",
    "...........KKK..",
    "............K...",
    "................",
    "................",
};

inline constexpr std::string_view LargeIcons[] = {
    "................",
    ".KKKKKK..KKKKKK.",
    ".KccccK..KccccK.",
    ".KcbbbK..KcbbbK.",
    ".KcbbbK..KcbbbK.",
    ".KKKKKK..KKKKKK.",
    "..DDDD....DDDD..",
    "................",
    "................",
    ".KKKKKK..KKKKKK.",
    ".KccccK..KccccK.",
    ".KcbbbK..KcbbbK.",
    ".KcbbbK..KcbbbK.",
    ".KKKKKK..KKKKKK.",
    "..DDDD....DDDD..",
    "................",
};

inline constexpr std::string_view SmallIcons[] = {
    "................",
    "................",
    ".KKK.DDD.KKK.DDD",
    ".KbK.....KbK....",
    ".KKK.....KKK....",
    "................",
    ".KKK.DDD.KKK.DDD",
    ".KbK.....KbK....",
    ".KKK.....KKK....",
    "................",
    ".KKK.DDD.KKK.DDD",
    ".KbK.....KbK....",
    ".KKK.....KKK....",
    "................",
    "................",
    "................",
};

inline constexpr std::string_view ListView[] = {
    "................",
    "................",
    ".KKK.DDDDDDDDDD.",
    ".KbK............",
    ".KKK............",
    ".KKK.DDDDDDDD...",
    ".KbK............",
    ".KKK............",
    ".KKK.DDDDDDDDDD.",
    ".KbK............",
    ".KKK............",
    ".KKK.DDDDDDD....",
    ".KbK............",
    ".KKK............",
    "................",
    "................",
};

inline constexpr std::string_view DetailsView[] = {
    "................",
    "KKKKKKKKKKKKKKKK",
    "KllllllKlllllllK",
    "KKKKKKKKKKKKKKKK",
    "KwbwDDDKwDDDwwwK",
    "KwwwwwwKwwwwwwwK",
    "KwbwDDDKwDDDDwwK",
    "KwwwwwwKwwwwwwwK",
    "KwbwDDDKwDDwwwwK",
    "KwwwwwwKwwwwwwwK",
    "KwbwDDDKwDDDwwwK",
    "KKKKKKKKKKKKKKKK",
    "................",
    "................",
    "................",
    "................",
};

// Scroll arrows for the narrow scroll buttons of the bar (11 pixels across): each
// keeps inside the middle 7 x 7 pixels of its cell.
inline constexpr std::string_view ScrollLeft[] = {
    "................",
    "................",
    "................",
    "................",
    "........K.......",
    ".......KK.......",
    "......KKK.......",
    ".....KKKK.......",
    "......KKK.......",
    ".......KK.......",
    "........K.......",
    "................",
    "................",
    "................",
    "................",
    "................",
};

inline constexpr std::string_view ScrollUp[] = {
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    ".......K........",
    "......KKK.......",
    ".....KKKKK......",
    "....KKKKKKK.....",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
};

inline constexpr std::string_view ScrollRight[] = {
    "................",
    "................",
    "................",
    "................",
    ".......K........",
    ".......KK.......",
    ".......KKK......",
    ".......KKKK.....",
    ".......KKK......",
    ".......KK.......",
    ".......K........",
    "................",
    "................",
    "................",
    "................",
    "................",
};

inline constexpr std::string_view ScrollDown[] = {
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "....KKKKKKK.....",
    ".....KKKKK......",
    "......KKK.......",
    ".......K........",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
};

// A drop-down mark in the middle of the cell, for a narrow button.
inline constexpr std::string_view DropMark[] = {
    "................",
    "................",
    "................",
    "................",
    "....KKKKKKK.....",
    ".....KKKKK......",
    "......KKK.......",
    ".......K........",
    "....KKKKKKK.....",
    ".....KKKKK......",
    "......KKK.......",
    ".......K........",
    "................",
    "................",
    "................",
    "................",
};

// The drive-list button of the bar is 11 pixels across (and 11 high on a vertical
// bar): a small drive over a drop-down mark, inside the middle 7 x 7 pixels.
inline constexpr std::string_view DriveListMark[] = {
    "................",
    "................",
    "................",
    "................",
    "....KKKKKKK.....",
    "....KllllGK.....",
    "....KKKKKKK.....",
    "................",
    "....KKKKKKK.....",
    ".....KKKKK......",
    "......KKK.......",
    ".......K........",
    "................",
    "................",
    "................",
    "................",
};

}  // namespace parvo::pictures::art
