#include "overlay.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr uint32_t mirror_colour = 0x1040ff;
constexpr uint32_t glide_colour = 0xe000c0;
constexpr uint32_t cell_colour = 0x202020;
constexpr uint32_t outline_colour = 0x000000;
constexpr uint32_t centre_colours[7] = {0, 0, 0xffd000, 0x20d020, 0x00c0ff, 0, 0xff3030};
constexpr double pi = 3.14159265358979323846;

struct pixel_canvas {
    uint32_t* rgb;
    int w, h;
    void plot(int x, int y, uint32_t colour) const
    {
        if (x >= 0 && x < w && y >= 0 && y < h)
            rgb[static_cast<size_t>(y) * w + x] = colour;
    }
};

// A line `width` pixels wide from p to q (continuous coordinates); with a
// dash length, drawn `dash` on and `dash` * 2/3 off.
void stroke(const pixel_canvas& canvas, real_point p, real_point q, int width, uint32_t colour, double dash)
{
    const double length = std::hypot(q.x - p.x, q.y - p.y);
    const int steps = std::max(1, static_cast<int>(std::ceil(length * 2)));
    for (int s = 0; s <= steps; ++s) {
        const double t = static_cast<double>(s) / steps;
        if (dash > 0 && std::fmod(t * length, dash * 5 / 3) > dash)
            continue;
        const double x = p.x + t * (q.x - p.x) - width / 2.0, y = p.y + t * (q.y - p.y) - width / 2.0;
        for (int j = 0; j < width; ++j)
            for (int i = 0; i < width; ++i)
                canvas.plot(static_cast<int>(std::floor(x + 0.5)) + i, static_cast<int>(std::floor(y + 0.5)) + j, colour);
    }
}

// A filled convex polygon with a one-pixel outline.
void polygon(const pixel_canvas& canvas, const std::vector<real_point>& corners, uint32_t fill)
{
    double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
    for (const real_point& c : corners) {
        x0 = std::min(x0, c.x);
        x1 = std::max(x1, c.x);
        y0 = std::min(y0, c.y);
        y1 = std::max(y1, c.y);
    }
    for (int y = static_cast<int>(std::floor(y0)); y <= static_cast<int>(std::ceil(y1)); ++y)
        for (int x = static_cast<int>(std::floor(x0)); x <= static_cast<int>(std::ceil(x1)); ++x) {
            const double px = x + 0.5, py = y + 0.5;
            bool inside = true;
            for (size_t k = 0; k < corners.size() && inside; ++k) {
                const real_point& a = corners[k];
                const real_point& b = corners[(k + 1) % corners.size()];
                inside = (b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x) >= 0;
            }
            if (inside)
                canvas.plot(x, y, fill);
        }
    for (size_t k = 0; k < corners.size(); ++k)
        stroke(canvas, corners[k], corners[(k + 1) % corners.size()], 1, outline_colour, 0);
}

// The marker of a rotation centre of order n at c.
void centre_marker(const pixel_canvas& canvas, real_point c, int order)
{
    std::vector<real_point> corners;
    if (order == 2) {
        for (int k = 0; k < 8; ++k) {
            const double t = 2 * pi * k / 8;
            corners.push_back({c.x + 7 * std::cos(t), c.y + 3.5 * std::sin(t)});
        }
    } else {
        for (int k = 0; k < order; ++k) {
            const double t = 2 * pi * k / order - pi / 2;
            corners.push_back({c.x + 6 * std::cos(t), c.y + 6 * std::sin(t)});
        }
    }
    polygon(canvas, corners, centre_colours[order]);
}

}  // namespace

void draw_elements(uint32_t* rgb, int w, int h, const wallpaper_symmetry& s)
{
    if (s.group == "none")
        return;
    const pixel_canvas canvas{rgb, w, h};
    const double a[2] = {double(s.lattice[0][0]), double(s.lattice[0][1])};
    const double b[2] = {double(s.lattice[1][0]), double(s.lattice[1][1])};
    const double det = a[0] * b[1] - a[1] * b[0];
    // The range of lattice coordinates over the picture.
    double lo[2] = {1e9, 1e9}, hi[2] = {-1e9, -1e9};
    for (int cy = 0; cy <= 1; ++cy)
        for (int cx = 0; cx <= 1; ++cx) {
            const double x = cx * w - s.origin.x, y = cy * h - s.origin.y;
            const double u[2] = {(x * b[1] - y * b[0]) / det, (a[0] * y - a[1] * x) / det};
            for (int k = 0; k < 2; ++k) {
                lo[k] = std::min(lo[k], u[k]);
                hi[k] = std::max(hi[k], u[k]);
            }
        }
    auto each_translate = [&](auto draw) {
        for (int i = static_cast<int>(std::floor(lo[0])) - 1; i <= static_cast<int>(std::ceil(hi[0])); ++i)
            for (int j = static_cast<int>(std::floor(lo[1])) - 1; j <= static_cast<int>(std::ceil(hi[1])); ++j)
                draw(i * a[0] + j * b[0], i * a[1] + j * b[1]);
    };
    const real_point o = s.origin;
    const real_point corners[4] = {o, {o.x + a[0], o.y + a[1]}, {o.x + a[0] + b[0], o.y + a[1] + b[1]}, {o.x + b[0], o.y + b[1]}};
    for (int k = 0; k < 4; ++k)
        stroke(canvas, corners[k], corners[(k + 1) % 4], 1, cell_colour, 0);
    for (const reflection_line& line : s.lines)
        each_translate([&](double dx, double dy) {
            stroke(canvas, {line.from.x + dx, line.from.y + dy}, {line.to.x + dx, line.to.y + dy}, 2,
                   line.glide ? glide_colour : mirror_colour, line.glide ? 6 : 0);
        });
    for (const rotation_centre& c : s.centres)
        each_translate([&](double dx, double dy) { centre_marker(canvas, {c.at.x + dx, c.at.y + dy}, c.order); });
}
