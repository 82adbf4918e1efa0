#pragma once
// The heap for a program that runs for hours.

namespace quelmarine {

// Makes every thread allocate from one heap arena. With an arena per thread (the picture
// decoders, the sound and media threads, llvmpipe's), the C library kept what the threads had
// freed in their own arenas: in a soak with own pictures cycling at interval 0 the resident size
// crept up by about 1.6 MiB a minute, and with one arena it stayed flat. Call it first thing in
// main, before any thread starts.
void useOneHeapArena();

} // namespace quelmarine
