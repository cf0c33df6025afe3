#include "star_cell.h"

#include <cmath>
#include <initializer_list>

Uint32 white, black, grey;

void map_palette()
{
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    grey = SDL_MapRGB(screen->format, 150, 150, 150);
}

const float theta = 1.2217304706573486f;
const float cx = static_cast<float>(static_cast<long double>(std::cos(static_cast<double>(theta))) * 0.7f);
const float sy = static_cast<float>(static_cast<long double>(std::sin(static_cast<double>(theta))) * 0.7f);

pixel_point to_pixel(long double x, long double y) { return unit_pixel_extended({200, 300}, 200, x, y); }

home_cell_points cell_points()
{
    // Every derived lattice coordinate is stored as a float before scaling.
    const float qx = 1 + cx;
    const float half_sy = sy / 2;
    const float mid_ap_x = cx / 2;
    const float mid_pq_x = (cx + qx) / 2;
    const float mid_aq_x = qx / 2;
    const float mid_bq_x = (1 + qx) / 2;
    const float m_image_x = qx - 0.55f;
    home_cell_points c;
    c.a = to_pixel(0, 0);
    c.b = to_pixel(1, 0);
    c.p = to_pixel(cx, sy);
    c.q = to_pixel(qx, sy);
    c.mid_ap = to_pixel(mid_ap_x, half_sy);
    c.mid_pq = to_pixel(mid_pq_x, sy);
    c.mid_aq = to_pixel(mid_aq_x, half_sy);
    c.mid_bq = to_pixel(mid_bq_x, half_sy);
    c.mid_ab = to_pixel(0.5L, 0);
    c.m = {310, 200};
    c.m_image = to_pixel(m_image_x, static_cast<long double>(sy) - 0.5L);
    return c;
}

void draw_cell_and_stars()
{
    const home_cell_points c = cell_points();
    // Outline A-B, B-Q, Q-P, P-A; no diagonal.
    draw_line(c.a.x, c.a.y, c.b.x, c.b.y, black);
    draw_line(c.b.x, c.b.y, c.q.x, c.q.y, black);
    draw_line(c.q.x, c.q.y, c.p.x, c.p.y, black);
    draw_line(c.p.x, c.p.y, c.a.x, c.a.y, black);
    // First star, about M in triangle A-P-Q.
    for (const pixel_point& tip : {c.p, c.mid_ap, c.mid_pq, c.mid_aq})
        draw_thick_line(c.m.x, c.m.y, tip.x, tip.y, 1, grey);
    // Second star, its half-turn image about the cell centre.
    for (const pixel_point& tip : {c.b, c.mid_bq, c.mid_ab, c.mid_aq})
        draw_thick_line(c.m_image.x, c.m_image.y, tip.x, tip.y, 1, grey);
}

bool in_cell(int i, int j)
{
    const double u = (i - 200) / 200.0;
    const double w = (300 - j) / 200.0;
    const double slope = std::tan(static_cast<double>(theta));
    return 0 <= w && w <= sy && slope * (u - 1) <= w && w <= slope * u;
}

// Scans the cell column by column over the live screen; each grey pixel is
// written to its translates inside columns 1..799 and rows 1..599, for each
// l one row and in it every 200th column.
void copy_cell_to_translates()
{
    const float dx = static_cast<float>(200 * static_cast<long double>(cx));
    const float dy = static_cast<float>(200 * static_cast<long double>(sy));
    const translate_shifts shifts = make_translate_shifts(200, dx, dy);
    // Bounding box of the cell: columns A..Q, rows P..A.
    for (int i = 200; i <= 447; ++i) {
        for (int j = 168; j <= 300; ++j) {
            if (!in_cell(i, j)) continue;
            const Uint32 s = get_pixel(i, j);
            if (s != grey) continue;
            copy_to_translates(shifts, i, j, s);
        }
    }
}
