// Stages of the p6m hexagon wallpaper. Every copy stage scans its region
// column by column (rows inner, both ascending) and reads sources that
// earlier pixels of the same stage may have written: the scan order, and
// which values are rounded to float, decide the pixels.
#include "hexagon_stages.h"

Uint32 white, black, red, olive, green;

namespace {

int trunc_px(double value) { return static_cast<int>(value); }

// Column and row of a pixel in units.
double unit_u(int i) { return (i - 400) / 80.0; }
double unit_v(int j) { return (300 - j) / 80.0; }

} // namespace

void draw_motif()
{
    // Outline of the triangle and the lines between its faces
    draw_line(469, 300, 400, 300, black);
    draw_line(469, 260, 400, 300, black);
    draw_line(469, 260, 469, 300, black);
    draw_thick_line(454, 285, 454, 300, 0, black);
    draw_thick_line(454, 285, 469, 285, 0, black);
    draw_thick_line(447, 272, 454, 285, 0, black);

    // The square, the upper face and the face towards the 30-degree corner
    flood_fill(456, 292, green, black);
    flood_fill(456, 268, red, black);
    flood_fill(424, 292, olive, black);

    // Edges repainted in the colours of their faces
    draw_thick_line(400, 300, 454, 300, 0, olive);
    draw_thick_line(400, 300, 447, 272, 0, olive);
    draw_thick_line(453, 285, 446, 272, 0, olive);
    draw_thick_line(469, 300, 454, 300, 0, green);
    draw_thick_line(469, 300, 469, 285, 0, green);
    draw_thick_line(454, 300, 454, 285, 0, green);
    draw_thick_line(469, 285, 454, 285, 0, green);
    draw_thick_line(469, 260, 447, 272, 0, red);
    draw_thick_line(447, 272, 469, 285, 0, red);
    draw_thick_line(469, 285, 469, 260, 0, red);
}

void mirror_across_row()
{
    for (int i = 400; i <= 474; ++i) {
        // Exact for the first copied pixel of the column, float after it.
        double u = unit_u(i);
        for (int j = 300; j <= 341; ++j) {
            double v = unit_v(j);
            if (u >= 0 && u <= h3 && v >= -u / s3) {
                put_pixel(i, j, get_pixel(trunc_px(400 + 80 * u), trunc_px(300 + 80 * v)));
                u = static_cast<float>(u);
            }
        }
    }
}

void mirror_across_column()
{
    for (int i = 469; i <= 539; ++i) {
        const double gd = unit_u(i);
        double g = gd; // exact until the first copy, float after it
        for (int j = 259; j <= 340; ++j) {
            double t = unit_v(j);
            if (gd >= h3 && t <= 1 - g / s3 && t >= gd / s3 - 1) {
                float mirrored = static_cast<float>(s3 - g);
                put_pixel(i, j, get_pixel(trunc_px(400 + 80 * static_cast<double>(mirrored)),
                                          trunc_px(300 - 80 * t)));
                g = static_cast<float>(g);
            }
        }
    }
}

void turn_rhombus()
{
    // Loop A: the rhombus (h3, 0.5), (s3, 0), (s3, 1), (h3, 1.5), each
    // pixel fetched from its turn by -120 degrees about (h3f, 0.5)
    for (int i = 400; i <= 559; ++i) {
        for (int j = 100; j <= 309; ++j) {
            double h = unit_u(i), o = unit_v(j);
            double du = h - h3f, dv = o - 0.5;
            if (h >= h3 && h <= s3 && o >= -h / s3 + 1 && o <= -h / s3 + 2) {
                float x = static_cast<float>(dv * s3 * 0.5 - du * 0.5 + h3f);
                float y = static_cast<float>(-du * h3 - dv * 0.5 + 0.5);
                put_pixel(i, j, get_pixel(trunc_px(400 + 80 * static_cast<double>(x)),
                                          trunc_px(300 - 80 * static_cast<double>(y))));
            }
        }
    }
    // Loop B: the rhombus (0, 0), (h3, 0.5), (h3, 1.5), (0, 1), fetched
    // from its turn by +120 degrees
    for (int i = 380; i <= 559; ++i) {
        for (int j = 100; j <= 309; ++j) {
            double h = unit_u(i), o = unit_v(j);
            double du = h - h3f, dv = o - 0.5;
            if (h >= 0 && h <= h3 && o >= h / s3 && o <= h / s3 + 1) {
                float x = static_cast<float>(-du * 0.5 - s3 * dv * 0.5 + h3f);
                float y = static_cast<float>(h3 * du - dv * 0.5 + 0.5);
                put_pixel(i, j, get_pixel(trunc_px(400 + 80 * static_cast<double>(x)),
                                          trunc_px(300 - 80 * static_cast<double>(y))));
            }
        }
    }
}

bool in_hexagon(int c, int r)
{
    double o = unit_u(c), t = unit_v(r);
    double q = o / s3;
    return o >= 0 && o <= s3 && t <= q + 1 && t >= q - 1 && t <= -q + 2 && t >= -q;
}

void tile_hexagon()
{
    // Copies are written while the scan goes on: a hexagon pixel that an
    // earlier copy has overwritten is read with its new colour. The column
    // of translate (m, a) depends on the source column only, so the 20 x 20
    // columns are computed once per source column; the copies of one pixel
    // all have its colour, so they may be written row by row.
    int columns[20][20];  // [a + 10][m + 10]
    for (int c = 390; c <= 559; ++c) {
        for (int a = -10; a <= 9; ++a)
            for (int m = -10; m <= 9; ++m)
                columns[a + 10][m + 10] = trunc_px((c + 80.0 * m * s3f) + 80.0 * a * h3f);
        for (int r = 140; r <= 379; ++r) {
            if (!in_hexagon(c, r))
                continue;
            const Uint32 colour = get_pixel(c, r);
            for (int a = -10; a <= 9; ++a) {
                const int y = r + 120 * a;
                // Row 0 and column 0 never take a copy.
                if (y < 1 || y > SCREEN_HEIGHT - 1)
                    continue;
                Uint32* row = pixel_row(y);
                for (int x : columns[a + 10])
                    if (x >= 1 && x <= SCREEN_WIDTH - 1)
                        row[x] = colour;
            }
        }
    }
}
