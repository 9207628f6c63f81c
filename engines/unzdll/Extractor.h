#pragma once
// Extracting an opened archive into a folder, entry by entry, as the wrapper asked:
// every file is written under a temporary name and renamed into place once complete,
// so no half-written file is ever left under its real name.

#include "../common/EngineReport.h"

#include <zip.h>

#include <cstdint>
#include <string>
#include <vector>

namespace parvo::engine {

struct ExtractOptions {
    bool testOnly = false;      // read and check every entry, write nothing
    bool keepTimes = true;
    bool replaceOlder = false;  // what to do with existing files when nobody is asked
    bool replaceAll = false;
    bool withFolders = true;
    std::string password;       // tried first on encrypted entries
    std::vector<std::string> patterns; // entries to extract; empty: all
};

// The deflate format cannot shrink data by more than this; a larger claim is a lie.
inline constexpr uint64_t MaxDeflateRatio = 1032;

// Extracts the selected entries of `archive` (whose file holds `archiveSize` bytes) into
// the folder open as `destFolder`. Returns the number of files written (or checked).
int ExtractArchive(zip_t* archive, uint64_t archiveSize, const ExtractOptions& options, EngineReport& report,
                   int destFolder);

} // namespace parvo::engine
