/* A leak planted in the soaked program, to show that the soak's bounds catch one: loaded with
 * LD_PRELOAD, it starts a thread that every QUELMARINE_SOAK_LEAK_SECONDS (default 5) opens
 * /dev/null and never closes it (QUELMARINE_SOAK_LEAK=descriptors), or maps 512 KiB and
 * writes to every page of it, never to unmap it (QUELMARINE_SOAK_LEAK=memory; straight from
 * the kernel, so that no allocator can hand out memory it already holds). Built and used
 * by scripts/soak when QUELMARINE_SOAK_LEAK is set. */
#include <fcntl.h>
#include <pthread.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

static int leakMemory;
static unsigned interval = 5;

static void* leak(void* unused) {
    (void)unused;
    for (;;) {
        sleep(interval);
        if (leakMemory) {
            const size_t size = 512 * 1024;
            char* block =
                mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (block != MAP_FAILED)
                memset(block, 0x5a, size);
        } else {
            open("/dev/null", O_RDONLY); /* never closed: that is the leak */
        }
    }
    return NULL;
}

__attribute__((constructor)) static void plantLeak(void) {
    const char* kind = getenv("QUELMARINE_SOAK_LEAK");
    const char* seconds = getenv("QUELMARINE_SOAK_LEAK_SECONDS");
    if (!kind || (strcmp(kind, "descriptors") != 0 && strcmp(kind, "memory") != 0))
        return;
    leakMemory = strcmp(kind, "memory") == 0;
    if (seconds && atoi(seconds) > 0)
        interval = (unsigned)atoi(seconds);
    pthread_t thread;
    if (pthread_create(&thread, NULL, leak, NULL) == 0)
        pthread_detach(thread);
}
