// Rosette group NAME (C1 to C12, D1 to D12): an asymmetric motif in one
// sector about the window's centre, copied by the turn and, for Dn, the
// mirror, and the centre and the mirrors drawn over the whole rosette:
// wallpaper_group's construction about a point, without translations.
// `rosette_group --list` prints the twenty-four names.
#include <group_program.h>

int SDL_main(int argc, char** argv)
{
    return run_group_program({"rosette_group", rosette_groups(), rosette_count}, argc, argv);
}
