// The engines' own rules: which entry names may be written, how added files are named,
// and extraction and compression on disks that fail.

#include "ZipBuilder.h"
#include "unzdll/EntryNames.h"
#include "unzdll/Extractor.h"
#include "zipdll/FileGathering.h"

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <dlfcn.h>
#include <iterator>
#include <cstdlib>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

using namespace parvo::engine;
using namespace parvo::test;

namespace {

std::string Join(const std::optional<EntryPath>& p)
{
    return p ? p->joined() + (p->isFolder ? "/" : "") : "<refused>";
}

TEST(EntryNames, OnlyNamesInsideTheDestinationAreWritten)
{
    EXPECT_EQ(Join(SafeEntryPath("a/b/c.txt")), "a/b/c.txt");
    EXPECT_EQ(Join(SafeEntryPath("a\\b\\c.txt")), "a/b/c.txt");
    EXPECT_EQ(Join(SafeEntryPath("./a//b/./c/")), "a/b/c/");
    EXPECT_EQ(Join(SafeEntryPath("..name/x..")), "..name/x..");
    EXPECT_EQ(Join(SafeEntryPath("C:name")), "C:name"); // a name, not a drive
    EXPECT_EQ(Join(SafeEntryPath("caf\xc3\xa9")), "caf\xc3\xa9");
    for (const char* bad : {"/etc/passwd", "\\etc\\passwd", "../x", "a/../../x", "a/..", "..\\x", "C:/x", "c:\\x",
                            "C:", "", "/", "./", "a\nb", "a\tb", "a\x7f", "a\x01"})
        EXPECT_EQ(Join(SafeEntryPath(bad)), "<refused>") << bad;
    EXPECT_EQ(Join(SafeEntryPath(std::string("a\0b", 3))), "<refused>");
    EXPECT_EQ(Join(SafeEntryPath(std::string(256, 'n'))), "<refused>");
    EXPECT_EQ(Join(SafeEntryPath(std::string(255, 'n'))), std::string(255, 'n'));
}

TEST(FileGathering, NamesAreStoredRelativeToTheBaseFolder)
{
    GatherOptions o;
    o.baseFolder = "/home/u/";
    EXPECT_EQ(StoredName("/home/u/docs/a.txt", o), "docs/a.txt");
    EXPECT_EQ(StoredName("/home/user2/a.txt", o), "home/user2/a.txt");
    EXPECT_EQ(StoredName("rel/./../x.txt", o), "rel/x.txt");
    EXPECT_EQ(StoredName("/home/u/", o), "home/u");
    o.junkPaths = true;
    EXPECT_EQ(StoredName("/home/u/docs/a.txt", o), "a.txt");
}

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/engine-test-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempFolder()
    {
        nftw(path.c_str(), [](const char* p, const struct stat*, int, FTW*) { return ::remove(p); }, 16,
             FTW_DEPTH | FTW_PHYS);
    }
    std::string path;
};

int Extract(const std::string& archive, const std::string& dest, std::vector<int>* skips = nullptr)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
    zip_t* za = zip_open_from_source(src, ZIP_RDONLY, &error);
    if (!za)
        return -1;
    static std::vector<int>* sink;
    sink = skips;
    EngineReport report(
        [](CallbackRecord* r) -> ZipBool {
            if (r->ActionCode == ZIP_ACTION_SKIPPED && sink)
                sink->push_back(r->ErrorCode);
            if (r->ActionCode == ZIP_ACTION_OVERWRITE)
                r->Size = 1;
            return ZIP_FALSE;
        },
        nullptr);
    const int fd = open(dest.c_str(), O_RDONLY | O_DIRECTORY);
    const int n = ExtractArchive(za, archive.size(), ExtractOptions{}, report, fd);
    close(fd);
    zip_discard(za);
    return n;
}

// Runs `body` in a child process whose files may not grow beyond `limit` bytes, as on a
// disk that is full; the child's exit status is the test's verdict.
template <typename Body>
int WithFileSizeLimit(rlim_t limit, Body body)
{
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limit, limit};
        setrlimit(RLIMIT_FSIZE, &r);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

