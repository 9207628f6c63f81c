#pragma once

#include <QRgb>

namespace parvo::pictures {

// The colours every branding picture shares, so that logos, glyphs, tray icon and
// banner read as one family.
namespace brand {

// Background of the bitmap strips and logos; the program draws it as transparent.
inline constexpr QRgb Transparent = qRgb(255, 0, 255);

inline constexpr QRgb Accent = qRgb(112, 48, 160);  // the accent colour of the branding records
inline constexpr QRgb AccentLight = qRgb(0xB4, 0x8B, 0xE0);  // highlights on purple
inline constexpr QRgb AccentDark = qRgb(0x45, 0x18, 0x6E);   // edges and shadows of purple
inline constexpr QRgb White = qRgb(0xFF, 0xFF, 0xFF);
inline constexpr QRgb DarkGrey = qRgb(0x33, 0x33, 0x38);
inline constexpr QRgb LightGrey = qRgb(0xE6, 0xE2, 0xEC);  // pale, faintly purple background

}  // namespace brand

}  // namespace parvo::pictures
