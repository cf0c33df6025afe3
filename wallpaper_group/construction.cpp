#include "construction.h"

#include <algorithm>
#include <cmath>

namespace {

// The window points of the fundamental region's corners.
std::vector<window_point> region_points(const group_layout& layout)
{
    std::vector<window_point> corners;
    for (int k = 0; k < layout.group->region_corners; ++k)
        corners.push_back(lattice_place(layout.home, layout.a, layout.b, layout.group->region[k]));
    return corners;
}

// The lattice direction `along` in pixels.
void pixel_direction(const group_layout& layout, unit_point along, double& dx, double& dy)
{
    dx = along.x * layout.a[0] + along.y * layout.b[0];
    dy = along.x * layout.a[1] + along.y * layout.b[1];
}

int powers_of(const group_operation& op) { return op.kind == operation_kind::turn ? op.order - 1 : 1; }

// The signed distance of p from the line through a and b, positive on the
// side the region's corners turn to.
double side_distance(window_point a, window_point b, double x, double y, double orientation)
{
    const double ex = b.x - a.x, ey = b.y - a.y;
    return orientation * (ex * (y - a.y) - ey * (x - a.x)) / std::sqrt(ex * ex + ey * ey);
}

// The centre of the largest disc inside the convex polygon, searched on a
// half-pixel grid (the one nearest the corners' mean among equals), and its
// radius.
window_point widest_point(const std::vector<window_point>& corners, double& radius)
{
    double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9, mx = 0, my = 0, area = 0;
    const size_t n = corners.size();
    for (size_t k = 0; k < n; ++k) {
        x0 = std::min(x0, corners[k].x), x1 = std::max(x1, corners[k].x);
        y0 = std::min(y0, corners[k].y), y1 = std::max(y1, corners[k].y);
        mx += corners[k].x / n, my += corners[k].y / n;
        const window_point& p = corners[k];
        const window_point& q = corners[(k + 1) % n];
        area += p.x * q.y - q.x * p.y;
    }
    const double orientation = area > 0 ? 1 : -1;
    window_point best{mx, my};
    double best_score = -1e9;
    radius = 0;
    for (double y = std::floor(y0); y <= y1; y += 0.5)
        for (double x = std::floor(x0); x <= x1; x += 0.5) {
            double d = 1e9;
            for (size_t k = 0; k < n; ++k)
                d = std::min(d, side_distance(corners[k], corners[(k + 1) % n], x, y, orientation));
            const double score = d - 1e-3 * std::sqrt((x - mx) * (x - mx) + (y - my) * (y - my));
            if (score > best_score)
                best_score = score, best = {x, y}, radius = d;
        }
    return best;
}

// A line across the whole window through (px, py) along the unit (dx, dy):
// solid, or in dashes of 10 pixels every 16.
void draw_element_line(double px, double py, double dx, double dy, bool dashed, Uint32 colour)
{
    constexpr double reach = 1100;  // beyond every window pixel from any point near the window
    if (!dashed) {
        draw_thick_line(trunc_px(px - reach * dx), trunc_px(py - reach * dy), trunc_px(px + reach * dx),
                        trunc_px(py + reach * dy), 1, colour);
        return;
    }
    for (double t = -reach; t < reach; t += 16) {
        const double x0 = px + t * dx, y0 = py + t * dy, x1 = px + (t + 10) * dx, y1 = py + (t + 10) * dy;
        if (std::max(x0, x1) < -2 || std::min(x0, x1) > SCREEN_WIDTH + 2 || std::max(y0, y1) < -2 ||
            std::min(y0, y1) > SCREEN_HEIGHT + 2)
            continue;
        draw_thick_line(trunc_px(x0), trunc_px(y0), trunc_px(x1), trunc_px(y1), 1, colour);
    }
}

// A rotation centre: a regular polygon of its order (a lens for 2) about
// (x, y), rimmed in `rim` and filled with `fill`.
void draw_centre(double x, double y, int order, Uint32 fill, Uint32 rim)
{
    if (!inside_window(trunc_px(std::floor(x)), trunc_px(std::floor(y))))
        return;
    // The corners at whole degrees, so that no library cosine decides a pixel.
    std::vector<pixel_point> corners;
    const int count = order == 2 ? 12 : order;
    const double rx = order == 2 ? 10 : order == 3 ? 10 : order == 4 ? 8 : 9, ry = order == 2 ? 5 : rx;
    for (int k = 0; k < count; ++k) {
        double c, s;
        cos_sin_degrees(-90 + 360 / count * k + (order == 4 ? 45 : 0), c, s);
        corners.push_back({trunc_px(x + rx * c), trunc_px(y + ry * s)});
    }
    for (size_t k = 0; k < corners.size(); ++k) {
        const pixel_point& p = corners[k];
        const pixel_point& q = corners[(k + 1) % corners.size()];
        draw_line(p.x, p.y, q.x, q.y, rim);
    }
    flood_fill(trunc_px(std::floor(x)), trunc_px(std::floor(y)), fill, rim);
}

bool same_isometry(const plane_isometry& g, const plane_isometry& h)
{
    return std::fabs(g.xx - h.xx) < 1e-9 && std::fabs(g.xy - h.xy) < 1e-9 && std::fabs(g.yx - h.yx) < 1e-9 &&
           std::fabs(g.yy - h.yy) < 1e-9 && std::fabs(g.tx - h.tx) < 1e-6 && std::fabs(g.ty - h.ty) < 1e-6;
}

// g with its translation brought into the home cell: u, v in [0, 1).
plane_isometry reduced(plane_isometry g, const double a[2], const double b[2])
{
    const double det = a[0] * b[1] - a[1] * b[0];
    double u = (g.tx * b[1] - g.ty * b[0]) / det, v = (a[0] * g.ty - a[1] * g.tx) / det;
    u -= std::floor(u + 1e-9), v -= std::floor(v + 1e-9);
    if (u > 1 - 1e-9)
        u = 0;
    if (v > 1 - 1e-9)
        v = 0;
    g.tx = u * a[0] + v * b[0], g.ty = u * a[1] + v * b[1];
    return g;
}

}  // namespace

