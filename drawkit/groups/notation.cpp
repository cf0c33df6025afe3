// The elements of a plane group placed in pixels and drawn in the usual
// notation on a pixel canvas.
#include "plane_groups.h"

#include <geometry.h>
#include <walk.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

// The least n such that, for every operation, the translates i a + j b
// with |i|, |j| <= n hold an element of it through each point of the
// rectangle widened by `margin`: the lattice coordinates of (I - m) p - t
// over its corners p (relative to `origin`), rounded out by one.
long translate_reach(const std::vector<plane_isometry>& ops, const double a[2], const double b[2], plane_point origin,
                     pixel_rectangle r, double margin)
{
    const double det = a[0] * b[1] - a[1] * b[0];
    double most = 0;
    for (const plane_isometry& g : ops)
        for (const double x : {r.x0 - margin, r.x1 + margin})
            for (const double y : {r.y0 - margin, r.y1 + margin}) {
                const double px = x - origin.x, py = y - origin.y;
                const double nx = px - (g.xx * px + g.xy * py) - g.tx, ny = py - (g.yx * px + g.yy * py) - g.ty;
                most = std::max({most, std::fabs((nx * b[1] - ny * b[0]) / det), std::fabs((a[0] * ny - a[1] * nx) / det)});
            }
    return static_cast<long>(std::ceil(std::min(most, 2000.0))) + 1;
}

// The elements found so far, each listed under the whole-pixel square of
// its point (a centre) or of its offset (a line), so that an element near
// one found before is looked for among a few.
using found_cells = std::unordered_map<long long, std::vector<size_t>>;

long long cell_key(double x, double y)
{
    return (static_cast<long long>(std::floor(x)) << 32) ^ (static_cast<long long>(std::floor(y)) & 0xffffffffLL);
}

// The first element (in the order found) within a pixel of (x, y) that
// `same` accepts; -1 when there is none.
template <typename accept>
long first_found(const found_cells& cells, double x, double y, accept same)
{
    long found = -1;
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) {
            const auto cell = cells.find(cell_key(x + i, y + j));
            if (cell == cells.end())
                continue;
            for (const size_t k : cell->second)
                if ((found < 0 || static_cast<long>(k) < found) && same(k))
                    found = static_cast<long>(k);
        }
    return found;
}

}  // namespace

placed_elements elements_meeting(const std::vector<plane_isometry>& ops, const double a[2], const double b[2],
                                 plane_point origin, pixel_rectangle rectangle, double margin)
{
    placed_elements found;
    if (!(std::fabs(a[0] * b[1] - a[1] * b[0]) > 0))
        return found;
    const long n = std::max(12L, translate_reach(ops, a, b, origin, rectangle, margin));
    const auto near_rectangle = [&](double x, double y) {
        return x > rectangle.x0 - margin && x < rectangle.x1 + margin && y > rectangle.y0 - margin &&
               y < rectangle.y1 + margin;
    };
    const double mid_x = (rectangle.x0 + rectangle.x1) / 2, mid_y = (rectangle.y0 + rectangle.y1) / 2;
    const double reach = std::hypot(rectangle.x1 - rectangle.x0, rectangle.y1 - rectangle.y0) / 2 + margin;
    // Moved to the origin, an operation g is origin + g(p - origin).
    const plane_isometry to_origin = translate_by(origin.x, origin.y);
    const plane_isometry from_origin = translate_by(-origin.x, -origin.y);
    found_cells centre_cells, line_cells;
    for (size_t k = 0; k < ops.size(); ++k)
        for (long i = -n; i <= n; ++i)
            for (long j = -n; j <= n; ++j) {
                plane_isometry g = ops[k];
                g.tx += i * a[0] + j * b[0];
                g.ty += i * a[1] + j * b[1];
                g = compose(to_origin, compose(g, from_origin));
                if (g.xx * g.yy - g.xy * g.yx > 0) {
                    // A turn: its centre solves (I - m) c = t.
                    const double p = 1 - g.xx, q = -g.xy, r = -g.yx, s = 1 - g.yy, det = p * s - q * r;
                    if (std::fabs(det) < 1e-9)
                        continue;  // a translation
                    const double x = (s * g.tx - q * g.ty) / det, y = (p * g.ty - r * g.tx) / det;
                    // The order from the turn's cosine: -1, -1/2, 0, 1/2 for 2, 3, 4, 6.
                    const int order = g.xx < -0.75 ? 2 : g.xx < -0.25 ? 3 : g.xx < 0.25 ? 4 : 6;
                    if (!near_rectangle(x, y))
                        continue;
                    const long same = first_found(centre_cells, x, y, [&](size_t e) {
                        return std::fabs(found.centres[e].x - x) < 1e-3 && std::fabs(found.centres[e].y - y) < 1e-3;
                    });
                    if (same < 0) {
                        centre_cells[cell_key(x, y)].push_back(found.centres.size());
                        found.centres.push_back({x, y, order});
                    } else {
                        found.centres[same].order = std::max(found.centres[same].order, order);
                    }
                    continue;
                }
                // A reflection: the axis is the direction m keeps, (1 + m.xx, m.yx) or
                // (m.xy, 1 - m.xx), whichever is longer; the translation's part along
                // it is the glide, the rest twice the axis' offset.
                double dx = 1 + g.xx, dy = g.yx;
                if (g.xx < 0)
                    dx = g.xy, dy = 1 - g.xx;
                const double length = std::sqrt(dx * dx + dy * dy);
                dx /= length, dy /= length;
                if (dy < -1e-9 || (std::fabs(dy) <= 1e-9 && dx < 0))
                    dx = -dx, dy = -dy;
                const double along = g.tx * dx + g.ty * dy;
                const double px = (g.tx - along * dx) / 2, py = (g.ty - along * dy) / 2;
                // The line's offset from the rectangle's centre, and whether it meets the rectangle.
                const double offset = (px - mid_x) * -dy + (py - mid_y) * dx;
                if (std::fabs(offset) > reach)
                    continue;
                const bool mirror = std::fabs(along) < 1e-6;
                const long same = first_found(line_cells, offset, 0, [&](size_t k) {
                    const placed_line& e = found.lines[k];
                    const double e_offset = (e.px - mid_x) * -e.dy + (e.py - mid_y) * e.dx;
                    return std::fabs(e.dx - dx) < 1e-9 && std::fabs(e.dy - dy) < 1e-9 && std::fabs(e_offset - offset) < 1e-3;
                });
                if (same < 0) {
                    line_cells[cell_key(offset, 0)].push_back(found.lines.size());
                    found.lines.push_back({px, py, dx, dy, mirror});
                } else {
                    found.lines[same].mirror = found.lines[same].mirror || mirror;
                }
            }
    return found;
}

