// Frieze group NAME: an asymmetric motif in one fundamental region of a
// horizontal strip across the window, copied by each operation that
// generates the group until one period is complete, the period copied
// along the strip by the translations, and the symmetry elements of the
// whole frieze drawn over it: wallpaper_group's construction on a strip.
// `frieze_group --list` prints the seven names.
#include <group_program.h>

int SDL_main(int argc, char** argv)
{
    return run_group_program({"frieze_group", frieze_groups, frieze_count}, argc, argv);
}
