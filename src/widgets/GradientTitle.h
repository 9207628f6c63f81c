#pragma once
// The title strip of the dialogs: bold text on a grey-to-silver gradient running from
// left to right.

#include <QWidget>

namespace parvo {

class GradientTitle : public QWidget {
    Q_OBJECT
public:
    explicit GradientTitle(QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

} // namespace parvo
