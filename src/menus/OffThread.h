#pragma once
// Work that may block on the disk, run away from the interface thread.
//
// Each piece of work gets a thread of its own that is never joined: a read stuck in the
// kernel (a network mount that does not answer) keeps its thread and nothing else, and
// the program still ends when the user quits. Its result comes back as a queued call on
// the thread of a context object, and is dropped when that object is gone by then.

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace parvo {

namespace detail {

// Whether the context object still lives, readable from any thread.
class ContextGuard {
public:
    explicit ContextGuard(QObject* context) : context_(context) {}
    // Queues `call` to the context's thread unless the context is gone. The lock keeps
    // the context from going while the call is queued; a call still queued when it goes
    // is dropped with it.
    void post(std::function<void()> call)
    {
        const std::lock_guard lock(mutex_);
        if (context_)
            QMetaObject::invokeMethod(context_, std::move(call), Qt::QueuedConnection);
    }
    void forget()
    {
        const std::lock_guard lock(mutex_);
        context_ = nullptr;
    }

private:
    std::mutex mutex_;
    QObject* context_;
};

} // namespace detail

// Runs `work` on a thread of its own; `done(result)` then runs on `context`'s thread, unless
// `context` was destroyed first. When no thread can be started, nothing runs.
template <class R>
void RunOffThread(QObject* context, std::function<R()> work, std::function<void(R)> done)
{
    auto guard = std::make_shared<detail::ContextGuard>(context);
    auto connection = std::make_shared<QMetaObject::Connection>(
        QObject::connect(context, &QObject::destroyed, [guard] { guard->forget(); }));
    try {
        std::thread([guard, connection, work = std::move(work), done = std::move(done)]() mutable {
            auto result = std::make_shared<R>(work());
            guard->post([connection, done = std::move(done), result] {
                QObject::disconnect(*connection);
                done(std::move(*result));
            });
        }).detach();
    } catch (const std::system_error&) {
        QObject::disconnect(*connection);
    }
}

// Runs `work` on a thread of its own and waits for its result while the calling thread
// goes on handling its events; a result not in within `ms` milliseconds gives `late`
// instead, and the work is left to end on its own. Anything may have happened meanwhile:
// the caller checks again what it relied on before the wait.
template <class R>
R AskOffThread(std::function<R()> work, R late, int ms)
{
    if (!QCoreApplication::instance())
        return work();
    QEventLoop loop;
    std::optional<R> answer;
    RunOffThread<R>(&loop, std::move(work), [&answer, &loop](R result) {
        answer = std::move(result);
        loop.quit();
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return answer ? std::move(*answer) : std::move(late);
}

} // namespace parvo
