#include "groups.h"

#include <plane_groups.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr operation_kind mirror = operation_kind::mirror, glide = operation_kind::glide, turn = operation_kind::turn;
constexpr double third = 1.0 / 3, two_thirds = 2.0 / 3;

}  // namespace

// Oblique: a = (150, 0), b = (50, 130). Rectangular: 160 x 120 (pm, pg),
// 200 x 150 (pmm, pmg, pgg); centred: the 200 x 150 rectangle and its
// centre (cm, cmm); square: 160; hexagonal: side 194, b rounded to whole
// pixels (168.009 -> 168).
const wallpaper_group wallpaper_groups[group_count] = {
    {"p1", {150, 0}, {50, 130}, false, 4, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 0, {}},
    {"p2", {150, 0}, {50, 130}, false, 4, {{0, 0}, {1, 0}, {1, 0.5}, {0, 0.5}}, 1,
     {{turn, {0.5, 0.5}, {}, 2}}},
    {"pm", {160, 0}, {0, 120}, false, 4, {{0, 0}, {0.5, 0}, {0.5, 1}, {0, 1}}, 1,
     {{mirror, {0.5, 0}, {0, 1}, 0}}},
    {"pg", {160, 0}, {0, 120}, false, 4, {{0, 0}, {0.5, 0}, {0.5, 1}, {0, 1}}, 1,
     {{glide, {0.5, 0}, {0, 1}, 0}}},
    {"cm", {100, 75}, {100, -75}, false, 4, {{0, 0}, {0.5, -0.5}, {1, 0}, {0.5, 0.5}}, 1,
     {{mirror, {0.5, 0.5}, {1, -1}, 0}}},
    {"pmm", {200, 0}, {0, 150}, false, 4, {{0, 0}, {0.5, 0}, {0.5, 0.5}, {0, 0.5}}, 2,
     {{mirror, {0.5, 0}, {0, 1}, 0}, {mirror, {0, 0.5}, {1, 0}, 0}}},
    {"pmg", {200, 0}, {0, 150}, false, 4, {{0, 0}, {0.5, 0}, {0.5, 0.5}, {0, 0.5}}, 2,
     {{turn, {0.25, 0.5}, {}, 2}, {mirror, {0.5, 0}, {0, 1}, 0}}},
    {"pgg", {200, 0}, {0, 150}, false, 4, {{0, 0}, {0.5, 0}, {0.5, 0.5}, {0, 0.5}}, 2,
     {{turn, {0.5, 0.5}, {}, 2}, {glide, {0.25, 0}, {0, 1}, 0}}},
    {"cmm", {100, 75}, {100, -75}, false, 3, {{0, 0}, {0.5, 0.5}, {0.5, -0.5}}, 2,
     {{turn, {0.5, 0}, {}, 2}, {mirror, {0.5, 0.5}, {1, -1}, 0}}},
    {"p4", {160, 0}, {0, 160}, false, 4, {{0, 0}, {0.5, 0}, {0.5, 0.5}, {0, 0.5}}, 1,
     {{turn, {0.5, 0.5}, {}, 4}}},
    {"p4m", {160, 0}, {0, 160}, false, 3, {{0, 0}, {0.5, 0}, {0.5, 0.5}}, 2,
     {{turn, {0.5, 0.5}, {}, 4}, {mirror, {0.5, 0}, {0, 1}, 0}}},
    {"p4g", {160, 0}, {0, 160}, false, 3, {{0, 0}, {0.5, 0}, {0, 0.5}}, 2,
     {{turn, {0, 0}, {}, 4}, {mirror, {0.5, 0}, {-1, 1}, 0}}},
    {"p3", {194, 0}, {97, -168}, true, 4, {{0, 0}, {two_thirds, -third}, {1, 0}, {third, third}}, 1,
     {{turn, {third, third}, {}, 3}}},
    {"p3m1", {194, 0}, {97, -168}, true, 3, {{0, 0}, {two_thirds, -third}, {third, third}}, 2,
     {{turn, {third, third}, {}, 3}, {mirror, {0, 0}, {1, 1}, 0}}},
    {"p31m", {194, 0}, {97, -168}, true, 3, {{0, 0}, {1, 0}, {third, third}}, 2,
     {{turn, {third, third}, {}, 3}, {mirror, {0, 0}, {1, 0}, 0}}},
    {"p6", {194, 0}, {97, -168}, true, 4, {{0, 0}, {0.5, 0}, {third, third}, {0, 0.5}}, 1,
     {{turn, {0, 0}, {}, 6}}},
    {"p6m", {194, 0}, {97, -168}, true, 3, {{0, 0}, {0.5, 0}, {third, third}}, 2,
     {{turn, {0, 0}, {}, 6}, {mirror, {0, 0}, {1, 0}, 0}}},
};

