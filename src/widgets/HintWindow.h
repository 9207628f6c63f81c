#pragma once
// The bar's own hint window: the hints of its buttons are placed by the bar itself (below
// and a little right of the button), not where the system would put a tooltip.

#include <QLabel>

namespace parvo {

class HintWindow : public QLabel {
    Q_OBJECT
public:
    HintWindow();
    // The size the text needs when wrapped at `maxWidth` pixels.
    QSize measure(const QString& text, int maxWidth);
    // Shows the text in the given screen rectangle.
    void showAt(const QString& text, const QRect& screenRect);
};

} // namespace parvo
