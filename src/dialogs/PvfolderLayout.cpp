#include "dialogs/PvfolderLayout.h"

#include <algorithm>

namespace parvo {

PvfolderLayout LayOutPvfolder(int clientWidth, int clientHeight, int url1Width)
{
    PvfolderLayout l;
    const int w = std::max(0, clientWidth);
    const int h = std::max(0, clientHeight);
    l.Panel1 = QRect(0, 0, w, ToolRowHeight);
    // Buttons 22 high, 3 below the row's top; separators 2 wide with 3 on either side.
    l.btnwin = QRect(2, 3, 80, 22);
    l.btne = QRect(82, 3, 80, 22);
    l.Bevel1 = QRect(165, 3, 2, 22);
    l.btnview = QRect(170, 3, 32, 22);
    l.Bevel2 = QRect(205, 3, 2, 22);
    l.btnadd = QRect(210, 3, 22, 22);
    l.btndel = QRect(232, 3, 22, 22);
    l.Bevel3 = QRect(257, 3, 2, 22);
    l.btned = QRect(262, 3, 70, 22);
    l.btnhelp = QRect(w - 24 + 1, 3, 22, 22);

    const int statusTop = std::max(ToolRowHeight, h - StatusHeight);
    l.List1 = QRect(0, ToolRowHeight, w, std::max(0, statusTop - ToolRowHeight));
    l.status = QRect(0, statusTop, w, std::min(StatusHeight, h - statusTop));
    l.panel0 = QRect(0, 0, 100, StatusHeight);
    l.panel1 = QRect(100, 0, std::max(0, url1Width) + 8, StatusHeight);
    l.panel2 = QRect(l.panel1.right() + 1, 0, std::max(50, w - l.panel1.right() - 1), StatusHeight);
    l.btninternet = QRect(1, 1, 98, StatusHeight - 2);
    l.url1 = QRect(l.panel1.left() + 4, 0, std::max(0, url1Width), StatusHeight);
    return l;
}

QRect VisiblePvfolderRect(const QRect& wanted, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return wanted;
    int widest = 0;
    int tallest = 0;
    for (const QRect& s : screens) {
        widest = std::max(widest, s.width());
        tallest = std::max(tallest, s.height());
    }
    QRect r(wanted.topLeft(),
            QSize(std::clamp(wanted.width(), MinPvfolderWidth, std::max(MinPvfolderWidth, widest)),
                  std::clamp(wanted.height(), MinPvfolderHeight, std::max(MinPvfolderHeight, tallest))));
    for (const QRect& s : screens) {
        const QRect seen = s.intersected(r);
        if (s.contains(QPoint(std::clamp(r.left(), s.left(), s.right()), r.top())) && seen.width() >= 100
            && seen.height() >= 40)
            return r;
    }
    const QRect& s = screens.first();
    r.setSize(r.size().boundedTo(s.size()));
    r.moveLeft(std::clamp(r.left(), s.left(), s.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), s.top(), s.bottom() + 1 - r.height()));
    return r;
}

} // namespace parvo
