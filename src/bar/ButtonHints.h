#pragma once
// Hover behaviour of the bar's fixed buttons: the hint each one shows in the bar's own
// hint window, the `MenuKey` entering it sets for the main popup menu, and where the
// hint window appears.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace parvo {

enum class FixedButton {
    bInf,
    bInfH,
    bFavs,
    bSlinks,
    bMail,
    bWinFolders,
    bFolders,
    bComp,
    bCompSearch,
    bScrDrv,
    bScrLeft,
    bScrRight,
};

// The string-table number of the button's hint, set at start-up.
int HintStringId(FixedButton button);

// The `MenuKey` entering the button sets; none for the buttons that leave it unchanged
// (they drop no menu).
std::optional<QString> HoverMenuKey(FixedButton button);

// `MenuKey` while the pointer moves over the program viewport `a4m`.
QString ProgramViewportMenuKey();
// `MenuKey` of a program button, from its shortcut file's path.
QString ProgramButtonMenuKey(const QString& shortcutPath);

// The hint text is wrapped to this width before the window's size is measured.
inline constexpr int HintMaxWidth = 300;
inline constexpr int HintOffset = 5;

// The hint window's screen rectangle: its top-left corner 5 pixels right of the control's
// left edge and 5 pixels below its bottom edge. A window that would leave `screen` is
// moved back onto it: left when it runs off the right side, above the control when it
// runs off the bottom (so it never covers the control under the pointer).
QRect PlaceHintWindow(const QRect& controlOnScreen, QSize hintSize, const QRect& screen);

} // namespace parvo