size_t CountEntries(const std::string& folder)
{
    size_t n = 0;
    if (DIR* d = opendir(folder.c_str())) {
        while (const dirent* e = readdir(d))
            n += std::string(e->d_name) != "." && std::string(e->d_name) != "..";
        closedir(d);
    }
    return n;
}

TEST(Extractor, AFullDiskLeavesNoHalfWrittenFile)
{
    TempFolder tmp;
    const std::string archive = BuildZip({{"small.txt", "fits"}, {"large.bin", std::string(200000, 'x'), true},
                                          {"after.txt", "fits too"}});
    const int verdict = WithFileSizeLimit(100000, [&] {
        std::vector<int> skips;
        const int n = Extract(archive, tmp.path, &skips);
        if (n != 2 || skips != std::vector<int>{ZIP_SKIP_WRITE_FAILED})
            return 1;
        return CountEntries(tmp.path) == 2 ? 0 : 2; // no file of the large one, whole or partial
    });
    EXPECT_EQ(verdict, 0);
}

TEST(Extractor, AnAnswerToStopLeavesOnlyWholeFiles)
{
    TempFolder tmp;
    std::string noise(3 << 20, '\0');
    uint32_t x = 3;
    for (char& c : noise) {
        x = x * 1664525u + 1013904223u;
        c = char(x >> 24);
    }
    const std::string archive = BuildZip({{"small.txt", "first"}, {"n1.bin", noise}, {"n2.bin", noise}});
    zip_error_t error;
    zip_error_init(&error);
    zip_t* za = zip_open_from_source(zip_source_buffer_create(archive.data(), archive.size(), 0, &error), ZIP_RDONLY, &error);
    ASSERT_TRUE(za);
    // Stop is answered in the middle of the first large file.
    static int progressReports;
    static std::vector<int> afterStop;
    progressReports = 0;
    afterStop.clear();
    EngineReport report(
        [](CallbackRecord* r) -> ZipBool {
            if (progressReports >= 2) {
                afterStop.push_back(r->ActionCode);
                return ZIP_TRUE;
            }
            progressReports += r->ActionCode == ZIP_ACTION_PROGRESS;
            return progressReports >= 2 ? ZIP_TRUE : ZIP_FALSE;
        },
        nullptr);
    const int fd = open(tmp.path.c_str(), O_RDONLY | O_DIRECTORY);
    EXPECT_EQ(ExtractArchive(za, archive.size(), ExtractOptions{}, report, fd), 1);
    close(fd);
    zip_discard(za);
    EXPECT_EQ(CountEntries(tmp.path), 1u); // small.txt, and nothing of n1.bin
    // Told once, the engine asks nothing more and only closes its batch.
    EXPECT_LE(afterStop.size(), 1u);
    for (const int code : afterStop)
        EXPECT_EQ(code, ZIP_ACTION_END_BATCH);
}

TEST(Extractor, AReadOnlyDestinationIsReportedEntryByEntry)
{
    TempFolder tmp;
    chmod(tmp.path.c_str(), 0555);
    const std::string archive = BuildZip({{"a.txt", "1"}, {"b/c.txt", "2"}});
    const pid_t child = fork();
    if (child == 0) {
        // Permissions bind only those without the power to ignore them.
        if (getuid() == 0 && setuid(65534) != 0)
            _exit(3);
        std::vector<int> skips;
        const int n = Extract(archive, tmp.path, &skips);
        _exit(n == 0 && skips == std::vector<int>{ZIP_SKIP_WRITE_FAILED, ZIP_SKIP_WRITE_FAILED} ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(tmp.path.c_str(), 0755);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : 100, 0);
}

TEST(Extractor, DuplicateNamesAndNamesWithNulAreHandled)
{
    TempFolder tmp;
    std::vector<int> skips;
    EXPECT_EQ(Extract(BuildZip({{"same.txt", "first"}, {"same.txt", "second"},
                                {std::string("nul\0../engine-escape", 20), "n"}}),
                      tmp.path, &skips),
              3);
    std::ifstream in(tmp.path + "/same.txt");
    std::string text;
    in >> text;
    EXPECT_EQ(text, "second");
    // libzip reads a NUL in a name as a blank: what is left is a name inside the folder.
    EXPECT_EQ(access((tmp.path + "/nul ../engine-escape").c_str(), F_OK), 0);
    EXPECT_EQ(access((tmp.path + "/../engine-escape").c_str(), F_OK), -1);
}

TEST(Extractor, EntriesClaimingMoreDataThanTheArchiveHoldsAreRefused)
{
    // Many directory entries sharing one entry's data: the trick of the small archives
    // that unpack to petabytes.
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += std::to_string(i * 7919 % 10007) + ' ';
    std::vector<ZipEntrySpec> entries{{"a.txt", text, true}};
    for (int i = 0; i < 50; ++i) {
        ZipEntrySpec copy{"e" + std::to_string(i) + ".txt", text, true};
        copy.sharedOffset = 0;
        entries.push_back(copy);
    }
    const std::string archive = BuildZip(entries);
    TempFolder tmp;
    std::vector<int> skips;
    const int n = Extract(archive, tmp.path, &skips);
    EXPECT_LT(n, 4);
    EXPECT_GT(skips.size(), 45u);
    EXPECT_EQ(std::count(skips.begin(), skips.end(), int(ZIP_SKIP_TOO_LARGE)), long(skips.size()));
}

} // namespace

