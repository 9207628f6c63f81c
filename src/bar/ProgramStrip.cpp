#include "bar/ProgramStrip.h"

#include "bar/DriveStripLayout.h"
#include "menus/ProgramShortcuts.h"
#include "platform/ShellLinks.h"
#include "platform/linux/XdgKeyFile.h"
#include "widgets/TPlumBut.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>

namespace parvo {

QPixmap ProgramGlyph(const QString& target)
{
    const QFileInfo info(target);
    // A desktop entry names its icon: a theme name or a picture file.
    if (info.suffix() == QLatin1String("desktop")) {
        const auto entry = XdgKeyFile::read(target);
        const QString name = entry ? entry->value(QStringLiteral("Desktop Entry"), QStringLiteral("Icon")).value_or(QString())
                                   : QString();
        const QIcon icon = name.startsWith(QLatin1Char('/')) ? QIcon(name) : QIcon::fromTheme(name);
        if (!icon.isNull())
            return icon.pixmap(16, 16);
    }
    // A program's own icon is usually named after it in the icon theme.
    QIcon icon = QIcon::fromTheme(info.completeBaseName().toLower());
    if (icon.isNull()) {
        static QFileIconProvider provider;
        icon = provider.icon(info);
    }
    return icon.pixmap(16, 16);
}

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
    // Rebuilt from a button's own menu too: the old buttons go once its event returned.
    for (TPlumBut* old : std::as_const(buttons_)) {
        old->hide();
        old->deleteLater();
    }
    buttons_.clear();
    for (const QString& name : names) {
        const QString path = ShortcutFilePath(programFolder, name);
        const auto link = links_.read(path);
        if (!link)
            continue;
        auto* button = new TPlumBut(this);
        button->setGlyph(ProgramGlyph(link->target));
        button->setToolTip(QString()); // hints go through the bar's own hint window
        button->setBarColors(background_, text_);
        connect(button, &TPlumBut::entered, this, [this, path, name, button] { emit entered(path, name, button); });
        connect(button, &TPlumBut::left, this, &ProgramStrip::left);
        connect(button, &TPlumBut::clicked, this, [this, path] { emit clicked(path); });
        connect(button, &TPlumBut::rightClicked, this,
                [this, path](const QPoint& at) { emit rightClicked(path, at); });
        button->show();
        buttons_.append(button);
    }
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