void draw_element_line(const notation_canvas& canvas, double px, double py, double dx, double dy, bool dashed,
                       uint32_t colour)
{
    // Beyond every canvas pixel from any point near the canvas.
    const double reach = std::hypot(canvas.width, canvas.height) + 100;
    if (!(std::fabs(px) < 1e6 && std::fabs(py) < 1e6))
        return;
    if (!dashed) {
        canvas.band(canvas.pixels, trunc_px(px - reach * dx), trunc_px(py - reach * dy), trunc_px(px + reach * dx),
                    trunc_px(py + reach * dy), colour);
        return;
    }
    for (double t = -reach; t < reach; t += 16) {
        const double x0 = px + t * dx, y0 = py + t * dy, x1 = px + (t + 10) * dx, y1 = py + (t + 10) * dy;
        if (std::max(x0, x1) < -2 || std::min(x0, x1) > canvas.width + 2 || std::max(y0, y1) < -2 ||
            std::min(y0, y1) > canvas.height + 2)
            continue;
        canvas.band(canvas.pixels, trunc_px(x0), trunc_px(y0), trunc_px(x1), trunc_px(y1), colour);
    }
}

void draw_centre(const notation_canvas& canvas, double x, double y, int order, uint32_t fill, uint32_t rim)
{
    if (!(x >= 0 && x < canvas.width && y >= 0 && y < canvas.height))
        return;
    if (order < 2 || order > 24)
        return;
    if (order == 5 || order > 6) {
        // A rosette's centre: a regular polygon with a corner straight up,
        // its corners turned by cos_sin_turn's literals.
        pixel_point corners[24];
        for (int k = 0; k < order; ++k) {
            double c, s;
            cos_sin_turn(k, order, c, s);
            corners[k] = {trunc_px(x + 11 * s), trunc_px(y - 11 * c)};
        }
        for (int k = 0; k < order; ++k)
            canvas.line(canvas.pixels, corners[k].x, corners[k].y, corners[(k + 1) % order].x,
                        corners[(k + 1) % order].y, rim);
        canvas.fill(canvas.pixels, trunc_px(std::floor(x)), trunc_px(std::floor(y)), fill, rim);
        return;
    }
    // The corners at whole degrees, so that no library cosine decides a pixel.
    pixel_point corners[12];
    const int count = order == 2 ? 12 : order;
    const double rx = order == 2 ? 10 : order == 3 ? 10 : order == 4 ? 8 : 9, ry = order == 2 ? 5 : rx;
    for (int k = 0; k < count; ++k) {
        double c, s;
        cos_sin_degrees(-90 + 360 / count * k + (order == 4 ? 45 : 0), c, s);
        corners[k] = {trunc_px(x + rx * c), trunc_px(y + ry * s)};
    }
    for (int k = 0; k < count; ++k) {
        const pixel_point& p = corners[k];
        const pixel_point& q = corners[(k + 1) % count];
        canvas.line(canvas.pixels, p.x, p.y, q.x, q.y, rim);
    }
    canvas.fill(canvas.pixels, trunc_px(std::floor(x)), trunc_px(std::floor(y)), fill, rim);
}

