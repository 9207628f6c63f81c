#pragma once
// The bar's fixed children: the panels, menu buttons, separators, scroll buttons and the
// web label, created once and placed by applying a computed layout.

#include "bar/BarLayout.h"
#include "bar/ButtonHints.h"

#include <QLabel>
#include <QList>
#include <QWidget>
#include <utility>

class QFrame;

namespace parvo {

class ImageStrip;
class TPlumBut;

class BarPanels : public QObject {
    Q_OBJECT
public:
    explicit BarPanels(QWidget* bar);

    // Glyphs from the picture strip and the logos; colours of the bar.
    void setPictures(const ImageStrip& popupImg, const QPixmap& logoH, const QPixmap& logoV);
    void setBarColors(const QColor& background, const QColor& text);
    void setWebLabel(const QString& text, const QString& hint);

    // Places every child as the layout says; the scroll glyphs follow the orientation.
    void apply(const BarLayout& layout, const ImageStrip& popupImg);
    void applyScroll(const BarLayout& layout);

    QWidget *a1, *a15, *a2, *a3, *a4m, *a5;
    TPlumBut *bInfH, *bInf, *bFavs, *bSlinks, *bMail, *bWinFolders, *bFolders;
    TPlumBut *bComp, *bCompSearch, *bScrDrv, *bScrLeft, *bScrRight;
    QFrame *Bev1, *Bev11, *Bev12, *Bev2, *Bev21, *Bev22, *Bev3, *bev31;
    QLabel* Url1;
    // The program strip `a4` lives inside `a4m`; the bar creates it.

    // Every fixed button with its identity, for hints and hover keys.
    QList<std::pair<TPlumBut*, FixedButton>> fixedButtons() const;

signals:
    void webLabelClicked();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    QList<QFrame*> bevels() const;
};

} // namespace parvo
