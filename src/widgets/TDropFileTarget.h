#pragma once
// Makes a widget accept files dragged onto it from other programs (XDND, "text/uri-list").
// The dropped paths are read as soon as the drag enters; the owner decides, point by
// point, which effect a drop there would have, and carries the drop out.
//
// A drop is answered to its source at once as a copy, whatever was offered: the program
// moves files itself (after asking), so a source must never delete what it dragged. The
// owner's drop handler runs afterwards, once the source is no longer waiting, and gets
// the effect the last drag-over agreed to.

#include <QObject>
#include <QPoint>
#include <QStringList>

#include <functional>

class QWidget;
class QMimeData;
class QDragMoveEvent;

namespace parvo {

class TDropFileTarget : public QObject {
    Q_OBJECT
public:
    // Registers `target` as a drop target; the destructor unregisters it.
    explicit TDropFileTarget(QWidget* target);
    ~TDropFileTarget() override;

    // The dropped paths in drag order: local files and folders only.
    QStringList Files;
    // Names the source wants the files to get at the destination; this system's sources
    // supply none, so it stays empty (a destination keeps the files' own names).
    QStringList MappedNames;

    // The drag came in (its files are in Files already).
    std::function<void()> OnEnter;
    // The effect a drop at `point` (in the target's coordinates) would have, given the
    // one the source proposes: Qt::IgnoreAction refuses it there.
    std::function<Qt::DropAction(QPoint point, Qt::DropAction proposed)> OnDragOver;
    std::function<void()> OnLeave;
    // Runs after the drop, with the effect the last drag-over chose.
    std::function<void(Qt::DropAction effect)> OnDrop;

    // The local paths of dragged data, in order; URLs of other kinds, and names that are
    // not UTF-8, are left out.
    static QStringList LocalPaths(const QMimeData* data);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Asks the owner about the drag's point; true when a drop there would be taken.
    bool Answer(QDragMoveEvent* event);

    QWidget* target_;
    Qt::DropAction effect_ = Qt::IgnoreAction;
};

} // namespace parvo
