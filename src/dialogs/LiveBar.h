#pragma once
// The running bar as the options dialog sees it. Every switch of the dialog takes effect
// on the bar in the click that changes it; the bar carries each one out here.

#include "bar/ButtonHints.h"
#include "settings/BarSettings.h"

namespace parvo {

class LiveBar {
public:
    virtual ~LiveBar() = default;

    // The bar's live settings. Values with nothing to apply at once (the drive faces, the
    // folder opener, the folder-menu flags) are set here and act at the next layout or menu.
    virtual BarSettings& LiveSettings() = 0;

    // Each of these sets its value and applies it to the bar at once.
    virtual void SetAlwaysOnTop(bool on) = 0;
    // Switching on fails while another auto-hide bar holds the edge: the user has been
    // told, and auto-hide stays off. False when it failed.
    virtual bool SetAutoHide(bool on) = 0;
    virtual void SetTrayIconVisible(bool visible) = 0;
    // One of the six optional buttons (favourites, web links, e-mail, Windows folders,
    // Pvfolders, search), and the bar laid out again.
    virtual void SetButtonVisible(FixedButton button, bool visible) = 0;
    // The drive-letter font of the drive buttons; no new layout.
    virtual void SetDriveFont(int pointSize, bool bold) = 0;

    virtual void Relayout() = 0;
    virtual void BuildProgramButtons() = 0;
};

} // namespace parvo
