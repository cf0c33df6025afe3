// failalloc: an LD_PRELOAD allocator that lets the first N allocation calls
// of a program's own drawing through and fails every later one, to drive its
// out-of-memory paths from the outside.
//
//   FAILALLOC_AFTER=N    calls N+1, N+2, ... return null with errno ENOMEM
//                        (unset or not a number: nothing fails)
//   FAILALLOC_COUNT=FILE at exit, write the number of calls counted to FILE
//
// Counting starts when SDL_SetVideoMode has returned: whatever SDL itself
// allocates to start (about 20 calls in classic SDL, about 450 through
// sdl12-compat) always succeeds, so the failure points are the program's.
// Every entry point of the C allocator that hands out memory counts as one
// call (C++ new comes through malloc); free is left alone. The memory comes
// from glibc's own allocator, so it may be freed anywhere.
#include <preload_core.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
}

namespace {

std::atomic<bool> counting{false};  // SDL_SetVideoMode has returned
std::atomic<unsigned long> calls{0};
unsigned long limit = 0;
bool limited = false;

// Reads the limit before the program's own code runs (getenv and strtoul
// allocate nothing).
__attribute__((constructor)) void read_limit()
{
    const char* after = std::getenv("FAILALLOC_AFTER");
    if (after && *after) {
        char* end = nullptr;
        limit = std::strtoul(after, &end, 10);
        limited = *end == '\0';
    }
}

// Counts one call; false when it must fail.
bool allowed()
{
    if (!counting.load(std::memory_order_relaxed))
        return true;
    const unsigned long n = calls.fetch_add(1, std::memory_order_relaxed) + 1;
    if (limited && n > limit) {
        errno = ENOMEM;
        return false;
    }
    return true;
}

// Without stdio streams, which would want a buffer.
__attribute__((destructor)) void write_count()
{
    const char* path = std::getenv("FAILALLOC_COUNT");
    if (!path || !*path)
        return;
    char text[32];
    const int len = std::snprintf(text, sizeof text, "%lu\n", calls.load());
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    if (write(fd, text, static_cast<size_t>(len)) != len)
        std::fputs("failalloc: cannot write the call count\n", stderr);
    close(fd);
}

}  // namespace

#define INTERPOSED extern "C" __attribute__((visibility("default")))

INTERPOSED void* malloc(size_t size)
{
    return allowed() ? __libc_malloc(size) : nullptr;
}

INTERPOSED void* calloc(size_t count, size_t size)
{
    return allowed() ? __libc_calloc(count, size) : nullptr;
}

// A failed realloc leaves the old block alone, as the real one does.
INTERPOSED void* realloc(void* old, size_t size)
{
    return allowed() ? __libc_realloc(old, size) : nullptr;
}

INTERPOSED void* memalign(size_t alignment, size_t size)
{
    return allowed() ? __libc_memalign(alignment, size) : nullptr;
}

INTERPOSED void* aligned_alloc(size_t alignment, size_t size)
{
    return allowed() ? __libc_memalign(alignment, size) : nullptr;
}

INTERPOSED int posix_memalign(void** out, size_t alignment, size_t size)
{
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    if (!allowed())
        return ENOMEM;
    void* p = __libc_memalign(alignment, size);
    if (!p)
        return ENOMEM;
    *out = p;
    return 0;
}

INTERPOSED void* valloc(size_t size)
{
    return allowed() ? __libc_memalign(static_cast<size_t>(sysconf(_SC_PAGESIZE)), size) : nullptr;
}

using set_video_mode_fn = SDL_Surface* (*)(int, int, int, Uint32);

// SDL has started once the window is open: count from here on.
INTERPOSED SDL_Surface* SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags)
{
    static const auto real = reinterpret_cast<set_video_mode_fn>(real_symbol("failalloc", "SDL_SetVideoMode"));
    SDL_Surface* surface = real(width, height, bpp, flags);
    counting.store(true, std::memory_order_relaxed);
    return surface;
}
