// Truncated trihexagonal tiling: light red dodecagons, green squares and
// light yellow hexagons (4.6.12), in two stages.
#include "polygon_motif.h"

int SDL_main(int, char**)
{
    start_program("truncated_trihexagonal_tiling");

    map_palette();
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: the window frame, one motif at the centre and the two lattice
    // vectors in blue. The frame is drawn only here.
    draw_window_frame(black);
    set_lattice_vectors();
    draw_polygon_motif(lattice_origin.x, lattice_origin.y);
    // The vectors end at the centres of the lattice points (1, 0) and (0, 1).
    draw_edge(lattice_origin, lattice_anchor(scale, e1, e2, 1, 0), blue);
    draw_edge(lattice_origin, lattice_anchor(scale, e1, e2, 0, 1), blue);
    end_stage();

    // Stage 2: a 9 x 9 patch of motifs over stage 1, not cleared; then
    // whatever is still white (the hexagons, unfilled motifs) turns light
    // yellow before the patch is shown.
    sweep_lattice(-4, 4, -4, 4, scale, e1, e2, draw_polygon_motif);
    for (int x = 0; x < SCREEN_WIDTH; ++x) {
        for (int y = 0; y < SCREEN_HEIGHT; ++y) {
            if (get_pixel(x, y) == white)
                put_pixel(x, y, light_yellow);
        }
    }
    end_stage();
    return 0;
}
