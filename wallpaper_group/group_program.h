// The command line and the run shared by wallpaper_group, frieze_group and
// rosette_group: NAME draws that row's construction; --list prints the
// names one a line; a missing or unknown name gets one line naming the
// valid ones and status 2, before any window is asked for.
#pragma once

#include "groups.h"

struct group_list {
    const char* program;
    const wallpaper_group* rows;
    int count;
};

// The program's status.
int run_group_program(const group_list& list, int argc, char** argv);
