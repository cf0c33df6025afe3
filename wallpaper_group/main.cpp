// Wallpaper group NAME: an asymmetric motif in one fundamental region,
// copied by each operation that generates the group until one lattice
// cell is complete, the cell copied over the window by the lattice
// translations, and the symmetry elements of the whole pattern drawn over
// it. `wallpaper_group --list` prints the seventeen names.
#include "group_program.h"

int SDL_main(int argc, char** argv)
{
    return run_group_program({"wallpaper_group", wallpaper_groups, group_count}, argc, argv);
}
