#include "Banner.h"

#include "BrandFont.h"
#include "BrandMark.h"
#include "Palette.h"

#include <QFontMetrics>
#include <QPainter>

namespace parvo::pictures {

namespace {

const QString Name = QStringLiteral("Parvo");
const QString FirstLine = QStringLiteral("La barra del tuo desktop");
const QString SecondLine = QStringLiteral("Dischi, cartelle e link a un clic");
const QString WhatsNew = QStringLiteral("Scopri le novità »");

constexpr int BandWidth = 60;
constexpr int TextLeft = BandWidth + 18;

void appendRamp(QList<QRgb>& palette, QRgb from, QRgb to, int steps)
{
    for (int i = 0; i < steps; ++i) {
        const auto mix = [&](int a, int b) { return a + (b - a) * i / (steps - 1); };
        palette.append(qRgb(mix(qRed(from), qRed(to)), mix(qGreen(from), qGreen(to)),
                            mix(qBlue(from), qBlue(to))));
    }
}

struct Scene
{
    int nameLeft = TextLeft;
    QString tagLine;
    bool whatsNew = false;
};

QImage paintScene(const Scene& scene)
{
    QImage image(BannerSize, QImage::Format_RGB32);
    image.fill(brand::LightGrey);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.fillRect(QRect(0, 0, BandWidth, BannerSize.height()), QColor(brand::Accent));
    painter.fillRect(QRect(BandWidth, BannerSize.height() - 3, BannerSize.width() - BandWidth, 3),
                     QColor(brand::Accent));
    paintBrandMark(painter, QRectF(10, 10, 40, 40), brand::White, brand::Accent);

    // The name slides in from the right, under the band's edge.
    painter.setClipRect(QRect(BandWidth, 0, BannerSize.width() - BandWidth, BannerSize.height()));
    painter.setFont(brandFont(30));
    painter.setPen(QColor(brand::Accent));
    painter.drawText(QRect(scene.nameLeft, 2, 200, 36), Qt::AlignLeft | Qt::AlignVCenter, Name);

    painter.setFont(brandFont(14, QFont::DemiBold));
    painter.setPen(QColor(brand::DarkGrey));
    painter.drawText(QRect(TextLeft + 2, 36, BannerSize.width() - TextLeft - 12, 19), Qt::AlignLeft | Qt::AlignVCenter, scene.tagLine);

    if (scene.whatsNew) {
        painter.setFont(brandFont(14));
        painter.setPen(QColor(brand::Accent));
        painter.drawText(QRect(BannerSize.width() - 190, 10, 180, 24),
                         Qt::AlignRight | Qt::AlignVCenter, WhatsNew);
    }
    return image;
}

}  // namespace

QList<QRgb> bannerPalette()
{
    QList<QRgb> palette;
    appendRamp(palette, brand::LightGrey, brand::Accent, 64);
    appendRamp(palette, brand::LightGrey, brand::DarkGrey, 64);
    appendRamp(palette, brand::Accent, brand::White, 48);
    appendRamp(palette, brand::White, brand::LightGrey, 16);
    appendRamp(palette, brand::Accent, brand::AccentDark, 16);
    appendRamp(palette, brand::DarkGrey, brand::White, 48);
    return palette;
}

QList<BannerFrame> makeBannerFrames()
{
    QList<BannerFrame> frames;

    // The loop starts on the finished banner, so that a viewer that shows only the
    // first frame shows all of it.
    frames.append({paintScene({TextLeft, FirstLine, true}), 300});
    frames.append({paintScene({TextLeft, SecondLine, true}), 300});

    // The name glides in and slows down as it arrives.
    const int start = BannerSize.width();
    for (int step = 0; step <= 6; ++step) {
        const double t = step / 6.0;
        const double eased = 1 - (1 - t) * (1 - t) * (1 - t);
        const int left = int(start + (TextLeft - start) * eased + 0.5);
        frames.append({paintScene({left, {}, false}), step == 6 ? 30 : 6});
    }

    // The first tag line is typed out a few letters at a time.
    for (int shown = 4; shown < FirstLine.size(); shown += 5)
        frames.append({paintScene({TextLeft, FirstLine.left(shown), false}), 8});
    return frames;
}

}  // namespace parvo::pictures
