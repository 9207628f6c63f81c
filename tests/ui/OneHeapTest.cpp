// Threads started after UseOneHeap allocate from the heaps there are: none gets a heap of
// its own, which would keep its memory after the thread ends.

#include "app/OneHeap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>

namespace {

// The C library's own count of its heaps, from its report.
int Heaps()
{
    char* text = nullptr;
    size_t size = 0;
    FILE* report = open_memstream(&text, &size);
    if (!report)
        return -1;
    malloc_info(0, report);
    std::fclose(report);
    int heaps = 0;
    for (const char* at = text; (at = std::strstr(at, "<heap nr=")) != nullptr; ++at)
        ++heaps;
    std::free(text);
    return heaps;
}

} // namespace

TEST(OneHeap, ThreadsStartedAfterwardsGetNoHeapOfTheirOwn)
{
    parvo::UseOneHeap();
    const int before = Heaps();
    ASSERT_GE(before, 1);
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([] {
            std::vector<void*> blocks;
            for (int n = 0; n < 64; ++n)
                blocks.push_back(std::malloc(4096));
            for (void* b : blocks)
                std::free(b);
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(Heaps(), before);
}
#endif
