#include "FileGathering.h"

#include <dirent.h>
#include <glob.h>
#include <unistd.h>

#include <set>

namespace parvo::engine {

namespace {

class Gatherer {
public:
    Gatherer(const GatherOptions& options, EngineReport& report) : options_(options), report_(report) {}

    void spec(const std::string& spec)
    {
        struct stat st;
        if (::lstat(spec.c_str(), &st) != 0) {
            if (spec.find_first_of("*?[") != std::string::npos) {
                glob_t found{};
                if (::glob(spec.c_str(), GLOB_NOSORT, nullptr, &found) == 0) {
                    for (size_t i = 0; i < found.gl_pathc; ++i)
                        path(found.gl_pathv[i]);
                    ::globfree(&found);
                    return;
                }
                ::globfree(&found);
            }
            report_.skipped(spec, ZIP_SKIP_UNREADABLE);
            return;
        }
        path(spec);
    }

    std::vector<AddItem> items;

private:
    void path(const std::string& p)
    {
        struct stat st;
        if (::lstat(p.c_str(), &st) != 0) {
            report_.skipped(p, ZIP_SKIP_UNREADABLE);
            return;
        }
        add(p, st);
        if (S_ISDIR(st.st_mode) && options_.recurse)
            walk(p);
    }

    void add(const std::string& p, const struct stat& st)
    {
        if (st.st_dev == options_.archiveDevice && st.st_ino == options_.archiveInode)
            return;
        AddItem item;
        item.path = p;
        item.st = st;
        if (S_ISDIR(st.st_mode)) {
            if (!options_.folderEntries || options_.junkPaths)
                return;
            item.kind = AddItem::Kind::Folder;
        } else if (S_ISLNK(st.st_mode)) {
            item.kind = AddItem::Kind::Link;
        } else if (!S_ISREG(st.st_mode)) {
            report_.skipped(p, ZIP_SKIP_UNREADABLE); // devices, pipes and sockets hold no file
            return;
        }
        item.name = StoredName(p, options_);
        if (item.name.empty())
            return;
        if (item.kind == AddItem::Kind::Folder)
            item.name += '/';
        if (!names_.insert(item.name).second) {
            report_.skipped(p, ZIP_SKIP_UNSAFE_NAME); // a second entry of the same name
            return;
        }
        items.push_back(std::move(item));
    }

    void walk(const std::string& folder)
    {
        if (report_.poll())
            return;
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) {
            report_.skipped(folder, ZIP_SKIP_UNREADABLE);
            return;
        }
        const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + '/';
        std::vector<std::string> subfolders;
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name == "." || name == "..")
                continue;
            if (name[0] == '.' && !options_.hiddenFiles)
                continue;
            const std::string p = prefix + name;
            struct stat st;
            if (::lstat(p.c_str(), &st) != 0) {
                report_.skipped(p, ZIP_SKIP_UNREADABLE);
                continue;
            }
            add(p, st);
            // Folders are entered right after their own entry, as listed.
            if (S_ISDIR(st.st_mode))
                walk(p);
        }
        ::closedir(dir);
    }

    const GatherOptions& options_;
    EngineReport& report_;
    std::set<std::string> names_;
};

} // namespace

std::string StoredName(const std::string& path, const GatherOptions& options)
{
    std::string rest = path;
    const std::string& base = options.baseFolder;
    if (!base.empty() && path.size() > base.size() && path.compare(0, base.size(), base) == 0
        && (base.back() == '/' || path[base.size()] == '/'))
        rest = path.substr(base.size());
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find('/', start);
        if (end == std::string::npos)
            end = rest.size();
        const std::string part = rest.substr(start, end - start);
        if (!part.empty() && part != "." && part != "..")
            parts.push_back(part);
        start = end + 1;
    }
    if (parts.empty())
        return {};
    if (options.junkPaths)
        return parts.back();
    std::string name;
    for (const std::string& p : parts) {
        if (!name.empty())
            name += '/';
        name += p;
    }
    return name;
}

std::vector<AddItem> GatherItems(const std::vector<std::string>& specs, const GatherOptions& options,
                                 EngineReport& report)
{
    Gatherer g(options, report);
    for (const std::string& s : specs) {
        if (report.stopped())
            break;
        g.spec(s);
    }
    return std::move(g.items);
}

} // namespace parvo::engine
