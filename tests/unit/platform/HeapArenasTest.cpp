// After setUpHeap, threads that start later allocate from the arenas that exist already (the
// heap report lists no new one, however many threads allocate at the same time), and a large
// block gets pages of its own even after a larger one was freed, so its memory goes back to the
// system when it is freed.

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
    setUpHeap();
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

TEST(HeapArenas, LargeBlocksStayMappedAfterALargerOneWasFreed) {
#ifdef __SANITIZE_ADDRESS__
    // AddressSanitizer brings its own allocator: the C library's counts say nothing then.
    GTEST_SKIP() << "the C library's heap is not in use under AddressSanitizer";
#endif
    setUpHeap();
    // The C library's own rule would raise its threshold to 16 MiB after this free.
    void* first = std::malloc(16 << 20);
    ASSERT_NE(first, nullptr);
    std::free(first);
    for (const std::size_t size : {std::size_t(8) << 20, std::size_t(kMappedBlockBytes)}) {
        const std::size_t mappedBefore = mallinfo2().hblkhd;
        void* block = std::malloc(size);
        ASSERT_NE(block, nullptr);
        EXPECT_GE(mallinfo2().hblkhd, mappedBefore + size) << size << " bytes came from the heap";
        std::free(block);
        EXPECT_EQ(mallinfo2().hblkhd, mappedBefore) << size << " bytes stayed resident";
    }
}

} // namespace
} // namespace quelmarine
