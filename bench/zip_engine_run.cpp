// Runs one of the zip engines once, as the wrapper would, with a callback that only
// counts: "zip ARCHIVE FOLDER" adds the folder's contents (run inside it), "unzip
// ARCHIVE" extracts into the current folder. Exits 0 when the engine did any work.

#include "../engines/ZipEngineRecords.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

long reports = 0;

ZipBool Count(CallbackRecord* r)
{
    ++reports;
    if (r->ActionCode == ZIP_ACTION_OVERWRITE)
        r->Size = 1;
    return ZIP_FALSE;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR zip|unzip ARCHIVE [FILE...]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const bool add = std::strcmp(argv[2], "zip") == 0;
    void* engine = dlopen((folder + (add ? "/ZipDll.dll" : "/UnzDll.dll")).c_str(), RTLD_NOW);
    if (!engine) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 2;
    }
    int done = 0;
    if (add) {
        auto exec = reinterpret_cast<ZipDllExecFn>(dlsym(engine, "ZipDllExec"));
        ZipFileSpec spec{};
        spec.FileSpec = argc > 4 ? argv[4] : ".";
        ZipParams p{};
        p.Version = ZIP_ENGINE_VERSION;
        p.Callback = &Count;
        p.Level = 9;
        p.Recurse = 0xFFFF;
        p.AddMode = ZIP_TRUE;
        p.KeepAttributes = ZIP_TRUE;
        p.ArchivePath = argv[3];
        p.FileCount = 1;
        p.Files = &spec;
        p.Tag = ZIP_PARAMS_TAG;
        done = exec(&p);
    } else {
        auto exec = reinterpret_cast<UnzDllExecFn>(dlsym(engine, "UnzDllExec"));
        UnzipParams p{};
        p.Version = ZIP_ENGINE_VERSION;
        p.Callback = &Count;
        p.KeepTimes = ZIP_TRUE;
        p.WithFolders = ZIP_TRUE;
        p.ReplaceAll = ZIP_TRUE;
        p.ArchivePath = argv[3];
        p.TagA = UNZIP_PARAMS_TAG_A;
        p.TagB = UNZIP_PARAMS_TAG_B;
        done = exec(&p);
    }
    return done > 0 ? 0 : 1;
}
