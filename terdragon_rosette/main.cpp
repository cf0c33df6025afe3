// Terdragon rosette: six terdragon curves of 3^10 segments grow about the
// window centre, one frame per generation, then one wait.
#include "terdragon.h"

#include <cstdlib>
#include <ctime>

int SDL_main(int, char**)
{
    start_program("terdragon_rosette");
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    fill_palette();
    SDL_FillRect(screen, nullptr, palette[254]);

    // Segment 0: from the centre along +x, in the colour of generation 1.
    terdragon_walk walk;
    draw_segment(0, 0, walk.x, walk.y, palette[1]);

    // Generations 1 to 10, each shown as soon as it is drawn.
    for (int p = 1; p <= generation_count; ++p) {
        draw_generation(walk, p);
        SDL_Flip(screen);
    }

    // The finished rosette.
    end_stage();
    return 0;
}
