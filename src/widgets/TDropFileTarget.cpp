#include "widgets/TDropFileTarget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace parvo {

TDropFileTarget::TDropFileTarget(QWidget* target)
    : QObject(target)
    , target_(target)
{
    target_->setAcceptDrops(true);
    target_->installEventFilter(this);
}

TDropFileTarget::~TDropFileTarget()
{
    target_->removeEventFilter(this);
    target_->setAcceptDrops(false);
}

QStringList TDropFileTarget::LocalPaths(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    const QList<QUrl> urls = data->urls();
    paths.reserve(urls.size());
    for (const QUrl& url : urls) {
        // A file on another host ("file://server/…") is not a local path.
        if (!url.isLocalFile() || !(url.host().isEmpty() || url.host() == QLatin1String("localhost")))
            continue;
        // The name's bytes as the source sent them: a name that is not UTF-8 could only
        // reach the program garbled, naming some other file or none, so it is left out.
        const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString path = utf8(bytes);
        if (!utf8.hasError() && !path.isEmpty())
            paths.append(path);
    }
    return paths;
}

bool TDropFileTarget::Answer(QDragMoveEvent* e)
{
    const Qt::DropAction proposed = e->proposedAction();
    effect_ = OnDragOver ? OnDragOver(e->position().toPoint(), proposed) : proposed;
    if (effect_ == Qt::IgnoreAction)
        return false;
    // An effect the source does not allow falls back to a copy.
    e->setDropAction(e->possibleActions() & effect_ ? effect_ : Qt::CopyAction);
    return true;
}

bool TDropFileTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != target_)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* e = static_cast<QDragEnterEvent*>(event);
        Files = LocalPaths(e->mimeData());
        MappedNames.clear();
        effect_ = Qt::IgnoreAction;
        if (Files.isEmpty()) {
            e->ignore();
            return true;
        }
        if (OnEnter)
            OnEnter();
        // The drag is taken whatever lies under the pointer now, so that its leaving is
        // reported; each move then says whether a drop there would be taken.
        Answer(e);
        e->accept();
        return true;
    }
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        if (Files.isEmpty()) {
            e->ignore();
            return true;
        }
        if (Answer(e))
            e->accept();
        else
            e->ignore();
        return true;
    }
    case QEvent::DragLeave:
        if (OnLeave)
            OnLeave();
        return true;
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        const Qt::DropAction effect = effect_;
        if (effect == Qt::IgnoreAction || Files.isEmpty()) {
            e->ignore();
            return true;
        }
        e->setDropAction(Qt::CopyAction);
        e->accept();
        QPointer<TDropFileTarget> self(this);
        QTimer::singleShot(0, this, [self, effect] {
            if (self && self->OnDrop)
                self->OnDrop(effect);
        });
        return true;
    }
    default:
        return false;
    }
}

} // namespace parvo
