#pragma once
// The one QCoreApplication of the logic tests that need an event loop, and a way to run
// that loop until something has happened.

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace parvo::test {

inline QCoreApplication& CoreApp()
{
    static int argc = 1;
    static char name[] = "unit_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv); // never destroyed: Qt must outlive the tests
    return *QCoreApplication::instance();
}

// Runs the event loop until `done` or a generous limit; the answer of `done` at the end.
template <typename Done>
bool RunEventsUntil(Done done, int limitMs = 20000)
{
    CoreApp();
    QDeadlineTimer limit(limitMs);
    while (!done() && !limit.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

} // namespace parvo::test
