// snub_square_tiling: stars of a red square and four green triangles on a
// turned square lattice, the square holes between them pink (vertex
// configuration 3.3.4.3.4). One stage.
#include "square_star.h"

#include <drawkit.h>

int SDL_main(int, char**)
{
    start_program("snub_square_tiling");

    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    pink = SDL_MapRGB(screen->format, 255, 100, 100);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    SDL_FillRect(screen, nullptr, white);

    // Black frame along the window's border: it closes every region that
    // touches the edge, so the fills stay inside the window.
    draw_window_frame(black);

    // Stage 1: one star per lattice point, stars outside the window included,
    // then every pixel still white inside a 10-pixel margin turns pink.
    sweep_lattice(-5, 5, -5, 5, scale, e1, e2, draw_square_star);
    for (int x = 10; x <= 789; ++x)
        for (int y = 10; y <= 589; ++y)
            if (get_pixel(x, y) == white)
                put_pixel(x, y, pink);
    end_stage();

    return 0;
}
