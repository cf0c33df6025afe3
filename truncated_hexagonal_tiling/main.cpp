// truncated_hexagonal_tiling: light red dodecagons on a triangular lattice
// with light yellow triangles between them (vertex configuration 3.12.12).
// Two stages: one dodecagon with its lattice vectors, then the tiling.
#include "dodecagon.h"

#include <drawkit.h>

int SDL_main(int, char**)
{
    start_program("truncated_hexagonal_tiling");

    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    light_red = SDL_MapRGB(screen->format, 255, 50, 50);
    light_yellow = SDL_MapRGB(screen->format, 250, 250, 100);
    blue = SDL_MapRGB(screen->format, 0, 0, 205);
    SDL_FillRect(screen, nullptr, white);

    // Black frame along the window's border: it closes every region that
    // touches the edge, so the fills stay inside the window.
    draw_window_frame(black);

    set_lattice_vectors();

    // Stage 1: the dodecagon at the origin and its two lattice vectors.
    draw_dodecagon(lattice_origin.x, lattice_origin.y);
    draw_edge(lattice_origin, lattice_anchor(scale, e1, e2, 1, 0), blue);
    draw_edge(lattice_origin, lattice_anchor(scale, e1, e2, 0, 1), blue);
    end_stage();

    // Stage 2: the 9 x 9 patch of dodecagons over stage 1, then every pixel
    // still white (the triangles and the corners outside the patch) turns
    // light yellow.
    sweep_lattice(-4, 4, -4, 4, scale, e1, e2, draw_dodecagon);
    for (int x = 0; x < SCREEN_WIDTH; ++x)
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            if (get_pixel(x, y) == white)
                put_pixel(x, y, light_yellow);
    end_stage();

    return 0;
}
