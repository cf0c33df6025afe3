// The program benchmark's stage clock: preloaded behind the capture tool's
// library into a program it times, it writes the CPU time of every stage to
// the file STAGE_CPU_FILE, one line "stage K MICROSECONDS" as wait K begins.
// A stage runs from the window's opening (stage 1) or the end of the wait
// before it to the start of its own wait: what the program draws, without
// its start-up.
#include <preload_core.h>

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

wait_tracker waits;
long stage_start_us = 0;
int out = -2;  // -2: not opened yet; -1: no file

long cpu_us()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1000000L + t.tv_nsec / 1000;
}

void record_stage(unsigned long stage, long us)
{
    if (out == -2) {
        const char* path = std::getenv("STAGE_CPU_FILE");
        out = path && *path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
    }
    if (out >= 0)
        dprintf(out, "stage %lu %ld\n", stage, us);
}

}  // namespace

#define INTERPOSED extern "C" __attribute__((visibility("default")))

INTERPOSED SDL_Surface* SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags)
{
    using set_video_mode_fn = SDL_Surface* (*)(int, int, int, Uint32);
    static auto real = reinterpret_cast<set_video_mode_fn>(real_symbol("stage_cpu", "SDL_SetVideoMode"));
    SDL_Surface* s = real(width, height, bpp, flags);
    stage_start_us = cpu_us();
    return s;
}

INTERPOSED int SDL_WaitEvent(SDL_Event* event)
{
    using wait_fn = int (*)(SDL_Event*);
    static auto real = reinterpret_cast<wait_fn>(real_symbol("stage_cpu", "SDL_WaitEvent"));
    if (wait_begins(waits))
        record_stage(waits.waits, cpu_us() - stage_start_us);
    const int result = real(event);
    wait_returned(waits, result, event);
    if (!waits.waiting)
        stage_start_us = cpu_us();
    return result;
}
