#include "app/BrandingPictures.h"

#include "app/DataFilePath.h"
#include "widgets/BitmapImage.h"

#include <QFile>
#include <QImageReader>

namespace parvo {

namespace {

// Whether the file begins as an icon file does: two zero bytes, type 1, at least one image.
bool LooksLikeIcon(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(6);
    return head.size() == 6 && head.startsWith(QByteArray("\0\0\1\0", 4)) && (head[4] != 0 || head[5] != 0);
}

std::optional<QIcon> ReadIcon(const QString& path)
{
    QImageReader reader(path, "ico");
    QIcon icon;
    bool any = false;
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        icon.addPixmap(QPixmap::fromImage(image));
        any = true;
    } while (reader.jumpToNextImage());
    if (!any)
        return std::nullopt;
    return icon;
}

} // namespace

std::optional<BrandingPictures> LoadBrandingPictures(const QString& programFolder)
{
    BrandingPictures p;
    const QImage sponsor = ReadBitmapImage(DataFilePath(1, programFolder));
    const bool tray = LooksLikeIcon(DataFilePath(2, programFolder));
    const QImage logoH = ReadBitmapImage(DataFilePath(5, programFolder));
    const QImage logoV = ReadBitmapImage(DataFilePath(6, programFolder));
    const QImage popup = ReadBitmapImage(DataFilePath(4, programFolder));
    if (sponsor.isNull() || !tray || logoH.isNull() || logoV.isNull() || popup.isNull())
        return std::nullopt;
    p.SponsorImg = ImageStrip(sponsor, 16);
    p.SponsorImg2 = ImageStrip(logoH, 0);
    p.SponsorImg3 = ImageStrip(logoV, 0);
    p.PopupImg = ImageStrip(popup, 16);
    return p;
}

std::optional<QIcon> LoadTrayIcon(const QString& programFolder)
{
    return ReadIcon(DataFilePath(2, programFolder));
}

} // namespace parvo
