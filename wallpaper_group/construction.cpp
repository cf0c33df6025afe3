#include "construction.h"

#include <algorithm>
#include <cmath>

namespace {

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
// grid of `step` pixels (the one nearest the corners' mean among equals),
// and its radius.
window_point widest_point(const std::vector<window_point>& corners, double step, double& radius)
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
    for (double y = std::floor(y0); y <= y1; y += step)
        for (double x = std::floor(x0); x <= x1; x += step) {
            // A point whose distance to one side already scores no better
            // than the best is passed over: its distance only falls.
            const double off_middle = 1e-3 * std::sqrt((x - mx) * (x - mx) + (y - my) * (y - my));
            double d = 1e9;
            for (size_t k = 0; k < n && d - off_middle > best_score; ++k)
                d = std::min(d, side_distance(corners[k], corners[(k + 1) % n], x, y, orientation));
            const double score = d - off_middle;
            if (score > best_score)
                best_score = score, best = {x, y}, radius = d;
        }
    return best;
}

// The window as a canvas of the notation: drawkit's lines, band and fill.
void window_line(void*, int x0, int y0, int x1, int y1, uint32_t colour) { draw_line(x0, y0, x1, y1, colour); }
void window_band(void*, int x0, int y0, int x1, int y1, uint32_t colour) { draw_thick_line(x0, y0, x1, y1, 1, colour); }
void window_fill(void*, int x, int y, uint32_t colour, uint32_t border) { flood_fill(x, y, colour, border); }
constexpr notation_canvas window_canvas{SCREEN_WIDTH, SCREEN_HEIGHT, nullptr, window_line, window_band, window_fill};

// The lattice a frieze's elements repeat on: a, and across the strip a
// translation so long that no copy of an element but the strip's own
// meets the window.
void element_lattice(const group_layout& layout, double a[2], double b[2])
{
    a[0] = layout.a[0], a[1] = layout.a[1];
    b[0] = layout.b[0], b[1] = layout.b[1];
    if (layout.group->shape == group_shape::strip)
        b[0] *= 64, b[1] *= 64;
}

// A rosette's elements: for Dn its n mirrors through the centre, at every
// 180/n degrees from the first, then the centre as a polygon of order n
// (none for C1 and D1, which have no turn). C1, with neither, gets its
// region outlined in the cell's grey: the whole of the pattern that no
// isometry but the identity maps onto itself.
void draw_rosette_elements(const group_layout& layout, const group_palette& palette)
{
    const wallpaper_group& g = *layout.group;
    const int n = rosette_order(g);
    const double cx = layout.home.x, cy = layout.home.y;
    if (rosette_dihedral(g))
        for (int k = 0; k < n; ++k) {
            double c, s;
            cos_sin_turn(k, 2 * n, c, s);
            draw_element_line(window_canvas, cx, cy, c, s, false, palette.mirror);
        }
    else if (n == 1) {
        const std::vector<window_point> corners = region_points(layout);
        for (size_t k = 0; k < corners.size(); ++k) {
            const window_point& p = corners[k];
            const window_point& q = corners[(k + 1) % corners.size()];
            draw_line(trunc_px(p.x), trunc_px(p.y), trunc_px(q.x), trunc_px(q.y), palette.cell);
        }
    }
    draw_centre(window_canvas, cx, cy, n, palette.centre, palette.rim);
}

}  // namespace

std::vector<window_point> region_points(const group_layout& layout)
{
    std::vector<window_point> corners;
    for (int k = 0; k < layout.group->region_corners; ++k)
        corners.push_back(lattice_place(layout.home, layout.a, layout.b, layout.group->region[k]));
    return corners;
}

group_palette map_group_palette()
{
    const SDL_PixelFormat* f = screen->format;
    // The notation's colours are the plane groups' usual ones.
    const auto mapped = [f](uint32_t rgb) { return SDL_MapRGB(f, rgb >> 16 & 0xff, rgb >> 8 & 0xff, rgb & 0xff); };
    const notation_colours& n = notation_rgb;
    return {SDL_MapRGB(f, 255, 255, 255),
            SDL_MapRGB(f, 0, 0, 0),
            {SDL_MapRGB(f, 220, 40, 40), SDL_MapRGB(f, 40, 170, 70), SDL_MapRGB(f, 50, 90, 220)},
            mapped(n.mirror),
            mapped(n.glide),
            mapped(n.centre),
            mapped(n.rim),
            mapped(n.cell)};
}

