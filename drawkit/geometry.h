// drawkit geometry: the window point, the lattice vector, the placement of
// lattice points and unit-frame points in the window, and the roundings
// that decide which pixel a real coordinate lands on. Every real coordinate
// becomes a pixel by truncation toward zero, never by rounding or flooring.
// Pure geometry: no SDL, no surface, no drawing (drawkit.h draws).
#pragma once

#include <cmath>

// The window's extent in pixels.
constexpr int SCREEN_WIDTH = 800;
constexpr int SCREEN_HEIGHT = 600;

// A window point in pixels: x the column, y the row (downwards). It may lie
// outside the window.
struct pixel_point {
    int x;
    int y;
};

// A lattice vector in lattice units, y upward, held in single precision.
struct lattice_vector {
    float x;
    float y;
};

// A point of a unit frame (a lattice, a cell or a motif), y upward.
struct unit_point {
    double x;
    double y;
};

// The window point of every lattice's origin and of the window's centre.
constexpr pixel_point lattice_origin{400, 300};

// Whether (x, y) is a pixel of the window (columns 0..799, rows 0..599);
// any coordinates, 64-bit ones included.
inline bool inside_window(long long x, long long y)
{
    return x >= 0 && x < SCREEN_WIDTH && y >= 0 && y < SCREEN_HEIGHT;
}

// A real coordinate truncated toward zero: the one way a value becomes a
// pixel. The long double form keeps the 64-bit significand of its sum.
inline int trunc_px(double value) { return static_cast<int>(value); }
inline int trunc_px(long double value) { return static_cast<int>(value); }

// The window point of lattice point (i, j) for `scale` pixels per lattice
// unit, unrounded, in pixels (x rightwards, y downwards): ((400 + (s i)
// e1.x) + (s j) e2.x, (300 - (s i) e1.y) - (s j) e2.y), summed in double
// in this order (exact for float vectors).
struct window_point {
    double x;
    double y;
};
inline window_point lattice_point(double scale, lattice_vector e1, lattice_vector e2, int i, int j)
{
    const double si = scale * i, sj = scale * j;
    return {(lattice_origin.x + si * static_cast<double>(e1.x)) + sj * static_cast<double>(e2.x),
            (lattice_origin.y - si * static_cast<double>(e1.y)) - sj * static_cast<double>(e2.y)};
}

// The anchor pixel of lattice point (i, j): that window point truncated.
inline pixel_point lattice_anchor(double scale, lattice_vector e1, lattice_vector e2, int i, int j)
{
    const window_point p = lattice_point(scale, e1, e2, i, j);
    return {trunc_px(p.x), trunc_px(p.y)};
}

// The lattice sweep: draw_figure(anchor.x, anchor.y) at the anchor of
// every lattice point, i from i_first to i_last (outer loop), j from j_first
// to j_last (inner), bounds inclusive, also where the figure lies wholly
// outside the window.
inline void sweep_lattice(int i_first, int i_last, int j_first, int j_last, double scale, lattice_vector e1,
                          lattice_vector e2, void (*draw_figure)(int x, int y))
{
    for (int i = i_first; i <= i_last; ++i)
        for (int j = j_first; j <= j_last; ++j) {
            const pixel_point anchor = lattice_anchor(scale, e1, e2, i, j);
            draw_figure(anchor.x, anchor.y);
        }
}

// The same sweep for a figure placed at the unrounded window point of every
// lattice point: a figure whose every vertex is truncated once, from the
// exact sum, repeats along the lattice as closely as the pixels allow.
inline void sweep_lattice_points(int i_first, int i_last, int j_first, int j_last, double scale, lattice_vector e1,
                                 lattice_vector e2, void (*draw_figure)(window_point p))
{
    for (int i = i_first; i <= i_last; ++i)
        for (int j = j_first; j <= j_last; ++j)
            draw_figure(lattice_point(scale, e1, e2, i, j));
}

// The vector v turned by `angle` radians, formed in double from the stored
// floats and rounded once to single precision per component.
inline lattice_vector turned(lattice_vector v, double angle)
{
    const double x = v.x, y = v.y;
    return {static_cast<float>(std::cos(angle) * x - std::sin(angle) * y),
            static_cast<float>(std::sin(angle) * x + std::cos(angle) * y)};
}

// The pixel of the point (u, v), y upward, in a frame of `unit` pixels per
// unit whose origin is the pixel `origin`: trunc(origin.x + unit u),
// trunc(origin.y - unit v). unit_pixel forms the sums in double;
// unit_pixel_extended with a 64-bit significand, which moves a pixel where
// the double sum would round onto a whole number, and takes u and v as
// long doubles so that a sum formed in extended precision reaches it whole.
inline pixel_point unit_pixel(pixel_point origin, double unit, unit_point p)
{
    return {trunc_px(origin.x + unit * p.x), trunc_px(origin.y - unit * p.y)};
}
inline pixel_point unit_pixel_extended(pixel_point origin, long double unit, long double u, long double v)
{
    return {trunc_px(origin.x + unit * u), trunc_px(origin.y - unit * v)};
}

