#include "group_program.h"

#include "construction.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The row the command line names; prints the names for --list, or one line
// of usage for anything else, and sets the exit status.
const wallpaper_group* group_of_command_line(const group_list& list, int argc, char** argv, int& status)
{
    const wallpaper_group* group = nullptr;
    for (int k = 0; k < list.count && argc == 2; ++k)
        if (std::strcmp(argv[1], list.rows[k].name) == 0)
            group = &list.rows[k];
    status = 0;
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (int k = 0; k < list.count; ++k)
            std::printf("%s\n", list.rows[k].name);
        return nullptr;
    }
    if (!group) {
        std::string names;
        for (int k = 0; k < list.count; ++k)
            names += std::string(" ") + list.rows[k].name;
        if (argc == 2)
            std::fprintf(stderr, "%s: no group \"%s\"; the groups are%s\n", list.program, argv[1], names.c_str());
        else
            std::fprintf(stderr, "usage: %s NAME, one of%s (or --list)\n", list.program, names.c_str());
        status = 2;
    }
    return group;
}

}  // namespace

int run_group_program(const group_list& list, int argc, char** argv)
{
    int status = 0;
    const wallpaper_group* group = group_of_command_line(list, argc, argv, status);
    if (!group)
        return status;
    const std::string title = std::string(list.program) + " " + group->name;
    start_program(title.c_str());

    // The stages, each shown until a key: the motif's three discs in one
    // fundamental region, a copy per generating operation, the translations
    // (none about a point), the symmetry elements (build_group).
    const group_stages stages{[](const group_layout& layout, const group_palette& palette, void*) {
                                  draw_motif(layout, palette);
                              },
                              nullptr, [](void*) { end_stage(); }, nullptr};
    build_group(lay_out_group(*group), map_group_palette(), stages);
    return 0;
}
