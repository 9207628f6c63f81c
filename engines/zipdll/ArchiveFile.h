#pragma once
// The archive file as libzip reads and writes it: the old archive is read in place, the
// new one is written to a hidden temporary file beside it, and only a complete, flushed
// archive replaces the old one. A cancelled or failed write leaves nothing behind.

#include <zip.h>

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace parvo::engine {

class ArchiveFile {
public:
    explicit ArchiveFile(std::string path);
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    // A libzip source over this file; libzip frees it with the archive.
    zip_source_t* source(zip_error_t* error);

    // Runs on the complete new archive, open as `fd`, before it replaces the old one;
    // false abandons the write.
    std::function<bool(int fd)> beforeCommit;
    bool committed() const { return committed_; }

private:
    static zip_int64_t Callback(void* self, void* data, zip_uint64_t length, zip_source_cmd_t command);
    zip_int64_t handle(void* data, zip_uint64_t length, zip_source_cmd_t command);
    zip_int64_t fail(int zipError, int systemError = 0);
    bool flush();
    zip_int64_t beginWrite();
    zip_int64_t commitWrite();
    void dropTemp();

    std::string path_;
    int readFd_ = -1;
    int writeFd_ = -1;
    std::string temp_;
    std::vector<unsigned char> buffer_;
    off_t written_ = 0; // bytes handed to the file, before the buffer
    zip_error_t error_;
    bool committed_ = false;
};

} // namespace parvo::engine
