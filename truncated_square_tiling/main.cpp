// Truncated square tiling: regular octagons with green squares between
// them (4.8.8), in three stages.
#include "lattice.h"
#include "polygon_motif.h"

#include <drawkit.h>

int SDL_main(int, char**)
{
    start_sdl("truncated_square_tiling");
    open_window("truncated_square_tiling");

    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    light_red = SDL_MapRGB(screen->format, 255, 50, 50);
    light_yellow = SDL_MapRGB(screen->format, 250, 250, 100);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    blue = SDL_MapRGB(screen->format, 0, 0, 205);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: one motif at the centre and the two lattice vectors in blue
    draw_window_frame(black);
    set_lattice_vectors();
    draw_polygon_motif(centre_x, centre_y);
    // The vectors end at the centres of the lattice points (1, 0) and (0, 1).
    const window_point tip1 = lattice_centre(1, 0);
    const window_point tip2 = lattice_centre(0, 1);
    draw_thick_line(centre_x, centre_y, tip1.x, tip1.y, 1, blue);
    draw_thick_line(centre_x, centre_y, tip2.x, tip2.y, 1, blue);
    SDL_Flip(screen);
    wait_for_key();

    // Stage 2: clear the window and draw a 9 x 9 patch of motifs
    SDL_FillRect(screen, nullptr, white);
    draw_window_frame(black);
    for (int i = -4; i <= 4; ++i) {
        for (int j = -4; j <= 4; ++j) {
            const window_point c = lattice_centre(i, j);
            draw_polygon_motif(c.x, c.y);
        }
    }
    SDL_Flip(screen);
    wait_for_key();

    // Stage 3: whatever is still white (the octagons) turns light red
    for (int x = 0; x < SCREEN_WIDTH; ++x) {
        for (int y = 0; y < SCREEN_HEIGHT; ++y) {
            if (get_pixel(x, y) == white)
                put_pixel(x, y, light_red);
        }
    }
    SDL_Flip(screen);
    wait_for_key();
    return 0;
}
