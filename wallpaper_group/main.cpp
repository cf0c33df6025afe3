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

    const group_palette palette = map_group_palette();
    const group_layout layout = lay_out_group(*group);
    SDL_FillRect(screen, nullptr, palette.background);

    // Stage 1: the motif in one fundamental region, the region outlined
    draw_motif(layout, palette);
    window_copy pattern = save_window();
    outline_region(layout, palette);
    end_stage();

    // Stages 2 on: each generating operation copies the pattern so far, and
    // shows its mirror, glide line or centre until the next stage
    for (int i = 0; i < group->operation_count; ++i) {
        restore_window(pattern);
        apply_operation(layout, group->operations[i], pattern, palette);
        pattern = save_window();
        draw_operation_element(layout, group->operations[i], palette);
        end_stage();
    }

    // Next: the complete cell copied by the lattice translations
    restore_window(pattern);
    copy_to_lattice(layout, pattern, palette);
    end_stage();

    // Last: the symmetry elements of the whole pattern
    draw_symmetry_elements(layout, palette);
    end_stage();
    return 0;
}
