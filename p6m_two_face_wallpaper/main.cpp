// p6m two-face wallpaper: a 30-60-90 triangle in two faces, built up to a
// rhombus by mirrors and turns, and tiled.
#include <rhombus_construction.h>
#include "two_face_motif.h"

int SDL_main(int, char**)
{
    start_program("p6m_two_face_wallpaper");

    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: the two-face motif
    draw_two_faces();
    end_stage();

    // Stage 2: mirror across column 400
    mirror_across_column();
    end_stage();

    // Stage 3: turns about (400, 300), an equilateral triangle
    turn_about_centre();
    end_stage();

    // Stage 4: mirror across the lower right edge, a rhombus
    mirror_across_edge();
    end_stage();

    // Stage 5: the rhombus stored, then copied to its lattice translates
    store_rhombus();
    tile_rhombus();
    end_stage();

    // Stage 6: one-pixel white seams closed
    close_seams(white);
    end_stage();

    return 0;
}
