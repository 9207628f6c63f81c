#include "platform/linux/FileTransfer.h"

#include "app/StringTable.h"

#include <QFile>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace parvo {

namespace {

using Path = std::string;

Path Bytes(const QString& s) { return QFile::encodeName(s).toStdString(); }
QString Text(const Path& p) { return QFile::decodeName(QByteArray::fromStdString(p)); }

Path Join(const Path& folder, const std::string& name)
{
    return !folder.empty() && folder.back() == '/' ? folder + name : folder + '/' + name;
}

std::string BaseName(Path p)
{
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    const size_t slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

Path FolderOf(const Path& p)
{
    const size_t slash = p.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : p.substr(0, slash);
}

// The names a folder holds, without "." and ".."; nullopt (with errno set) when it cannot
// be opened. Read whole before anything in it changes, so a copy or move never meets its
// own new entries.
std::optional<std::vector<std::string>> FolderNames(const Path& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

QString Reason(int error)
{
    switch (error) {
    case ENOENT: return Str(572);
    case EACCES:
    case EPERM: return Str(573);
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return Str(574);
    case EROFS: return Str(575);
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

// Errors after which nothing more can be written to the destination.
bool EndsEverything(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EROFS;
}

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { if (fd_ >= 0) ::close(fd_); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { const int f = fd_; fd_ = -1; return f; }
private:
    int fd_;
};

} // namespace

struct FileTransfer::Impl {
    Impl(Kind k, TransferCallbacks& c) : kind(k), callbacks(c) {}

    Kind kind;
    TransferCallbacks& callbacks;
    TransferProgress progress;
    FileOpOutcome outcome;
    bool yesToAll = false;
    bool stop = false;
    std::chrono::steady_clock::time_point lastReport{};
    // Sources whose copies are complete but not yet known to be on the disk.
    std::vector<Path> pendingFiles;
    std::vector<Path> pendingFolders;
    qint64 pendingBytes = 0;
    int destFolder = -1;

    bool cancelled()
    {
        if (!stop && callbacks.cancelled && callbacks.cancelled()) {
            stop = true;
            outcome.cancelled = true;
        }
        return stop;
    }

    void report(bool force = false)
    {
        const auto now = std::chrono::steady_clock::now();
        if (!callbacks.progress || (!force && now - lastReport < std::chrono::milliseconds(50)))
            return;
        lastReport = now;
        callbacks.progress(progress);
    }

    void fail(const Path& path, int error)
    {
        outcome.notDone.append(Text(path) + QStringLiteral(": ") + Reason(error));
        if (EndsEverything(error))
            stop = true;
    }

    void failWith(const Path& path, const QString& reason)
    {
        outcome.notDone.append(Text(path) + QStringLiteral(": ") + reason);
    }

    void count(const Path& path, qint64& files, qint64& bytes)
    {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0)
            return;
        if (!S_ISDIR(st.st_mode)) {
            ++files;
            bytes += S_ISREG(st.st_mode) ? st.st_size : 0;
            return;
        }
        if (const auto names = FolderNames(path))
            for (const std::string& name : *names)
                count(Join(path, name), files, bytes);
    }

    // Whether `target`, which exists, is to be replaced; false skips it (or stops).
    bool mayReplace(const Path& source, const Path& target)
    {
        if (yesToAll)
            return true;
        const OverwriteAnswer a = callbacks.overwrite ? callbacks.overwrite(Text(source), Text(target)) : OverwriteAnswer::No;
        switch (a) {
        case OverwriteAnswer::YesToAll:
            yesToAll = true;
            return true;
        case OverwriteAnswer::Yes:
            return true;
        case OverwriteAnswer::Cancel:
            stop = true;
            outcome.cancelled = true;
            return false;
        case OverwriteAnswer::No:
            break;
        }
        outcome.skipped.append(Text(target));
        return false;
    }

    // A source whose copy is complete: deleted once the copies are on the disk.
    void deleteLater(const Path& source, qint64 bytes, bool folder)
    {
        (folder ? pendingFolders : pendingFiles).push_back(source);
        pendingBytes += bytes;
        if (pendingBytes > (64 << 20) || pendingFiles.size() > 2000)
            flushDeletions();
    }

    void flushDeletions()
    {
        if (pendingFiles.empty() && pendingFolders.empty())
            return;
        // One flush of the destination's file system for many files: each source goes
        // only once its copy is known to be on the disk.
        if (destFolder >= 0 && ::syncfs(destFolder) != 0) {
            for (const Path& p : pendingFiles)
                fail(p, errno);
        } else {
            for (const Path& p : pendingFiles) {
                if (::unlink(p.c_str()) != 0 && errno != ENOENT)
                    fail(p, errno);
            }
            for (const Path& p : pendingFolders)
                ::rmdir(p.c_str()); // a folder with things left in it stays
        }
        pendingFiles.clear();
        pendingFolders.clear();
        pendingBytes = 0;
    }

    bool copyFile(const Path& source, const Path& target, const struct stat& st)
    {
        Fd in(::open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        if (in.get() < 0) {
            fail(source, errno);
            return false;
        }
        std::string temp = Join(FolderOf(target), "." + BaseName(target).substr(0, 200) + ".XXXXXX");
        Fd out(::mkostemp(temp.data(), O_CLOEXEC));
        if (out.get() < 0) {
            fail(target, errno);
            return false;
        }
        auto abandon = [&](const Path& who, int error) {
            if (error)
                fail(who, error);
            ::unlink(temp.c_str());
            return false;
        };
        ::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
        bool kernelCopy = true;
        std::vector<char> buffer;
        for (;;) {
            if (cancelled())
                return abandon(target, 0);
            ssize_t n = -1;
            if (kernelCopy) {
                n = ::copy_file_range(in.get(), nullptr, out.get(), nullptr, 1 << 20, 0);
                if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                    kernelCopy = false;
                    continue;
                }
            } else {
                if (buffer.empty())
                    buffer.resize(1 << 20);
                n = ::read(in.get(), buffer.data(), buffer.size());
                if (n > 0) {
                    for (ssize_t done = 0; done < n;) {
                        const ssize_t w = ::write(out.get(), buffer.data() + done, size_t(n - done));
                        if (w < 0) {
                            if (errno == EINTR)
                                continue;
                            return abandon(target, errno);
                        }
                        done += w;
                    }
                }
            }
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                // A failed write names the target; a failed read the source.
                const int error = errno;
                const bool writing = error == ENOSPC || error == EDQUOT || error == EFBIG || error == EROFS;
                return abandon(writing ? target : source, error);
            }
            if (n == 0)
                break;
            progress.bytesDone += n;
            report();
        }
        ::fchmod(out.get(), st.st_mode & 07777);
        if (::fchown(out.get(), st.st_uid, st.st_gid) != 0) {
            // Files of others become the user's own; their permissions stay.
        }
        const timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out.get(), times);
        if (::close(out.release()) != 0)
            return abandon(target, errno);
        if (::rename(temp.c_str(), target.c_str()) != 0)
            return abandon(target, errno);
        return true;
    }

    bool copyLink(const Path& source, const Path& target)
    {
        std::string linkTarget(PATH_MAX, '\0');
        const ssize_t n = ::readlink(source.c_str(), linkTarget.data(), linkTarget.size());
        if (n < 0) {
            fail(source, errno);
            return false;
        }
        linkTarget.resize(size_t(n));
        const std::string temp = Join(FolderOf(target), "." + BaseName(target).substr(0, 200) + ".link-" + std::to_string(::getpid()));
        ::unlink(temp.c_str());
        if (::symlink(linkTarget.c_str(), temp.c_str()) != 0 || ::rename(temp.c_str(), target.c_str()) != 0) {
            fail(target, errno);
            ::unlink(temp.c_str());
            return false;
        }
        return true;
    }

    // Copies `source` to `target`; with `thenDelete`, the source goes once its copy is
    // safely on the disk. True when all of it was done.
    bool copyItem(const Path& source, const Path& target, bool thenDelete)
    {
        if (cancelled())
            return false;
        struct stat st;
        if (::lstat(source.c_str(), &st) != 0) {
            fail(source, errno);
            return false;
        }
        progress.file = Text(source);
        report();
        struct stat existing;
        const bool exists = ::lstat(target.c_str(), &existing) == 0;
        if (S_ISDIR(st.st_mode)) {
            if (exists && !S_ISDIR(existing.st_mode)) {
                failWith(target, Str(581));
                return false;
            }
            if (!exists && ::mkdir(target.c_str(), 0700) != 0) {
                fail(target, errno);
                return false;
            }
            const auto names = FolderNames(source);
            if (!names) {
                fail(source, errno); // gone while the copy ran, or unreadable
                return false;
            }
            bool all = true;
            for (const std::string& name : *names) {
                if (stop)
                    return false;
                all = copyItem(Join(source, name), Join(target, name), thenDelete) && all;
            }
            ::chmod(target.c_str(), st.st_mode & 07777);
            const timespec times[2] = {st.st_atim, st.st_mtim};
            ::utimensat(AT_FDCWD, target.c_str(), times, 0);
            if (all && thenDelete)
                deleteLater(source, 0, true);
            return all;
        }
        if (exists) {
            if (existing.st_dev == st.st_dev && existing.st_ino == st.st_ino) {
                failWith(source, Str(579));
                return false;
            }
            if (S_ISDIR(existing.st_mode)) {
                failWith(target, Str(580));
                return false;
            }
            if (!mayReplace(source, target))
                return false;
        }
        bool ok = false;
        if (S_ISREG(st.st_mode))
            ok = copyFile(source, target, st);
        else if (S_ISLNK(st.st_mode))
            ok = copyLink(source, target);
        else
            failWith(source, Str(577));
        if (ok) {
            ++progress.filesDone;
            if (thenDelete)
                deleteLater(source, st.st_size, false);
        }
        return ok;
    }

    bool moveItem(const Path& source, const Path& target)
    {
        if (cancelled())
            return false;
        struct stat st;
        if (::lstat(source.c_str(), &st) != 0) {
            fail(source, errno);
            return false;
        }
        progress.file = Text(source);
        report();
        struct stat existing;
        if (::lstat(target.c_str(), &existing) == 0) {
            if (existing.st_dev == st.st_dev && existing.st_ino == st.st_ino) {
                failWith(source, Str(579));
                return false;
            }
            if (S_ISDIR(st.st_mode) && S_ISDIR(existing.st_mode)) {
                // Into a folder of the same name: what it holds moves, then the empty source goes.
                const auto names = FolderNames(source);
                if (!names) {
                    fail(source, errno);
                    return false;
                }
                bool all = true;
                for (const std::string& name : *names) {
                    if (stop)
                        return false;
                    all = moveItem(Join(source, name), Join(target, name)) && all;
                }
                if (all) {
                    flushDeletions();
                    ::rmdir(source.c_str());
                }
                return all;
            }
            if (S_ISDIR(existing.st_mode)) {
                failWith(target, Str(580));
                return false;
            }
            if (S_ISDIR(st.st_mode)) {
                failWith(target, Str(581));
                return false;
            }
            if (!mayReplace(source, target))
                return false;
        }
        if (::rename(source.c_str(), target.c_str()) == 0) {
            qint64 files = 0, bytes = 0;
            count(target, files, bytes);
            progress.filesDone += int(files);
            progress.bytesDone += bytes;
            report();
            return true;
        }
        if (errno != EXDEV) {
            fail(source, errno);
            return false;
        }
        return copyItem(source, target, true);
    }
};

qint64 SecondsLeft(const TransferProgress& p, qint64 elapsedMs)
{
    // A second of work, or a twentieth of it, before a rate means anything.
    if (p.bytesDone <= 0 || p.bytesTotal <= 0 || (elapsedMs < 1000 && p.bytesDone * 20 < p.bytesTotal))
        return -1;
    const double rate = double(p.bytesDone) / double(std::max<qint64>(elapsedMs, 1));
    return qint64((double(std::max<qint64>(p.bytesTotal - p.bytesDone, 0)) / rate + 999) / 1000);
}

QString FormatDuration(qint64 s)
{
    const QString minutesSeconds = QStringLiteral("%1:%2").arg(s / 60 % 60).arg(s % 60, 2, 10, QLatin1Char('0'));
    return s >= 3600 ? QStringLiteral("%1:%2").arg(s / 3600).arg(minutesSeconds.rightJustified(5, QLatin1Char('0')))
                     : minutesSeconds;
}

FileTransfer::FileTransfer(Kind kind, QStringList sources, QString destFolder, TransferCallbacks callbacks)
    : kind_(kind), sources_(std::move(sources)), dest_(std::move(destFolder)), callbacks_(std::move(callbacks))
{
}

FileOpOutcome FileTransfer::run()
{
    Impl impl(kind_, callbacks_);
    const Path dest = Bytes(dest_);
    struct stat destStat;
    if (::stat(dest.c_str(), &destStat) != 0 || !S_ISDIR(destStat.st_mode)) {
        for (const QString& s : sources_)
            impl.outcome.notDone.append(s + QStringLiteral(": ") + Reason(ENOENT));
        return impl.outcome;
    }
    // Refused as a whole, before anything is written.
    const QStringList itself = parvo::IntoItself(sources_, dest_);
    if (!itself.isEmpty()) {
        for (const QString& s : itself)
            impl.outcome.notDone.append(s + QStringLiteral(": ") + Str(579));
        return impl.outcome;
    }
    Fd destFd(::open(dest.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    impl.destFolder = destFd.get();

    qint64 files = 0, bytes = 0;
    for (const QString& s : sources_)
        impl.count(Bytes(s), files, bytes);
    impl.progress.filesTotal = int(files);
    impl.progress.bytesTotal = bytes;
    impl.report(true);

    for (const QString& s : sources_) {
        if (impl.stop) {
            impl.outcome.notDone.append(s + QStringLiteral(": ") + (impl.outcome.cancelled ? Str(578) : Str(582)));
            continue;
        }
        const Path source = Bytes(s);
        const Path target = Join(dest, BaseName(source));
        const int failedBefore = int(impl.outcome.notDone.size());
        const int skippedBefore = int(impl.outcome.skipped.size());
        const bool ok = kind_ == Kind::Move ? impl.moveItem(source, target) : impl.copyItem(source, target, false);
        impl.flushDeletions();
        if (ok)
            impl.outcome.done.append(s);
        else if (impl.outcome.notDone.size() == failedBefore && impl.outcome.skipped.size() == skippedBefore)
            impl.outcome.notDone.append(s + QStringLiteral(": ") + (impl.outcome.cancelled ? Str(578) : Str(582)));
    }
    impl.report(true);
    return impl.outcome;
}

} // namespace parvo
