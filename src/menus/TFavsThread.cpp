#include "menus/TFavsThread.h"

#include <QDeadlineTimer>
#include <QMetaObject>
#include <QMutexLocker>

namespace parvo {

TFavsThread::TFavsThread(QObject* owner, std::function<void()> callback, std::chrono::milliseconds delay)
    : QThread(owner), callback_(std::move(callback)), delay_(delay)
{
}

TFavsThread::~TFavsThread()
{
    stop();
    wait();
}

void TFavsThread::stop()
{
    requestInterruption();
    QMutexLocker lock(&mutex_);
    stopping_ = true;
    wake_.wakeAll();
}

void TFavsThread::run()
{
    {
        QMutexLocker lock(&mutex_);
        QDeadlineTimer deadline(delay_);
        // The loop absorbs spurious wake-ups; only the deadline or stop() ends the wait.
        while (!stopping_ && !deadline.hasExpired())
            wake_.wait(&mutex_, deadline);
        if (stopping_)
            return;
    }
    // This object lives on the creating thread, so the call is queued there; destroying
    // the object drops a call still in the queue.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!isInterruptionRequested() && callback_)
                callback_();
        },
        Qt::QueuedConnection);
}

} // namespace parvo
