// Tour companion: preloaded into a program that the tour shows in its real
// window. It
// - prints one line on stdout as each wait begins, saying which program and
//   stage is showing and what it shows;
// - titles the window "<program>, stage K of N";
// - holds each frame shown in the middle of a stage (a flip followed by
//   another flip, not by a wait) on the screen for TOUR_FRAME_MS, so that a
//   person can watch an animation (in a real window only: under a driver
//   that shows nothing no frame is held);
// - ends the program with status tour_leave_status when Escape or q is
//   pressed, at a wait or while frames are held: the tour's way out.
// Every other key and close request goes to the program as before.
//
//   TOUR_PROGRAM   the program's command as listed (wallpaper_group p4m), as
//                  the line and the title start
//   TOUR_CAPTIONS  its caption file: line 1 the picture, then one per stage
//   TOUR_FRAME_MS  how long each frame in the middle of a stage stays shown
#include "tour_status.h"

#include <captions.h>
#include <preload_core.h>

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct tour_state {
    std::string program = "program";
    std::vector<std::string> stage_captions;
    Uint32 frame_ms = 0;
    wait_tracker waits;       // the program's waits for a key
    bool frame_shown = false; // a flip since the last wait
    Uint32 last_flip = 0;     // SDL_GetTicks() when that flip ended
    int real_window = -1;     // -1 not known yet, else whether the driver shows a window
};

// The settings, read from the environment on first use (never from a
// constructor: the order of static initialisation is not ours to choose).
tour_state read_tour()
{
    tour_state tour;
    if (const char* name = std::getenv("TOUR_PROGRAM"); name && *name)
        tour.program = name;
    if (const char* path = std::getenv("TOUR_CAPTIONS"); path && *path)
        tour.stage_captions = read_captions(path).stages;
    if (const char* ms = std::getenv("TOUR_FRAME_MS"); ms && *ms)
        tour.frame_ms = static_cast<Uint32>(std::strtoul(ms, nullptr, 10));
    return tour;
}

tour_state& tour()
{
    static tour_state state = read_tour();
    return state;
}

template <typename Fn>
Fn real_function(const char* name)
{
    return reinterpret_cast<Fn>(real_symbol("tour", name));
}

// "<program>, stage K of N", or "<program>, stage K" without captions.
std::string stage_title(const tour_state& t)
{
    std::string title = t.program + ", stage " + std::to_string(current_stage(t.waits));
    if (!t.stage_captions.empty())
        title += " of " + std::to_string(t.stage_captions.size());
    return title;
}

void set_title(const tour_state& t)
{
    static auto real = real_function<void (*)(const char*, const char*)>("SDL_WM_SetCaption");
    const std::string title = stage_title(t);
    real(title.c_str(), t.program.c_str());
}

void announce(const tour_state& t)
{
    std::string line = stage_title(t);
    if (current_stage(t.waits) <= t.stage_captions.size())
        line += ": " + t.stage_captions[current_stage(t.waits) - 1];
    line += '\n';
    // Straight to the descriptor: the program's own stdio buffers are not ours.
    for (size_t done = 0; done < line.size();) {
        ssize_t n = write(STDOUT_FILENO, line.data() + done, line.size() - done);
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}

bool is_leave_key(const SDL_Event& event)
{
    return event.type == SDL_KEYDOWN && (event.key.keysym.sym == SDLK_ESCAPE || event.key.keysym.sym == SDLK_q);
}

// Ends the program at once, as the person asked.
[[noreturn]] void leave()
{
    SDL_Quit();
    _exit(tour_leave_status);
}

// Whether a key that leaves the tour waits in SDL's queue; other events
// stay queued for the program's next wait.
bool leave_key_queued()
{
    SDL_PumpEvents();
    SDL_Event events[128];
    const int n = SDL_PeepEvents(events, 128, SDL_PEEKEVENT, SDL_KEYDOWNMASK);
    for (int i = 0; i < n; ++i)
        if (is_leave_key(events[i]))
            return true;
    return false;
}

bool shows_real_window(tour_state& t)
{
    if (t.real_window < 0) {
        char name[32] = "";
        t.real_window = SDL_VideoDriverName(name, sizeof name) && std::strcmp(name, "dummy") != 0 &&
                        std::strcmp(name, "offscreen") != 0;
    }
    return t.real_window == 1;
}

// Holds the frame on the screen until frame_ms after its flip, watching
// for a key that leaves the tour.
void hold_frame(tour_state& t)
{
    constexpr Uint32 slice_ms = 10;
    for (;;) {
        if (leave_key_queued())
            leave();
        const Uint32 held = SDL_GetTicks() - t.last_flip;
        if (held >= t.frame_ms)
            return;
        SDL_Delay(t.frame_ms - held < slice_ms ? t.frame_ms - held : slice_ms);
    }
}

} // namespace

// The program names its window: the tour adds the stage.
extern "C" __attribute__((visibility("default"))) void SDL_WM_SetCaption(const char*, const char*)
{
    set_title(tour());
}

// A flip that follows another with no wait between shows a frame in the
// middle of a stage: the one before it stays frame_ms on the screen.
extern "C" __attribute__((visibility("default"))) int SDL_Flip(SDL_Surface* surface)
{
    static auto real = real_function<int (*)(SDL_Surface*)>("SDL_Flip");
    tour_state& t = tour();
    if (t.frame_shown && t.frame_ms > 0 && shows_real_window(t))
        hold_frame(t);
    const int result = real(surface);
    t.frame_shown = true;
    t.last_flip = SDL_GetTicks();
    return result;
}

// At the start of each wait (as preload_core tracks them) the window is
// titled and the stage announced; after it the title names the next stage.
extern "C" __attribute__((visibility("default"))) int SDL_WaitEvent(SDL_Event* event)
{
    static auto real = real_function<int (*)(SDL_Event*)>("SDL_WaitEvent");
    tour_state& t = tour();
    if (wait_begins(t.waits)) {
        t.frame_shown = false;
        set_title(t);
        announce(t);
    }
    const int result = real(event);
    if (result != 0 && event && is_leave_key(*event))
        leave();
    wait_returned(t.waits, result, event);
    if (!t.waits.waiting && (t.stage_captions.empty() || current_stage(t.waits) <= t.stage_captions.size()))
        set_title(t);
    return result;
}
