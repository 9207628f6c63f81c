// "ZipDll.dll": the adding engine. It adds the files named in the record to the archive,
// creating it when needed, deflating on every core; the archive is replaced only once
// the new one is complete.

#include "../ZipEngineRecords.h"
#include "../common/EngineReport.h"
#include "ArchiveFile.h"
#include "DeflatePipeline.h"
#include "FileGathering.h"
#include "HeaderPatch.h"

#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <climits>
#include <cstring>
#include <map>
#include <memory>
#include <thread>

using namespace parvo::engine;

namespace {

constexpr uint16_t ExtendedTimestampId = 0x5455;
constexpr uint16_t UnixOwnerId = 0x7875;

bool True(ZipBool b)
{
    return b != ZIP_FALSE;
}

void Put32(unsigned char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

// One file's data as libzip takes it: already deflated (or stored) by the pipeline.
struct EntrySource {
    DeflatePipeline::Entry* entry = nullptr;
    EngineReport* report = nullptr;
    zip_t* archive = nullptr;
    zip_uint64_t index = 0;
    std::string name;
    uint64_t declaredSize = 0;
    time_t mtime = 0;
    int level = 9;
    bool read = false;      // all data taken
    bool failed = false;    // the file could not be read to its end
    const std::vector<unsigned char>* piece = nullptr;
    size_t offset = 0;
    uint64_t reportedRaw = 0;
    zip_error_t error;

    static zip_int64_t Callback(void* self, void* data, zip_uint64_t length, zip_source_cmd_t command)
    {
        return static_cast<EntrySource*>(self)->handle(data, length, command);
    }

    zip_int64_t fail(int code)
    {
        zip_error_set(&error, code, 0);
        return -1;
    }

    zip_int64_t handle(void* data, zip_uint64_t length, zip_source_cmd_t command)
    {
        switch (command) {
        case ZIP_SOURCE_OPEN:
            if (report->beginFile(name, int64_t(std::min<uint64_t>(declaredSize, INT64_MAX))))
                return fail(ZIP_ER_CANCELLED);
            return 0;
        case ZIP_SOURCE_READ: {
            auto* out = static_cast<unsigned char*>(data);
            zip_uint64_t done = 0;
            while (done < length && !read) {
                if (!piece || offset == piece->size()) {
                    piece = entry->next();
                    offset = 0;
                    const uint64_t raw = entry->size() - reportedRaw;
                    reportedRaw = entry->size();
                    if (report->progress(int64_t(raw)))
                        return fail(ZIP_ER_CANCELLED);
                    if (!piece) {
                        read = true;
                        failed = entry->readFailed();
                        if (failed)
                            report->skipped(name, ZIP_SKIP_UNREADABLE);
                        break;
                    }
                    continue;
                }
                const size_t n = std::min<size_t>(length - done, piece->size() - offset);
                std::memcpy(out + done, piece->data() + offset, n);
                offset += n;
                done += n;
            }
            return zip_int64_t(done);
        }
        case ZIP_SOURCE_CLOSE:
            return 0;
        case ZIP_SOURCE_STAT: {
            auto* st = static_cast<zip_stat_t*>(data);
            zip_stat_init(st);
            st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_MTIME;
            st->mtime = mtime;
            const bool stored = entry->stored();
            st->comp_method = stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
            if (!read) {
                // Asked before the data is written: the method is settled by now, and
                // libzip takes the entry's method from here.
                if (stored && level > 0)
                    zip_set_file_compression(archive, index, ZIP_CM_STORE, 0);
                st->size = declaredSize;
            } else {
                st->valid |= ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC;
                st->size = entry->size();
                st->comp_size = entry->compressedSize();
                st->crc = uint32_t(entry->crc());
            }
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&error, data, length);
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            return fail(ZIP_ER_OPNOTSUPP);
        }
    }
};

// Modification time, exact and in UTC, and the owner, as the common Unix tools store them.
void SetUnixExtras(zip_t* za, zip_uint64_t index, const struct stat& st)
{
    unsigned char local[9] = {0x03};
    Put32(local + 1, uint32_t(st.st_mtime));
    Put32(local + 5, uint32_t(st.st_atime));
    unsigned char central[5] = {0x03};
    Put32(central + 1, uint32_t(st.st_mtime));
    zip_file_extra_field_set(za, index, ExtendedTimestampId, ZIP_EXTRA_FIELD_NEW, local, sizeof local, ZIP_FL_LOCAL);
    zip_file_extra_field_set(za, index, ExtendedTimestampId, ZIP_EXTRA_FIELD_NEW, central, sizeof central, ZIP_FL_CENTRAL);
    unsigned char owner[11] = {1, 4};
    Put32(owner + 2, uint32_t(st.st_uid));
    owner[6] = 4;
    Put32(owner + 7, uint32_t(st.st_gid));
    zip_file_extra_field_set(za, index, UnixOwnerId, ZIP_EXTRA_FIELD_NEW, owner, sizeof owner, ZIP_FL_LOCAL | ZIP_FL_CENTRAL);
}

std::string CurrentFolder()
{
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer))
        return {};
    std::string folder = buffer;
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

struct Planned {
    const AddItem* item;
    zip_int64_t existing; // index of the entry it replaces, or -1
    size_t input = 0;     // its place in the pipeline (files and links)
    EntrySource* source = nullptr;
    bool added = false;
};

} // namespace

