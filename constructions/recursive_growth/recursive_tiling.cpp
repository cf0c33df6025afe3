// The one program of both recursive tilings.
#include "grow_tile.h"

int run_recursive_tiling(const char* name, const int seed_x[4], const int seed_y[4],
                         const centroid_bounds& allowed, Uint8 grey)
{
    start_program(name);
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    tile_grey = SDL_MapRGB(screen->format, grey, grey, grey);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: grow the tiling from the seed, one frame per tile
    set_tile(seed_x, seed_y);
    grow_tile(allowed);
    end_stage();
    return 0;
}
