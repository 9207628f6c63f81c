// The floors of the start-up benchmark: the least a Qt 6 program does to show a window of
// the bar's floating size, and, with the argument "text", the same window showing one
// line of text, which is what drawing any text at all costs a Qt program.

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>
#include <memory>

int main(int argc, char* argv[])
{
    const bool text = argc > 1 && std::strcmp(argv[1], "text") == 0;
    QApplication app(argc, argv);
    // Only the widget measured is made: a label made and left hidden would load code too.
    const std::unique_ptr<QWidget> window =
        text ? std::make_unique<QLabel>(QStringLiteral("Parvo")) : std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("floor"));
    window->resize(500, 22);
    window->show();
    return QApplication::exec();
}
