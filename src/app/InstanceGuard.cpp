#include "app/InstanceGuard.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace parvo {

namespace {

constexpr char ActivateRequest[] = "show\n";
constexpr qsizetype MaxRequest = 64;

// The socket's address, or nothing when the path does not fit one.
bool SocketAddress(const QByteArray& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

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

struct TJustOne32::Peer {
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    QByteArray request;
};

TJustOne32::TJustOne32(const QString& name, const QString& folder)
    : socketPath_(QFile::encodeName(folder + QLatin1Char('/') + name + QStringLiteral(".socket")))
{
    if (!MakePrivateFolder(folder)) {
        qWarning("The folder %s is not the user's own: the bar runs without its single-instance lock",
                 qPrintable(folder));
        return;
    }
    const QByteArray lockPath = QFile::encodeName(folder + QLatin1Char('/') + name + QStringLiteral(".lock"));
    lockFd_ = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFd_ < 0)
        return; // the lock cannot even be made: run as if alone
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) == 0) {
        listen();
        return;
    }
    const bool held = errno == EWOULDBLOCK;
    ::close(lockFd_);
    lockFd_ = -1;
    if (!held)
        return;
    alreadyRunning_ = true;
    notifyRunning();
}

TJustOne32::~TJustOne32()
{
    while (!peers_.empty())
        dropPeer(peers_.back().get());
    if (serverFd_ >= 0) {
        server_.reset();
        ::close(serverFd_);
        ::unlink(socketPath_.constData());
    }
    // The lock file stays: removing it while a newcomer may have it open would let two
    // bars each hold a lock of their own.
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

void TJustOne32::listen()
{
    sockaddr_un address;
    if (!SocketAddress(socketPath_, address))
        return;
    // The lock is held, so a socket file there was left by a bar that ended.
    ::unlink(socketPath_.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return;
    }
    serverFd_ = fd;
    server_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(server_.get(), &QSocketNotifier::activated, this, &TJustOne32::acceptPeers);
}

void TJustOne32::acceptPeers()
{
    for (;;) {
        const int fd = ::accept4(serverFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        auto peer = std::make_unique<Peer>();
        peer->fd = fd;
        peer->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        Peer* p = peer.get();
        connect(p->notifier.get(), &QSocketNotifier::activated, this, [this, p] { readPeer(p); });
        peers_.push_back(std::move(peer));
    }
}

void TJustOne32::readPeer(Peer* peer)
{
    char buffer[MaxRequest];
    const ssize_t n = ::recv(peer->fd, buffer, sizeof buffer, 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (n > 0)
        peer->request.append(buffer, n);
    // A whole line, the end of the connection or more than any request: answered.
    if (n > 0 && !peer->request.contains('\n') && peer->request.size() < MaxRequest)
        return;
    const bool show = peer->request.startsWith("show");
    dropPeer(peer);
    if (show && activate_)
        activate_();
}

void TJustOne32::dropPeer(Peer* peer)
{
    for (auto it = peers_.begin(); it != peers_.end(); ++it) {
        if (it->get() != peer)
            continue;
        // The notifier may be the one whose signal is running: it goes once that returned.
        peer->notifier->setEnabled(false);
        peer->notifier.release()->deleteLater();
        ::close(peer->fd);
        peers_.erase(it);
        return;
    }
}

bool TJustOne32::notifyRunning() const
{
    sockaddr_un address;
    if (!SocketAddress(socketPath_, address))
        return false;
    // The first instance may be between taking the lock and listening: try a few times.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        bool sent = false;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            const ssize_t length = ssize_t(sizeof ActivateRequest - 1);
            sent = ::send(fd, ActivateRequest, size_t(length), MSG_NOSIGNAL) == length;
        }
        ::close(fd);
        if (sent)
            return true;
        ::usleep(50 * 1000);
    }
    return false;
}

} // namespace parvo
