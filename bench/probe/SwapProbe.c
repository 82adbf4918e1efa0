// A preloaded probe for any OpenGL program: counts the buffer swaps and keeps, in a small
// binary file named by QUELMARINE_SWAP_LOG, the swap count, the time of the first swap (and the
// processor time spent until then) and the longest wait between two swaps. The file is rewritten at
// every swap, so a program that is killed leaves its figures behind.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

struct SwapRecord {
    uint64_t swaps;
    int64_t firstSwapNs; // wall-clock time (CLOCK_REALTIME) of the first swap
    int64_t lastSwapNs;
    int64_t longestGapNs;   // between two swaps, from QUELMARINE_SWAP_SETTLE_MS after the first
    int64_t firstSwapCpuNs; // processor time of the whole process (all threads) at the first swap
};

static struct SwapRecord record;
static int logFile = -2;
static int64_t settleNs;

static int64_t clockNanoseconds(clockid_t clock) {
    struct timespec now;
    clock_gettime(clock, &now);
    return (int64_t)now.tv_sec * 1000000000LL + now.tv_nsec;
}

static void noteSwap(void) {
    const int64_t now = clockNanoseconds(CLOCK_REALTIME);
    if (logFile == -2) {
        const char* path = getenv("QUELMARINE_SWAP_LOG");
        const char* settle = getenv("QUELMARINE_SWAP_SETTLE_MS");
        logFile = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
        settleNs = (settle ? atoll(settle) : 2000) * 1000000LL;
    }
    if (record.swaps == 0) {
        record.firstSwapNs = now;
        record.firstSwapCpuNs = clockNanoseconds(CLOCK_PROCESS_CPUTIME_ID);
    } else if (now - record.firstSwapNs >= settleNs &&
               now - record.lastSwapNs > record.longestGapNs)
        record.longestGapNs = now - record.lastSwapNs;
    record.lastSwapNs = now;
    ++record.swaps;
    if (logFile >= 0 && pwrite(logFile, &record, sizeof record, 0) != (ssize_t)sizeof record)
        logFile = -1;
}

void glXSwapBuffers(void* display, unsigned long drawable) {
    static void (*next)(void*, unsigned long);
    if (!next)
        next = (void (*)(void*, unsigned long))dlsym(RTLD_NEXT, "glXSwapBuffers");
    next(display, drawable);
    noteSwap();
}

unsigned eglSwapBuffers(void* display, void* surface) {
    static unsigned (*next)(void*, void*);
    if (!next)
        next = (unsigned (*)(void*, void*))dlsym(RTLD_NEXT, "eglSwapBuffers");
    const unsigned ok = next(display, surface);
    noteSwap();
    return ok;
}