namespace {

// Runs the adding engine as the wrapper does, with the current folder `folder`, adding
// everything in it to `archive`; the number of files added, or -1 when it cannot run.
int AddFolder(const std::string& folder, const std::string& archive, std::vector<std::string>* messages)
{
    void* engine = dlopen(PARVO_PROGRAM_DIR "/ZipDll.dll", RTLD_NOW | RTLD_LOCAL);
    auto exec = engine ? reinterpret_cast<ZipDllExecFn>(dlsym(engine, "ZipDllExec")) : nullptr;
    if (!exec || chdir(folder.c_str()) != 0)
        return -1;
    static std::vector<std::string>* sink;
    sink = messages;
    ZipFileSpec spec{};
    spec.FileSpec = ".";
    ZipParams p{};
    p.Version = ZIP_ENGINE_VERSION;
    p.Callback = [](CallbackRecord* r) -> ZipBool {
        if (r->ActionCode == ZIP_ACTION_MESSAGE && sink)
            sink->push_back(r->Text);
        return ZIP_FALSE;
    };
    p.Level = 9;
    p.Recurse = 0xFFFF;
    p.AddMode = ZIP_TRUE;
    p.ArchivePath = archive.c_str();
    p.FileCount = 1;
    p.Files = &spec;
    p.Tag = ZIP_PARAMS_TAG;
    return exec(&p);
}

std::string Noise(size_t size, uint32_t seed)
{
    std::string s(size, '\0');
    for (char& c : s) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    return s;
}

TEST(Compressor, AFullDiskLeavesTheArchiveAsItWas)
{
    TempFolder src, dest;
    for (int i = 0; i < 3; ++i)
        std::ofstream(src.path + "/n" + std::to_string(i) + ".bin") << Noise(200000, uint32_t(i + 1));
    const std::string archive = dest.path + "/out.zip";
    // No archive before: none after. An archive before: the same bytes after.
    for (const bool existing : {false, true}) {
        const std::string before = existing ? BuildZip({{"old.txt", "kept"}}) : std::string();
        if (existing)
            std::ofstream(archive, std::ios::binary) << before;
        const int verdict = WithFileSizeLimit(300000, [&] {
            std::vector<std::string> messages;
            const int n = AddFolder(src.path, archive, &messages);
            return n == 0 && messages.size() == 1 ? 0 : 1;
        });
        EXPECT_EQ(verdict, 0) << existing;
        EXPECT_EQ(CountEntries(dest.path), existing ? 1u : 0u);
        std::ifstream in(archive, std::ios::binary);
        const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(after, before);
    }
    // With room enough the same add succeeds: the limit was what stopped it.
    EXPECT_EQ(WithFileSizeLimit(RLIM_INFINITY, [&] { return AddFolder(src.path, archive, nullptr) == 3 ? 0 : 1; }), 0);
}

} // namespace
