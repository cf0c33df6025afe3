#include "star_cell.h"

#include <algorithm>
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

Pixel to_pixel(long double x, long double y)
{
    return {static_cast<int>(200 + 200 * x), static_cast<int>(300 - 200 * y)};
}

CellPoints cell_points()
{
    // Every derived lattice coordinate is stored as a float before scaling.
    const float qx = 1 + cx;
    const float half_sy = sy / 2;
    const float mid_ap_x = cx / 2;
    const float mid_pq_x = (cx + qx) / 2;
    const float mid_aq_x = qx / 2;
    const float mid_bq_x = (1 + qx) / 2;
    const float m_image_x = qx - 0.55f;
    CellPoints c;
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
    const CellPoints c = cell_points();
    // Outline A-B, B-Q, Q-P, P-A; no diagonal.
    draw_line(c.a.x, c.a.y, c.b.x, c.b.y, black);
    draw_line(c.b.x, c.b.y, c.q.x, c.q.y, black);
    draw_line(c.q.x, c.q.y, c.p.x, c.p.y, black);
    draw_line(c.p.x, c.p.y, c.a.x, c.a.y, black);
    // First star, about M in triangle A-P-Q.
    for (const Pixel& tip : {c.p, c.mid_ap, c.mid_pq, c.mid_aq})
        draw_thick_line(c.m.x, c.m.y, tip.x, tip.y, 1, grey);
    // Second star, its half-turn image about the cell centre.
    for (const Pixel& tip : {c.b, c.mid_bq, c.mid_ab, c.mid_aq})
        draw_thick_line(c.m_image.x, c.m_image.y, tip.x, tip.y, 1, grey);
}

bool in_cell(int i, int j)
{
    const double u = (i - 200) / 200.0;
    const double w = (300 - j) / 200.0;
    const double slope = std::tan(static_cast<double>(theta));
    return 0 <= w && w <= sy && slope * (u - 1) <= w && w <= slope * u;
}

// Translate (k, l) of pixel (i, j) lies at column trunc(i + 200 k + dx l)
// and row trunc(j - dy l). Wherever that is in columns 1..799 and rows
// 1..599 the sums are positive, so truncation is flooring and the offset is
// the same for every cell pixel: column_shift[l] = floor(dx l), row_shift[l]
// = floor(-dy l).
struct TranslateShifts {
    int column_shift[21];
    int row_shift[21];
};

static TranslateShifts translate_shifts()
{
    const float dx = static_cast<float>(200 * static_cast<long double>(cx));
    const float dy = static_cast<float>(200 * static_cast<long double>(sy));
    TranslateShifts t{};
    for (int l = -10; l <= 10; ++l) {
        t.column_shift[l + 10] = static_cast<int>(std::floor(static_cast<double>(dx) * l));
        t.row_shift[l + 10] = static_cast<int>(std::floor(-(static_cast<double>(dy) * l)));
    }
    return t;
}

// Scans the cell column by column over the live screen; each grey pixel is
// written to its translates inside columns 1..799 and rows 1..599, for each
// l one row and in it every 200th column.
void copy_cell_to_translates()
{
    const TranslateShifts shifts = translate_shifts();
    // Bounding box of the cell: columns A..Q, rows P..A.
    for (int i = 200; i <= 447; ++i) {
        for (int j = 168; j <= 300; ++j) {
            if (!in_cell(i, j)) continue;
            const Uint32 s = get_pixel(i, j);
            if (s != grey) continue;
            for (int l = -10; l <= 10; ++l) {
                const int row = j + shifts.row_shift[l + 10];
                if (row < 1 || row > 599) continue;
                Uint32* pixels = pixel_row(row);
                const int home = i + shifts.column_shift[l + 10];  // k = 0
                int first = home - 2000;                            // k = -10
                if (first < 1) first += (1 - first + 199) / 200 * 200;
                const int last = std::min(home + 2000, 799);        // k = 10
                for (int col = first; col <= last; col += 200) pixels[col] = s;
            }
        }
    }
}
