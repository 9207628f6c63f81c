#include "dialogs/FolderNameCompletion.h"

#include <QFile>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <ctime>

#include <dirent.h>
#include <sys/stat.h>

namespace parvo {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

struct FileIdentity {
    quint64 device = 0, inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<struct stat> StatOf(const QString& path)
{
    struct stat st;
    if (stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return st;
}

std::optional<FileIdentity> IdentityOf(const QString& path)
{
    const auto st = StatOf(path);
    if (!st)
        return std::nullopt;
    return FileIdentity{static_cast<quint64>(st->st_dev), static_cast<quint64>(st->st_ino)};
}

qint64 ModifiedNs(const struct stat& st)
{
    return qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
}

qint64 NowNs()
{
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Folder dates move in ticks of the kernel's coarse clock, a few milliseconds at most.
constexpr qint64 kClockTickNs = 50'000'000;

bool IsOffer(const QString& suffix)
{
    return !suffix.isEmpty() && suffix != QLatin1String(".") && suffix != QLatin1String("..");
}

// Whether a name read from the disk comes through the system's encoding (UTF-8) intact.
bool IsValidName(const char* raw, const QString& decoded)
{
    for (const char* p = raw; *p; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80)
            return QFile::encodeName(decoded) == QByteArray(raw);
    }
    return true; // plain ASCII
}

bool IsDriveLetter(QChar c)
{
    return c.unicode() < 0x80 && c.isLetter();
}

} // namespace

const DriveInfo* LocalNames::driveOf(QChar letter) const
{
    if (!IsDriveLetter(letter))
        return nullptr;
    const QChar upper = letter.toUpper();
    for (const DriveInfo& d : drives) {
        if (d.letter == upper && d.exists())
            return &d;
    }
    return nullptr;
}

QString LocalPathOf(const QString& text, const LocalNames& names)
{
    if (text.size() >= 2 && text[1] == QLatin1Char(':')) {
        if (const DriveInfo* drive = names.driveOf(text[0])) {
            QString root = drive->root;
            if (!root.endsWith(QLatin1Char('/')))
                root += QLatin1Char('/');
            QString rest = text.mid(2);
            while (rest.startsWith(QLatin1Char('/')))
                rest.remove(0, 1);
            return root + rest;
        }
    }
    if (!names.home.isEmpty() && (text == QLatin1String("~") || text.startsWith(QLatin1String("~/")))) {
        QString home = names.home;
        while (home.size() > 1 && home.endsWith(QLatin1Char('/')))
            home.chop(1);
        return home + text.mid(1);
    }
    return text;
}

FolderNameQuery ClassifyFolderName(const QString& text, const LocalNames& names)
{
    FolderNameQuery q;
    if (text.size() == 1 && names.driveOf(text[0])) {
        q.suffix = QStringLiteral(":/");
        return q;
    }
    if (text.size() == 2 && text[1] == QLatin1Char(':') && names.driveOf(text[0])) {
        q.suffix = QStringLiteral("/");
        return q;
    }
    const QString path = LocalPathOf(text, names);
    if (!path.startsWith(QLatin1Char('/')))
        return q; // relative to nothing the user can see
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    // A folder typed up to its "/" (a drive root included) has nothing begun to complete:
    // its first entry would be "." anyway.
    if (slash == path.size() - 1)
        return q;
    q.folder = path.left(slash + 1);
    q.prefix = path.mid(slash + 1);
    return q;
}

FolderListing FolderListing::read(const QString& folder)
{
    FolderListing listing;
    listing.folder = folder;
    listing.readNs = NowNs();
    std::unique_ptr<DIR, DirCloser> dir(opendir(QFile::encodeName(folder).constData()));
    if (!dir)
        return listing;
    struct stat st;
    if (fstat(dirfd(dir.get()), &st) != 0)
        return listing;
    listing.device = st.st_dev;
    listing.inode = st.st_ino;
    listing.modifiedNs = ModifiedNs(st);
    listing.readable = true;

    while (const dirent* entry = readdir(dir.get())) {
        const char* raw = entry->d_name;
        const QString name = QString::fromUtf8(raw);
        if (!IsValidName(raw, name))
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            // Only a link, or a file system that does not say: a link counts as what it
            // points to, a broken one as a file.
            struct stat target;
            isFolder = fstatat(dirfd(dir.get()), entry->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
        }
        listing.entries.append({name, isFolder});
    }
    return listing;
}

void FolderListing::sort()
{
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    sorted = true;
}

bool FolderListing::isCurrent() const
{
    if (!readable || modifiedNs >= readNs - kClockTickNs)
        return false;
    const auto st = StatOf(folder);
    return st && quint64(st->st_dev) == device && quint64(st->st_ino) == inode && ModifiedNs(*st) == modifiedNs;
}

const FolderEntry* FolderListing::firstMatch(const QString& prefix) const
{
    if (!sorted) {
        const FolderEntry* best = nullptr;
        for (const FolderEntry& e : entries) {
            if (e.name.startsWith(prefix) && (!best || e.name < best->name))
                best = &e;
        }
        return best;
    }
    const auto it = std::lower_bound(entries.cbegin(), entries.cend(), prefix,
                                     [](const FolderEntry& e, const QString& p) { return e.name < p; });
    if (it == entries.cend() || !it->name.startsWith(prefix))
        return nullptr;
    return &*it;
}

QString CompleteFolderName(const FolderNameQuery& query, const FolderListing& listing)
{
    if (!query.needsDisk())
        return IsOffer(query.suffix) ? query.suffix : QString();
    const FolderEntry* match = listing.firstMatch(query.prefix);
    if (!match || !match->folder)
        return {};
    const QString rest = match->name.mid(query.prefix.size());
    if (!IsOffer(rest))
        return {};
    const QString lowered = rest.toLower();
    if (lowered == rest)
        return rest;
    // Lower case reads better in a path, but on a disk that tells cases apart it would
    // name another folder, or none.
    const auto real = IdentityOf(query.folder + match->name);
    const auto low = IdentityOf(query.folder + query.prefix + lowered);
    return real && real == low ? lowered : rest;
}

QString CompleteFolderName(const QString& text, const LocalNames& names)
{
    const FolderNameQuery query = ClassifyFolderName(text, names);
    if (!query.needsDisk())
        return CompleteFolderName(query, FolderListing{});
    return CompleteFolderName(query, FolderListing::read(query.folder));
}

std::optional<CompletedText> AppendCompletion(const QString& text, const QString& suffix)
{
    if (!IsOffer(suffix))
        return std::nullopt;
    return CompletedText{text + suffix, text.size(), suffix.size()};
}

// The completer's thread and what it shares with the interface thread. The thread owns
// the cached listing; everything else is guarded by the mutex.
struct FolderNameCompleter::Worker {
    std::mutex mutex;
    std::condition_variable wake;
    bool stop = false;
    bool started = false;
    FolderNameCompleter* receiver = nullptr;
    struct Job {
        quint64 id;
        QString text;
        FolderNameQuery query;
    };
    std::optional<Job> pending;

