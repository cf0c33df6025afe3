// snub_hexagonal_tiling: red hexagons, each ringed by green triangles, on a
// triangular lattice (vertex configuration 3.3.3.3.6). One stage.
#include "hex_cell.h"

#include <drawkit.h>

int SDL_main(int, char**)
{
    start_program("snub_hexagonal_tiling");

    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    SDL_FillRect(screen, nullptr, white);

    // Black frame along the window's border: it closes every region that
    // touches the edge, so the fills stay inside the window.
    draw_window_frame(black);

    // Stage 1: one cell per lattice point, cells outside the window included.
    sweep_lattice(-4, 4, -3, 3, scale, e1, e2, draw_hex_cell);
    end_stage();

    return 0;
}