// The unit direction at angle k * step (step a float), as the figure
// routines round it: the cosine of the product k * step formed exactly in
// double, the sine of that product rounded to float. The mix decides on
// which pixel a vertex lands.
inline unit_point turn_direction(int k, float step)
{
    const double angle = k * static_cast<double>(step);
    return {std::cos(angle), std::sin(static_cast<double>(static_cast<float>(angle)))};
}

// A copy stage's column coordinate is exact when the column's scan begins
// and held in single precision from its first copied pixel on: call this
// after every copy, so later tests and sources of the column read the float.
inline void hold_in_float(double& coordinate) { coordinate = static_cast<float>(coordinate); }

// An isometry of the plane in continuous window coordinates (pixel (x, y)
// covers [x, x + 1) x [y, y + 1), its centre is (x + 0.5, y + 0.5)):
// p -> m p + t, m orthogonal. A turn of `degrees` is clockwise on the
// screen (y runs downwards).
struct plane_isometry {
    double xx, xy, yx, yy;  // m, row by row
    double tx, ty;          // t
};

// cos and sin of a whole number of degrees, exact where the value is: 0 and
// +-1 at multiples of 90, +-1/2 at the odd multiples of 30 and 60.
inline void cos_sin_degrees(int degrees, double& c, double& s)
{
    degrees = ((degrees % 360) + 360) % 360;
    const double half_root_3 = 0.86602540378443864676, half_root_2 = 0.70710678118654752440;
    switch (degrees) {
    case 0: c = 1, s = 0; return;
    case 90: c = 0, s = 1; return;
    case 180: c = -1, s = 0; return;
    case 270: c = 0, s = -1; return;
    case 30: c = half_root_3, s = 0.5; return;
    case 60: c = 0.5, s = half_root_3; return;
    case 120: c = -0.5, s = half_root_3; return;
    case 150: c = -half_root_3, s = 0.5; return;
    case 210: c = -half_root_3, s = -0.5; return;
    case 240: c = -0.5, s = -half_root_3; return;
    case 300: c = 0.5, s = -half_root_3; return;
    case 330: c = half_root_3, s = -0.5; return;
    case 45: c = half_root_2, s = half_root_2; return;
    case 135: c = -half_root_2, s = half_root_2; return;
    case 225: c = -half_root_2, s = -half_root_2; return;
    case 315: c = half_root_2, s = -half_root_2; return;
    }
    const double radians = degrees * 3.14159265358979323846 / 180;
    c = std::cos(radians), s = std::sin(radians);
}

// The turn by the angle of cosine c and sine s about the point (cx, cy).
inline plane_isometry turn_about(double cx, double cy, double c, double s)
{
    return {c, -s, s, c, cx - c * cx + s * cy, cy - s * cx - c * cy};
}

// The turn by `degrees` about the point (cx, cy).
inline plane_isometry turn_about(double cx, double cy, int degrees)
{
    double c, s;
    cos_sin_degrees(degrees, c, s);
    return turn_about(cx, cy, c, s);
}

// The reflection in the line through (px, py) along (dx, dy), followed by
// the translation `shift` times (dx, dy): a mirror for shift 0, otherwise a
// glide. The matrix is formed from the direction, so an axis-parallel or
// diagonal line with whole or half-pixel points gives an exact map.
inline plane_isometry reflect_along(double px, double py, double dx, double dy, double shift)
{
    const double n = dx * dx + dy * dy;
    const double xx = (dx * dx - dy * dy) / n, xy = 2 * dx * dy / n;
    return {xx, xy, xy, -xx, px - xx * px - xy * py + shift * dx, py - xy * px + xx * py + shift * dy};
}

// The translation by (dx, dy).
inline plane_isometry translate_by(double dx, double dy) { return {1, 0, 0, 1, dx, dy}; }

// g after f.
inline plane_isometry compose(const plane_isometry& g, const plane_isometry& f)
{
    return {g.xx * f.xx + g.xy * f.yx, g.xx * f.xy + g.xy * f.yy, g.yx * f.xx + g.yy * f.yx, g.yx * f.xy + g.yy * f.yy,
            g.xx * f.tx + g.xy * f.ty + g.tx, g.yx * f.tx + g.yy * f.ty + g.ty};
}

// The image of the point (x, y).
inline void map_point(const plane_isometry& g, double& x, double& y)
{
    const double mx = g.xx * x + g.xy * y + g.tx;
    y = g.yx * x + g.yy * y + g.ty;
    x = mx;
}
