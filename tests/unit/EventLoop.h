#pragma once
// An application object and its event loop for tests of logic that answers later: work
// run off the interface thread hands its result back through queued calls.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

namespace parvo::test {

inline QCoreApplication& App()
{
    static int argc = 1;
    static char name[] = "unit_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
    return *QCoreApplication::instance();
}

// Runs the event loop until `done` holds or `ms` have passed; whether it holds.
inline bool WaitUntil(const std::function<bool()>& done, int ms = 5000)
{
    App();
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

// Runs the event loop for `ms`.
inline void Spin(int ms)
{
    WaitUntil([] { return false; }, ms);
}

} // namespace parvo::test
