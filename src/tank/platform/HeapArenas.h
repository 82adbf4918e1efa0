#pragma once
// The heap for a program that runs for hours.

namespace quelmarine {

// Blocks of this size and more get pages of their own, given back to the system when freed.
inline constexpr int kMappedBlockBytes = 1 << 20;

// Call it first thing in main, before any thread starts.
// - Every thread allocates from one heap arena. With an arena per thread (the picture decoders,
//   the sound and media threads, llvmpipe's), the C library kept what the threads had freed in
//   their own arenas: in a soak with own pictures cycling at interval 0 the resident size crept
//   up by about 1.6 MiB a minute, and with one arena it stayed flat.
// - Large blocks (a picture being read is 8 to 15 MiB) are always mapped on their own. By
//   default the C library raises that threshold after the first such block is freed, so the
//   next pictures came from the heap and their freed space stayed resident: ten photos left
//   about 30 MiB of free heap behind.
void setUpHeap();

} // namespace quelmarine
