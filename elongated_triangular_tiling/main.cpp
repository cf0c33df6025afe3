// elongated_triangular_tiling: rows of red squares between rows of olive
// and green triangles (vertex configuration 3.3.3.4.4). One stage.
#include "square_cell.h"

#include <drawkit.h>

int SDL_main(int, char**)
{
    start_program("elongated_triangular_tiling");

    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    olive = SDL_MapRGB(screen->format, 205, 205, 50);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    SDL_FillRect(screen, nullptr, white);

    // Black frame along the window's border: it closes every region that
    // touches the edge, so the fills stay inside the window.
    draw_window_frame(black);

    // Stage 1: one cell per lattice point, cells outside the window included.
    sweep_lattice(-8, 9, -5, 5, scale, e1, e2, draw_square_cell);
    end_stage();

    return 0;
}
