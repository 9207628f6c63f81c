#pragma once
// A hyperlink label: its caption drawn blue and underlined under a hand cursor, purple
// while pressed. A click opens the caption through the desktop (a web address without a
// scheme as "http://…", an e-mail address as "mailto:…"), or, for a label that stands for
// a choice in a dialog, only reports the click. Its context menu has one entry, "Copy",
// which puts the caption on the clipboard.

#include <QLabel>

namespace parvo {

class Shell;

class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* parent = nullptr);

    // The shell a click opens the caption through; none: the click is only reported.
    void setShell(Shell* shell) { shell_ = shell; }
    // Copies the caption to the clipboard, as the context menu's "Copy" does.
    void copyCaption() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setPressed(bool pressed);

    Shell* shell_ = nullptr;
    bool pressed_ = false;
};

} // namespace parvo
