#pragma once
// Deflating the files of an archive on every core while they are written in order.
//
// A reader thread cuts each file into blocks and queues them; worker threads deflate the
// blocks, each block primed with the 32 KiB before it so that nothing is lost at the
// seams, and ending on a byte boundary so that the pieces of a file join into one
// deflate stream. The writer takes the blocks of each file in order as they are done.
// Memory stays bounded: the reader waits while too much is in flight.

#include <zlib.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace parvo::engine {

struct PipelineInput {
    std::string path;        // a regular file to read ...
    std::string linkTarget;  // ... or, for a link, the text stored
    bool isLink = false;
};

class DeflatePipeline {
public:
    struct Block {
        std::vector<unsigned char> raw;
        std::vector<unsigned char> out;
        uLong crc = 0;
        int dataType = Z_UNKNOWN;
        bool last = false;
        bool done = false;
    };

    // What the writer learns about one file.
    class Entry {
    public:
        // Waits for the first block: whether the file is stored rather than deflated
        // (deflating does not make it smaller), and whether it looks like text.
        bool stored();
        bool text();
        // The next piece of the file's data, in order, or null at its end. Blocks that
        // have been taken are released.
        const std::vector<unsigned char>* next();
        // After the end: the file as read.
        uint64_t size() const { return size_; }
        uint64_t compressedSize() const { return compressedSize_; }
        uLong crc() const { return crc_; }
        bool readFailed();

    private:
        friend class DeflatePipeline;
        void waitFirst();
        DeflatePipeline* owner_ = nullptr;
        std::deque<std::shared_ptr<Block>> blocks_; // guarded by the pipeline's mutex
        bool allQueued_ = false;
        bool readError_ = false;
        bool decided_ = false;
        bool stored_ = false;
        bool text_ = false;
        std::shared_ptr<Block> current_;
        uint64_t size_ = 0;
        uint64_t compressedSize_ = 0;
        uLong crc_ = 0;
    };

    // `level` 0 stores everything. `threads` deflating threads (at least 1).
    DeflatePipeline(std::vector<PipelineInput> inputs, int level, unsigned threads);
    ~DeflatePipeline();
    DeflatePipeline(const DeflatePipeline&) = delete;
    DeflatePipeline& operator=(const DeflatePipeline&) = delete;

    // The writer's view of input `i`; inputs must be taken in order.
    Entry& entry(size_t i) { return *entries_[i]; }
    // Stops reading and deflating; the writer must take nothing more.
    void abort();

    static constexpr size_t BlockSize = 1 << 20;
    static constexpr size_t Window = 32 * 1024;
    static constexpr size_t StoreLimit = 32776;

private:
    void readAll();
    void work();
    void deflateBlock(z_stream& zs, Block& b, const unsigned char* dict, size_t dictSize) const;
    void release(const Block& b);

    struct Job {
        std::shared_ptr<Block> block;
        std::vector<unsigned char> dict;
    };

    std::vector<PipelineInput> inputs_;
    std::vector<std::unique_ptr<Entry>> entries_;
    int level_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    size_t inFlight_ = 0;           // bytes read and not yet taken by the writer
    size_t maxInFlight_;
    bool aborted_ = false;
    bool readerDone_ = false;
    std::thread reader_;
    std::vector<std::thread> workers_;
};

} // namespace parvo::engine
