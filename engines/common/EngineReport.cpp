#include "EngineReport.h"

#include <algorithm>
#include <cstring>

namespace parvo::engine {

namespace {

void SetText(CallbackRecord& r, const std::string& text)
{
    const size_t n = std::min(text.size(), sizeof r.Text - 1);
    std::memcpy(r.Text, text.data(), n);
    r.Text[n] = '\0';
}

} // namespace

bool EngineReport::send(CallbackRecord& r)
{
    if (stopped_)
        return true;
    if (!callback_)
        return false;
    r.Caller = caller_;
    if (callback_(&r) != ZIP_FALSE)
        stopped_ = true;
    return stopped_;
}

bool EngineReport::send(int action, int error, int64_t size, const std::string& text)
{
    CallbackRecord r{};
    r.ActionCode = action;
    r.ErrorCode = error;
    r.Size = size;
    SetText(r, text);
    return send(r);
}

bool EngineReport::askOverwrite(const std::string& name, bool existingIsOlder, bool fallback)
{
    if (!callback_)
        return fallback;
    CallbackRecord r{};
    r.ActionCode = ZIP_ACTION_OVERWRITE;
    r.ErrorCode = existingIsOlder ? 1 : 0;
    SetText(r, name);
    if (send(r))
        return false;
    return r.Size == 1;
}

std::string EngineReport::askPassword(const std::string& name, int& triesLeft)
{
    if (!callback_ || triesLeft <= 0)
        return {};
    CallbackRecord r{};
    r.ActionCode = ZIP_ACTION_PASSWORD;
    r.Size = triesLeft;
    SetText(r, name);
    if (send(r) || r.ErrorCode != 1) {
        triesLeft = 0;
        return {};
    }
    triesLeft = int(r.Size);
    r.Text[sizeof r.Text - 1] = '\0';
    return std::string(r.Text);
}

bool EngineReport::askKeepDamaged(const std::string& name)
{
    if (!callback_)
        return false;
    CallbackRecord r{};
    r.ActionCode = ZIP_ACTION_CRC_ERROR;
    SetText(r, name);
    if (send(r))
        return false;
    return r.ErrorCode == 1;
}

} // namespace parvo::engine
