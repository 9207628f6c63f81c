#pragma once
// The real bar window on the offscreen platform, with a registry, drives, shell and
// desktop held in memory and a private program folder holding the shipped branding
// files. Also helpers to answer the modal dialogs a handler opens and to drag files.

#include "FakeDesktopBar.h"
#include "FakeDrives.h"
#include "FakeRegistry.h"
#include "FakeShell.h"
#include "FakeShellLinks.h"
#include "UiApp.h"
#include "app/DataFilePath.h"
#include "bar/TForm1.h"
#include "settings/RegistryKeys.h"
#include "widgets/MessagePrompts.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Texts in failure messages as text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace parvo::test {

// Runs `act` on the next modal window of type T once it is shown (polling, as the
// handler that opens it does not return before it closes). `seen` is set when it ran.
template <class T>
void OnNextModal(std::function<void(T*)> act, bool* seen = nullptr)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act, seen, tries] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            if (seen)
                *seen = true;
            act(window);
        } else if (++*tries > 500) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

inline QList<QUrl> Urls(const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    return urls;
}

// Drags `urls` onto `target` at `point` (its coordinates), Shift held for a move; drops
// them there or leaves again. True when the target accepted the drag at that point.
inline bool DragTo(QWidget* target, QPoint point, const QList<QUrl>& urls, bool move, bool drop)
{
    QMimeData mime;
    mime.setUrls(urls);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    const Qt::KeyboardModifiers mods = move ? Qt::ShiftModifier : Qt::NoModifier;
    QDragEnterEvent enter(point, offered, &mime, Qt::LeftButton, mods);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent over(point, offered, &mime, Qt::LeftButton, mods);
    QApplication::sendEvent(target, &over);
    const bool accepted = over.isAccepted();
    if (drop && accepted) {
        QDropEvent done(point, offered, &mime, Qt::LeftButton, mods);
        QApplication::sendEvent(target, &done);
    } else {
        QDragLeaveEvent leave;
        QApplication::sendEvent(target, &leave);
    }
    return accepted;
}

struct BarFixture : ::testing::Test {
    QApplication& app = App();
    QTemporaryDir dir;
    QString program = dir.path() + "/program/";
    FakeRegistry reg;
    FakeShellLinks links;
    MessagePrompts prompts;
    FakeDesktopBar desktop;
    FakeDrives drives;
    FakeShell shell;
    std::unique_ptr<TForm1> bar;

    QString Folder(const QString& name) const { return dir.path() + "/" + name; }
    QString MakeFolder(const QString& name) const
    {
        QDir().mkpath(Folder(name));
        return Folder(name);
    }
    void SetShellFolder(const char* value, const QString& path)
    {
        reg.setValue(RegRoot::CurrentUser, keys::ShellFolders, value, RegValue::fromText(path));
    }

    void SetUp() override
    {
        QDir().mkpath(program);
        for (int index : {0, 1, 2, 3, 4, 5, 6})
            ASSERT_TRUE(QFile::copy(DataFilePath(index, PARVO_PROGRAM_DIR), DataFilePath(index, program))) << index;
        SetShellFolder("Desktop", MakeFolder("Scrivania"));
        drives.drives = {{'C', "/", DriveFixed, {}}, {'D', dir.path() + "/", DriveFixed, {}}};
    }
    void TearDown() override { bar.reset(); }

    // The bar as the program starts it, with whatever the registry holds by then.
    void StartBar()
    {
        bar = std::make_unique<TForm1>(
            BarServices{reg, links, prompts, program, [] { return TextEditorChoice(); }, desktop, drives, shell});
        ASSERT_TRUE(bar->FormCreate());
        bar->show();
        QCoreApplication::processEvents();
        // What start-up leaves until after the first painting is done too.
        ASSERT_TRUE(QTest::qWaitFor([this] { return bar->StartupCompleted(); }, 5000));
    }
};

} // namespace parvo::test