// A period of 200 pixels in a strip 160 high: halves and quarters of the
// period, and the strip's middle line, fall on whole pixels, so every
// mirror, glide and half-turn maps pixels onto pixels.
constexpr auto strip = group_shape::strip;
const wallpaper_group frieze_groups[frieze_count] = {
    {"p1", {200, 0}, {0, 160}, false, 4, {{0, -0.5}, {1, -0.5}, {1, 0.5}, {0, 0.5}}, 0, {}, strip},
    {"p11g", {200, 0}, {0, 160}, false, 4, {{0, -0.5}, {0.5, -0.5}, {0.5, 0.5}, {0, 0.5}}, 1,
     {{glide, {0, 0}, {1, 0}, 0}}, strip},
    {"p1m1", {200, 0}, {0, 160}, false, 4, {{0, -0.5}, {0.5, -0.5}, {0.5, 0.5}, {0, 0.5}}, 1,
     {{mirror, {0.5, 0}, {0, 1}, 0}}, strip},
    {"p2", {200, 0}, {0, 160}, false, 4, {{0, -0.5}, {1, -0.5}, {1, 0}, {0, 0}}, 1,
     {{turn, {0.5, 0}, {}, 2}}, strip},
    {"p2mg", {200, 0}, {0, 160}, false, 4, {{0, -0.5}, {0.5, -0.5}, {0.5, 0}, {0, 0}}, 2,
     {{turn, {0.25, 0}, {}, 2}, {mirror, {0.5, 0}, {0, 1}, 0}}, strip},
    {"p11m", {200, 0}, {0, 160}, false, 4, {{0, -0.5}, {1, -0.5}, {1, 0}, {0, 0}}, 1,
     {{mirror, {0, 0}, {1, 0}, 0}}, strip},
    {"p2mm", {200, 0}, {0, 160}, false, 4, {{0, -0.5}, {0.5, -0.5}, {0.5, 0}, {0, 0}}, 2,
     {{mirror, {0.5, 0}, {0, 1}, 0}, {mirror, {0, 0}, {1, 0}, 0}}, strip},
};

const wallpaper_group* find_frieze(const char* name)
{
    for (const wallpaper_group& g : frieze_groups)
        if (name && std::strcmp(name, g.name) == 0)
            return &g;
    return nullptr;
}

namespace {

// The radius of the rosettes, in pixels: a and b are (radius, 0) and
// (0, radius), so that the point at angle t (clockwise on the screen) of
// the rim is (cos t, sin t).
constexpr int rosette_radius = 260;

struct rosette_table {
    char names[rosette_count][4];
    wallpaper_group rows[rosette_count];
};

rosette_table make_rosettes()
{
    rosette_table t{};
    for (int r = 0; r < rosette_count; ++r) {
        const bool dihedral = r >= rosette_order_limit;
        const int n = r % rosette_order_limit + 1;
        std::snprintf(t.names[r], sizeof t.names[r], "%c%d", dihedral ? 'D' : 'C', n);
        wallpaper_group& g = t.rows[r];
        g.name = t.names[r];
        g.a[0] = rosette_radius, g.a[1] = 0, g.b[0] = 0, g.b[1] = rosette_radius;
        g.hexagonal = false;
        g.shape = group_shape::point;
        // The sector from angle 0 to 1/sectors of a turn, its arc in steps of
        // at most 60 degrees; C1's region is the whole hexagon about the centre.
        const int sectors = dihedral ? 2 * n : n;
        const int steps = sectors >= 6 ? 1 : sectors == 4 ? 2 : (6 + sectors - 1) / sectors;
        int corners = 0;
        if (sectors > 1)
            g.region[corners++] = {0, 0};
        for (int k = 0; k <= steps && corners < 8; ++k) {
            if (sectors == 1 && k == steps)
                break;
            double c, s;
            cos_sin_turn(k, sectors * steps, c, s);
            g.region[corners++] = {c, s};
        }
        g.region_corners = corners;
        g.operation_count = 0;
        if (n > 1)
            g.operations[g.operation_count++] = {operation_kind::turn, {0, 0}, {}, n};
        if (dihedral)
            g.operations[g.operation_count++] = {operation_kind::mirror, {0, 0}, {1, 0}, 0};
    }
    return t;
}

const rosette_table& rosettes()
{
    static const rosette_table table = make_rosettes();
    return table;
}

}  // namespace

const wallpaper_group* rosette_groups() { return rosettes().rows; }

const wallpaper_group* find_rosette(const char* name)
{
    for (int r = 0; r < rosette_count; ++r)
        if (name && std::strcmp(name, rosettes().rows[r].name) == 0)
            return &rosettes().rows[r];
    return nullptr;
}

int rosette_order(const wallpaper_group& group) { return std::atoi(group.name + 1); }

bool rosette_dihedral(const wallpaper_group& group) { return group.name[0] == 'D'; }

const wallpaper_group* find_group(const char* name)
{
    for (const wallpaper_group& g : wallpaper_groups)
        if (name && std::strcmp(name, g.name) == 0)
            return &g;
    return nullptr;
}

void geometric_lattice(const wallpaper_group& group, double a[2], double b[2])
{
    a[0] = group.a[0], a[1] = group.a[1];
    b[0] = group.b[0], b[1] = group.b[1];
    if (group.hexagonal) {
        const double side = std::sqrt(a[0] * a[0] + a[1] * a[1]);
        b[0] = side / 2, b[1] = -side * std::sqrt(3.0) / 2;
    }
}

window_point lattice_place(pixel_point home, const double a[2], const double b[2], unit_point p)
{
    return {home.x + p.x * a[0] + p.y * b[0], home.y + p.x * a[1] + p.y * b[1]};
}
