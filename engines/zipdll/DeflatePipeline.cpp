#include "DeflatePipeline.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace parvo::engine {

namespace {

// Per block outside its data: the writer may not run this far behind the reader.
constexpr size_t BlockOverhead = 4096;

bool ReadFull(int fd, unsigned char* into, size_t want, size_t& got)
{
    got = 0;
    while (got < want) {
        const ssize_t n = ::read(fd, into + got, want - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            break;
        got += size_t(n);
    }
    return true;
}

} // namespace

DeflatePipeline::DeflatePipeline(std::vector<PipelineInput> inputs, int level, unsigned threads)
    : inputs_(std::move(inputs)), level_(std::clamp(level, 0, 9))
{
    threads = std::max(1u, threads);
    // Enough blocks in flight to keep every thread busy while the writer takes one.
    maxInFlight_ = (2 * threads + 2) * (BlockSize + BlockOverhead);
    entries_.reserve(inputs_.size());
    for (size_t i = 0; i < inputs_.size(); ++i) {
        entries_.push_back(std::make_unique<Entry>());
        entries_.back()->owner_ = this;
    }
    for (unsigned t = 0; t < threads; ++t)
        workers_.emplace_back([this] { work(); });
    reader_ = std::thread([this] { readAll(); });
}

DeflatePipeline::~DeflatePipeline()
{
    abort();
    reader_.join();
    for (std::thread& t : workers_)
        t.join();
}

void DeflatePipeline::abort()
{
    std::lock_guard lock(mutex_);
    aborted_ = true;
    changed_.notify_all();
}

void DeflatePipeline::readAll()
{
    std::vector<unsigned char> previousTail;
    for (size_t i = 0; i < inputs_.size(); ++i) {
        const PipelineInput& in = inputs_[i];
        Entry& e = *entries_[i];
        previousTail.clear();
        int fd = -1;
        if (!in.isLink) {
            fd = ::open(in.path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
            if (fd < 0) {
                std::lock_guard lock(mutex_);
                e.readError_ = true;
                e.allQueued_ = true;
                changed_.notify_all();
                continue;
            }
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        }
        for (;;) {
            auto block = std::make_shared<Block>();
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return aborted_ || inFlight_ < maxInFlight_; });
                if (aborted_) {
                    if (fd >= 0)
                        ::close(fd);
                    readerDone_ = true;
                    return;
                }
            }
            bool ok = true;
            size_t got = 0;
            if (in.isLink) {
                block->raw.assign(in.linkTarget.begin(), in.linkTarget.end());
                got = block->raw.size();
                block->last = true;
            } else {
                block->raw.resize(BlockSize);
                ok = ReadFull(fd, block->raw.data(), BlockSize, got);
                block->raw.resize(got);
                block->raw.shrink_to_fit();
                // A short block is the last one; a full one may be followed by nothing,
                // which the next read tells.
                block->last = !ok || got < BlockSize;
            }
            Job job;
            job.block = block;
            job.dict = previousTail;
            if (!block->last) {
                const size_t tail = std::min(Window, got);
                previousTail.assign(block->raw.end() - long(tail), block->raw.end());
            }
            // A file ending exactly at a block boundary ends with an empty last block.
            const bool endOfFile = block->last;
            {
                std::lock_guard lock(mutex_);
                inFlight_ += block->raw.size() + BlockOverhead;
                e.blocks_.push_back(block);
                jobs_.push_back(std::move(job));
                if (endOfFile) {
                    e.allQueued_ = true;
                    e.readError_ = !ok;
                }
                changed_.notify_all();
            }
            if (endOfFile)
                break;
        }
        if (fd >= 0)
            ::close(fd);
    }
    std::lock_guard lock(mutex_);
    readerDone_ = true;
    changed_.notify_all();
}

