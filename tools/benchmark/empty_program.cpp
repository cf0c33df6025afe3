// The start-up floor of the program benchmark: the frame every program
// shares (SDL, the window, one white stage and its wait) and nothing else.
#include <drawkit.h>

int SDL_main(int, char**)
{
    start_sdl("bench_empty_program");
    open_window("bench_empty_program");
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 255, 255, 255));
    SDL_Flip(screen);
    wait_for_key();
    return 0;
}
