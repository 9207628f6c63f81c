#pragma once
// What libzip writes but cannot be told: the version of the making software, the text
// flag of each entry and the deflate level in its flags. These are fixed in the finished
// archive, before it replaces the old one, so that other tools list it as they list an
// archive of the common command-line zip.

#include <map>
#include <string>

namespace parvo::engine {

struct EntryFix {
    bool text = false;
    int level = 0; // deflate level the entry was packed with (its method tells whether)
};

// Fixes the entries named in `fixes` in the archive open as `fd`. False when the archive
// cannot be read back as libzip wrote it.
bool PatchHeaders(int fd, const std::map<std::string, EntryFix>& fixes);

// The general-purpose flag bits 1 and 2 for a deflate level.
unsigned LevelFlags(int level);

} // namespace parvo::engine