void DeflatePipeline::deflateBlock(z_stream& zs, Block& b, const unsigned char* dict, size_t dictSize) const
{
    b.crc = crc32(0L, b.raw.data(), uInt(b.raw.size()));
    if (level_ == 0)
        return;
    deflateReset(&zs);
    if (dictSize)
        deflateSetDictionary(&zs, dict, uInt(dictSize));
    b.out.resize(deflateBound(&zs, uLong(b.raw.size())) + 64);
    zs.next_in = const_cast<unsigned char*>(b.raw.data());
    zs.avail_in = uInt(b.raw.size());
    size_t produced = 0;
    const int flush = b.last ? Z_FINISH : Z_SYNC_FLUSH;
    for (;;) {
        zs.next_out = b.out.data() + produced;
        zs.avail_out = uInt(b.out.size() - produced);
        const int rc = deflate(&zs, flush);
        produced = b.out.size() - zs.avail_out;
        if (rc == Z_STREAM_END || (flush == Z_SYNC_FLUSH && zs.avail_in == 0 && zs.avail_out > 0))
            break;
        b.out.resize(b.out.size() * 2);
    }
    b.out.resize(produced);
    b.dataType = zs.data_type;
}

void DeflatePipeline::work()
{
    z_stream zs{};
    // One deflate state per thread, reset for every block: allocating one per file costs
    // more than the deflating of a small file.
    const bool ready = deflateInit2(&zs, std::max(level_, 1), Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return aborted_ || !jobs_.empty() || readerDone_; });
            if (aborted_ || (jobs_.empty() && readerDone_))
                break;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        Block& b = *job.block;
        if (ready)
            deflateBlock(zs, b, job.dict.data(), job.dict.size());
        else
            b.crc = crc32(0L, b.raw.data(), uInt(b.raw.size()));
        std::lock_guard lock(mutex_);
        if (!ready)
            b.out.clear();
        b.done = true;
        changed_.notify_all();
    }
    if (ready)
        deflateEnd(&zs);
}

void DeflatePipeline::release(const Block& b)
{
    std::lock_guard lock(mutex_);
    inFlight_ -= b.raw.size() + BlockOverhead;
    changed_.notify_all();
}

void DeflatePipeline::Entry::waitFirst()
{
    if (decided_)
        return;
    DeflatePipeline& p = *owner_;
    std::unique_lock lock(p.mutex_);
    p.changed_.wait(lock, [&] {
        return p.aborted_ || (allQueued_ && blocks_.empty()) || (!blocks_.empty() && blocks_.front()->done);
    });
    decided_ = true;
    if (blocks_.empty() || !blocks_.front()->done) {
        stored_ = true;
        return;
    }
    const Block& b = *blocks_.front();
    // Small files that deflating does not shrink are stored; larger ones stay deflated
    // even then (a few bytes per block), as the common command-line zip has them.
    stored_ = p.level_ == 0 || b.raw.empty() || b.out.empty()
        || (b.last && b.raw.size() <= StoreLimit && b.out.size() >= b.raw.size());
    text_ = b.dataType == Z_TEXT;
}

bool DeflatePipeline::Entry::stored()
{
    waitFirst();
    return stored_;
}

bool DeflatePipeline::Entry::text()
{
    waitFirst();
    return text_;
}

bool DeflatePipeline::Entry::readFailed()
{
    std::lock_guard lock(owner_->mutex_);
    return readError_;
}

const std::vector<unsigned char>* DeflatePipeline::Entry::next()
{
    waitFirst();
    DeflatePipeline& p = *owner_;
    if (current_) {
        p.release(*current_);
        current_.reset();
    }
    {
        std::unique_lock lock(p.mutex_);
        p.changed_.wait(lock, [&] {
            return p.aborted_ || (allQueued_ && blocks_.empty()) || (!blocks_.empty() && blocks_.front()->done);
        });
        if (p.aborted_ || blocks_.empty())
            return nullptr;
        current_ = blocks_.front();
        blocks_.pop_front();
    }
    const Block& b = *current_;
    crc_ = crc32_combine(crc_, b.crc, z_off_t(b.raw.size()));
    size_ += b.raw.size();
    const std::vector<unsigned char>& data = stored_ ? b.raw : b.out;
    compressedSize_ += data.size();
    return &data;
}

} // namespace parvo::engine
