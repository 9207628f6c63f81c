#include "bar/ButtonHints.h"

#include <algorithm>

namespace parvo {

int HintStringId(FixedButton button)
{
    switch (button) {
    case FixedButton::bInf:
    case FixedButton::bInfH:
        return 64;
    case FixedButton::bSlinks:
        return 65;
    case FixedButton::bFavs:
        return 66;
    case FixedButton::bMail:
        return 67;
    case FixedButton::bWinFolders:
        return 59;
    case FixedButton::bFolders:
        return 60;
    case FixedButton::bComp:
        return 62;
    case FixedButton::bCompSearch:
        return 193;
    case FixedButton::bScrDrv:
        return 230;
    case FixedButton::bScrLeft:
    case FixedButton::bScrRight:
        return 84;
    }
    return 0;
}

std::optional<QString> HoverMenuKey(FixedButton button)
{
    switch (button) {
    case FixedButton::bInf:
    case FixedButton::bInfH:
        return QStringLiteral("Normal");
    case FixedButton::bFavs:
        return QStringLiteral("Favs");
    case FixedButton::bSlinks:
        return QStringLiteral("Slinks");
    case FixedButton::bMail:
        return QStringLiteral("email");
    case FixedButton::bWinFolders:
        return QStringLiteral("WinFolders");
    case FixedButton::bFolders:
        return QStringLiteral("PvF");
    case FixedButton::bScrDrv:
        return QStringLiteral("scrDrive");
    case FixedButton::bComp:
    case FixedButton::bCompSearch:
    case FixedButton::bScrLeft:
    case FixedButton::bScrRight:
        return std::nullopt;
    }
    return std::nullopt;
}

QString ProgramViewportMenuKey() { return QStringLiteral("app_panel"); }

QString ProgramButtonMenuKey(const QString& shortcutPath) { return QStringLiteral("app_") + shortcutPath; }

QRect PlaceHintWindow(const QRect& controlOnScreen, QSize hintSize, const QRect& screen)
{
    // Right and bottom as exclusive coordinates, as the placement rule counts them.
    const int controlBottom = controlOnScreen.top() + controlOnScreen.height();
    const int screenRight = screen.left() + screen.width();
    const int screenBottom = screen.top() + screen.height();

    int x = controlOnScreen.left() + HintOffset;
    int y = controlBottom + HintOffset;

    if (x + hintSize.width() > screenRight)
        x = screenRight - hintSize.width();
    x = std::max(x, screen.left());

    if (y + hintSize.height() > screenBottom) {
        y = controlOnScreen.top() - HintOffset - hintSize.height();
        if (y < screen.top())
            y = std::max(screen.top(), screenBottom - hintSize.height());
    }
    return QRect(QPoint(x, y), hintSize);
}

} // namespace parvo
