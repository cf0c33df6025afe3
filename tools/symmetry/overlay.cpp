#include "overlay.h"

#include <geometry.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

namespace {

// The lattice period along the segment from -> to, in pixels: A d for the
// primitive lattice vector d parallel to it; false when no lattice vector
// of small coordinates is.
bool period_along(real_point from, real_point to, const double a[2], const double b[2], double period[2])
{
    const double det = a[0] * b[1] - a[1] * b[0];
    const double x = to.x - from.x, y = to.y - from.y;
    const double w[2] = {(x * b[1] - y * b[0]) / det, (a[0] * y - a[1] * x) / det};
    const double scale = std::max(std::fabs(w[0]), std::fabs(w[1]));
    if (!(scale > 1e-9))
        return false;
    for (int k = 1; k <= 12; ++k) {
        const double r0 = k * w[0] / scale, r1 = k * w[1] / scale;
        if (std::fabs(r0 - std::round(r0)) > 1e-3 || std::fabs(r1 - std::round(r1)) > 1e-3)
            continue;
        int d[2] = {static_cast<int>(std::lround(r0)), static_cast<int>(std::lround(r1))};
        const int g = std::max(1, std::gcd(std::abs(d[0]), std::abs(d[1])));
        d[0] /= g, d[1] /= g;
        period[0] = d[0] * a[0] + d[1] * b[0];
        period[1] = d[0] * a[1] + d[1] * b[1];
        return true;
    }
    return false;
}

// The point p of the lattice (a, b) at `origin` moved to the same lattice
// coordinates of the lattice (a2, b2).
real_point moved_to(real_point p, real_point origin, const double a[2], const double b[2], const double a2[2],
                    const double b2[2])
{
    const double det = a[0] * b[1] - a[1] * b[0];
    const double x = p.x - origin.x, y = p.y - origin.y;
    const double u = (x * b[1] - y * b[0]) / det, v = (a[0] * y - a[1] * x) / det;
    return {origin.x + u * a2[0] + v * b2[0], origin.y + u * a2[1] + v * b2[1]};
}

// A segment from p to q as a band, solid or in dashes of 10 pixels every 16.
void draw_segment(const notation_canvas& canvas, real_point p, real_point q, bool dashed, uint32_t colour)
{
    const double length = std::hypot(q.x - p.x, q.y - p.y);
    if (!(length > 0) || !(length < 1e5))
        return;
    const double dx = (q.x - p.x) / length, dy = (q.y - p.y) / length;
    for (double t = 0; t < length; t += dashed ? 16 : length) {
        const double e = std::min(length, t + (dashed ? 10 : length));
        canvas.band(canvas.pixels, static_cast<int>(std::floor(p.x + t * dx)), static_cast<int>(std::floor(p.y + t * dy)),
                    static_cast<int>(std::floor(p.x + e * dx)), static_cast<int>(std::floor(p.y + e * dy)), colour);
    }
}

// A centre of any order: the notation's polygon for 2, 3, 4 and 6, a
// regular n-gon of the same colours otherwise.
void draw_any_centre(const notation_canvas& canvas, real_point at, int order)
{
    if (order == 2 || order == 3 || order == 4 || order == 6) {
        draw_centre(canvas, at.x, at.y, order, notation_rgb.centre, notation_rgb.rim);
        return;
    }
    if (order < 2 || order > 12 || !(at.x >= 0 && at.x < canvas.width && at.y >= 0 && at.y < canvas.height))
        return;
    constexpr double radius = 11;
    int corners[13][2];
    for (int k = 0; k <= order; ++k) {
        const double a = -3.14159265358979323846 / 2 + 2 * 3.14159265358979323846 * k / order;
        corners[k][0] = static_cast<int>(std::floor(at.x + radius * std::cos(a)));
        corners[k][1] = static_cast<int>(std::floor(at.y + radius * std::sin(a)));
    }
    for (int k = 0; k < order; ++k)
        canvas.line(canvas.pixels, corners[k][0], corners[k][1], corners[k + 1][0], corners[k + 1][1], notation_rgb.rim);
    canvas.fill(canvas.pixels, static_cast<int>(std::floor(at.x)), static_cast<int>(std::floor(at.y)), notation_rgb.centre, notation_rgb.rim);
}

// A frieze's or rosette's elements: its mirrors and glides as segments
// (across the strip, along its axis, across the disc), its centres; a
// frieze's period outlined in grey over the strip.
void draw_other(uint32_t* rgb, int w, int h, const wallpaper_symmetry& s)
{
    rgb_pixels pixels{rgb, w, h};
    const notation_canvas canvas = rgb_canvas(pixels);
    if (s.kind == "frieze") {
        const double half = s.frieze.width / 2, length = std::hypot(s.frieze.period[0], s.frieze.period[1]);
        if (length > 0) {
            const double nx = -s.frieze.period[1] / length * half, ny = s.frieze.period[0] / length * half;
            const real_point o = s.origin;
            const real_point corners[4] = {{o.x - nx, o.y - ny}, {o.x - nx + s.frieze.period[0], o.y - ny + s.frieze.period[1]},
                                           {o.x + nx + s.frieze.period[0], o.y + ny + s.frieze.period[1]}, {o.x + nx, o.y + ny}};
            for (int k = 0; k < 4; ++k)
                canvas.line(canvas.pixels, static_cast<int>(std::floor(corners[k].x)), static_cast<int>(std::floor(corners[k].y)),
                            static_cast<int>(std::floor(corners[(k + 1) % 4].x)), static_cast<int>(std::floor(corners[(k + 1) % 4].y)),
                            notation_rgb.cell);
        }
    }
    for (const reflection_line& line : s.lines)
        if (line.glide)
            draw_segment(canvas, line.from, line.to, true, notation_rgb.glide);
    for (const reflection_line& line : s.lines)
        if (!line.glide)
            draw_segment(canvas, line.from, line.to, false, notation_rgb.mirror);
    for (const rotation_centre& c : s.centres)
        draw_any_centre(canvas, c.at, c.order);
}

}  // namespace

