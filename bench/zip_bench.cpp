// The zip engines against the command-line zip tools, on a tree of about 100 MB of mixed
// text and binary files written fresh for the run: compressing at level 9 (`zip -9 -r`)
// and extracting (`unzip`), each timed as a separate process, the same number of times,
// taking turns. Also the archive's size and the engines' peak memory. With
// PARVO_BENCH_BIG=1 the memory is measured on a 1 GB tree as well.

#include "BenchRun.h"
#include "BenchTree.h"

#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace parvo::bench;

namespace {

struct Figures {
    double ours = 0, theirs = 0;
    long oursPeakKiB = 0;
};

long FileSize(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? long(st.st_size) : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR ENGINE_RUNNER [RUNS]\n", argv[0]);
        return 2;
    }
    char resolved[PATH_MAX];
    const std::string program = realpath(argv[1], resolved) ? resolved : argv[1];
    const std::string runner = realpath(argv[2], resolved) ? resolved : argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    char pattern[] = "/tmp/zip-bench-XXXXXX";
    const std::string scratch = mkdtemp(pattern);
    const std::string tree = scratch + "/tree";
    const int files = WriteBenchTree(tree, 100);
    std::printf("tree: %d files, about 100 MB, in %s\n", files, tree.c_str());

    const std::string ours = scratch + "/ours.zip", theirs = scratch + "/theirs.zip";
    std::vector<double> ourZip, theirZip, ourUnzip, theirUnzip;
    long zipPeak = 0, unzipPeak = 0;
    for (int r = 0; r < runs; ++r) {
        std::remove(ours.c_str());
        std::remove(theirs.c_str());
        const RunResult a = RunIn(tree, {runner, program, "zip", ours, "."});
        const RunResult b = RunIn(tree, {"zip", "-q", "-9", "-r", theirs, "."});
        if (a.exitCode != 0 || b.exitCode != 0) {
            std::printf("compressing failed (ours %d, zip %d)\n", a.exitCode, b.exitCode);
            return 1;
        }
        ourZip.push_back(a.seconds);
        theirZip.push_back(b.seconds);
        zipPeak = std::max(zipPeak, a.peakKiB);

        const std::string outA = scratch + "/outA", outB = scratch + "/outB";
        RemoveTree(outA);
        RemoveTree(outB);
        ::mkdir(outA.c_str(), 0755);
        ::mkdir(outB.c_str(), 0755);
        const RunResult c = RunIn(outA, {runner, program, "unzip", theirs});
        const RunResult d = RunIn(outB, {"unzip", "-q", theirs});
        if (c.exitCode != 0 || d.exitCode != 0) {
            std::printf("extracting failed (ours %d, unzip %d)\n", c.exitCode, d.exitCode);
            return 1;
        }
        ourUnzip.push_back(c.seconds);
        theirUnzip.push_back(d.seconds);
        unzipPeak = std::max(unzipPeak, c.peakKiB);
    }
    const RunResult check = RunIn(scratch, {"unzip", "-tq", ours});
    const RunResult same = RunIn(scratch, {"diff", "-r", "-q", tree, scratch + "/outA"});
    const double compress = Median(ourZip) / Median(theirZip);
    const double extract = Median(ourUnzip) / Median(theirUnzip);
    const double size = double(FileSize(ours)) / double(FileSize(theirs));
    std::printf("compress level 9: ours %.2f s, zip -9 %.2f s; archive %ld bytes against %ld\n", Median(ourZip),
                Median(theirZip), FileSize(ours), FileSize(theirs));
    std::printf("extract: ours %.2f s, unzip %.2f s\n", Median(ourUnzip), Median(theirUnzip));
    std::printf("our archive passes unzip -t: %s; our extraction equals the tree: %s\n",
                check.exitCode == 0 ? "yes" : "NO", same.exitCode == 0 ? "yes" : "NO");
    std::printf("peak memory: compress %ld KiB, extract %ld KiB (budget 65536 KiB)\n", zipPeak, unzipPeak);

    double bigPeak = 0;
    if (const char* big = std::getenv("PARVO_BENCH_BIG"); big && *big == '1') {
        RemoveTree(scratch + "/outA");
        RemoveTree(scratch + "/outB");
        const std::string bigTree = scratch + "/big";
        WriteBenchTree(bigTree, 1024, 2);
        const std::string bigZip = scratch + "/big.zip";
        const RunResult a = RunIn(bigTree, {runner, program, "zip", bigZip, "."});
        ::mkdir((scratch + "/bigOut").c_str(), 0755);
        const RunResult b = RunIn(scratch + "/bigOut", {runner, program, "unzip", bigZip});
        bigPeak = double(std::max(a.peakKiB, b.peakKiB));
        std::printf("1 GB tree: compress %.1f s peak %ld KiB, extract %.1f s peak %ld KiB\n", a.seconds, a.peakKiB,
                    b.seconds, b.peakKiB);
    }
    RemoveTree(scratch);

    std::printf("goals: compress <= 0.80, archive <= 1.02, extract <= 0.70, memory < 1.00 of 64 MB\n");
    std::printf("ratio compress_vs_zip9 %.2f\n", compress);
    std::printf("ratio archive_size_vs_zip9 %.3f\n", size);
    std::printf("ratio extract_vs_unzip %.2f\n", extract);
    if (bigPeak > 0)
        std::printf("ratio engine_memory_1gb_vs_64mb %.2f\n", bigPeak / 65536.0);
    std::printf("ratio engine_memory_vs_64mb %.2f\n", double(std::max(zipPeak, unzipPeak)) / 65536.0);
    return check.exitCode == 0 && same.exitCode == 0 ? 0 : 1;
}
