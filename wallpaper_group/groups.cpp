#include "groups.h"

#include <cmath>
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
