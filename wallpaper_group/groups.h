// The seventeen plane groups, one table row each: the lattice, one
// fundamental region and the operations that generate the group from it,
// in the order the program applies them. Points are in lattice
// coordinates (u, v): the window point home + u a + v b.
#pragma once

#include <drawkit.h>

enum class operation_kind { mirror, glide, turn };

struct group_operation {
    operation_kind kind;
    unit_point at;     // a point of the mirror or glide line, or the centre of the turn
    unit_point along;  // the line's direction, a lattice vector; a glide moves half of it
    int order;         // of the turn: 2, 3, 4 or 6
};

struct wallpaper_group {
    const char* name;       // the short international name
    int a[2], b[2];         // the lattice vectors in whole pixels (y downwards)
    bool hexagonal;         // turns and mirrors on the exact hexagonal lattice of side |a|
    int region_corners;     // 3 or 4
    unit_point region[4];   // the fundamental region's corners
    int operation_count;    // 0 to 2
    group_operation operations[2];
};

// Every group, in the usual order p1 p2 pm pg cm pmm pmg pgg cmm p4 p4m p4g
// p3 p3m1 p31m p6 p6m.
constexpr int group_count = 17;
extern const wallpaper_group wallpaper_groups[group_count];

// The row named `name`, or null.
const wallpaper_group* find_group(const char* name);

// The lattice vectors the turns and mirrors are made on, in pixels: those
// of the row, except that a hexagonal row's b is the exact (|a| / 2,
// -|a| sqrt(3) / 2), which its whole-pixel b approximates.
void geometric_lattice(const wallpaper_group& group, double a[2], double b[2]);

// The window point of lattice point (u, v) for the lattice (a, b) at `home`.
window_point lattice_place(pixel_point home, const double a[2], const double b[2], unit_point p);
