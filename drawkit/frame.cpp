// The program frame: start-up, the window surface and the key wait.
#include "drawkit.h"

#include <cstdio>
#include <cstdlib>

SDL_Surface* screen = nullptr;

// Prints "<program>: <what>: <SDL's reason>" and ends the process with status 1.
[[noreturn]] static void fail(const char* program, const char* what)
{
    std::fprintf(stderr, "%s: %s: %s\n", program, what, SDL_GetError());
    SDL_Quit();
    std::exit(1);
}

void start_sdl(const char* program)
{
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        fail(program, "cannot initialise SDL");
}

void open_window(const char* program)
{
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (screen == nullptr)
        fail(program, "cannot open the 800x600 window");
    if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) < 0)
        fail(program, "cannot lock the window surface");
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
    }
}
