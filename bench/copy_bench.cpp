// Copying and moving a tree of about 100 MB, written fresh for the run, against `cp -r`
// and, across two file systems (a RAM disk and the disk), `mv`, in the same run, the
// same number of times, taking turns.

#include "BenchRun.h"
#include "BenchTree.h"
#include "platform/linux/FileTransfer.h"

#include <QString>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

using namespace parvo;
using namespace parvo::bench;

namespace {

double Transfer(FileTransfer::Kind kind, const std::string& from, const std::string& to)
{
    const auto start = std::chrono::steady_clock::now();
    const FileOpOutcome out = FileTransfer(kind, {QString::fromStdString(from)}, QString::fromStdString(to), {}).run();
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return out.ok() ? s : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    // Each run takes well under a second: enough of them for the median to settle on a busy machine.
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    char diskPattern[] = "/tmp/copy-bench-XXXXXX";
    const std::string disk = mkdtemp(diskPattern);
    char ramPattern[] = "/dev/shm/copy-bench-XXXXXX";
    const char* ramFolder = mkdtemp(ramPattern);
    struct stat a, b;
    const bool twoFileSystems = ramFolder && ::stat(ramFolder, &a) == 0 && ::stat(disk.c_str(), &b) == 0 && a.st_dev != b.st_dev;
    const std::string ram = ramFolder ? ramFolder : disk + "/ram";
    const std::string tree = disk + "/tree";
    const int files = WriteBenchTree(tree, 100);
    std::printf("tree: %d files, about 100 MB; second file system: %s\n", files, twoFileSystems ? ram.c_str() : "none");

    std::vector<double> ourCopy, cpCopy, ourMove, mvMove;
    for (int r = 0; r < runs; ++r) {
        for (const char* to : {"/copyA", "/copyB"})
            RemoveTree(disk + to);
        ::mkdir((disk + "/copyA").c_str(), 0755);
        ourCopy.push_back(Transfer(FileTransfer::Kind::Copy, tree, disk + "/copyA"));
        cpCopy.push_back(RunIn(disk, {"cp", "-r", "-p", tree, disk + "/copyB"}).seconds);
        if (ourCopy.back() < 0) {
            std::printf("our copy failed\n");
            return 1;
        }
        // Across file systems: the disk's copies go to the RAM disk and come back.
        RemoveTree(ram + "/tree");
        RemoveTree(ram + "/copyB");
        ourMove.push_back(Transfer(FileTransfer::Kind::Move, disk + "/copyA/tree", ram));
        mvMove.push_back(RunIn(disk, {"mv", disk + "/copyB", ram + "/copyB"}).seconds);
        if (ourMove.back() < 0) {
            std::printf("our move failed\n");
            return 1;
        }
    }
    const RunResult same = RunIn(disk, {"diff", "-r", "-q", tree, ram + "/tree"});
    RemoveTree(disk);
    RemoveTree(ram);
    const double copy = Median(ourCopy) / Median(cpCopy);
    const double move = Median(ourMove) / Median(mvMove);
    std::printf("copy: ours %.2f s, cp -r -p %.2f s\n", Median(ourCopy), Median(cpCopy));
    std::printf("move across file systems: ours %.2f s, mv %.2f s\n", Median(ourMove), Median(mvMove));
    std::printf("moved tree equals the original: %s\n", same.exitCode == 0 ? "yes" : "NO");
    std::printf("goals: copy <= 1.10, move <= 1.10\n");
    std::printf("ratio copy_vs_cp %.2f\n", copy);
    std::printf("ratio move_vs_mv %.2f\n", move);
    return same.exitCode == 0 ? 0 : 1;
}
