#pragma once
// The one QApplication of the offscreen widget tests.

#include <QApplication>

namespace parvo::test {

inline QApplication& App()
{
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace parvo::test
