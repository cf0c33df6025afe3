#include "captions.h"

#include <fstream>

std::vector<std::string> read_lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

program_captions read_captions(const std::string& path)
{
    program_captions c;
    std::vector<std::string> lines = read_lines(path);
    if (lines.empty())
        return c;
    c.picture = lines[0];
    c.stages.assign(lines.begin() + 1, lines.end());
    return c;
}
