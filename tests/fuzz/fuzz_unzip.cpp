// The extracting engine on archives of any bytes, held in memory: whatever it writes
// stays inside its destination folder, and it never crashes.

#include "unzdll/Extractor.h"

#include <fcntl.h>
#include <ftw.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

using namespace parvo::engine;

namespace {

std::string Base;

// Nothing may appear beside the destination folder.
int OnlyTheDestination(const char* path, const struct stat*, int, FTW* ftw)
{
    if (ftw->level == 1 && std::strcmp(path + ftw->base, "dest") != 0)
        std::abort();
    return 0;
}

int Remove(const char* path, const struct stat*, int, FTW*)
{
    return ::remove(path);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char pattern[] = "/dev/shm/fuzz-unzip-XXXXXX";
    Base = mkdtemp(pattern);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string dest = Base + "/dest";
    ::mkdir(dest.c_str(), 0755);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(data, size, 0, &error);
    zip_t* archive = src ? zip_open_from_source(src, ZIP_RDONLY, &error) : nullptr;
    if (src && !archive)
        zip_source_free(src);
    if (archive) {
        EngineReport report(
            [](CallbackRecord* r) -> ZipBool {
                if (r->ActionCode == ZIP_ACTION_OVERWRITE)
                    r->Size = 1;
                if (r->ActionCode == ZIP_ACTION_PASSWORD) {
                    std::strcpy(r->Text, "secret");
                    r->ErrorCode = 1;
                    r->Size = r->Size > 0 ? r->Size - 1 : 0;
                }
                return ZIP_FALSE;
            },
            nullptr);
        const int fd = ::open(dest.c_str(), O_RDONLY | O_DIRECTORY);
        ExtractArchive(archive, size, ExtractOptions{}, report, fd);
        ::close(fd);
        zip_discard(archive);
    }
    zip_error_fini(&error);
    nftw(Base.c_str(), OnlyTheDestination, 16, FTW_PHYS);
    nftw(dest.c_str(), Remove, 16, FTW_DEPTH | FTW_PHYS);
    return 0;
}
