#pragma once
// The bar's flat button: a glyph and/or a short caption on the bar's background, raised
// while the pointer is over it, sunk while pressed. A button may drop a menu when
// pressed, either on its whole face or, when split, on an arrow part at its right end.

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

namespace parvo {

class TPlumBut : public QAbstractButton {
    Q_OBJECT
public:
    enum class MenuPart { None, Whole, Arrow };

    explicit TPlumBut(QWidget* parent = nullptr);

    void setGlyph(const QPixmap& glyph);
    const QPixmap& glyph() const { return glyph_; }
    // Where pressing drops the menu: nowhere (a plain click button), anywhere on the
    // button, or on its arrow part only (the rest clicks).
    void setMenuPart(MenuPart part);
    MenuPart menuPart() const { return menuPart_; }
    // Width of the arrow part, at the right end of the button.
    void setArrowLength(int length) { arrowLength_ = length; update(); }
    // Whether a drop-down mark is drawn (menu buttons of the bar show one, GO! does not).
    void setShowArrow(bool show) { showArrow_ = show; update(); }
    void setVertical(bool vertical) { vertical_ = vertical; update(); }
    void setBarColors(const QColor& background, const QColor& text);
    // Draws the button raised as if the pointer were over it (a drag is over it).
    void setHovered(bool hovered);
    bool isHovered() const { return hovered_; }

    QSize sizeHint() const override { return {22, 22}; }

signals:
    // The pointer came over the button (also sent before a press that came without it).
    void entered();
    void left();
    // The menu should drop with its top-left corner at this screen point.
    void menuRequested(const QPoint& globalTopLeft);
    void rightClicked(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    bool onArrowPart(const QPoint& pos) const;
    QRect arrowRect() const;

    QPixmap glyph_;
    MenuPart menuPart_ = MenuPart::None;
    int arrowLength_ = 11;
    bool showArrow_ = false;
    bool vertical_ = false;
    bool hovered_ = false;
    QColor background_;
    QColor text_;
};

} // namespace parvo
