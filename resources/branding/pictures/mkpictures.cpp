// mkpictures: writes the branding pictures of the program folder.
//
//   mkpictures PROGRAM_DIR [BRANDING_TXT]
//   mkpictures --bitmaps BITMAP_DIR
//
// data2.mke  web-link icons          data5.mke  button and menu glyphs
// data3.mke  tray icon               data6.mke  horizontal logo
// data4.mke  GO! dialog banner       data7.mke  vertical logo
//
// BRANDING_TXT is the branding source whose web links get an icon each; without it the
// link strip holds the home icon and globes.
//
// With --bitmaps it writes instead the pictures compiled into the program: the folder
// lists' "WIN0" … "WIN9" and "PvF" (and their large forms), one .bmp file each.

#include "Banner.h"
#include "FolderListPictures.h"
#include "BrandingLinks.h"
#include "GifWriter.h"
#include "IcoWriter.h"
#include "Logos.h"
#include "PopupStrip.h"
#include "SponsorStrip.h"
#include "TrayIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>
#include <exception>

using namespace parvo::pictures;

namespace {

bool saveBitmap(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "bmp");
    return writer.write(image.convertToFormat(QImage::Format_RGB32)) && file.commit();
}

bool saveBanner(const QString& path)
{
    GifWriter gif(BannerSize, bannerPalette(), 0);
    for (const BannerFrame& frame : makeBannerFrames()) {
        if (!gif.addFrame(frame.image, frame.delayCentiseconds))
            return false;
    }
    return gif.save(path);
}

int run(const QString& programDir, const QString& brandingPath)
{
    if (!QDir().mkpath(programDir)) {
        std::fprintf(stderr, "mkpictures: cannot create %s\n", qPrintable(programDir));
        return 1;
    }
    const QDir dir(programDir);
    const QImage horizontalLogo = makeHorizontalLogo();

    const struct
    {
        const char* name;
        bool written;
    } files[] = {
        {"data2.mke", saveBitmap(makeSponsorStrip(readBrandingLinks(brandingPath)), dir.filePath("data2.mke"))},
        {"data3.mke", saveIcoFile(makeTrayIcons(), dir.filePath("data3.mke"))},
        {"data4.mke", saveBanner(dir.filePath("data4.mke"))},
        {"data5.mke", saveBitmap(makePopupStrip(), dir.filePath("data5.mke"))},
        {"data6.mke", saveBitmap(horizontalLogo, dir.filePath("data6.mke"))},
        {"data7.mke", saveBitmap(makeVerticalLogo(horizontalLogo.width()), dir.filePath("data7.mke"))},
    };
    int failures = 0;
    for (const auto& file : files) {
        if (!file.written) {
            std::fprintf(stderr, "mkpictures: cannot write %s\n", qPrintable(dir.filePath(file.name)));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

int writeBitmaps(const QString& bitmapDir)
{
    if (!QDir().mkpath(bitmapDir)) {
        std::fprintf(stderr, "mkpictures: cannot create %s\n", qPrintable(bitmapDir));
        return 1;
    }
    const QDir dir(bitmapDir);
    int failures = 0;
    for (const NamedPicture& picture : makeFolderListPictures()) {
        const QString path = dir.filePath(picture.name + QStringLiteral(".bmp"));
        if (!saveBitmap(picture.image, path)) {
            std::fprintf(stderr, "mkpictures: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

// The tray icon at each of its sizes as the desktop's icon theme keeps an application's
// icon: ICON_DIR/<n>x<n>/apps/parvo.png.
int writeIcons(const QString& iconDir)
{
    const QList<QImage> icons = makeTrayIcons();
    int failures = 0;
    for (qsizetype i = 0; i < icons.size(); ++i) {
        const int size = TrayIconSizes[i];
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(iconDir).arg(size);
        const QString path = folder + QStringLiteral("/parvo.png");
        if (!QDir().mkpath(folder) || !icons[i].save(path, "PNG")) {
            std::fprintf(stderr, "mkpictures: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // Drawing text needs a GUI application, but the build has no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--bitmaps"))
        return writeBitmaps(args[2]);
    if (args.size() == 3 && args[1] == QLatin1String("--icons"))
        return writeIcons(args[2]);
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: mkpictures PROGRAM_DIR [BRANDING_TXT]\n       mkpictures --bitmaps BITMAP_DIR\n"
                             "       mkpictures --icons ICON_DIR\n");
        return 2;
    }
    try {
        return run(args[1], args.size() == 3 ? args[2] : QString());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mkpictures: %s\n", error.what());
        return 1;
    }
}
