#pragma once
// The pictures of the branding set: glyph strips, logos and the tray icon. They are part
// of the program's identity, so a missing or broken one stops the start-up.

#include "widgets/ImageStrip.h"

#include <QIcon>
#include <QString>
#include <optional>

namespace parvo {

struct BrandingPictures {
    ImageStrip SponsorImg;  // web-link icons, 16-px cells
    QIcon TrayIcon;         // from LoadTrayIcon, once the bar is up
    ImageStrip SponsorImg2; // horizontal logo, one cell
    ImageStrip SponsorImg3; // vertical logo, one cell
    ImageStrip PopupImg;    // button and menu glyphs, 16-px cells
};

// Loads the picture files the bar is drawn with, and looks at the tray icon's file; nothing
// when any of them is missing or is not a picture of its kind. The tray icon itself (four
// sizes, read by a picture format plugin) is only shown later, so it is decoded then.
std::optional<BrandingPictures> LoadBrandingPictures(const QString& programFolder);

// The tray icon with every size its file holds; nothing when the file cannot be read.
std::optional<QIcon> LoadTrayIcon(const QString& programFolder);

} // namespace parvo
