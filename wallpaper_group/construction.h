// The construction of every plane group from its table row: the motif in
// the fundamental region, one copy stage per generating operation, the
// lattice translations, and the symmetry elements of the whole pattern. A
// frieze's row runs through the same stages with translations along its
// strip only, a rosette's with none.
#pragma once

#include "groups.h"

#include <plane_groups.h>

#include <vector>

// The colours of the pictures, mapped on the screen's format.
struct group_palette {
    Uint32 background, outline, motif[3];
    Uint32 mirror, glide, centre, rim, cell;
};
group_palette map_group_palette();

// A group placed in the window: the lattice origin `home` (a pixel corner)
// is chosen so that the cell the operations build lies in the middle.
struct group_layout {
    const wallpaper_group* group;
    pixel_point home;
    double a[2], b[2];  // the lattice of the turns and mirrors (geometric_lattice)
};
group_layout lay_out_group(const wallpaper_group& group);

// The window isometry of operation `op` taken `power` times.
plane_isometry operation_isometry(const group_layout& layout, const group_operation& op, int power);

// The copies of the fundamental region the stages make, as the isometries
// that take the region to each: the identity, then for each operation in
// turn each of its powers after every copy made before it.
std::vector<plane_isometry> stage_copies(const group_layout& layout);

// The window points of the fundamental region's corners.
std::vector<window_point> region_points(const group_layout& layout);

// The motif: three discs, red, green and blue, of three sizes, each pushed
// from the centre of the largest disc inside the fundamental region towards
// one of its corners, so that no isometry but the identity maps it onto
// itself, and it keeps clear of the region's edges.
void draw_motif(const group_layout& layout, const group_palette& palette);

// The fundamental region's edges, drawn with draw_line.
void outline_region(const group_layout& layout, const group_palette& palette);

// Copies the figure of `pattern` by the operation: a mirror or glide once,
// a turn of order n by each of its n - 1 powers.
void apply_operation(const group_layout& layout, const group_operation& op, const window_copy& pattern,
                     const group_palette& palette);

// The operation's element: a mirror's line, a glide's dashed line, a
// turn's centre as a small polygon of its order.
void draw_operation_element(const group_layout& layout, const group_operation& op, const group_palette& palette);

// Copies the figure of `pattern` to every whole-pixel lattice translate
// that reaches the window (along a only for a frieze; none for a rosette).
void copy_to_lattice(const group_layout& layout, const window_copy& pattern, const group_palette& palette);

// The home lattice cell outlined, and every symmetry element that meets
// the window (the two halves of draw_symmetry_elements).
void draw_home_cell(const group_layout& layout, const group_palette& palette);
void draw_window_elements(const group_layout& layout, const group_palette& palette);

// Every symmetry element of the whole pattern that meets the window:
// mirrors as solid lines, glide lines (that are not mirrors) dashed,
// rotation centres as polygons of their order (a lens for the half-turn),
// and the home lattice cell outlined (a frieze's period of the strip; for
// C1, which has no element, its region).
void draw_symmetry_elements(const group_layout& layout, const group_palette& palette);

// What the symmetry elements are, for drawing and for the tests: the
// group's operations modulo the lattice (the identity first), found by
// closing the table's operations, with home at the origin.
std::vector<plane_isometry> operations_modulo_lattice(const wallpaper_group& group);

// The elements within `margin` pixels of the window, for the group at
// `layout` (none for a rosette, which draw_window_elements draws itself).
placed_elements elements_in_window(const group_layout& layout, double margin);

// The whole construction on the window, stage by stage: the background,
// the motif that `motif` draws in the fundamental region (draw_motif's
// discs in the program) with the region outlined, a stage per generating
// operation with its element, the lattice translations, the symmetry
// elements. `stage_done` is called at the end of each stage (the program
// shows it and waits for a key).
struct group_stages {
    void (*motif)(const group_layout& layout, const group_palette& palette, void* data);
    void* motif_data;
    void (*stage_done)(void* data);
    void* stage_data;
};
void build_group(const group_layout& layout, const group_palette& palette, const group_stages& stages);

// The number of stages build_group makes for `group`.
inline int group_stage_count(const wallpaper_group& group) { return group.operation_count + 3; }
