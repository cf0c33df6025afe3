// The program list, docs/programs.tsv, for the tools and the tests: one line
// per program, tab-separated name, kind, frame_ms, title and pattern; lines
// starting with '#' are comments.
#pragma once

#include <string>
#include <vector>

struct listed_program {
    std::string name;     // the folder and the binary
    std::string kind;     // lattice | wallpaper | quadrilateral | terdragon
    int frame_ms = 0;     // how long a mid-stage frame is shown; 0: none shown
    std::string title;    // the program's name in words
    std::string pattern;  // vertex configuration or symmetry group
};

// The programs of the list at `path`, in order. On a missing file or a
// malformed line returns an empty list and says why in `error`.
std::vector<listed_program> read_program_list(const std::string& path, std::string& error);

// The list of this source tree (docs/programs.tsv), as built in.
std::string program_list_path();

// The entry named `name`, or null.
const listed_program* find_program(const std::vector<listed_program>& list, const std::string& name);
