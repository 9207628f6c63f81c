#pragma once
// The program strip (`a4`): one glyph button per program shortcut, in list order. The
// buttons only report what happens to them; the bar decides what that means.

#include <QList>
#include <QString>
#include <QWidget>

namespace parvo {

class ShellLinks;
class TPlumBut;

class ProgramStrip : public QWidget {
    Q_OBJECT
public:
    ProgramStrip(ShellLinks& links, QWidget* parent);

    // Rebuilds the buttons from the shortcut names; names whose shortcut file is missing or
    // unreadable get no button (and stay in the list).
    void BuildProgramButtons(const QString& programFolder, const QStringList& names);
    // Places the buttons in a row (22 wide) or a column (30 wide); returns 22 × count.
    int ArrangeProgramButtons(bool horizontal);
    int count() const { return int(buttons_.size()); }
    void setBarColors(const QColor& background, const QColor& text);

signals:
    // `linkPath` is the shortcut file's full path; `name` the button's hint.
    void entered(const QString& linkPath, const QString& name, QWidget* button);
    void left();
    void clicked(const QString& linkPath);
    void rightClicked(const QString& linkPath, const QPoint& globalPos);

private:
    ShellLinks& links_;
    QList<TPlumBut*> buttons_;
    QColor background_;
    QColor text_;
};

// The small icon shown for a program: the icon of its desktop entry or theme, else the
// icon the file manager would show for the target.
QPixmap ProgramGlyph(const QString& target);

} // namespace parvo
