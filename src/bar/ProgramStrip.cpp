#include "bar/ProgramStrip.h"

#include "bar/DriveStripLayout.h"
#include "menus/OffThread.h"
#include "menus/ProgramShortcuts.h"
#include "platform/ShellLinks.h"
#include "platform/linux/IconThemeFiles.h"
#include "platform/linux/XdgKeyFile.h"
#include "widgets/TPlumBut.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QMimeDatabase>
#include <QStyle>

namespace parvo {

namespace {

constexpr int kGlyphSize = 16;

// The picture at `path`, made to fit the glyph (never enlarged); null when unreadable.
QImage ReadGlyph(const QString& path)
{
    QImageReader reader(path);
    const QSize full = reader.size();
    // Drawings are drawn at the glyph's size rather than drawn large and shrunk.
    if (full.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize)
        && (full.width() > kGlyphSize || full.height() > kGlyphSize))
        reader.setScaledSize(full.scaled(kGlyphSize, kGlyphSize, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.width() > kGlyphSize || image.height() > kGlyphSize)
        image = image.scaled(kGlyphSize, kGlyphSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

IconThemePlaces ToolkitIconPlaces()
{
    return {QIcon::themeName(), QIcon::fallbackThemeName(), QIcon::themeSearchPaths(), QIcon::fallbackSearchPaths()};
}

} // namespace

QImage ProgramGlyphImage(const QString& target, IconThemeFiles& icons)
{
    const QFileInfo info(target);
    QStringList names;
    // A desktop entry names its icon: a theme name or a picture file.
    if (info.suffix() == QLatin1String("desktop")) {
        const auto entry = XdgKeyFile::read(target);
        const QString name = entry ? entry->value(QStringLiteral("Desktop Entry"), QStringLiteral("Icon")).value_or(QString())
                                   : QString();
        if (name.startsWith(QLatin1Char('/'))) {
            const QImage image = ReadGlyph(name);
            if (!image.isNull())
                return image;
        } else if (!name.isEmpty()) {
            names << name;
        }
    }
    // A program's own icon is usually named after it in the icon theme; else the icon of
    // its kind of file, as a file manager shows it.
    names << info.completeBaseName().toLower();
    if (info.isDir()) {
        names << QStringLiteral("folder");
    } else {
        const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
        names << type.iconName() << type.genericIconName();
    }
    for (const QString& name : names) {
        const QString file = icons.find(name, kGlyphSize);
        if (file.isEmpty())
            continue;
        const QImage image = ReadGlyph(file);
        if (!image.isNull())
            return image;
    }
    return {};
}

struct ProgramStrip::Program {
    QString path; // the shortcut file
    QString name;
    QImage glyph; // null: the style's picture of a file
};

ProgramStrip::ProgramStrip(ShellLinks& links, QWidget* parent)
    : QWidget(parent)
    , links_(links)
{
}

void ProgramStrip::setBarColors(const QColor& background, const QColor& text)
{
    background_ = background;
    text_ = text;
    for (TPlumBut* b : buttons_)
        b->setBarColors(background, text);
}

void ProgramStrip::BuildProgramButtons(const QString& programFolder, const QStringList& names)
{
    const int generation = ++generation_;
    ShellLinks& links = links_;
    // The toolkit's theme settings are read here; the theme's files over there.
    std::function<QList<Program>()> read = [&links, programFolder, names, places = ToolkitIconPlaces()] {
        IconThemeFiles icons(places);
        QList<Program> programs;
        for (const QString& name : names) {
            const QString path = ShortcutFilePath(programFolder, name);
            if (const auto link = links.read(path))
                programs.append({path, name, ProgramGlyphImage(link->target, icons)});
        }
        return programs;
    };
    RunOffThread<QList<Program>>(this, std::move(read), [this, generation](const QList<Program>& programs) {
        if (generation != generation_)
            return;
        placed_ = generation;
        placeButtons(programs);
    });
}

void ProgramStrip::placeButtons(const QList<Program>& programs)
{
    // Rebuilt from a button's own menu too: the old buttons go once its event returned.
    for (TPlumBut* old : std::as_const(buttons_)) {
        old->hide();
        old->deleteLater();
    }
    buttons_.clear();
    QPixmap unknown;
    for (const Program& program : programs) {
        auto* button = new TPlumBut(this);
        if (program.glyph.isNull() && unknown.isNull())
            unknown = style()->standardIcon(QStyle::SP_FileIcon).pixmap(kGlyphSize, kGlyphSize);
        button->setGlyph(program.glyph.isNull() ? unknown : QPixmap::fromImage(program.glyph));
        button->setToolTip(QString()); // hints go through the bar's own hint window
        button->setBarColors(background_, text_);
        const QString path = program.path;
        const QString name = program.name;
        connect(button, &TPlumBut::entered, this, [this, path, name, button] { emit entered(path, name, button); });
        connect(button, &TPlumBut::left, this, &ProgramStrip::left);
        connect(button, &TPlumBut::clicked, this, [this, path] { emit clicked(path); });
        connect(button, &TPlumBut::rightClicked, this,
                [this, path](const QPoint& at) { emit rightClicked(path, at); });
        button->show();
        buttons_.append(button);
    }
    emit built();
}

int ProgramStrip::ArrangeProgramButtons(bool horizontal)
{
    const std::vector<QRect> places = parvo::ArrangeProgramButtons(horizontal, int(buttons_.size()));
    for (int i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->setGeometry(places[size_t(i)]);
        buttons_[i]->setVertical(!horizontal);
    }
    return ProgramStripLength(int(buttons_.size()));
}

} // namespace parvo
