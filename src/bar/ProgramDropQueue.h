#pragma once
// Files dropped on the program area become shortcut files away from the interface
// thread: a drop of thousands of files writes thousands of them. Drops are carried out
// one after another, in the order they came; the list of buttons is left to the
// interface thread, which is the only one to change it.

#include "menus/ProgramShortcuts.h"

#include <QObject>
#include <QStringList>

#include <deque>

class QThread;

namespace parvo {

class ShellLinks;

class ProgramDropQueue : public QObject {
    Q_OBJECT
public:
    // `links` must be usable from another thread (it writes files and keeps no state).
    ProgramDropQueue(ShellLinks& links, QString programFolder, QObject* parent = nullptr);
    ~ProgramDropQueue() override;

    void add(const QStringList& files);
    bool busy() const { return worker_ != nullptr; }

signals:
    // One drop's shortcut files are written: the buttons to add and the messages for
    // the user.
    void finished(const parvo::DroppedPrograms& result);

private:
    void startNext();

    ShellLinks& links_;
    QString programFolder_;
    std::deque<QStringList> pending_;
    QThread* worker_ = nullptr;
};

} // namespace parvo
