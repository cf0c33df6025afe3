// Recursive convex tiling: copies of one convex quadrilateral grown
// depth-first from a seed tile by half-turns about edge midpoints, one
// frame per tile, in grey.
#include "convex_tile.h"

int SDL_main(int, char**)
{
    start_sdl("recursive_convex_tiling");
    open_window("recursive_convex_tiling");
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    tile_grey = SDL_MapRGB(screen->format, 200, 200, 200);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: grow the tiling from the seed, one frame per tile
    set_tile(seed_x, seed_y);
    grow_tile(allowed_centroids);
    SDL_Flip(screen);
    wait_for_key();
    return 0;
}
