#include "app/InstanceGuard.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace parvo {

namespace {

constexpr char ActivateRequest[] = "show\n";

} // namespace

QString TJustOne32::DefaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/parvo-") + QString::number(geteuid());
    return folder;
}

QString TJustOne32::InstanceName(const QString& executableName, const QString& display)
{
    // ":0" and ":0.1" are screens of one display, served by one bar.
    QString shown = display;
    const qsizetype colon = shown.lastIndexOf(QLatin1Char(':'));
    const qsizetype dot = shown.indexOf(QLatin1Char('.'), colon + 1);
    if (colon >= 0 && dot > colon)
        shown.truncate(dot);
    for (QChar& c : shown) {
        const bool plain = (c.unicode() < 0x80 && c.isLetterOrNumber()) || c == QLatin1Char('.') || c == QLatin1Char('-');
        if (!plain)
            c = QLatin1Char('_');
    }
    return shown.isEmpty() ? executableName : executableName + QLatin1Char('-') + shown;
}

bool TJustOne32::MakePrivateFolder(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st;
    if (lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid())
        return false;
    if ((st.st_mode & 077) != 0 && chmod(path.constData(), 0700) != 0)
        return false;
    return true;
}

TJustOne32::TJustOne32(const QString& name, const QString& folder)
    : socketPath_(folder + QLatin1Char('/') + name + QStringLiteral(".socket"))
    , lock_(folder + QLatin1Char('/') + name + QStringLiteral(".lock"))
{
    if (!MakePrivateFolder(folder)) {
        qWarning("The folder %s is not the user's own: the bar runs without its single-instance lock",
                 qPrintable(folder));
        return;
    }
    // A lock left by a crashed bar is taken over (QLockFile checks whether its process
    // still lives), so a crash never keeps the bar from starting again.
    lock_.setStaleLockTime(0);
    if (lock_.tryLock(0)) {
        listen();
        return;
    }
    if (lock_.error() != QLockFile::LockFailedError) {
        // The lock cannot even be made (no runtime folder, no rights): run as if alone.
        return;
    }
    alreadyRunning_ = true;
    notifyRunning();
}

TJustOne32::~TJustOne32()
{
    if (server_)
        server_->close();
}

void TJustOne32::listen()
{
    QLocalServer::removeServer(socketPath_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath_))
        return;
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().startsWith("show") && activate_)
                    activate_();
                peer->disconnectFromServer();
            });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
}

bool TJustOne32::notifyRunning() const
{
    // The first instance may be between taking the lock and listening: try a few times.
    for (int attempt = 0; attempt < 20; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(250)) {
            socket.write(ActivateRequest);
            socket.waitForBytesWritten(500);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

} // namespace parvo
