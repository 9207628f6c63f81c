#pragma once
// Which names in an archive may be written, and where: an entry names a place inside
// the destination folder or it is not written at all.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parvo::engine {

struct EntryPath {
    std::vector<std::string> parts; // folders to pass through, then the entry's own name
    bool isFolder = false;

    std::string joined(size_t count) const; // the first `count` parts, joined with "/"
    std::string joined() const { return joined(parts.size()); }
};

// The entry's place below the destination folder, or nothing when the name must not be
// written: absolute names (also with a drive letter), names with a ".." part, names with
// NUL or other control characters, empty names, and parts longer than a file name may
// be. A "\" counts as a folder separator, as archives made on Windows use it; "." parts
// and doubled separators fall away.
std::optional<EntryPath> SafeEntryPath(std::string_view name);

} // namespace parvo::engine
