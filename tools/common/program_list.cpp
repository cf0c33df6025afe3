#include "program_list.h"

#include <cstdlib>
#include <fstream>

namespace {

// Splits a line at tabs.
std::vector<std::string> fields_of(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == '\t')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

bool valid_name(const std::string& name)
{
    if (name.empty())
        return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

}  // namespace

std::vector<listed_program> read_program_list(const std::string& path, std::string& error)
{
    std::vector<listed_program> list;
    std::ifstream in(path);
    if (!in) {
        error = "cannot read the program list " + path;
        return {};
    }
    int line_number = 0;
    for (std::string line; std::getline(in, line);) {
        ++line_number;
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> f = fields_of(line);
        char* end = nullptr;
        const long frame_ms = f.size() == 5 ? std::strtol(f[2].c_str(), &end, 10) : -1;
        if (f.size() != 5 || !valid_name(f[0]) || f[2].empty() || *end || frame_ms < 0 ||
            frame_ms > 10000 || find_program(list, f[0])) {
            error = path + ":" + std::to_string(line_number) +
                    ": expected name, kind, frame_ms, title and pattern separated by tabs: " + line;
            return {};
        }
        list.push_back({f[0], f[1], static_cast<int>(frame_ms), f[3], f[4]});
    }
    if (list.empty())
        error = path + " lists no program";
    return list;
}

std::string program_list_path()
{
    return PROGRAM_LIST_PATH;
}

const listed_program* find_program(const std::vector<listed_program>& list, const std::string& name)
{
    for (const listed_program& p : list)
        if (p.name == name)
            return &p;
    return nullptr;
}