    FolderListing cache; // the thread's alone

    static void run(std::shared_ptr<Worker> self)
    {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(self->mutex);
                self->wake.wait(lock, [&] { return self->stop || self->pending; });
                if (self->stop)
                    return;
                job = std::move(*self->pending);
                self->pending.reset();
            }
            const bool fresh = self->cache.folder != job.query.folder || !self->cache.isCurrent();
            if (fresh)
                self->cache = FolderListing::read(job.query.folder);
            const QString suffix = CompleteFolderName(job.query, self->cache);
            {
                std::lock_guard lock(self->mutex);
                if (self->stop || !self->receiver)
                    return;
                // Queued to the completer's thread; Qt drops it if the completer goes first.
                FolderNameCompleter* r = self->receiver;
                QMetaObject::invokeMethod(
                    r,
                    [r, id = job.id, text = job.text, suffix] {
                        if (id == r->latest_)
                            emit r->completed(text, suffix);
                    },
                    Qt::QueuedConnection);
            }
            // A new reading answers the first key by one pass; it is sorted after the
            // answer has gone, so that the next keys are binary searches.
            if (fresh)
                self->cache.sort();
        }
    }
};

FolderNameCompleter::FolderNameCompleter(LocalNames names, QObject* parent)
    : QObject(parent), names_(std::move(names)), worker_(std::make_shared<Worker>())
{
    worker_->receiver = this;
}

FolderNameCompleter::~FolderNameCompleter()
{
    std::lock_guard lock(worker_->mutex);
    worker_->stop = true;
    worker_->receiver = nullptr;
    worker_->wake.notify_all();
    // The thread holds its own share of the state and ends when it next looks; a thread
    // stuck in a hung folder is simply left to finish on its own.
}

void FolderNameCompleter::request(const QString& text)
{
    const quint64 id = ++latest_;
    FolderNameQuery query = ClassifyFolderName(text, names_);
    if (!query.needsDisk()) {
        {
            std::lock_guard lock(worker_->mutex);
            worker_->pending.reset();
        }
        emit completed(text, CompleteFolderName(query, FolderListing{}));
        return;
    }
    std::lock_guard lock(worker_->mutex);
    worker_->pending = Worker::Job{id, text, std::move(query)};
    if (!worker_->started) {
        worker_->started = true;
        std::thread(&Worker::run, worker_).detach();
    }
    worker_->wake.notify_one();
}

void FolderNameCompleter::cancel()
{
    ++latest_;
    std::lock_guard lock(worker_->mutex);
    worker_->pending.reset();
}

} // namespace parvo
