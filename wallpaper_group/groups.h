// The seventeen plane groups, the seven frieze groups and the rosette
// groups, one table row each: the lattice, one fundamental region and the
// operations that generate the group from it, in the order the programs
// apply them. Points are in lattice coordinates (u, v): the window point
// home + u a + v b.
#pragma once

#include <drawkit.h>

enum class operation_kind { mirror, glide, turn };

struct group_operation {
    operation_kind kind;
    unit_point at;     // a point of the mirror or glide line, or the centre of the turn
    unit_point along;  // the line's direction, a lattice vector; a glide moves half of it
    int order;         // of the turn: 2, 3, 4 or 6 in the plane, up to 12 about a point
};

// What the translations of a row are: a lattice of the plane (a and b); a
// frieze's, along a only, in a strip of height |b| about the line through
// home along a (v from -1/2 to 1/2); or none, a rosette about home, with a
// and b only the frame of its points.
enum class group_shape { plane, strip, point };

struct wallpaper_group {
    const char* name;       // the short international name
    int a[2], b[2];         // the lattice vectors in whole pixels (y downwards)
    bool hexagonal;         // turns and mirrors on the exact hexagonal lattice of side |a|
    int region_corners;     // 3 to 8
    unit_point region[8];   // the fundamental region's corners
    int operation_count;    // 0 to 2
    group_operation operations[2];
    group_shape shape = group_shape::plane;
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

// The seven frieze groups, in the order p1 p11g p1m1 p2 p2mg p11m p2mm
// (hop, step, sidle, spinning hop, spinning sidle, jump, spinning jump).
constexpr int frieze_count = 7;
extern const wallpaper_group frieze_groups[frieze_count];
const wallpaper_group* find_frieze(const char* name);

// The rosette groups C1 to C12 and D1 to D12, in that order: the motif in a
// sector about the centre of 360/n degrees (Cn) or 180/n (Dn), a turn by
// 360/n (n > 1) and for Dn the mirror along the sector's first edge.
constexpr int rosette_order_limit = 12;
constexpr int rosette_count = 2 * rosette_order_limit;
const wallpaper_group* rosette_groups();  // rosette_count rows
const wallpaper_group* find_rosette(const char* name);

// The order n of a rosette row, and whether it has mirrors (Dn).
int rosette_order(const wallpaper_group& group);
bool rosette_dihedral(const wallpaper_group& group);
