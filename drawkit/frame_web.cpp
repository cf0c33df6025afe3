// The program frame in a web page (emscripten builds; frame.cpp elsewhere).
//
// The browser's SDL layer shows the surface only when it is unlocked, has no
// blocking wait, and paints SDL_FillRect on the canvas alone. So here the
// surface stays locked and holds the picture; a flip copies it to the canvas
// by unlocking and locking again; a wait polls SDL_PollEvent and sleeps,
// yielding to the browser. The page steers through `Module.drawkit`:
//   frameMs          how long a frame in the middle of a stage stays on show
//                    (0: unpaced; frames drawn faster than the display
//                    refreshes are never copied to the canvas)
//   hash             when true, every frame and wait reports the picture hash
//   frame(n, hash)   after every flip (n counts from 1)
//   waiting(k, hash) at the start of wait k (counts from 1), once the stage
//                    is on the canvas; a true answer ends the wait at once
//   resumed(k)       when wait k has ended
//   pending          clicks and taps not yet taken; each ends one wait
#include "drawkit.h"

#include <emscripten.h>

#include <capture_format.h>

#include <cstdio>
#include <cstdlib>

SDL_Surface* screen = nullptr;

namespace {

constexpr double refresh_ms = 16;  // a frame shown for less is never seen

int frames = 0, waits = 0;
double frame_ms = 0, last_shown = -1e9;
bool unshown = false, hashing = false;
bool shown_since_yield = false;  // a frame went to the canvas since the last yield

[[noreturn]] void fail(const char* program, const char* what)
{
    std::fprintf(stderr, "%s: %s: %s\n", program, what, SDL_GetError());
    std::exit(1);
}

// Copies the surface to the canvas.
void show()
{
    SDL_UnlockSurface(screen);
    SDL_LockSurface(screen);
    last_shown = emscripten_get_now();
    unshown = false;
}

// The capture tool's hash of the surface, as 16 hex digits in `text`, or
// nullptr when the page asked for none. Pixels are R, G, B, A bytes here.
const char* picture_hash(char (&text)[17])
{
    if (!hashing)
        return nullptr;
    uint64_t h = fnv_offset;
    for (int y = 0; y < screen->h; ++y) {
        const Uint8* row = static_cast<const Uint8*>(screen->pixels) + y * screen->pitch;
        for (int x = 0; x < screen->w; ++x)
            h = fnv1a(h, row + 4 * x, 3);
    }
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

} // namespace

void start_sdl(const char* program)
{
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        fail(program, "cannot initialise SDL");
}

void open_window(const char* program)
{
    // A lock must not read the canvas back, and SDL_MapRGB already makes
    // every colour opaque.
    EM_ASM({
        SDL.defaults.discardOnLock = true;
        SDL.defaults.opaqueFrontBuffer = false;
    });
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (screen == nullptr)
        fail(program, "cannot open the 800x600 window");
    if (SDL_LockSurface(screen) < 0)
        fail(program, "cannot lock the window surface");
    frame_ms = EM_ASM_DOUBLE({ return (Module.drawkit && Module.drawkit.frameMs) || 0; });
    hashing = EM_ASM_INT({ return Module.drawkit && Module.drawkit.hash ? 1 : 0; }) != 0;
}

int web_flip(SDL_Surface*)
{
    ++frames;
    char text[17];
    const char* hash = picture_hash(text);
    EM_ASM({ if (Module.drawkit && Module.drawkit.frame) Module.drawkit.frame($0, $1 ? UTF8ToString($1) : null); },
           frames, hash);
    const double since = emscripten_get_now() - last_shown;
    if (frame_ms > 0) {
        // Paced: the frame before stays on show for frame_ms.
        if (since < frame_ms)
            emscripten_sleep(static_cast<unsigned>(frame_ms - since));
        show();
    } else if (since >= refresh_ms) {
        // Unpaced: the browser paints the frame shown before this one, then
        // this one goes to the canvas; the clock restarts after the yield,
        // so that at most one yield falls in each refresh period of drawing.
        if (shown_since_yield) {
            emscripten_sleep(0);
            shown_since_yield = false;
        }
        show();
        shown_since_yield = true;
    } else {
        unshown = true;
    }
    return 0;
}

int web_fill_rect(SDL_Surface* surface, SDL_Rect* rect, Uint32 colour)
{
    int x0 = 0, y0 = 0, x1 = surface->w, y1 = surface->h;
    if (rect != nullptr) {
        x0 = rect->x > 0 ? rect->x : 0;
        y0 = rect->y > 0 ? rect->y : 0;
        x1 = rect->x + rect->w < x1 ? rect->x + rect->w : x1;
        y1 = rect->y + rect->h < y1 ? rect->y + rect->h : y1;
    }
    for (int y = y0; y < y1; ++y) {
        Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = x0; x < x1; ++x)
            row[x] = colour;
    }
    return 0;
}

int wait_for_key()
{
    if (unshown)
        show();
    ++waits;
    char text[17];
    const char* hash = picture_hash(text);
    int answer = EM_ASM_INT({
        const d = Module.drawkit;
        return d && d.waiting && d.waiting($0, $1 ? UTF8ToString($1) : null) ? 1 : 0;
    }, waits, hash);
    for (;;) {
        if (answer != 0)
            break;
        SDL_Event event;
        while (answer == 0 && SDL_PollEvent(&event)) {
            if (event.type == SDL_KEYDOWN)
                answer = 1;
            else if (event.type == SDL_QUIT)
                answer = 2;
        }
        if (answer == 0)
            answer = EM_ASM_INT({
                const d = Module.drawkit;
                if (!d || !(d.pending > 0)) return 0;
                d.pending--;
                return 1;
            });
        if (answer == 0) {
            emscripten_sleep(10);
            shown_since_yield = false;
        }
    }
    EM_ASM({ if (Module.drawkit && Module.drawkit.resumed) Module.drawkit.resumed($0); }, waits);
    return answer == 2 ? 1 : 0;
}
