// "UnzDll.dll": the extracting engine. It opens the archive named in the record and
// extracts it into the current folder.

#include "../ZipEngineRecords.h"
#include "Extractor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace parvo::engine;

namespace {

bool True(ZipBool b)
{
    return b != ZIP_FALSE;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int32_t GetUnzDllVersion(void)
{
    return 179;
}

extern "C" __attribute__((visibility("default"))) int32_t UnzDllExec(UnzipParams* p)
{
    if (!p)
        return 0;
    EngineReport report(p->Callback, p->Caller);
    if (p->Version < ZIP_ENGINE_VERSION || p->TagA != UNZIP_PARAMS_TAG_A || p->TagB != UNZIP_PARAMS_TAG_B
        || !p->ArchivePath || p->FileCount < 0 || (p->FileCount > 0 && !p->Files)) {
        report.message("UnzDll: the parameter record is not one this engine understands.", 1);
        report.endBatch();
        return 0;
    }
    ExtractOptions options;
    options.testOnly = True(p->TestOnly);
    options.keepTimes = True(p->KeepTimes);
    options.replaceOlder = True(p->ReplaceOlder) || True(p->Update);
    options.replaceAll = True(p->ReplaceAll);
    options.withFolders = True(p->WithFolders);
    if (p->Password)
        options.password = p->Password;
    for (int32_t i = 0; i < p->FileCount; ++i) {
        if (p->Files[i].FileSpec)
            options.patterns.emplace_back(p->Files[i].FileSpec);
    }

    const int fd = ::open(p->ArchivePath, O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        if (fd >= 0)
            ::close(fd);
        report.message(std::string("UnzDll: cannot open ") + p->ArchivePath, 2);
        report.endBatch();
        return 0;
    }
    int error = 0;
    // libzip takes over the descriptor; its size was read from the same open file.
    // No consistency check up front: the command-line zip writes 64-bit archives that
    // libzip would call inconsistent; each entry is checked as it is read.
    zip_t* archive = zip_fdopen(fd, ZIP_RDONLY, &error);
    if (!archive) {
        ::close(fd);
        zip_error_t e;
        zip_error_init_with_code(&e, error);
        report.message(std::string("UnzDll: ") + p->ArchivePath + ": " + zip_error_strerror(&e), 3);
        zip_error_fini(&e);
        report.endBatch();
        return 0;
    }
    const int dest = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int done = 0;
    if (dest >= 0) {
        done = ExtractArchive(archive, uint64_t(st.st_size), options, report, dest);
        ::close(dest);
    } else {
        report.message("UnzDll: cannot open the destination folder.", 4);
        report.endBatch();
    }
    zip_discard(archive);
    return done;
}
