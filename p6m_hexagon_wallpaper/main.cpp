// p6m hexagon wallpaper: a three-face motif in a 30-60-90 triangle, built up
// by mirrors and turns to a regular hexagon and copied over the window.
#include "hexagon_stages.h"

int SDL_main(int, char**)
{
    start_program("p6m_hexagon_wallpaper");

    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    olive = SDL_MapRGB(screen->format, 205, 205, 50);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: the motif
    draw_motif();
    end_stage();

    // Stage 2: mirror across row 300, an equilateral triangle
    mirror_across_row();
    end_stage();

    // Stage 3: mirror across column 469.28, a rhombus
    mirror_across_column();
    end_stage();

    // Stage 4: two turned copies of the rhombus, a hexagon
    turn_rhombus();
    end_stage();

    // Stage 5: the hexagon copied to its lattice translates
    tile_hexagon();
    end_stage();

    return 0;
}
