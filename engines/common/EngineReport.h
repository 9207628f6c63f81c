#pragma once
// The engines' side of the callback protocol: every report and question goes through
// here, and once the caller has asked to stop, every further call says so at once.

#include "../ZipEngineRecords.h"

#include <cstdint>
#include <string>

namespace parvo::engine {

class EngineReport {
public:
    EngineReport(ZipEngineCallback callback, void* caller)
        : callback_(callback), caller_(caller) {}

    bool hasCaller() const { return callback_ != nullptr; }
    // Each report returns true when the caller wants the engine to stop.
    bool stopped() const { return stopped_; }
    bool poll() { return send(ZIP_ACTION_NONE); }
    bool beginFile(const std::string& name, int64_t size) { return send(ZIP_ACTION_BEGIN_FILE, 0, size, name); }
    bool progress(int64_t bytes) { return bytes > 0 ? send(ZIP_ACTION_PROGRESS, 0, bytes) : stopped_; }
    bool fileCount(int64_t files) { return send(ZIP_ACTION_FILE_COUNT, 0, files); }
    bool totalBytes(int64_t bytes) { return send(ZIP_ACTION_TOTAL_BYTES, 0, bytes); }
    bool message(const std::string& text, int error) { return send(ZIP_ACTION_MESSAGE, error, 0, text); }
    bool skipped(const std::string& name, int reason) { return send(ZIP_ACTION_SKIPPED, reason, 0, name); }
    bool endBatch() { return send(ZIP_ACTION_END_BATCH); }

    // Whether the existing file `name` is to be replaced; `fallback` when nobody answers.
    bool askOverwrite(const std::string& name, bool existingIsOlder, bool fallback);
    // A password for `name`; `triesLeft` counts down with each answer (3 the first time).
    // Empty when none was given.
    std::string askPassword(const std::string& name, int& triesLeft);
    // Whether an entry whose CRC does not match is to be kept.
    bool askKeepDamaged(const std::string& name);

private:
    bool send(int action, int error = 0, int64_t size = 0, const std::string& text = {});
    bool send(CallbackRecord& record);

    ZipEngineCallback callback_;
    void* caller_;
    bool stopped_ = false;
};

} // namespace parvo::engine
