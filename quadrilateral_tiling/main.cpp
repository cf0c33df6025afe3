// Quadrilateral tiling: copies of one concave quadrilateral, grown
// breadth-first from a seed tile by half-turns about edge midpoints, one
// frame per tile, filled along a red to olive colour ramp.
#include "quad_queue.h"

int SDL_main(int, char**)
{
    start_program("quadrilateral_tiling");
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: draw tiles from the head of the queue, one frame each, until
    // a single record is left; that last tile stays undrawn.
    quad_node* head = make_seed_ring();
    do {
        head = draw_head_tile(head);
    } while (head != nullptr && head->next != head);
    end_stage();

    free_ring(head);
    return 0;
}
