// Threads that start after useOneHeapArena allocate from the arenas that exist already: the
// heap report lists no new one, however many threads allocate at the same time.

#include "tank/platform/HeapArenas.h"

#include <gtest/gtest.h>

#include <barrier>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <string>
#include <thread>
#include <vector>

namespace quelmarine {
namespace {

int heapArenaCount() {
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    malloc_info(0, out);
    std::fclose(out);
    const std::string report(text, size);
    std::free(text);
    int count = 0;
    for (auto at = report.find("<heap nr="); at != std::string::npos;
         at = report.find("<heap nr=", at + 1))
        ++count;
    return count;
}

TEST(HeapArenas, ThreadsStartedAfterwardsMakeNoArenaOfTheirOwn) {
    useOneHeapArena();
    const int before = heapArenaCount();
    constexpr int kThreads = 6;
    std::barrier allAllocated(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
        threads.emplace_back([&] {
            std::vector<char*> blocks;
            for (int n = 0; n < 64; ++n)
                blocks.push_back(static_cast<char*>(std::malloc(4096)));
            allAllocated.arrive_and_wait(); // all threads hold their blocks at once
            for (char* block : blocks)
                std::free(block);
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(heapArenaCount(), before);
    EXPECT_GE(before, 1);
}

} // namespace
} // namespace quelmarine
