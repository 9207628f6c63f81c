#pragma once
// Disk work that may take long runs on a thread of its own while the interface thread
// keeps handling its events in a local loop; the caller gets the result as if the call
// had been made in place. Work posted back to the interface thread (progress, questions)
// is handled meanwhile.

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <atomic>
#include <thread>
#include <type_traits>

namespace parvo {

template <typename Work>
auto RunOffThread(Work&& work) -> std::invoke_result_t<Work&>
{
    using Result = std::invoke_result_t<Work&>;
    QCoreApplication* app = QCoreApplication::instance();
    // Without an event loop to keep alive there is nothing to gain.
    if (!app || QThread::currentThread() != app->thread())
        return work();
    QEventLoop loop;
    std::atomic<bool> done = false;
    Result result{};
    std::thread worker([&] {
        result = work();
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    while (!done)
        loop.exec();
    worker.join();
    return result;
}

} // namespace parvo
