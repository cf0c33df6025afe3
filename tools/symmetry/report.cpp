// The classifier's report: the text the command line prints and the JSON
// that programs and the browser page read.
#include "symmetry.h"

#include <cstdio>

namespace {

std::string number(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", x);
    std::string s = text;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string point(real_point p) { return "(" + number(p.x) + ", " + number(p.y) + ")"; }

}  // namespace

std::string describe(const wallpaper_symmetry& s)
{
    std::string text = "group: " + s.group + "\n";
    if (s.group == "none")
        return text;
    text += "lattice: " + point({s.lattice[0][0], s.lattice[0][1]}) + " " + point({s.lattice[1][0], s.lattice[1][1]}) + "\n";
    text += "orbifold: " + s.orbifold + "\n";
    if (s.approximate) {
        char share[16];
        std::snprintf(share, sizeof share, "%.1f", 100 * s.lowest_agreement);
        // The generators are held to the threshold; an operation composed of
        // them may agree a little less, and the lowest of all is told.
        text += std::string("check: approximate, ") + (s.approximate_lattice ? "the translations and " : "") +
                "the rotations and mirrors that generate the group agree on at least 97% of compared pixels "
                "(lowest of all its operations " + share + "%)\n";
    } else {
        text += "check: exact, every compared pixel agrees\n";
    }
    text += "compared: (" + std::to_string(s.compared[0]) + ", " + std::to_string(s.compared[1]) + ") (" +
            std::to_string(s.compared[2]) + ", " + std::to_string(s.compared[3]) + ")\n";
    text += "cell: " + point(s.origin) + "\n";
    for (const rotation_centre& c : s.centres)
        text += "rotation " + std::to_string(c.order) + ": " + point(c.at) + "\n";
    for (const reflection_line& line : s.lines)
        text += std::string(line.glide ? "glide: " : "mirror: ") + point(line.from) + " " + point(line.to) + "\n";
    return text;
}