void draw_cell(const notation_canvas& canvas, plane_point origin, const double a[2], const double b[2],
               uint32_t colour)
{
    const double x[4] = {origin.x, origin.x + a[0], origin.x + a[0] + b[0], origin.x + b[0]};
    const double y[4] = {origin.y, origin.y + a[1], origin.y + a[1] + b[1], origin.y + b[1]};
    for (int k = 0; k < 4; ++k)
        if (!(std::fabs(x[k]) < 1e6 && std::fabs(y[k]) < 1e6))
            return;
    for (int k = 0; k < 4; ++k)
        canvas.line(canvas.pixels, trunc_px(x[k]), trunc_px(y[k]), trunc_px(x[(k + 1) % 4]),
                    trunc_px(y[(k + 1) % 4]), colour);
}

void draw_notation(const notation_canvas& canvas, const placed_elements& elements, const notation_colours& colours)
{
    for (const placed_line& line : elements.lines)
        if (!line.mirror)
            draw_element_line(canvas, line.px, line.py, line.dx, line.dy, true, colours.glide);
    for (const placed_line& line : elements.lines)
        if (line.mirror)
            draw_element_line(canvas, line.px, line.py, line.dx, line.dy, false, colours.mirror);
    for (const placed_centre& centre : elements.centres)
        draw_centre(canvas, centre.x, centre.y, centre.order, colours.centre, colours.rim);
}

namespace {

void rgb_plot(const rgb_pixels& p, int x, int y, uint32_t colour)
{
    if (x >= 0 && x < p.w && y >= 0 && y < p.h)
        p.rgb[static_cast<size_t>(y) * p.w + x] = colour;
}

void rgb_line(void* pixels, int x0, int y0, int x1, int y1, uint32_t colour)
{
    const rgb_pixels& p = *static_cast<rgb_pixels*>(pixels);
    walk_4connected(x0, y0, x1, y1, [&](int x, int y) { rgb_plot(p, x, y, colour); });
}

// The walk with a 3 x 3 square about each of its pixels.
void rgb_band(void* pixels, int x0, int y0, int x1, int y1, uint32_t colour)
{
    const rgb_pixels& p = *static_cast<rgb_pixels*>(pixels);
    walk_4connected(x0, y0, x1, y1, [&](int x, int y) {
        if (x < -1 || x > p.w || y < -1 || y > p.h)
            return;
        for (int j = -1; j <= 1; ++j)
            for (int i = -1; i <= 1; ++i)
                rgb_plot(p, x + i, y + j, colour);
    });
}

// The 4-connected region about (x, y) of pixels of neither colour, filled.
void rgb_fill(void* pixels, int x, int y, uint32_t colour, uint32_t border)
{
    const rgb_pixels& p = *static_cast<rgb_pixels*>(pixels);
    auto open = [&](int px, int py) {
        if (px < 0 || px >= p.w || py < 0 || py >= p.h)
            return false;
        const uint32_t c = p.rgb[static_cast<size_t>(py) * p.w + px];
        return c != colour && c != border;
    };
    if (!open(x, y))
        return;
    std::vector<pixel_point> stack = {{x, y}};
    rgb_plot(p, x, y, colour);
    while (!stack.empty()) {
        const pixel_point q = stack.back();
        stack.pop_back();
        constexpr int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& s : steps)
            if (open(q.x + s[0], q.y + s[1])) {
                rgb_plot(p, q.x + s[0], q.y + s[1], colour);
                stack.push_back({q.x + s[0], q.y + s[1]});
            }
    }
}

}  // namespace

notation_canvas rgb_canvas(rgb_pixels& pixels)
{
    return {pixels.w, pixels.h, &pixels, rgb_line, rgb_band, rgb_fill};
}
