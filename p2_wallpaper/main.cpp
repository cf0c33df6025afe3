// Static p2 wallpaper: grey stars in an outlined lattice cell, then the
// cell's grey pixels copied over the whole window.
#include "star_cell.h"

int SDL_main(int, char**)
{
    start_program("p2_wallpaper");
    map_palette();
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: the outlined home cell and its two stars.
    draw_cell_and_stars();
    end_stage();

    // Stage 2: the grey motif copied to the 441 lattice translates.
    copy_cell_to_translates();
    end_stage();
    return 0;
}