plane_isometry operation_isometry(const group_layout& layout, const group_operation& op, int power)
{
    const window_point at = lattice_place(layout.home, layout.a, layout.b, op.at);
    if (op.kind == operation_kind::turn) {
        double c, s;
        cos_sin_turn(power, op.order, c, s);
        return turn_about(at.x, at.y, c, s);
    }
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
    if (group.shape == group_shape::point) {
        layout.home = lattice_origin;  // the centre of the rosette, the window's
        return layout;
    }
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
    // A rosette's sector is large: a coarser grid finds its disc in time.
    const window_point centre = widest_point(corners, layout.group->shape == group_shape::point ? 2 : 0.5, radius);
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
        draw_centre(window_canvas, at.x, at.y, op.order, palette.centre, palette.rim);
        return;
    }
    double dx, dy;
    pixel_direction(layout, op.along, dx, dy);
    const double length = std::sqrt(dx * dx + dy * dy);
    draw_element_line(window_canvas, at.x, at.y, dx / length, dy / length, op.kind == operation_kind::glide,
                      op.kind == operation_kind::glide ? palette.glide : palette.mirror);
}

void copy_to_lattice(const group_layout& layout, const window_copy& pattern, const group_palette& palette)
{
    const wallpaper_group& g = *layout.group;
    if (g.shape == group_shape::point)
        return;
    const int across = g.shape == group_shape::strip ? 0 : 12;  // a frieze repeats along a only
    const SDL_Rect figure = figure_bounds(pattern, palette.background);
    for (int i = -12; i <= 12; ++i)
        for (int j = -across; j <= across; ++j)
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
    return isometries_modulo_lattice(generators, at_origin.a, at_origin.b);
}

placed_elements elements_in_window(const group_layout& layout, double margin)
{
    const plane_point home{static_cast<double>(layout.home.x), static_cast<double>(layout.home.y)};
    if (layout.group->shape == group_shape::plane)
        return elements_meeting(operations_modulo_lattice(*layout.group), layout.a, layout.b, home,
                                {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, margin);
    if (layout.group->shape == group_shape::point)
        return {};
    group_layout at_origin = layout;
    at_origin.home = {0, 0};
    double a[2], b[2];
    element_lattice(layout, a, b);
    std::vector<plane_isometry> generators;
    for (int i = 0; i < layout.group->operation_count; ++i)
        generators.push_back(operation_isometry(at_origin, layout.group->operations[i], 1));
    return elements_meeting(isometries_modulo_lattice(generators, a, b), a, b, home,
                            {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, margin);
}

void draw_home_cell(const group_layout& layout, const group_palette& palette)
{
    const wallpaper_group& g = *layout.group;
    if (g.shape == group_shape::point)
        return;
    const double a[2] = {static_cast<double>(g.a[0]), static_cast<double>(g.a[1])};
    const double b[2] = {static_cast<double>(g.b[0]), static_cast<double>(g.b[1])};
    // A frieze's period: the strip's rectangle from one end of a to the other.
    const double down = g.shape == group_shape::strip ? 0.5 : 0;
    draw_cell(window_canvas,
              {layout.home.x - down * b[0], layout.home.y - down * b[1]}, a, b, palette.cell);
}

void draw_window_elements(const group_layout& layout, const group_palette& palette)
{
    if (layout.group->shape == group_shape::point) {
        draw_rosette_elements(layout, palette);
        return;
    }
    draw_notation(window_canvas, elements_in_window(layout, 12),
                  {palette.mirror, palette.glide, palette.centre, palette.rim, palette.cell});
}

void draw_symmetry_elements(const group_layout& layout, const group_palette& palette)
{
    draw_home_cell(layout, palette);
    draw_window_elements(layout, palette);
}

namespace {

// The window as it was when `pattern` was saved: the figure on a plain
// window, without what was drawn since.
void put_back(const window_copy& pattern, const group_palette& palette)
{
    SDL_FillRect(screen, nullptr, palette.background);
    restore_window(pattern);
}

}  // namespace

void build_group(const group_layout& layout, const group_palette& palette, const group_stages& stages)
{
    const wallpaper_group& group = *layout.group;
    SDL_FillRect(screen, nullptr, palette.background);

    // Stage 1: the motif in one fundamental region, the region outlined
    stages.motif(layout, palette, stages.motif_data);
    window_copy pattern;
    save_figure(pattern, palette.background);
    outline_region(layout, palette);
    stages.stage_done(stages.stage_data);

    // Stages 2 on: each generating operation copies the pattern so far, and
    // shows its mirror, glide line or centre until the next stage
    for (int i = 0; i < group.operation_count; ++i) {
        put_back(pattern, palette);
        apply_operation(layout, group.operations[i], pattern, palette);
        save_figure(pattern, palette.background);
        draw_operation_element(layout, group.operations[i], palette);
        stages.stage_done(stages.stage_data);
    }

    // Next: the complete cell copied by the lattice translations
    put_back(pattern, palette);
    copy_to_lattice(layout, pattern, palette);
    stages.stage_done(stages.stage_data);

    // Last: the symmetry elements of the whole pattern
    draw_symmetry_elements(layout, palette);
    stages.stage_done(stages.stage_data);
}
