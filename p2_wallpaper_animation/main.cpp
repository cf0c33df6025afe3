// Animated p2 wallpaper: a red star and its half-turn image travel round an
// ellipse inside one lattice cell, copied over the whole window each frame.
#include "animated_cell.h"

int SDL_main(int, char**)
{
    start_program("p2_wallpaper_animation");
    map_palette();
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: the black lattice cell with its diagonal.
    draw_cell();
    end_stage();

    // Stage 2: 250 frames; the first still shows the black cell underneath.
    double v = 0.0;
    do {
        draw_stars(v);
        copy_cell_to_translates();
        SDL_Flip(screen);
        SDL_FillRect(screen, nullptr, white);
        v += 0.1;
    } while (v < 25.0);

    // The window is white again after the last frame.
    end_stage();
    return 0;
}
