// Static p2 wallpaper: grey stars in an outlined lattice cell, then the
// cell's grey pixels copied over the whole window.
#include "star_cell.h"

int SDL_main(int, char**)
{
    start_sdl("p2_wallpaper");
    open_window("p2_wallpaper");
    map_palette();
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: the outlined home cell and its two stars.
    draw_cell_and_stars();
    SDL_Flip(screen);
    wait_for_key();

    // Stage 2: the grey motif copied to the 441 lattice translates.
    copy_cell_to_translates();
    SDL_Flip(screen);
    wait_for_key();
    return 0;
}
