// The program list, docs/programs.tsv, for the tools and the tests: one line
// per entry, tab-separated command, kind, frame_ms, title and pattern; lines
// starting with '#' are comments. The command is a program's name, alone or
// followed by one space and one argument ("wallpaper_group p4m"); the
// entry's id, which names its golden file, captions, gallery folder, page and
// tests, is the command with the space as '_' ("wallpaper_group_p4m").
#pragma once

#include <string>
#include <vector>

struct listed_program {
    std::string id;        // the command with its space as '_'; unique in the list
    std::string program;   // the folder and the binary: the command's first word
    std::string argument;  // the command's argument; empty for none
    std::string kind;      // lattice | wallpaper | quadrilateral | terdragon | group
    int frame_ms = 0;      // how long a mid-stage frame is shown; 0: none shown
    std::string title;     // the entry's name in words
    std::string pattern;   // vertex configuration or symmetry group
};

// The entries of the list at `path`, in order. On a missing file or a
// malformed line (a command not of the form above, a repeated id) returns an
// empty list and says why in `error`.
std::vector<listed_program> read_program_list(const std::string& path, std::string& error);

// The list of this source tree (docs/programs.tsv), as built in.
std::string program_list_path();

// The entry whose id is `id`, or null.
const listed_program* find_program(const std::vector<listed_program>& list, const std::string& id);

// The command as typed and as the program names itself (window title,
// messages): "wallpaper_group p4m", or the program's name alone.
std::string command_of(const listed_program& p);

// The argument vector that runs the entry: BIN_DIR/program, then its
// argument when it has one.
std::vector<std::string> command_argv(const listed_program& p, const std::string& bin_dir);
