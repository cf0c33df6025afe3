// Quadrilateral rings: copies of one convex quadrilateral grown
// breadth-first from a seed tile to 613 tiles, coloured by generation.
#include "ring_tiles.h"

int SDL_main(int, char**)
{
    start_program("quadrilateral_rings");
    map_palette();
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: the seed tile alone
    start_queue();
    end_stage();

    // Stage 2: breadth-first growth to the seed and 17 rings around it
    for (int pass = 0; pass < max_passes; ++pass)
        grow_pass();
    end_stage();

    release_queue();
    return 0;
}
