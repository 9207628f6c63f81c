#include "ArchiveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace parvo::engine {

namespace {

constexpr size_t WriteBuffer = 1 << 20;

bool WriteAll(int fd, const unsigned char* data, size_t size)
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

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

mode_t NewFileMode()
{
    mode_t mask = 022;
    if (FILE* f = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned m = 0;
        while (std::fgets(line, sizeof line, f)) {
            if (std::sscanf(line, "Umask: %o", &m) == 1) {
                mask = mode_t(m);
                break;
            }
        }
        std::fclose(f);
    }
    return 0666 & ~mask;
}

} // namespace

ArchiveFile::ArchiveFile(std::string path)
    : path_(std::move(path))
{
    zip_error_init(&error_);
}

ArchiveFile::~ArchiveFile()
{
    if (readFd_ >= 0)
        ::close(readFd_);
    dropTemp();
    zip_error_fini(&error_);
}

zip_source_t* ArchiveFile::source(zip_error_t* error)
{
    return zip_source_function_create(&ArchiveFile::Callback, this, error);
}

zip_int64_t ArchiveFile::Callback(void* self, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    return static_cast<ArchiveFile*>(self)->handle(data, length, command);
}

zip_int64_t ArchiveFile::fail(int zipError, int systemError)
{
    zip_error_set(&error_, zipError, systemError);
    return -1;
}

void ArchiveFile::dropTemp()
{
    if (writeFd_ >= 0)
        ::close(writeFd_);
    writeFd_ = -1;
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    temp_.clear();
    buffer_.clear();
}

bool ArchiveFile::flush()
{
    if (buffer_.empty())
        return true;
    if (!WriteAll(writeFd_, buffer_.data(), buffer_.size()))
        return false;
    written_ += off_t(buffer_.size());
    buffer_.clear();
    return true;
}

zip_int64_t ArchiveFile::beginWrite()
{
    const std::string folder = FolderOf(path_);
    const size_t slash = path_.rfind('/');
    const std::string base = slash == std::string::npos ? path_ : path_.substr(slash + 1);
    std::string pattern = folder + "/." + base + ".XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(ZIP_ER_TMPOPEN, errno);
    writeFd_ = fd;
    temp_ = pattern;
    written_ = 0;
    buffer_.clear();
    buffer_.reserve(WriteBuffer);
    return 0;
}

zip_int64_t ArchiveFile::commitWrite()
{
    if (!flush())
        return fail(ZIP_ER_WRITE, errno);
    if (beforeCommit && !beforeCommit(writeFd_))
        return fail(ZIP_ER_WRITE, EIO);
    struct stat old;
    const mode_t mode = ::stat(path_.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
    ::fchmod(writeFd_, mode);
    // The new archive is on the disk before it takes the old one's place.
    if (::fsync(writeFd_) != 0)
        return fail(ZIP_ER_WRITE, errno);
    ::close(writeFd_);
    writeFd_ = -1;
    if (::rename(temp_.c_str(), path_.c_str()) != 0) {
        const int e = errno;
        dropTemp();
        return fail(ZIP_ER_RENAME, e);
    }
    temp_.clear();
    const int dir = ::open(FolderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    committed_ = true;
    return 0;
}

zip_int64_t ArchiveFile::handle(void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    switch (command) {
    case ZIP_SOURCE_OPEN:
        if (readFd_ < 0)
            readFd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        if (readFd_ < 0)
            return fail(ZIP_ER_OPEN, errno);
        ::lseek(readFd_, 0, SEEK_SET);
        return 0;
    case ZIP_SOURCE_READ: {
        const ssize_t n = ::read(readFd_, data, length);
        return n < 0 ? fail(ZIP_ER_READ, errno) : n;
    }
    case ZIP_SOURCE_CLOSE:
        if (readFd_ >= 0)
            ::close(readFd_);
        readFd_ = -1;
        return 0;
    case ZIP_SOURCE_SEEK: {
        const off_t current = ::lseek(readFd_, 0, SEEK_CUR);
        const off_t end = ::lseek(readFd_, 0, SEEK_END);
        const zip_int64_t to = zip_source_seek_compute_offset(zip_uint64_t(current), zip_uint64_t(end), data, length, &error_);
        if (to < 0)
            return -1;
        if (::lseek(readFd_, off_t(to), SEEK_SET) < 0)
            return fail(ZIP_ER_SEEK, errno);
        return 0;
    }
    case ZIP_SOURCE_TELL: {
        const off_t at = ::lseek(readFd_, 0, SEEK_CUR);
        return at < 0 ? fail(ZIP_ER_TELL, errno) : zip_int64_t(at);
    }
    case ZIP_SOURCE_STAT: {
        struct stat st;
        if (::stat(path_.c_str(), &st) != 0)
            return fail(ZIP_ER_READ, errno); // a missing archive is a new, empty one
        auto* zs = static_cast<zip_stat_t*>(data);
        zip_stat_init(zs);
        zs->valid = ZIP_STAT_SIZE | ZIP_STAT_MTIME;
        zs->size = zip_uint64_t(st.st_size);
        zs->mtime = st.st_mtime;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_BEGIN_WRITE:
        return beginWrite();
    case ZIP_SOURCE_WRITE: {
        const auto* bytes = static_cast<const unsigned char*>(data);
        if (buffer_.size() + length > WriteBuffer && !flush())
            return fail(ZIP_ER_WRITE, errno);
        if (length >= WriteBuffer) {
            if (!WriteAll(writeFd_, bytes, length))
                return fail(ZIP_ER_WRITE, errno);
            written_ += off_t(length);
        } else {
            buffer_.insert(buffer_.end(), bytes, bytes + length);
        }
        return zip_int64_t(length);
    }
    case ZIP_SOURCE_SEEK_WRITE: {
        if (!flush())
            return fail(ZIP_ER_WRITE, errno);
        const off_t end = ::lseek(writeFd_, 0, SEEK_END);
        const zip_int64_t to = zip_source_seek_compute_offset(zip_uint64_t(written_), zip_uint64_t(end), data, length, &error_);
        if (to < 0)
            return -1;
        if (::lseek(writeFd_, off_t(to), SEEK_SET) < 0)
            return fail(ZIP_ER_SEEK, errno);
        written_ = off_t(to);
        return 0;
    }
    case ZIP_SOURCE_TELL_WRITE:
        return zip_int64_t(written_) + zip_int64_t(buffer_.size());
    case ZIP_SOURCE_COMMIT_WRITE:
        return commitWrite();
    case ZIP_SOURCE_ROLLBACK_WRITE:
        dropTemp();
        return 0;
    case ZIP_SOURCE_REMOVE:
        if (::unlink(path_.c_str()) != 0 && errno != ENOENT)
            return fail(ZIP_ER_REMOVE, errno);
        return 0;
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&error_, data, length);
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                                              ZIP_SOURCE_SUPPORTS, ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_COMMIT_WRITE,
                                              ZIP_SOURCE_ROLLBACK_WRITE, ZIP_SOURCE_WRITE, ZIP_SOURCE_SEEK_WRITE,
                                              ZIP_SOURCE_TELL_WRITE, ZIP_SOURCE_REMOVE, -1);
    default:
        return fail(ZIP_ER_OPNOTSUPP);
    }
}

} // namespace parvo::engine
