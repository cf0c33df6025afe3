// Truncated trihexagonal tiling: light red dodecagons, green squares and
// light yellow hexagons (4.6.12), in two stages.
#include "lattice.h"
#include "polygon_motif.h"

#include <drawkit.h>

int SDL_main(int, char**)
{
    start_sdl("truncated_trihexagonal_tiling");
    open_window("truncated_trihexagonal_tiling");

    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    light_red = SDL_MapRGB(screen->format, 255, 50, 50);
    light_yellow = SDL_MapRGB(screen->format, 250, 250, 100);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    blue = SDL_MapRGB(screen->format, 0, 0, 205);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: the window frame, one motif at the centre and the two lattice
    // vectors in blue. The frame is drawn only here.
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

    // Stage 2: a 9 x 9 patch of motifs over stage 1, not cleared; then
    // whatever is still white (the hexagons, unfilled motifs) turns light
    // yellow before the patch is shown.
    for (int i = -4; i <= 4; ++i) {
        for (int j = -4; j <= 4; ++j) {
            const window_point c = lattice_centre(i, j);
            draw_polygon_motif(c.x, c.y);
        }
    }
    for (int x = 0; x < SCREEN_WIDTH; ++x) {
        for (int y = 0; y < SCREEN_HEIGHT; ++y) {
            if (get_pixel(x, y) == white)
                put_pixel(x, y, light_yellow);
        }
    }
    SDL_Flip(screen);
    wait_for_key();
    return 0;
}
