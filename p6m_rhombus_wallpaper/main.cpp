// p6m rhombus wallpaper: a 30-60-90 triangle outlined edge by edge, cut into
// three faces, built up to a rhombus by mirrors and turns, and tiled.
#include <rhombus_construction.h>
#include "rhombus_motif.h"

int SDL_main(int, char**)
{
    start_program("p6m_rhombus_wallpaper");

    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    olive = SDL_MapRGB(screen->format, 205, 205, 50);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: the hypotenuse
    draw_line(330, 260, 400, 300, black);
    end_stage();

    // Stage 2: the short leg
    draw_line(400, 260, 400, 300, black);
    end_stage();

    // Stage 3: the long leg
    draw_line(400, 260, 330, 260, black);
    end_stage();

    // Stage 4: the three faces
    draw_faces();
    end_stage();

    // Stage 5: mirror across column 400
    mirror_across_column();
    end_stage();

    // Stage 6: turns about (400, 300), an equilateral triangle
    turn_about_centre();
    end_stage();

    // Stage 7: mirror across the lower right edge, a rhombus
    mirror_across_edge();
    end_stage();

    // Stage 8: the rhombus stored, then copied to its lattice translates
    store_rhombus();
    tile_rhombus();
    end_stage();

    // Stage 9: one-pixel white seams closed
    close_seams(white);
    end_stage();

    return 0;
}
