// pattern_draw FILE.json -o OUT.png [--size WxH | --cell] [--group NAME
//              [--kind wallpaper|frieze|rosette]] [--svg OUT.svg] [--stages DIR]
// Renders a drawing saved by the draw page: the same strokes under the same
// operations and the same pixels as the page's canvas (800x600 unless
// --size; --cell: one seamless cell), under the file's group or --group's
// (of the file's kind, or --kind's).
// --svg writes the strokes as vector paths; --stages writes "Build it"'s
// stages as DIR/stage-1.png, ... A file that is no drawing: one line and
// status 2.
#include "drawing.h"

#include <picture_file.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr const char* usage =
    "usage: pattern_draw FILE.json [-o OUT.png] [--size WxH | --cell] [--group NAME [--kind KIND]] [--svg OUT.svg] "
    "[--stages DIR]\n";

bool parse_size(const std::string& text, int& w, int& h)
{
    char x = 0, rest = 0;
    return std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &rest) == 3 && x == 'x' && w >= 1 && h >= 1 &&
           w <= largest_canvas && h <= largest_canvas;
}

bool write_pixels(const std::string& path, std::vector<uint32_t> pixels, int w, int h)
{
    std::string reason;
    if (write_picture(path, {w, h, std::move(pixels)}, reason))
        return true;
    std::fprintf(stderr, "pattern_draw: %s: cannot write: %s\n", path.c_str(), reason.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string input, output, svg, stages, group, kind;
    int w = canvas_width, h = canvas_height;
    bool cell = false, sized = false, bad = argc < 2;
    for (int i = 1; i < argc && !bad; ++i) {
        const std::string arg = argv[i];
        const bool value = i + 1 < argc && argv[i + 1][0] != '\0';
        if (arg == "-o" && value && output.empty())
            output = argv[++i];
        else if (arg == "--size" && value && !sized)
            sized = true, bad = !parse_size(argv[++i], w, h);
        else if (arg == "--cell" && !cell)
            cell = true;
        else if (arg == "--group" && value && group.empty())
            group = argv[++i];
        else if (arg == "--kind" && value && kind.empty())
            kind = argv[++i];
        else if (arg == "--svg" && value && svg.empty())
            svg = argv[++i];
        else if (arg == "--stages" && value && stages.empty())
            stages = argv[++i];
        else if (input.empty() && !arg.empty() && (arg[0] != '-' || arg == "-"))
            input = arg;
        else
            bad = true;
    }
    if (bad || input.empty() || (cell && sized) || (output.empty() && svg.empty() && stages.empty()) ||
        (!kind.empty() && group.empty())) {
        std::fputs(usage, stderr);
        return 2;
    }
    std::ifstream file(input, std::ios::binary);
    std::stringstream text;
    if (input == "-")
        text << std::cin.rdbuf();
    else if (file)
        text << file.rdbuf();
    if (input != "-" && (!file || file.bad())) {
        std::fprintf(stderr, "pattern_draw: %s: cannot read the file\n", input.c_str());
        return 2;
    }
    drawing d;
    const std::string wrong = parse_drawing(text.str(), d);
    if (!wrong.empty()) {
        std::fprintf(stderr, "pattern_draw: %s: %s\n", input.c_str(), wrong.c_str());
        return 2;
    }
    if (kind.empty())
        kind = kind_of(*d.group);
    if (!group.empty() && !(d.group = find_kind_group(kind, group))) {
        std::fprintf(stderr, "pattern_draw: no %s group \"%s\" (%s_group --list names them)\n", kind.c_str(),
                     group.c_str(), kind.c_str());
        return 2;
    }
    if (cell)
        seamless_cell(*d.group, w, h);
    if (w == 0) {
        std::fprintf(stderr, "pattern_draw: --cell: a rosette does not repeat\n");
        return 2;
    }

    open_offscreen();
    if (!output.empty() && !write_pixels(output, render_drawing(d, w, h), w, h))
        return 1;
    if (!svg.empty()) {
        std::ofstream out(svg, std::ios::binary);
        out << drawing_svg(d, w, h);
        if (!out.flush()) {
            std::fprintf(stderr, "pattern_draw: %s: cannot write\n", svg.c_str());
            return 1;
        }
    }
    if (!stages.empty()) {
        const std::vector<std::vector<uint32_t>> pictures = build_stages(d);
        for (size_t k = 0; k < pictures.size(); ++k)
            if (!write_pixels(stages + "/stage-" + std::to_string(k + 1) + ".png", pictures[k], SCREEN_WIDTH,
                              SCREEN_HEIGHT))
                return 1;
    }
    return 0;
}