group_palette map_group_palette()
{
    const SDL_PixelFormat* f = screen->format;
    return {SDL_MapRGB(f, 255, 255, 255),
            SDL_MapRGB(f, 0, 0, 0),
            {SDL_MapRGB(f, 220, 40, 40), SDL_MapRGB(f, 40, 170, 70), SDL_MapRGB(f, 50, 90, 220)},
            SDL_MapRGB(f, 0, 0, 140),
            SDL_MapRGB(f, 200, 0, 160),
            SDL_MapRGB(f, 255, 200, 0),
            SDL_MapRGB(f, 0, 0, 0),
            SDL_MapRGB(f, 110, 110, 110)};
}

plane_isometry operation_isometry(const group_layout& layout, const group_operation& op, int power)
{
    const window_point at = lattice_place(layout.home, layout.a, layout.b, op.at);
    if (op.kind == operation_kind::turn)
        return turn_about(at.x, at.y, 360 / op.order * power);
    double dx, dy;
    pixel_direction(layout, op.along, dx, dy);
    return reflect_along(at.x, at.y, dx, dy, op.kind == operation_kind::glide ? 0.5 : 0);
}

std::vector<plane_isometry> stage_copies(const group_layout& layout)
{
    std::vector<plane_isometry> copies = {translate_by(0, 0)};
    for (int i = 0; i < layout.group->operation_count; ++i) {
        const group_operation& op = layout.group->operations[i];
        const size_t made = copies.size();
        for (int power = 1; power <= powers_of(op); ++power)
            for (size_t k = 0; k < made; ++k)
                copies.push_back(compose(operation_isometry(layout, op, power), copies[k]));
    }
    return copies;
}

