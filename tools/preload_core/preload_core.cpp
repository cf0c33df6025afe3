#include "preload_core.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>

void* real_symbol(const char* tool, const char* name)
{
    void* f = dlsym(RTLD_NEXT, name);
    if (!f) {
        std::fprintf(stderr, "%s: cannot find the real %s\n", tool, name);
        _exit(125);
    }
    return f;
}

bool wait_begins(wait_tracker& tracker)
{
    if (tracker.waiting)
        return false;
    tracker.waiting = true;
    ++tracker.waits;
    return true;
}

void wait_returned(wait_tracker& tracker, int result, const SDL_Event* event)
{
    if (result == 0 || !event || event->type == SDL_KEYDOWN || event->type == SDL_QUIT)
        tracker.waiting = false;
}

unsigned long current_stage(const wait_tracker& tracker)
{
    return tracker.waits + (tracker.waiting ? 0 : 1);
}
