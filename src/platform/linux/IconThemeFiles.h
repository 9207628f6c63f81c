#pragma once
// Finds the picture file of a named icon in the desktop's icon themes, the way the
// freedesktop icon-theme rules do: the theme, the themes it inherits, "hicolor", then the
// plain picture folders; in each theme the folder whose size fits best. It only reads
// files, so it can run away from the interface thread, where the toolkit's own icon
// lookup (which keeps caches of its own) cannot.

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace parvo {

struct IconThemePlaces {
    QString theme;             // the desktop's icon theme
    QString fallbackTheme;     // looked in after the theme and its parents; "hicolor" in the end anyway
    QStringList searchPaths;   // folders holding the themes
    QStringList fallbackPaths; // folders of plain pictures, looked in last
};

class IconThemeFiles {
public:
    explicit IconThemeFiles(IconThemePlaces places) : places_(std::move(places)) {}

    // The file of icon `name` that best fits `size` pixels; a name not found as it is is
    // looked for without its last "-part" ("text-x-python" → "text-x" → "text"). Empty
    // when no theme has it.
    QString find(const QString& name, int size);

private:
    struct Folder {
        QString path; // relative to the theme's folder
        int size = 0;
        int minSize = 0;
        int maxSize = 0;
        int threshold = 2;
        enum { Fixed, Scalable, Threshold } type = Threshold;
        bool matches(int wanted) const;
        int distance(int wanted) const;
    };
    struct Theme {
        QStringList roots; // the theme's folder in every search path that has one
        std::vector<Folder> folders;
        QStringList parents;
    };

    const Theme& theme(const QString& name);
    QString findInTheme(const QString& themeName, const QString& icon, int size, QStringList& seen);

    IconThemePlaces places_;
    QHash<QString, Theme> themes_;
};

} // namespace parvo
