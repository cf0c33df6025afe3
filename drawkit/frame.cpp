// The program frame: start-up, the window surface and the key wait.
#include "drawkit.h"

#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

SDL_Surface* screen = nullptr;

// SDL's reason for its last failure; never null or empty.
static const char* sdl_reason()
{
    const char* reason = SDL_GetError();
    return reason && *reason ? reason : "SDL gave no reason";
}

// Prints "<program>: <what>: <reason>" and ends the process with status 1.
[[noreturn]] static void fail(const char* program, const char* what, const char* reason)
{
    std::fprintf(stderr, "%s: %s: %s\n", program, what, reason);
    SDL_Quit();
    std::exit(1);
}

// Video drivers that show nothing a person at the screen can see: SDL falls
// back to them by itself, but they are used only when SDL_VIDEODRIVER names
// them.
constexpr const char* unseen_drivers[] = {"dummy", "offscreen", "aalib", "caca"};

static bool is_unseen_driver(const char* name)
{
    for (const char* unseen : unseen_drivers)
        if (std::strcmp(name, unseen) == 0)
            return true;
    return false;
}

static bool is_set(const char* variable)
{
    const char* value = std::getenv(variable);
    return value && *value;
}

// SDL_Init for video with a driver that opens a real window, unless
// SDL_VIDEODRIVER names one. Returns null on success, or the reason no
// window can be opened.
static const char* start_window_video()
{
    if (is_set("SDL_VIDEODRIVER"))
        return SDL_Init(SDL_INIT_VIDEO) < 0 ? sdl_reason() : nullptr;
    if (!is_set("DISPLAY") && !is_set("WAYLAND_DISPLAY"))
        return "DISPLAY is not set (SDL_VIDEODRIVER may name another video driver)";
    if (is_set("DISPLAY")) {
        // X11 only: when the display cannot be reached, SDL would otherwise
        // fall back to a text-mode or offscreen driver and wait for keys
        // that never come.
        setenv("SDL_VIDEODRIVER", "x11", 1);
        const bool started = SDL_Init(SDL_INIT_VIDEO) >= 0;
        unsetenv("SDL_VIDEODRIVER");
        if (!started) {
            static char reason[256];
            std::snprintf(reason, sizeof reason, "cannot reach the X display %s (%s)", std::getenv("DISPLAY"),
                          sdl_reason());
            return reason;
        }
        return nullptr;
    }
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        return sdl_reason();
    char name[32] = "";
    if (SDL_VideoDriverName(name, sizeof name) && is_unseen_driver(name)) {
        SDL_Quit();
        return "no video driver can show a window on this display";
    }
    return nullptr;
}

// SDL turns SIGINT and SIGTERM into a close request, which only advances a
// stage; a program must end at once instead, killed by the signal as a shell
// expects. Puts back the dispositions the process had before SDL started.
static void give_back_signals(const struct sigaction (&before)[2])
{
    constexpr int signals[2] = {SIGINT, SIGTERM};
    for (int i = 0; i < 2; ++i)
        sigaction(signals[i], &before[i], nullptr);
}

// The dispositions of SIGINT and SIGTERM before SDL started.
static void save_signals(struct sigaction (&before)[2])
{
    sigaction(SIGINT, nullptr, &before[0]);
    sigaction(SIGTERM, nullptr, &before[1]);
}

void start_sdl(const char* program)
{
    struct sigaction before[2];
    save_signals(before);
    // SDL over SDL2 reads this hint and installs no handlers of its own.
    setenv("SDL_NO_SIGNAL_HANDLERS", "1", 0);
    const bool explicit_driver = is_set("SDL_VIDEODRIVER");
    if (const char* reason = start_window_video())
        fail(program, explicit_driver ? "cannot initialise SDL" : "cannot open a window", reason);
    give_back_signals(before);
}

void open_window(const char* program)
{
    struct sigaction before[2];
    save_signals(before);
    SDL_WM_SetCaption(program, program);
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    // Some SDLs start their event handling only with the video mode.
    give_back_signals(before);
    if (screen == nullptr)
        fail(program, "cannot open the 800x600 window", sdl_reason());
    if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) < 0)
        fail(program, "cannot lock the window surface", sdl_reason());
}

// Whether the event says the window was uncovered or shown again, so that
// its picture must be put back.
static bool window_shown_again(const SDL_Event& event)
{
    if (event.type == SDL_VIDEOEXPOSE)
        return true;
    return event.type == SDL_ACTIVEEVENT && event.active.gain && (event.active.state & SDL_APPACTIVE);
}

// Puts the surface on the screen again without a flip: the sequence of
// flips is part of the picture.
static void show_again()
{
    if (screen)
        SDL_UpdateRect(screen, 0, 0, 0, 0);
}

int wait_for_key()
{
    for (;;) {
        SDL_Event event;
        if (SDL_WaitEvent(&event) == 0)
            return 1;
        if (event.type == SDL_KEYDOWN)
            return 0;
        if (event.type == SDL_QUIT)
            return 1;
        if (window_shown_again(event))
            show_again();
    }
}