group_layout lay_out_group(const wallpaper_group& group)
{
    group_layout layout{&group, {0, 0}, {}, {}};
    geometric_lattice(group, layout.a, layout.b);
    // The corners of every copy of the region the operations make, home at 0.
    double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
    for (const plane_isometry& copy : stage_copies(layout))
        for (window_point p : region_points(layout)) {
            map_point(copy, p.x, p.y);
            x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        }
    layout.home = {lattice_origin.x - static_cast<int>(std::lround((x0 + x1) / 2)),
                   lattice_origin.y - static_cast<int>(std::lround((y0 + y1) / 2))};
    return layout;
}

void draw_motif(const group_layout& layout, const group_palette& palette)
{
    const std::vector<window_point> corners = region_points(layout);
    double radius = 0;
    const window_point centre = widest_point(corners, radius);
    constexpr double sizes[3] = {0.55, 0.45, 0.35};
    for (int k = 0; k < 3; ++k) {
        const double x = centre.x + 0.3 * (corners[k].x - centre.x), y = centre.y + 0.3 * (corners[k].y - centre.y);
        fill_circle(trunc_px(x), trunc_px(y), trunc_px(sizes[k] * radius), palette.motif[k]);
    }
}

void outline_region(const group_layout& layout, const group_palette& palette)
{
    const std::vector<window_point> corners = region_points(layout);
    for (size_t k = 0; k < corners.size(); ++k) {
        const window_point& p = corners[k];
        const window_point& q = corners[(k + 1) % corners.size()];
        draw_line(trunc_px(p.x), trunc_px(p.y), trunc_px(q.x), trunc_px(q.y), palette.outline);
    }
}

void apply_operation(const group_layout& layout, const group_operation& op, const window_copy& pattern,
                     const group_palette& palette)
{
    const SDL_Rect figure = figure_bounds(pattern, palette.background);
    for (int power = 1; power <= powers_of(op); ++power)
        copy_figure(pattern, figure, operation_isometry(layout, op, power), palette.background);
}

void draw_operation_element(const group_layout& layout, const group_operation& op, const group_palette& palette)
{
    const window_point at = lattice_place(layout.home, layout.a, layout.b, op.at);
    if (op.kind == operation_kind::turn) {
        draw_centre(at.x, at.y, op.order, palette.centre, palette.rim);
        return;
    }
    double dx, dy;
    pixel_direction(layout, op.along, dx, dy);
    const double length = std::sqrt(dx * dx + dy * dy);
    draw_element_line(at.x, at.y, dx / length, dy / length, op.kind == operation_kind::glide,
                      op.kind == operation_kind::glide ? palette.glide : palette.mirror);
}

void copy_to_lattice(const group_layout& layout, const window_copy& pattern, const group_palette& palette)
{
    const wallpaper_group& g = *layout.group;
    const SDL_Rect figure = figure_bounds(pattern, palette.background);
    for (int i = -12; i <= 12; ++i)
        for (int j = -12; j <= 12; ++j)
            if (i != 0 || j != 0)
                copy_figure(pattern, figure, translate_by(i * g.a[0] + j * g.b[0], i * g.a[1] + j * g.b[1]),
                            palette.background);
}

std::vector<plane_isometry> operations_modulo_lattice(const wallpaper_group& group)
{
    group_layout at_origin{&group, {0, 0}, {}, {}};
    geometric_lattice(group, at_origin.a, at_origin.b);
    std::vector<plane_isometry> generators;
    for (int i = 0; i < group.operation_count; ++i)
        generators.push_back(operation_isometry(at_origin, group.operations[i], 1));
    std::vector<plane_isometry> all = {translate_by(0, 0)};
    for (size_t k = 0; k < all.size() && all.size() < 64; ++k)
        for (const plane_isometry& generator : generators) {
            const plane_isometry next = reduced(compose(generator, all[k]), at_origin.a, at_origin.b);
            if (std::none_of(all.begin(), all.end(), [&](const plane_isometry& o) { return same_isometry(o, next); }))
                all.push_back(next);
        }
    return all;
}

