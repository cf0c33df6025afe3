// A small program for the capture tool's tests: three stages, three frames
// in the middle of the second, a colour from srand(time(NULL)) in the third.
// CAPTURE_DEMO_MODE makes it misbehave at the start of stage 2: "crash"
// aborts, "hang" sleeps for ever (with a child of its own, whose pid goes to
// CAPTURE_DEMO_PIDFILE), "deaf" waits for events for ever.
#include <drawkit.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

Uint32 white, black, red, blue;

static void fill_rect(int x0, int y0, int x1, int y1, Uint32 colour)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            put_pixel(x, y, colour);
}

static void misbehave(const char* mode)
{
    if (std::strcmp(mode, "crash") == 0)
        std::abort();
    if (std::strcmp(mode, "hang") == 0) {
        const pid_t child = fork();
        if (child > 0) {
            if (const char* file = std::getenv("CAPTURE_DEMO_PIDFILE")) {
                if (FILE* f = std::fopen(file, "w")) {
                    std::fprintf(f, "%d\n", static_cast<int>(child));
                    std::fclose(f);
                }
            }
        }
        for (;;)
            pause();
    }
    if (std::strcmp(mode, "deaf") == 0) {
        SDL_Event event;
        for (;;)
            SDL_WaitEvent(&event);
    }
}

int SDL_main(int, char**)
{
    start_sdl("capture_demo");
    srand(time(NULL));
    open_window("capture_demo");
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    blue = SDL_MapRGB(screen->format, 0, 0, 205);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: a black frame and a red square
    draw_line(0, 0, 799, 0, black);
    draw_line(799, 0, 799, 599, black);
    draw_line(799, 599, 0, 599, black);
    draw_line(0, 599, 0, 0, black);
    fill_rect(100, 100, 199, 199, red);
    SDL_Flip(screen);
    wait_for_key();

    // Stage 2: three blue bars, each shown as it is drawn
    if (const char* mode = std::getenv("CAPTURE_DEMO_MODE"))
        misbehave(mode);
    for (int k = 0; k < 3; ++k) {
        fill_rect(300 + 40 * k, 100, 329 + 40 * k, 299, blue);
        SDL_Flip(screen);
    }
    wait_for_key();

    // Stage 3: a square of a random colour
    const int r = rand() % 256;
    const int g = rand() % 256;
    const int b = rand() % 256;
    fill_rect(500, 350, 599, 449, SDL_MapRGB(screen->format, r, g, b));
    SDL_Flip(screen);
    wait_for_key();
    return 0;
}
