#include "widgets/HintWindow.h"

#include <QApplication>
#include <QToolTip>

namespace parvo {

HintWindow::HintWindow()
    : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setWordWrap(true);
    setMargin(3);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setPalette(QToolTip::palette()); // the system's tooltip colours
}

QSize HintWindow::measure(const QString& text, int maxWidth)
{
    const QRect r = fontMetrics().boundingRect(QRect(0, 0, maxWidth - 2 * (margin() + frameWidth()), 10000),
                                               Qt::TextWordWrap, text);
    return r.size() + QSize(2 * (margin() + frameWidth()) + 1, 2 * (margin() + frameWidth()));
}

void HintWindow::showAt(const QString& text, const QRect& screenRect)
{
    setText(text);
    // Named after what it says, for screen readers and window lists.
    setWindowTitle(text);
    setGeometry(screenRect);
    show();
    raise();
}

} // namespace parvo
