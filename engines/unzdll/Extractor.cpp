#include "Extractor.h"

#include "EntryNames.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>

namespace parvo::engine {

namespace {

constexpr size_t ReadChunk = 256 * 1024;
// Progress is reported at least this often, so that a Cancel is heard in good time.
constexpr int64_t ReportEvery = 1024 * 1024;
// Link targets longer than this are not what a symbolic link holds.
constexpr uint64_t MaxLinkTarget = 4096;
constexpr uint16_t ExtendedTimestampId = 0x5455;

class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(Fd&& o) noexcept : fd_(o.release()) {}
    Fd& operator=(Fd&& o) noexcept { reset(o.release()); return *this; }
    int get() const { return fd_; }
    int release() { int f = fd_; fd_ = -1; return f; }
    void reset(int fd = -1) { if (fd_ >= 0) ::close(fd_); fd_ = fd; }
    explicit operator bool() const { return fd_ >= 0; }
private:
    int fd_ = -1;
};

struct ZipFile {
    zip_file_t* f = nullptr;
    ~ZipFile() { if (f) zip_fclose(f); }
};

// A file written under a temporary name in its folder, removed unless committed.
class PendingFile {
public:
    PendingFile(int folder, const std::string& finalName) : folder_(folder), final_(finalName) {}
    ~PendingFile() { discard(); }

    bool create()
    {
        static thread_local std::mt19937 random{std::random_device{}()};
        for (int attempt = 0; attempt < 16; ++attempt) {
            temp_ = "." + final_.substr(0, 200) + "." + std::to_string(random() % 1000000000u) + ".part";
            const int fd = ::openat(folder_, temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
            if (fd >= 0) {
                fd_.reset(fd);
                return true;
            }
            if (errno != EEXIST)
                break;
        }
        temp_.clear();
        return false;
    }
    bool createLink(const std::string& target)
    {
        static thread_local std::mt19937 random{std::random_device{}()};
        for (int attempt = 0; attempt < 16; ++attempt) {
            temp_ = "." + final_.substr(0, 200) + "." + std::to_string(random() % 1000000000u) + ".part";
            if (::symlinkat(target.c_str(), folder_, temp_.c_str()) == 0)
                return true;
            if (errno != EEXIST)
                break;
        }
        temp_.clear();
        return false;
    }
    int fd() const { return fd_.get(); }
    bool commit()
    {
        if (fd_ && ::close(fd_.release()) != 0)
            return false;
        if (::renameat(folder_, temp_.c_str(), folder_, final_.c_str()) != 0)
            return false;
        temp_.clear();
        return true;
    }
    void discard()
    {
        fd_.reset();
        if (!temp_.empty())
            ::unlinkat(folder_, temp_.c_str(), 0);
        temp_.clear();
    }

private:
    int folder_;
    std::string final_;
    std::string temp_;
    Fd fd_;
};

bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

struct EntryMeta {
    mode_t mode = 0;         // from a Unix-made archive; 0 when unknown
    bool readOnly = false;   // the DOS attribute
    time_t mtime = 0;
};

EntryMeta ReadMeta(zip_t* za, zip_uint64_t index, const zip_stat_t& st)
{
    EntryMeta meta;
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(za, index, 0, &opsys, &attributes) == 0) {
        if (opsys == ZIP_OPSYS_UNIX)
            meta.mode = mode_t(attributes >> 16);
        else
            meta.readOnly = (attributes & 0x01) != 0;
    }
    meta.mtime = (st.valid & ZIP_STAT_MTIME) ? st.mtime : 0;
    zip_uint16_t length = 0;
    const zip_uint8_t* ut = zip_file_extra_field_get_by_id(za, index, ExtendedTimestampId, 0, &length, ZIP_FL_CENTRAL);
    if (ut && length >= 5 && (ut[0] & 1)) {
        const int32_t t = int32_t(uint32_t(ut[1]) | (uint32_t(ut[2]) << 8) | (uint32_t(ut[3]) << 16) | (uint32_t(ut[4]) << 24));
        meta.mtime = time_t(t);
    }
    return meta;
}

mode_t CurrentUmask()
{
    // Read, not set: setting it, even for a moment, would change it for every thread.
    if (FILE* f = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, f))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(f);
        if (found)
            return mode_t(mask & 0777);
    }
    return 022;
}

