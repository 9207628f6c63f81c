#pragma once
// A one-line text that shortens itself when it does not fit: a path in the middle, so that
// both its ends stay readable, a message at its end. A status-bar panel for messages and
// paths; the whole text is its tooltip.

#include <QFrame>
#include <QString>

namespace parvo {

class PathLabel : public QFrame {
    Q_OBJECT
public:
    explicit PathLabel(QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

} // namespace parvo
