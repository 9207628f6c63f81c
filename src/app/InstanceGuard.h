#pragma once
// One bar per user: the first instance holds a lock named after the executable and
// listens on a local socket of the same name; a newcomer asks it to show itself and
// leaves.

#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace parvo {

class TJustOne32 : public QObject {
    Q_OBJECT
public:
    // `name` is the executable's file name; `folder` where the lock and socket live (the
    // user's runtime folder).
    TJustOne32(const QString& name, const QString& folder);
    ~TJustOne32() override;

    // True when another instance is running. In that case it has been asked to show
    // itself (if it answers at all).
    bool alreadyRunning() const { return alreadyRunning_; }

    // Called in the first instance whenever a newcomer asks it to show itself.
    void onActivate(std::function<void()> handler) { activate_ = std::move(handler); }

    // The folder used when none is given: the user's runtime folder.
    static QString DefaultFolder();

private:
    void listen();
    bool notifyRunning() const;

    QString socketPath_;
    QLockFile lock_;
    bool alreadyRunning_ = false;
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> activate_;
};

} // namespace parvo
