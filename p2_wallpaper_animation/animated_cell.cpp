#include "animated_cell.h"

#include <cmath>

Uint32 white, black, red;

void map_palette()
{
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
}

const double theta = 1.2217304763960306;
const double cx = 0.7 * std::cos(theta);
const double sy = 0.7 * std::sin(theta);

pixel_point to_pixel(unit_point p) { return unit_pixel({330, 310}, 100, p); }

unit_point point_b() { return {1, 0}; }
unit_point point_p() { return {cx, sy}; }
unit_point point_q() { return {1 + cx, sy}; }
unit_point mid_ap() { return {cx / 2, sy / 2}; }
unit_point mid_pq() { return {(1 + 2 * cx) / 2, sy}; }
unit_point mid_aq() { return {(1 + cx) / 2, sy / 2}; }
unit_point mid_bq() { return {(2 + cx) / 2, sy / 2}; }
unit_point mid_ab() { return {0.5, 0}; }

unit_point star_centre(double v)
{
    // Centre of the ellipse: midway between the cell centre and mid PQ.
    const double ex = 0.5 + 0.75 * cx;
    const double ey = 0.75 * sy;
    return {ex + 0.45 * std::cos(v), ey + 0.14 * std::sin(v)};
}

unit_point star_centre_image(unit_point m)
{
    return {1 + cx - m.x, sy - m.y};
}

void draw_cell()
{
    const pixel_point a = to_pixel({0, 0});
    const pixel_point b = to_pixel(point_b());
    const pixel_point p = to_pixel(point_p());
    const pixel_point q = to_pixel(point_q());
    draw_line_thin(a.x, a.y, b.x, b.y, black);
    draw_line_thin(a.x, a.y, p.x, p.y, black);
    draw_line_thin(b.x, b.y, q.x, q.y, black);
    draw_line_thin(p.x, p.y, q.x, q.y, black);
    draw_line_thin(a.x, a.y, q.x, q.y, black);
}

// Four strokes from the centre to the tips, then a dot on the centre and
// on every tip.
static void draw_star(unit_point centre, const unit_point (&tips)[4])
{
    const pixel_point c = to_pixel(centre);
    for (const unit_point& tip : tips) {
        const pixel_point t = to_pixel(tip);
        draw_thick_line_thin(c.x, c.y, t.x, t.y, 1, red);
    }
    fill_circle(c.x, c.y, 1, red);
    for (const unit_point& tip : tips) {
        const pixel_point t = to_pixel(tip);
        fill_circle(t.x, t.y, 1, red);
    }
}

void draw_stars(double v)
{
    const unit_point m = star_centre(v);
    const unit_point upper_tips[4] = {point_p(), mid_ap(), mid_pq(), mid_aq()};
    draw_star(m, upper_tips);
    const unit_point lower_tips[4] = {point_b(), mid_bq(), mid_ab(), mid_aq()};
    draw_star(star_centre_image(m), lower_tips);
}

bool in_cell(int i, int j)
{
    const double u = (i - 330) / 100.0;
    const double w = (310 - j) / 100.0;
    const double slope = std::tan(theta);
    return 0 <= w && w <= sy && slope * (u - 1) <= w && w <= slope * u;
}

// The cell's bounding box and the pixels of it that belong to the cell,
// found once by in_cell.
constexpr int box_left = 330, box_right = 453, box_top = 244, box_bottom = 310;
constexpr int box_columns = box_right - box_left + 1, box_rows = box_bottom - box_top + 1;

struct cell_box_mask {
    bool inside[box_columns][box_rows];
};

static const cell_box_mask& cell_mask()
{
    static const cell_box_mask mask = [] {
        cell_box_mask m{};
        for (int i = box_left; i <= box_right; ++i)
            for (int j = box_top; j <= box_bottom; ++j)
                m.inside[i - box_left][j - box_top] = in_cell(i, j);
        return m;
    }();
    return mask;
}

// Scans the cell column by column, reading the live screen, so copies that
// land on cell pixels not yet scanned are read back as the literal loop over
// every (k, l) would read them. Only red is copied.
void copy_cell_to_translates()
{
    const cell_box_mask& mask = cell_mask();
    const translate_shifts shifts = make_translate_shifts(100, 100 * cx, 100 * sy);
    for (int i = box_left; i <= box_right; ++i) {
        for (int j = box_top; j <= box_bottom; ++j) {
            if (!mask.inside[i - box_left][j - box_top]) continue;
            const Uint32 s = get_pixel(i, j);
            if (s == red) copy_to_translates(shifts, i, j, s);
        }
    }
}
