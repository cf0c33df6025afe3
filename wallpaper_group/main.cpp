// Wallpaper group NAME: an asymmetric motif in one fundamental region,
// copied by each operation that generates the group until one lattice
// cell is complete, the cell copied over the window by the lattice
// translations, and the symmetry elements of the whole pattern drawn over
// it. `wallpaper_group --list` prints the seventeen names.
#include "construction.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The group the command line names; prints the names for --list, or one
// line of usage for anything else, and sets the exit status.
const wallpaper_group* group_of_command_line(int argc, char** argv, int& status)
{
    const wallpaper_group* group = argc == 2 ? find_group(argv[1]) : nullptr;
    status = 0;
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const wallpaper_group& g : wallpaper_groups)
            std::printf("%s\n", g.name);
        return nullptr;
    }
    if (!group) {
        std::string names;
        for (const wallpaper_group& g : wallpaper_groups)
            names += std::string(" ") + g.name;
        if (argc == 2)
            std::fprintf(stderr, "wallpaper_group: no group \"%s\"; the groups are%s\n", argv[1], names.c_str());
        else
            std::fprintf(stderr, "usage: wallpaper_group NAME, one of%s (or --list)\n", names.c_str());
        status = 2;
    }
    return group;
}

}  // namespace

int SDL_main(int argc, char** argv)
{
    int status = 0;
    const wallpaper_group* group = group_of_command_line(argc, argv, status);
    if (!group)
        return status;
    char title[40];
    std::snprintf(title, sizeof title, "wallpaper_group %s", group->name);
    start_program(title);

    // The stages, each shown until a key: the motif's three discs in one
    // fundamental region, a copy per generating operation, the lattice
    // translations, the symmetry elements (build_group).
    const group_stages stages{[](const group_layout& layout, const group_palette& palette, void*) {
                                  draw_motif(layout, palette);
                              },
                              nullptr, [](void*) { end_stage(); }, nullptr};
    build_group(lay_out_group(*group), map_group_palette(), stages);
    return 0;
}
