#pragma once
// A one-line text that shortens itself in the middle when it does not fit, so that both
// ends of a long path stay readable: a status-bar panel for messages and paths.

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