void draw_elements(uint32_t* rgb, int w, int h, const wallpaper_symmetry& s)
{
    if (s.group == "none" || w <= 0 || h <= 0)
        return;
    if (s.kind == "frieze" || s.kind == "rosette") {
        draw_other(rgb, w, h, s);
        return;
    }
    const double found_a[2] = {s.lattice[0][0], s.lattice[0][1]};
    const double found_b[2] = {s.lattice[1][0], s.lattice[1][1]};
    if (!(std::fabs(found_a[0] * found_b[1] - found_a[1] * found_b[0]) > 1))
        return;
    // The turns of a hexagonal group are isometries of an exactly hexagonal
    // lattice only: b is a turned by the multiple of 60 degrees nearest to
    // it, and every element keeps its lattice coordinates.
    double a[2] = {found_a[0], found_a[1]}, b[2] = {found_b[0], found_b[1]};
    const bool hexagonal = s.group.find_first_of("36") != std::string::npos;
    if (hexagonal) {
        const double between = std::atan2(a[0] * b[1] - a[1] * b[0], a[0] * b[0] + a[1] * b[1]);
        double c, sine;
        cos_sin_degrees(60 * static_cast<int>(std::lround(between * 3 / 3.14159265358979323846)), c, sine);
        b[0] = c * a[0] - sine * a[1];
        b[1] = sine * a[0] + c * a[1];
    }
    const auto place = [&](real_point p) { return hexagonal ? moved_to(p, s.origin, found_a, found_b, a, b) : p; };
    // An operation through each element of the cell: the turns about each
    // centre, the reflection in each mirror and glide line.
    std::vector<plane_isometry> ops;
    for (const rotation_centre& c : s.centres)
        if (c.order == 2 || c.order == 3 || c.order == 4 || c.order == 6) {
            const real_point at = place(c.at);
            for (int k = 1; k < c.order; ++k)
                ops.push_back(turn_about(at.x, at.y, 360 / c.order * k));
        }
    for (const reflection_line& line : s.lines) {
        const real_point from = place(line.from), to = place(line.to);
        double period[2];
        if (period_along(from, to, a, b, period))
            ops.push_back(reflect_along(from.x, from.y, period[0], period[1], line.glide ? 0.5 : 0));
        else if (!line.glide)
            ops.push_back(reflect_along(from.x, from.y, to.x - from.x, to.y - from.y, 0));
    }
    const placed_elements elements = elements_meeting(ops, a, b, {0, 0}, {0, 0, double(w), double(h)}, 12);
    rgb_pixels pixels{rgb, w, h};
    const notation_canvas canvas = rgb_canvas(pixels);
    draw_cell(canvas, {s.origin.x, s.origin.y}, a, b, notation_rgb.cell);
    draw_notation(canvas, elements, notation_rgb);
}
