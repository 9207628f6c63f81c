#pragma once
// The start-up refresh of the completion lists. Reading the registry, the list files and
// the favourites folder must happen on the bar's own thread, where the lists live; this
// thread only lets the bar finish coming up first: it waits, then hands the work back to
// the thread that created it, and ends.

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <chrono>
#include <functional>

namespace parvo {

class TFavsThread : public QThread {
public:
    static constexpr std::chrono::milliseconds kDefaultDelay{3000};

    // `callback` runs once, on the thread that creates this object, `delay` after start()
    // — unless this object is destroyed first. `owner` becomes the parent, so the thread
    // is stopped (without running the callback) when the owner goes.
    TFavsThread(QObject* owner, std::function<void()> callback,
                std::chrono::milliseconds delay = kDefaultDelay);
    // Cuts the wait short and joins the thread; the callback is not run after this, even
    // when its call is already queued.
    ~TFavsThread() override;

    // Starts the wait at idle priority: the refresh must not compete with the bar.
    void startIdle() { start(QThread::IdlePriority); }
    // Ends the wait early without running the callback.
    void stop();

protected:
    void run() override;

private:
    std::function<void()> callback_;
    std::chrono::milliseconds delay_;
    QMutex mutex_;
    QWaitCondition wake_;
    bool stopping_ = false;
};

} // namespace parvo
