#include "widgets/ProgramBitmaps.h"

#include "widgets/BitmapImage.h"
#include "widgets/ImageStrip.h"

namespace parvo {

QPixmap ProgramBitmap(const QString& name)
{
    const QImage image = ReadBitmapImage(QStringLiteral(":/bitmaps/") + name + QStringLiteral(".bmp"));
    if (image.isNull())
        return {};
    return ImageStrip(image, 0).cell(0);
}

QList<QPixmap> BuildFolderListImages()
{
    return {ProgramBitmap(QStringLiteral("PvF")), ProgramBitmap(QStringLiteral("WIN9"))};
}

QList<QIcon> PvfolderImages()
{
    QList<QIcon> images;
    const auto add = [&images](const QString& name) {
        QIcon icon;
        icon.addPixmap(ProgramBitmap(name));
        icon.addPixmap(ProgramBitmap(name + QLatin1Char('L')));
        images.append(icon);
    };
    for (int n = 1; n <= 9; ++n)
        add(QStringLiteral("WIN%1").arg(n));
    add(QStringLiteral("WIN0"));
    add(QStringLiteral("PvF"));
    return images;
}

} // namespace parvo