// Opens (creating as needed) the folders of `parts[0..count)` below `root`.
Fd OpenFolders(int root, const EntryPath& path, size_t count)
{
    Fd current(::dup(root));
    for (size_t i = 0; i < count && current; ++i) {
        const char* part = path.parts[i].c_str();
        if (::mkdirat(current.get(), part, 0777) != 0 && errno != EEXIST)
            return Fd();
        current = Fd(::openat(current.get(), part, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    return current;
}

struct FolderToFinish {
    std::string path;
    EntryMeta meta;
};

class Extraction {
public:
    Extraction(zip_t* za, uint64_t archiveSize, const ExtractOptions& options, EngineReport& report, int dest)
        : za_(za), archiveSize_(archiveSize), options_(options), report_(report), dest_(dest),
          password_(options.password), umask_(CurrentUmask()), buffer_(ReadChunk)
    {
    }

    int run()
    {
        const zip_int64_t count = zip_get_num_entries(za_, 0);
        std::vector<zip_uint64_t> selected;
        int64_t files = 0;
        int64_t bytes = 0;
        for (zip_int64_t i = 0; i < count; ++i) {
            zip_stat_t st;
            if (zip_stat_index(za_, zip_uint64_t(i), 0, &st) != 0 || !st.name || !wanted(st.name))
                continue;
            selected.push_back(zip_uint64_t(i));
            const size_t len = std::strlen(st.name);
            if (len == 0 || (st.name[len - 1] != '/' && st.name[len - 1] != '\\')) {
                ++files;
                bytes += int64_t(std::min<zip_uint64_t>(st.size, INT64_MAX / 4));
            }
        }
        report_.fileCount(files);
        report_.totalBytes(bytes);
        for (const zip_uint64_t index : selected) {
            if (report_.stopped())
                break;
            entry(index);
        }
        finishFolders();
        report_.endBatch();
        return done_;
    }

private:
    bool wanted(const char* name) const
    {
        if (options_.patterns.empty())
            return true;
        return std::any_of(options_.patterns.begin(), options_.patterns.end(),
                           [name](const std::string& p) { return p == name || ::fnmatch(p.c_str(), name, 0) == 0; });
    }

    void skip(const std::string& name, int reason) { report_.skipped(name, reason); }

    bool throughCreatedLink(const EntryPath& path, size_t folders) const
    {
        for (size_t i = 1; i <= folders; ++i) {
            if (createdLinks_.count(path.joined(i)))
                return true;
        }
        return false;
    }

    void entry(zip_uint64_t index)
    {
        zip_stat_t st;
        if (zip_stat_index(za_, index, 0, &st) != 0)
            return;
        const std::string name = st.name;
        std::optional<EntryPath> safe = SafeEntryPath(name);
        if (!safe) {
            skip(name, ZIP_SKIP_UNSAFE_NAME);
            return;
        }
        EntryPath path = std::move(*safe);
        const EntryMeta meta = ReadMeta(za_, index, st);
        const bool isFolder = path.isFolder || S_ISDIR(meta.mode);
        const bool isLink = !isFolder && S_ISLNK(meta.mode);
        if (isFolder) {
            if (options_.withFolders && !options_.testOnly) {
                if (throughCreatedLink(path, path.parts.size())) {
                    skip(name, ZIP_SKIP_UNSAFE_NAME);
                    return;
                }
                if (OpenFolders(dest_, path, path.parts.size()))
                    folders_.push_back({path.joined(), meta});
                else
                    skip(name, ZIP_SKIP_WRITE_FAILED);
            }
            return;
        }
        if (!options_.withFolders)
            path.parts.erase(path.parts.begin(), path.parts.end() - 1);
        const size_t folders = path.parts.size() - 1;
        if (throughCreatedLink(path, folders)) {
            skip(name, ZIP_SKIP_UNSAFE_NAME);
            return;
        }
        if (!plausibleSize(st)) {
            skip(name, ZIP_SKIP_TOO_LARGE);
            return;
        }
        if (report_.beginFile(name, int64_t(std::min<zip_uint64_t>(st.size, INT64_MAX))))
            return;

        ZipFile file;
        if (!open(index, name, st, file))
            return;
        if (options_.testOnly) {
            if (readThrough(file, name, st, -1))
                ++done_;
            return;
        }
        if (isLink && st.size > MaxLinkTarget) {
            skip(name, ZIP_SKIP_DAMAGED);
            return;
        }

        Fd folder = OpenFolders(dest_, path, folders);
        if (!folder) {
            skip(name, ZIP_SKIP_WRITE_FAILED);
            return;
        }
        const std::string& last = path.parts.back();
        struct stat existing;
        if (::fstatat(folder.get(), last.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
            if (S_ISDIR(existing.st_mode)) {
                skip(name, ZIP_SKIP_WRITE_FAILED);
                return;
            }
            const bool older = existing.st_mtime < meta.mtime;
            const bool fallback = options_.replaceAll || (options_.replaceOlder && older);
            if (!report_.askOverwrite(name, older, fallback)) {
                if (!report_.stopped())
                    skip(name, ZIP_SKIP_BY_CHOICE);
                return;
            }
        }

        PendingFile out(folder.get(), last);
        if (isLink) {
            std::string target(size_t(st.size), '\0');
            if (zip_fread(file.f, target.data(), st.size) != zip_int64_t(st.size) || target.find('\0') != std::string::npos) {
                skip(name, ZIP_SKIP_DAMAGED);
                return;
            }
            if (!out.createLink(target) || !out.commit()) {
                skip(name, ZIP_SKIP_WRITE_FAILED);
                return;
            }
            createdLinks_.insert(path.joined());
            report_.progress(int64_t(st.size));
            ++done_;
            return;
        }
        if (!out.create()) {
            skip(name, ZIP_SKIP_WRITE_FAILED);
            return;
        }
        if (!readThrough(file, name, st, out.fd()))
            return;
        mode_t mode = meta.mode ? (meta.mode & 0777) : (0666 & ~umask_);
        if (!meta.mode && meta.readOnly)
            mode &= ~mode_t(0222);
        ::fchmod(out.fd(), mode);
        if (options_.keepTimes && meta.mtime) {
            const timespec times[2] = {{0, UTIME_NOW}, {meta.mtime, 0}};
            ::futimens(out.fd(), times);
        }
        if (!out.commit()) {
            skip(name, ZIP_SKIP_WRITE_FAILED);
            return;
        }
        // An entry of the same name written before is no longer a link.
        createdLinks_.erase(path.joined());
        ++done_;
    }

    // Sizes the archive cannot hold or the disk cannot take.
    bool plausibleSize(const zip_stat_t& st)
    {
        if (!(st.valid & ZIP_STAT_SIZE) || !(st.valid & ZIP_STAT_COMP_SIZE))
            return false;
        compressedSoFar_ += st.comp_size;
        // Entries whose data overlap claim more than the file holds.
        if (st.comp_size > archiveSize_ || compressedSoFar_ > archiveSize_)
            return false;
        const uint16_t method = (st.valid & ZIP_STAT_COMP_METHOD) ? st.comp_method : ZIP_CM_STORE;
        if (method == ZIP_CM_DEFLATE && st.size / MaxDeflateRatio > st.comp_size + 1)
            return false;
        if (method == ZIP_CM_STORE && st.size > st.comp_size)
            return false;
        if (!options_.testOnly) {
            struct statvfs fs;
            if (::fstatvfs(dest_, &fs) == 0 && st.size > uint64_t(fs.f_bavail) * fs.f_frsize)
                return false;
        }
        return true;
    }

    bool open(zip_uint64_t index, const std::string& name, const zip_stat_t& st, ZipFile& file)
    {
        const bool encrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
        if (!encrypted) {
            file.f = zip_fopen_index(za_, index, 0);
            if (!file.f)
                skip(name, ZIP_SKIP_DAMAGED);
            return file.f != nullptr;
        }
        int tries = 3;
        bool wrong = false;
        std::string password = password_;
        for (;;) {
            if (!password.empty()) {
                file.f = zip_fopen_index_encrypted(za_, index, 0, password.c_str());
                if (file.f) {
                    password_ = password;
                    return true;
                }
                if (zip_error_code_zip(zip_get_error(za_)) != ZIP_ER_WRONGPASSWD) {
                    skip(name, ZIP_SKIP_DAMAGED);
                    return false;
                }
                wrong = true;
            }
            password = report_.askPassword(name, tries);
            if (password.empty()) {
                if (!report_.stopped())
                    skip(name, wrong ? ZIP_SKIP_DAMAGED : ZIP_SKIP_BY_CHOICE);
                return false;
            }
        }
    }

    // Reads the entry to its end, writing to `fd` unless it is -1. False (with the entry
    // reported as skipped) when it is not to be kept.
    bool readThrough(ZipFile& file, const std::string& name, const zip_stat_t& st, int fd)
    {
        uint64_t total = 0;
        int64_t unreported = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(file.f, buffer_.data(), buffer_.size());
            if (n == 0)
                break;
            if (n < 0) {
                const int error = zip_error_code_zip(zip_file_get_error(file.f));
                report_.progress(unreported);
                if (error == ZIP_ER_CRC && total == st.size) {
                    if (report_.askKeepDamaged(name))
                        return true;
                    if (!report_.stopped())
                        skip(name, ZIP_SKIP_DAMAGED);
                    return false;
                }
                skip(name, ZIP_SKIP_DAMAGED);
                return false;
            }
            total += uint64_t(n);
            if (total > st.size) {
                skip(name, ZIP_SKIP_TOO_LARGE);
                return false;
            }
            if (fd >= 0 && !WriteAll(fd, buffer_.data(), size_t(n))) {
                skip(name, ZIP_SKIP_WRITE_FAILED);
                return false;
            }
            unreported += n;
            if (unreported >= ReportEvery) {
                if (report_.progress(unreported))
                    return false;
                unreported = 0;
            }
        }
        report_.progress(unreported);
        if (total != st.size) {
            skip(name, ZIP_SKIP_DAMAGED);
            return false;
        }
        return !report_.stopped();
    }

    // Folders get their own times and permissions last: writing into them changed both.
    void finishFolders()
    {
        std::sort(folders_.begin(), folders_.end(),
                  [](const FolderToFinish& a, const FolderToFinish& b) { return a.path.size() > b.path.size(); });
        for (const FolderToFinish& f : folders_) {
            if (f.meta.mode)
                ::fchmodat(dest_, f.path.c_str(), f.meta.mode & 0777, 0);
            if (options_.keepTimes && f.meta.mtime) {
                const timespec times[2] = {{0, UTIME_NOW}, {f.meta.mtime, 0}};
                ::utimensat(dest_, f.path.c_str(), times, AT_SYMLINK_NOFOLLOW);
            }
        }
    }

    zip_t* za_;
    uint64_t archiveSize_;
    const ExtractOptions& options_;
    EngineReport& report_;
    int dest_;
    std::string password_;
    mode_t umask_;
    std::vector<char> buffer_;
    std::set<std::string> createdLinks_;
    std::vector<FolderToFinish> folders_;
    uint64_t compressedSoFar_ = 0;
    int done_ = 0;
};

} // namespace

int ExtractArchive(zip_t* archive, uint64_t archiveSize, const ExtractOptions& options, EngineReport& report,
                   int destFolder)
{
    return Extraction(archive, archiveSize, options, report, destFolder).run();
}

} // namespace parvo::engine
