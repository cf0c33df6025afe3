// Recursive concave tiling: copies of one concave quadrilateral grown
// depth-first from a seed tile by half-turns about edge midpoints, one
// frame per tile, in light grey.
#include "concave_tile.h"

int SDL_main(int, char**)
{
    start_sdl("recursive_concave_tiling");
    open_window("recursive_concave_tiling");
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    tile_grey = SDL_MapRGB(screen->format, 230, 230, 230);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: grow the tiling from the seed, one frame per tile
    set_tile(seed_x, seed_y);
    grow_tile(allowed_centroids);
    SDL_Flip(screen);
    wait_for_key();
    return 0;
}
