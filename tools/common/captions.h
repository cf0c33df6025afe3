// Text files read line by line, and the captions of docs/captions/: line 1
// says what the program draws, then one line per stage. Linked by the tools,
// the tests and the tour's preloaded companion alike.
#pragma once

#include <string>
#include <vector>

// The lines of the text file at `path`, without their newlines; empty when
// it cannot be read.
std::vector<std::string> read_lines(const std::string& path);

struct program_captions {
    std::string picture;              // line 1: what the program draws
    std::vector<std::string> stages;  // one per stage, in order
};

// The captions file at `path`; empty when it cannot be read.
program_captions read_captions(const std::string& path);
