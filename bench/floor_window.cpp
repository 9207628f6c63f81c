// The floor of the start-up benchmark: the least a Qt 6 program does to show a window of
// the bar's floating size.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.resize(500, 22);
    window.show();
    return QApplication::exec();
}
