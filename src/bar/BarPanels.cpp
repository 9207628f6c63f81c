#include "bar/BarPanels.h"

#include "widgets/ImageStrip.h"
#include "widgets/TPlumBut.h"

#include <QEvent>
#include <QFrame>
#include <QMouseEvent>

namespace parvo {

namespace {

QFrame* Bevel(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void Place(QWidget* w, const Placed& p)
{
    w->setVisible(p.shown);
    if (p.shown)
        w->setGeometry(p.rect);
}

} // namespace

BarPanels::BarPanels(QWidget* bar)
    : QObject(bar)
{
    a1 = new QWidget(bar);
    a15 = new QWidget(bar);
    a2 = new QWidget(bar);
    a3 = new QWidget(bar);
    a4m = new QWidget(bar);
    a5 = new QWidget(bar);

    bInfH = new TPlumBut(a1);
    bInf = new TPlumBut(a1);
    Bev1 = Bevel(a1);
    Bev11 = Bevel(a1);
    bFavs = new TPlumBut(a1);
    bSlinks = new TPlumBut(a1);
    bMail = new TPlumBut(a1);
    Bev12 = Bevel(a1);
    bWinFolders = new TPlumBut(a1);
    bFolders = new TPlumBut(a1);

    Bev2 = Bevel(a15);
    Bev21 = Bevel(a15);
    bComp = new TPlumBut(a15);
    bCompSearch = new TPlumBut(a15);
    Bev22 = Bevel(a15);
    bScrDrv = new TPlumBut(a15);

    Bev3 = Bevel(a3);
    bev31 = Bevel(a3);
    bScrLeft = new TPlumBut(a3);

    bScrRight = new TPlumBut(a5);
    Url1 = new QLabel(a5);
    QFont font = Url1->font();
    font.setBold(true);
    font.setUnderline(true);
    Url1->setFont(font);
    Url1->setCursor(Qt::PointingHandCursor);
    Url1->installEventFilter(this);

    for (TPlumBut* b : {bInfH, bInf, bFavs, bSlinks, bMail, bWinFolders, bFolders, bScrDrv})
        b->setMenuPart(TPlumBut::MenuPart::Whole);
    for (TPlumBut* b : {bInfH, bInf, bFavs, bSlinks, bMail, bWinFolders, bFolders})
        b->setShowArrow(true);
}

QList<std::pair<TPlumBut*, FixedButton>> BarPanels::fixedButtons() const
{
    return {{bInf, FixedButton::bInf},
            {bInfH, FixedButton::bInfH},
            {bFavs, FixedButton::bFavs},
            {bSlinks, FixedButton::bSlinks},
            {bMail, FixedButton::bMail},
            {bWinFolders, FixedButton::bWinFolders},
            {bFolders, FixedButton::bFolders},
            {bComp, FixedButton::bComp},
            {bCompSearch, FixedButton::bCompSearch},
            {bScrDrv, FixedButton::bScrDrv},
            {bScrLeft, FixedButton::bScrLeft},
            {bScrRight, FixedButton::bScrRight}};
}

QList<QFrame*> BarPanels::bevels() const { return {Bev1, Bev11, Bev12, Bev2, Bev21, Bev22, Bev3, bev31}; }

void BarPanels::setPictures(const ImageStrip& popupImg, const QPixmap& logoH, const QPixmap& logoV)
{
    bInfH->setGlyph(logoH);
    bInf->setGlyph(logoV);
    bFavs->setGlyph(popupImg.cell(14));
    bSlinks->setGlyph(popupImg.cell(5));
    bMail->setGlyph(popupImg.cell(24));
    bWinFolders->setGlyph(popupImg.cell(4));
    bFolders->setGlyph(popupImg.cell(9));
    bComp->setGlyph(popupImg.cell(23));
    bScrDrv->setGlyph(popupImg.cell(47));
    bCompSearch->setGlyph(popupImg.cell(48));
}

void BarPanels::setBarColors(const QColor& background, const QColor& text)
{
    for (const auto& [button, id] : fixedButtons())
        button->setBarColors(background, text);
    // The panels cover the bar's accent squares but for the bare margins at its ends.
    for (QWidget* panel : {a1, a15, a2, a3, a4m, a5}) {
        QPalette pal = panel->palette();
        pal.setColor(QPalette::Window, background);
        panel->setPalette(pal);
        panel->setAutoFillBackground(true);
    }
}

void BarPanels::setWebLabel(const QString& text, const QString& hint)
{
    Url1->setText(text);
    Url1->setToolTip(hint);
    QPalette pal = Url1->palette();
    pal.setColor(QPalette::WindowText, Qt::blue);
    Url1->setPalette(pal);
}

void BarPanels::apply(const BarLayout& layout, const ImageStrip& popupImg)
{
    const bool vertical = layout.orientation == BarOrientation::Vertical;
    for (QFrame* bevel : bevels())
        bevel->setFrameShape(vertical ? QFrame::HLine : QFrame::VLine);

    Place(a1, layout.a1);
    Place(bInfH, layout.bInfH);
    Place(bInf, layout.bInf);
    Place(Bev1, layout.Bev1);
    Place(Bev11, layout.Bev11);
    Place(bFavs, layout.bFavs);
    Place(bSlinks, layout.bSlinks);
    Place(bMail, layout.bMail);
    Place(Bev12, layout.Bev12);
    Place(bWinFolders, layout.bWinFolders);
    Place(bFolders, layout.bFolders);
    Place(a15, layout.a15);
    Place(Bev2, layout.Bev2);
    Place(Bev21, layout.Bev21);
    Place(bComp, layout.bComp);
    Place(bCompSearch, layout.bCompSearch);
    Place(Bev22, layout.Bev22);
    Place(bScrDrv, layout.bScrDrv);
    Place(a2, layout.a2);
    Place(a3, layout.a3);
    Place(Bev3, layout.Bev3);
    Place(bev31, layout.bev31);
    Place(bScrLeft, layout.bScrLeft);
    Place(a4m, layout.a4m);
    Place(a5, layout.a5);
    Place(bScrRight, layout.bScrRight);
    Place(Url1, layout.Url1);
    for (const auto& [button, id] : fixedButtons())
        button->setVertical(vertical);
    bScrLeft->setGlyph(popupImg.cell(layout.bScrLeftCell));
    bScrRight->setGlyph(popupImg.cell(layout.bScrRightCell));
    applyScroll(layout);
}

void BarPanels::applyScroll(const BarLayout& layout)
{
    bScrLeft->setEnabled(layout.scroll.bScrLeftEnabled());
    bScrRight->setEnabled(layout.scroll.bScrRightEnabled());
}

bool BarPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Url1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        emit webLabelClicked();
    return QObject::eventFilter(watched, event);
}

} // namespace parvo
