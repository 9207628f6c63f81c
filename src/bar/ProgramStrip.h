#pragma once
// The program strip (`a4`): one glyph button per program shortcut, in list order. The
// buttons only report what happens to them; the bar decides what that means.

#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

namespace parvo {

class ShellLinks;
class TPlumBut;

class ProgramStrip : public QWidget {
    Q_OBJECT
public:
    ProgramStrip(ShellLinks& links, QWidget* parent);

    // Rebuilds the buttons from the shortcut names; names whose shortcut file is missing or
    // unreadable get no button (and stay in the list). The shortcut files and the programs'
    // icons are read off the interface thread: the buttons change once they are read
    // (`built` then), and a newer call wins over one still reading.
    void BuildProgramButtons(const QString& programFolder, const QStringList& names);
    // Places the buttons in a row (22 wide) or a column (30 wide); returns 22 × count.
    int ArrangeProgramButtons(bool horizontal);
    int count() const { return int(buttons_.size()); }
    // Whether the buttons last asked for are still being read.
    bool isReading() const { return placed_ != generation_; }
    void setBarColors(const QColor& background, const QColor& text);

signals:
    // The buttons asked for by the last BuildProgramButtons are in place.
    void built();
    // `linkPath` is the shortcut file's full path; `name` the button's hint.
    void entered(const QString& linkPath, const QString& name, QWidget* button);
    void left();
    void clicked(const QString& linkPath);
    void rightClicked(const QString& linkPath, const QPoint& globalPos);

private:
    struct Program;
    void placeButtons(const QList<Program>& programs);

    ShellLinks& links_;
    int generation_ = 0; // of the last BuildProgramButtons
    int placed_ = 0;     // of the buttons in place
    QList<TPlumBut*> buttons_;
    QColor background_;
    QColor text_;
};

class IconThemeFiles;

// The small icon shown for a program, read from the disk: the icon its desktop entry
// names, else the theme's icon named after the program, else the icon of the target's
// kind of file. Null when the theme has none of them. Safe on any thread.
QImage ProgramGlyphImage(const QString& target, IconThemeFiles& icons);

} // namespace parvo
