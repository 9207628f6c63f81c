#pragma once
// The one QApplication of the offscreen widget tests.

#include <QApplication>

namespace parvo::test {

inline QApplication& App()
{
    // Widgets are tested without a display, whatever the environment says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down after main() has returned crashes at exit.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

} // namespace parvo::test
