#pragma once
// One bar per user and display: the first instance holds a lock named after the
// executable and the display and listens on a local socket of the same name; a newcomer
// asks it to show itself and leaves. A user logged in on two displays gets a bar on each.
//
// The lock is a kernel lock on an open file: it goes with the process that holds it, so a
// crashed bar never keeps the next one from starting, and taking it writes nothing. The
// socket is a plain Unix socket watched by the event loop; it is all the network the
// program needs.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

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

    // The folder used when none is given: the user's runtime folder, else a folder of the
    // user's own in the temporary folder.
    static QString DefaultFolder();

    // The name of the lock and socket: the executable's name, and the display it serves
    // ($DISPLAY without its screen number, any character that is no letter, digit, "."
    // or "-" as "_").
    static QString InstanceName(const QString& executableName, const QString& display);

    // Makes `folder` a folder only the user can enter, or finds it one already: it must
    // be a real folder (no link), the user's own, closed to others (a looser one of the
    // user's own is closed). False when it cannot be: another user could then read or
    // replace the lock and socket, so none is used.
    static bool MakePrivateFolder(const QString& folder);

private:
    struct Peer;

    void listen();
    void acceptPeers();
    void readPeer(Peer* peer);
    void dropPeer(Peer* peer);
    bool notifyRunning() const;

    QByteArray socketPath_;
    int lockFd_ = -1;
    int serverFd_ = -1;
    bool alreadyRunning_ = false;
    std::unique_ptr<QSocketNotifier> server_;
    std::vector<std::unique_ptr<Peer>> peers_;
    std::function<void()> activate_;
};

} // namespace parvo
