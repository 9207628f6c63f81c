// A window of the X11 tests that other programs' drags start from: pressing the mouse
// on it drags the files named on the command line ("text/uri-list"), offering copy,
// move and link, as a file manager would. When the drag ends it prints the action the
// target chose ("copy", "move", "link" or "none") and exits.
//
//   drag_source FILE...

#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class Source : public QWidget {
public:
    explicit Source(QList<QUrl> urls)
        : urls_(std::move(urls))
    {
        setWindowTitle(QStringLiteral("drag-source"));
        resize(160, 100);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        auto* data = new QMimeData;
        data->setUrls(urls_);
        QDrag drag(this);
        drag.setMimeData(data);
        const Qt::DropAction action =
            drag.exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
        const char* name = action == Qt::CopyAction   ? "copy"
                           : action == Qt::MoveAction ? "move"
                           : action == Qt::LinkAction ? "link"
                                                      : "none";
        std::printf("%s\n", name);
        std::fflush(stdout);
        QApplication::quit();
    }

private:
    QList<QUrl> urls_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (const QString& path : app.arguments().mid(1))
        urls.append(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    Source source(urls);
    source.show();
    return QApplication::exec();
}
