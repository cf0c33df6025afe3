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

// A program's name is lower case; its argument may have capitals too (the
// rosette group C6).
bool valid_word(const std::string& word, bool capitals)
{
    if (word.empty())
        return false;
    for (char c : word)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || (capitals && c >= 'A' && c <= 'Z')))
            return false;
    return true;
}

// Splits a command into its program and its argument: true when it is one
// word, or two words joined by exactly one space.
bool split_command(const std::string& command, std::string& program, std::string& argument)
{
    const size_t space = command.find(' ');
    program = command.substr(0, space);
    argument = space == std::string::npos ? "" : command.substr(space + 1);
    return valid_word(program, false) && (space == std::string::npos || valid_word(argument, true));
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
        listed_program p;
        if (f.size() != 5 || !split_command(f[0], p.program, p.argument) || f[2].empty() || *end ||
            frame_ms < 0 || frame_ms > 10000) {
            error = path + ":" + std::to_string(line_number) +
                    ": expected name, kind, frame_ms, title and pattern separated by tabs: " + line;
            return {};
        }
        p.id = p.argument.empty() ? p.program : p.program + "_" + p.argument;
        if (find_program(list, p.id)) {
            error = path + ":" + std::to_string(line_number) + ": the id " + p.id + " is listed twice: " + line;
            return {};
        }
        p.kind = f[1];
        p.frame_ms = static_cast<int>(frame_ms);
        p.title = f[3];
        p.pattern = f[4];
        list.push_back(p);
    }
    if (list.empty())
        error = path + " lists no program";
    return list;
}

std::string program_list_path()
{
    return PROGRAM_LIST_PATH;
}

const listed_program* find_program(const std::vector<listed_program>& list, const std::string& id)
{
    for (const listed_program& p : list)
        if (p.id == id)
            return &p;
    return nullptr;
}

std::string command_of(const listed_program& p)
{
    return p.argument.empty() ? p.program : p.program + " " + p.argument;
}

std::vector<std::string> command_argv(const listed_program& p, const std::string& bin_dir)
{
    std::vector<std::string> argv = {bin_dir + "/" + p.program};
    if (!p.argument.empty())
        argv.push_back(p.argument);
    return argv;
}