extern "C" __attribute__((visibility("default"))) int32_t GetZipDllVersion(void)
{
    return 179;
}

extern "C" __attribute__((visibility("default"))) int32_t ZipDllExec(ZipParams* p)
{
    if (!p)
        return 0;
    EngineReport report(p->Callback, p->Caller);
    if (p->Version < ZIP_ENGINE_VERSION || p->Tag != ZIP_PARAMS_TAG || !p->ArchivePath || p->FileCount < 0
        || (p->FileCount > 0 && !p->Files)) {
        report.message("ZipDll: the parameter record is not one this engine understands.", 1);
        report.endBatch();
        return 0;
    }
    const std::string archivePath = p->ArchivePath;
    const int level = std::clamp(int(p->Level), 0, 9);
    const bool encrypt = True(p->Encrypt) && p->Password && *p->Password;

    GatherOptions gather;
    gather.recurse = p->Recurse != 0;
    gather.folderEntries = !True(p->NoFolderEntries);
    gather.junkPaths = True(p->JunkPaths);
    gather.hiddenFiles = True(p->HiddenFiles);
    gather.baseFolder = CurrentFolder();
    struct stat archiveStat;
    if (::stat(archivePath.c_str(), &archiveStat) == 0) {
        gather.archiveDevice = archiveStat.st_dev;
        gather.archiveInode = archiveStat.st_ino;
    }
    std::vector<std::string> specs;
    for (int32_t i = 0; i < p->FileCount; ++i) {
        if (p->Files[i].FileSpec)
            specs.emplace_back(p->Files[i].FileSpec);
    }
    const std::vector<AddItem> items = GatherItems(specs, gather, report);
    if (report.stopped()) {
        report.endBatch();
        return 0;
    }

    ArchiveFile file(archivePath);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = file.source(&error);
    zip_t* za = source ? zip_open_from_source(source, ZIP_CREATE, &error) : nullptr;
    if (!za) {
        if (source)
            zip_source_free(source);
        report.message("ZipDll: " + archivePath + ": " + zip_error_strerror(&error), 2);
        zip_error_fini(&error);
        report.endBatch();
        return 0;
    }
    zip_error_fini(&error);

    // What goes in: freshening replaces only older entries, updating adds new files too.
    std::vector<Planned> plan;
    std::vector<PipelineInput> inputs;
    int64_t totalBytes = 0;
    for (const AddItem& item : items) {
        const zip_int64_t existing = zip_name_locate(za, item.name.c_str(), 0);
        if (True(p->Freshen) || True(p->Update)) {
            zip_stat_t old;
            const bool newer = existing < 0 || zip_stat_index(za, zip_uint64_t(existing), 0, &old) != 0
                || !(old.valid & ZIP_STAT_MTIME) || item.st.st_mtime > old.mtime;
            if ((existing < 0 && True(p->Freshen)) || !newer)
                continue;
        }
        Planned planned{&item, existing};
        if (item.kind != AddItem::Kind::Folder) {
            planned.input = inputs.size();
            PipelineInput in;
            in.path = item.path;
            if (item.kind == AddItem::Kind::Link) {
                in.isLink = true;
                std::string target(size_t(PATH_MAX), '\0');
                const ssize_t n = ::readlink(item.path.c_str(), target.data(), target.size());
                in.linkTarget = target.substr(0, n > 0 ? size_t(n) : 0);
            }
            inputs.push_back(std::move(in));
            totalBytes += item.kind == AddItem::Kind::File ? int64_t(item.st.st_size) : 0;
        }
        plan.push_back(planned);
    }
    report.fileCount(int64_t(inputs.size()));
    report.totalBytes(totalBytes);

    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    DeflatePipeline pipeline(std::move(inputs), level, threads);
    std::vector<std::unique_ptr<EntrySource>> sources;
    std::map<std::string, EntryFix> fixes;
    std::vector<std::pair<std::string, DeflatePipeline::Entry*>> textOf;
    int added = 0;
    for (Planned& planned : plan) {
        const AddItem& item = *planned.item;
        zip_int64_t index = planned.existing;
        if (item.kind == AddItem::Kind::Folder) {
            if (index < 0)
                index = zip_dir_add(za, item.name.c_str(), ZIP_FL_ENC_GUESS);
        } else {
            auto src = std::make_unique<EntrySource>();
            src->entry = &pipeline.entry(planned.input);
            src->report = &report;
            src->archive = za;
            src->name = item.name;
            src->declaredSize = item.kind == AddItem::Kind::File ? uint64_t(item.st.st_size) : 0;
            src->mtime = item.st.st_mtime;
            src->level = level;
            zip_error_init(&src->error);
            zip_source_t* zs = zip_source_function(za, &EntrySource::Callback, src.get());
            if (!zs)
                continue;
            index = index >= 0 ? (zip_file_replace(za, zip_uint64_t(index), zs, 0) == 0 ? index : -1)
                               : zip_file_add(za, item.name.c_str(), zs, ZIP_FL_ENC_GUESS);
            if (index < 0) {
                zip_source_free(zs);
                report.skipped(item.name, ZIP_SKIP_UNSAFE_NAME);
                continue;
            }
            src->index = zip_uint64_t(index);
            zip_set_file_compression(za, zip_uint64_t(index), level == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE, zip_uint32_t(level));
            if (encrypt)
                zip_file_set_encryption(za, zip_uint64_t(index), ZIP_EM_TRAD_PKWARE, p->Password);
            textOf.emplace_back(item.name, src->entry);
            planned.source = src.get();
            sources.push_back(std::move(src));
        }
        if (index < 0) {
            report.skipped(item.name, ZIP_SKIP_UNSAFE_NAME);
            continue;
        }
        fixes[item.name] = EntryFix{false, level};
        zip_file_set_external_attributes(za, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, zip_uint32_t(item.st.st_mode) << 16);
        zip_file_set_mtime(za, zip_uint64_t(index), item.st.st_mtime, 0);
        if (True(p->KeepAttributes))
            SetUnixExtras(za, zip_uint64_t(index), item.st);
        planned.added = true;
        ++added;
    }
    if (p->Comment)
        zip_set_archive_comment(za, p->Comment, zip_uint16_t(std::min<size_t>(std::strlen(p->Comment), 65535)));

    file.beforeCommit = [&](int fd) {
        for (const auto& [name, entry] : textOf)
            fixes[name].text = entry->text();
        return PatchHeaders(fd, fixes);
    };
    if (zip_close(za) != 0) {
        const bool cancelled = report.stopped();
        pipeline.abort();
        if (!cancelled)
            report.message("ZipDll: " + archivePath + ": " + zip_strerror(za), 3);
        zip_discard(za);
        report.endBatch();
        return 0;
    }

    if (True(p->MoveFiles) && file.committed()) {
        // The archive holds them safely now; folders go once emptied.
        for (auto it = plan.rbegin(); it != plan.rend(); ++it) {
            const AddItem& item = *it->item;
            if (!it->added || (it->source && (!it->source->read || it->source->failed)))
                continue;
            if (item.kind == AddItem::Kind::Folder)
                ::rmdir(item.path.c_str());
            else
                ::unlink(item.path.c_str());
        }
    }
    report.endBatch();
    return added;
}