symmetry_elements elements_in_window(const group_layout& layout, double margin)
{
    symmetry_elements found;
    const std::vector<plane_isometry> operations = operations_modulo_lattice(*layout.group);
    const auto near_window = [margin](double x, double y) {
        return x > -margin && x < SCREEN_WIDTH + margin && y > -margin && y < SCREEN_HEIGHT + margin;
    };
    // In window coordinates an operation g is home + g(p - home).
    const plane_isometry to_home = translate_by(layout.home.x, layout.home.y);
    const plane_isometry from_home = translate_by(-layout.home.x, -layout.home.y);
    for (size_t k = 1; k < operations.size(); ++k)
        for (int i = -12; i <= 12; ++i)
            for (int j = -12; j <= 12; ++j) {
                plane_isometry g = operations[k];
                g.tx += i * layout.a[0] + j * layout.b[0];
                g.ty += i * layout.a[1] + j * layout.b[1];
                g = compose(to_home, compose(g, from_home));
                if (g.xx * g.yy - g.xy * g.yx > 0) {
                    // A turn: its centre solves (I - m) c = t.
                    const double a = 1 - g.xx, b = -g.xy, c = -g.yx, d = 1 - g.yy, det = a * d - b * c;
                    if (std::fabs(det) < 1e-9)
                        continue;  // a translation
                    const double x = (d * g.tx - b * g.ty) / det, y = (a * g.ty - c * g.tx) / det;
                    // The order from the turn's cosine: -1, -1/2, 0, 1/2 for 2, 3, 4, 6.
                    const int order = g.xx < -0.75 ? 2 : g.xx < -0.25 ? 3 : g.xx < 0.25 ? 4 : 6;
                    if (!near_window(x, y))
                        continue;
                    auto same = std::find_if(found.centres.begin(), found.centres.end(), [&](const element_centre& e) {
                        return std::fabs(e.x - x) < 1e-3 && std::fabs(e.y - y) < 1e-3;
                    });
                    if (same == found.centres.end())
                        found.centres.push_back({x, y, order});
                    else
                        same->order = std::max(same->order, order);
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
                // The line's offset from the window's centre, and whether it meets the window.
                const double offset = (px - lattice_origin.x) * -dy + (py - lattice_origin.y) * dx;
                if (std::fabs(offset) > 500 + margin)
                    continue;
                const bool mirror = std::fabs(along) < 1e-6;
                auto same = std::find_if(found.lines.begin(), found.lines.end(), [&](const element_line& e) {
                    const double e_offset = (e.px - lattice_origin.x) * -e.dy + (e.py - lattice_origin.y) * e.dx;
                    return std::fabs(e.dx - dx) < 1e-9 && std::fabs(e.dy - dy) < 1e-9 && std::fabs(e_offset - offset) < 1e-3;
                });
                if (same == found.lines.end())
                    found.lines.push_back({px, py, dx, dy, mirror});
                else
                    same->mirror = same->mirror || mirror;
            }
    return found;
}

void draw_symmetry_elements(const group_layout& layout, const group_palette& palette)
{
    const wallpaper_group& g = *layout.group;
    const pixel_point& o = layout.home;
    const pixel_point cell[4] = {o, {o.x + g.a[0], o.y + g.a[1]}, {o.x + g.a[0] + g.b[0], o.y + g.a[1] + g.b[1]},
                                 {o.x + g.b[0], o.y + g.b[1]}};
    for (int k = 0; k < 4; ++k)
        draw_line(cell[k].x, cell[k].y, cell[(k + 1) % 4].x, cell[(k + 1) % 4].y, palette.cell);
    const symmetry_elements elements = elements_in_window(layout, 12);
    for (const element_line& line : elements.lines)
        if (!line.mirror)
            draw_element_line(line.px, line.py, line.dx, line.dy, true, palette.glide);
    for (const element_line& line : elements.lines)
        if (line.mirror)
            draw_element_line(line.px, line.py, line.dx, line.dy, false, palette.mirror);
    for (const element_centre& centre : elements.centres)
        draw_centre(centre.x, centre.y, centre.order, palette.centre, palette.rim);
}
