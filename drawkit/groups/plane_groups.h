// The seventeen plane groups: their names, their operations written in
// lattice coordinates, the symmetry elements of a set of operations, the
// name of the group a set makes, the elements that meet a rectangle of
// pixels, and their drawing in the usual notation on any pixel canvas.
//
// Lattice coordinates (u, v) stand for the pixel point origin + u a + v b
// for the lattice vectors a and b (pixels, real). An operation is the map
// u -> M u + g with M an integer matrix and g real; a set of operations
// "modulo the lattice" has one operation per coset of the translations.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// ---- Names ----

// One group's three names: short international ("p4m"), full
// international ("p4mm") and orbifold ("*442").
struct plane_group_names {
    const char* name;
    const char* full;
    const char* orbifold;
};

// Every group, in the usual order p1 p2 pm pg cm pmm pmg pgg cmm p4 p4m p4g
// p3 p3m1 p31m p6 p6m.
constexpr int plane_group_count = 17;
extern const plane_group_names plane_groups[plane_group_count];

// The row whose short international name is `name`, or null.
const plane_group_names* find_plane_group(const std::string& name);

// The orbifold name of a group given by its short international name
// ("*442" for p4m), or "" for a name that is none of the seventeen.
std::string orbifold_of(const std::string& group);

// ---- Operations in lattice coordinates ----

struct plane_point {
    double x = 0;
    double y = 0;
};

// u -> M u + g.
struct plane_operation {
    int m[2][2] = {{1, 0}, {0, 1}};
    double g[2] = {0, 0};
};

// The determinant of M: 1 for a rotation or translation, -1 for a mirror
// or glide reflection.
int det2(const int m[2][2]);

// The order of the rotation M (2, 3, 4, 6), 1 for the identity or any M
// that is no rotation of finite order other than those.
int rotation_order(const int m[2][2]);

// p after q: u -> p(q(u)).
plane_operation compose(const plane_operation& p, const plane_operation& q);

// The same operations written about the origin o: in coordinates u - o.
std::vector<plane_operation> about(const std::vector<plane_operation>& ops, plane_point o);

// drawkit's isometry of the plane in pixels, x -> m x + t (geometry.h).
struct plane_isometry;

// The linear part in pixels, A M A^-1 with A = (a b), of the lattice map M.
void pixel_linear(const double a[2], const double b[2], const int m[2][2], double l[2][2]);

// The pixel isometry g written in lattice coordinates for the lattice
// (a, b) whose origin is pixel (0, 0); false when g does not map the
// lattice onto itself (M is not an integer matrix to within 1e-6).
bool lattice_operation(const plane_isometry& g, const double a[2], const double b[2], plane_operation& op);

// The group that the pixel isometries `generators` make with the lattice
// (a, b), one isometry per coset with its translation brought into the
// cell at pixel (0, 0): the identity first, then each new product in the
// order found. Stops at 64 isometries, more than any plane group has.
std::vector<plane_isometry> isometries_modulo_lattice(const std::vector<plane_isometry>& generators,
                                                      const double a[2], const double b[2]);

// cos and sin of k / n of a whole turn (n from 1 to 24): cos_sin_degrees
// (geometry.h) where that is exact (multiples of 30 and 45 degrees),
// otherwise a literal of 17 significant digits, never the C library's, so
// that turns by 360/7 or 360/11 degrees land on the same pixels on every
// machine (turns.cpp). Any other n gives a turn of 0.
void cos_sin_turn(int k, int n, double& c, double& s);

// ---- Elements modulo the lattice ----

// A class of rotation centres under the translations: a point of it in
// the cell [0, 1)^2 (to within tol), and the highest order of the
// rotations about it.
struct centre_class {
    plane_point at;
    int order = 0;
};

// A class of parallel mirror or glide lines under the translations: the
// lines cross(d, u) = offset + k for every integer k, d the primitive
// integer direction, offset in [0, 1).
struct line_class {
    int d[2] = {0, 0};
    double offset = 0;
    bool glide = false;  // a glide line; otherwise a mirror
};

struct plane_elements {
    std::vector<centre_class> centres;  // highest order first, otherwise in the order found
    std::vector<line_class> lines;      // mirrors first, otherwise in the order found
};

// The fixed points, modulo the lattice, of every rotation among `ops`,
// each once (to within tol).
std::vector<plane_point> fixed_points(const std::vector<plane_operation>& ops, double tol);

// How many of `ops` fix u, plus one (the identity): the order of the
// rotations about u when `ops` holds one operation per coset.
int order_at(const std::vector<plane_operation>& ops, plane_point u, double tol);

