#pragma once
// What is to go into the archive, in order: the files and folders the caller named, the
// folders walked when asked (in the order the file system lists them), each with the
// name it is stored under.

#include "../common/EngineReport.h"

#include <sys/stat.h>

#include <string>
#include <vector>

namespace parvo::engine {

struct AddItem {
    enum class Kind { File, Folder, Link };
    std::string path; // as it can be opened
    std::string name; // as it is stored; folders end in "/"
    Kind kind = Kind::File;
    struct stat st {};
};

struct GatherOptions {
    bool recurse = false;
    bool folderEntries = true;
    bool junkPaths = false;
    bool hiddenFiles = false;
    std::string baseFolder;       // names of paths below it are stored relative to it
    dev_t archiveDevice = 0;      // the archive itself is never added to itself
    ino_t archiveInode = 0;
};

// The stored name of `path`: relative to the base folder when below it, else without
// its leading "/"; "." and ".." parts dropped; the bare name when paths are junked.
std::string StoredName(const std::string& path, const GatherOptions& options);

// Expands the specs (paths, or patterns with * ? [ ]); what cannot be read is reported
// as skipped. Stops early when the caller asks to.
std::vector<AddItem> GatherItems(const std::vector<std::string>& specs, const GatherOptions& options,
                                 EngineReport& report);

} // namespace parvo::engine
