#include "dialogs/PvfolderLayout.h"

#include <algorithm>

namespace parvo {

PvfolderLayout LayOutPvfolder(int clientWidth, int clientHeight, const PvfolderTextWidths& widths)
{
    PvfolderLayout l;
    const int w = std::max(0, clientWidth);
    const int h = std::max(0, clientHeight);
    l.Panel1 = QRect(0, 0, w, ToolRowHeight);
    // Buttons 22 high, 3 below the row's top, side by side from the left; separators 2
    // wide with 3 on either side.
    int x = 2;
    const auto next = [&x](int width) {
        const QRect r(x, 3, width, 22);
        x += width;
        return r;
    };
    const auto separator = [&x] {
        const QRect r(x + 3, 3, 2, 22);
        x += 8;
        return r;
    };
    l.btnwin = next(std::max(80, widths.btnwin));
    l.btne = next(std::max(80, widths.btne));
    l.Bevel1 = separator();
    l.btnview = next(32);
    l.Bevel2 = separator();
    l.btnadd = next(22);
    l.btndel = next(22);
    l.Bevel3 = separator();
    l.btned = next(std::max(70, widths.btned));
    l.btnhelp = QRect(w - 24 + 1, 3, 22, 22);

    const int statusTop = std::max(ToolRowHeight, h - StatusHeight);
    l.List1 = QRect(0, ToolRowHeight, w, std::max(0, statusTop - ToolRowHeight));
    l.status = QRect(0, statusTop, w, std::clamp(h - statusTop, 0, StatusHeight));
    l.panel0 = QRect(0, 0, 100, StatusHeight);
    const int url1Width = std::max(0, widths.url1);
    l.panel1 = QRect(100, 0, url1Width + 8, StatusHeight);
    l.panel2 = QRect(l.panel1.right() + 1, 0, std::max(50, w - l.panel1.right() - 1), StatusHeight);
    l.btninternet = QRect(1, 1, 98, StatusHeight - 2);
    l.url1 = QRect(l.panel1.left() + 4, 0, url1Width, StatusHeight);
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