// The primitive integer vector that the reflection M keeps.
void axis_of(const int m[2][2], int d[2]);

// Adds to `classes` the mirror and glide line classes of the reflection
// `op` that it does not hold yet, and sets `mirror` or `glide` when the
// coset of `op` holds a mirror or a glide reflection.
void reflection_lines(const plane_operation& op, double tol, std::vector<line_class>& classes, bool& mirror,
                      bool& glide);

// The rotation centres and the mirror and glide lines of `ops` (one
// operation per coset, the identity left out or not).
plane_elements elements_of(const std::vector<plane_operation>& ops, double tol);

// The short international name of the group whose operations modulo the
// lattice (a, b) are `ops` (the identity left out or not).
std::string name_group(const double a[2], const double b[2], const std::vector<plane_operation>& ops, double tol);

// ---- Elements in pixels ----

struct pixel_rectangle {
    double x0, y0, x1, y1;
};

// A mirror or glide line: the point of it nearest to pixel (0, 0) and its
// unit direction, pointing down (y > 0), or right when horizontal.
struct placed_line {
    double px, py, dx, dy;
    bool mirror;  // a mirror (also when glides run along it); otherwise a glide line
};

struct placed_centre {
    double x, y;
    int order;
};

struct placed_elements {
    std::vector<placed_line> lines;
    std::vector<placed_centre> centres;
};

// The elements of the isometries `ops` (one per coset, about pixel (0, 0),
// as isometries_modulo_lattice gives them) moved to `origin`, with all
// their lattice translates within `margin` pixels of the rectangle (a
// line: of the circle through its corners): each rotation centre once,
// with the highest order of the turns about it, and each line once, a
// mirror when any reflection in it is one. Found operation by operation,
// each over the translates i a + j b row by row from i, j = -n (n at
// least 12, more when the rectangle needs it), the first point found
// kept for each element: the same doubles in the same steps for every
// caller, so that a picture drawn from them never moves by a pixel.
placed_elements elements_meeting(const std::vector<plane_isometry>& ops, const double a[2], const double b[2],
                                 plane_point origin, pixel_rectangle rectangle, double margin);

// ---- The notation on a pixel canvas ----

// A canvas of width x height pixels that the notation draws on, by three
// functions, each clipped to the canvas: a 4-connected line between two
// pixels, a band about three pixels wide between two pixels, and the
// boundary fill of the region about a pixel up to the colour `border`.
struct notation_canvas {
    int width = 0, height = 0;
    void* pixels = nullptr;  // passed to the three functions
    void (*line)(void* pixels, int x0, int y0, int x1, int y1, uint32_t colour) = nullptr;
    void (*band)(void* pixels, int x0, int y0, int x1, int y1, uint32_t colour) = nullptr;
    void (*fill)(void* pixels, int x, int y, uint32_t colour, uint32_t border) = nullptr;
};

// The canvas of a w x h RGB pixel array (0xRRGGBB, row-major), kept by
// the caller for as long as the canvas is used.
struct rgb_pixels {
    uint32_t* rgb;
    int w, h;
};
notation_canvas rgb_canvas(rgb_pixels& pixels);

struct notation_colours {
    uint32_t mirror, glide, centre, rim, cell;
};

// The usual colours, as 0xRRGGBB: dark blue mirrors, purple glides,
// yellow centres rimmed in black, a grey cell.
constexpr notation_colours notation_rgb{0x00008c, 0xc800a0, 0xffc800, 0x000000, 0x6e6e6e};

// A line across the whole canvas through (px, py) along the unit (dx, dy):
// a band, solid, or in dashes of 10 pixels every 16 from (px, py).
void draw_element_line(const notation_canvas& canvas, double px, double py, double dx, double dy, bool dashed,
                       uint32_t colour);

// A rotation centre at (x, y), when that point is on the canvas: a regular
// polygon of its order, 2 to 24 (a lens for the half-turn), rimmed in `rim`
// and filled with `fill`.
void draw_centre(const notation_canvas& canvas, double x, double y, int order, uint32_t fill, uint32_t rim);

// The lattice cell at `origin` spanned by a and b, outlined in lines.
void draw_cell(const notation_canvas& canvas, plane_point origin, const double a[2], const double b[2],
               uint32_t colour);

// The elements in the usual notation: glide lines (dashed), then mirrors
// (solid) over them, then the rotation centres on top.
void draw_notation(const notation_canvas& canvas, const placed_elements& elements, const notation_colours& colours);
