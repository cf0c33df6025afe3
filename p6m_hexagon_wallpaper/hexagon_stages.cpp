// Stages of the p6m hexagon wallpaper. Every copy stage scans its region
// column by column (rows inner, both ascending) and reads sources that
// earlier pixels of the same stage may have written: the scan order, and
// which values are rounded to float, decide the pixels.
#include "hexagon_stages.h"

Uint32 white, black, red, olive, green;

namespace {

// Column and row of a pixel in units.
double unit_u(int i) { return (i - 400) / 80.0; }
double unit_v(int j) { return (300 - j) / 80.0; }

constexpr double scale = 80.0;  // pixels per unit

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
        double u = unit_u(i);
        for (int j = 300; j <= 341; ++j) {
            const double v = unit_v(j);
            if (u >= 0 && u <= h3 && v >= -u / s3) {
                copy_from_unit_point(i, j, scale, u, -v);
                hold_in_float(u);
            }
        }
    }
}

void mirror_across_column()
{
    for (int i = 469; i <= 539; ++i) {
        const double column_u = unit_u(i);  // exact for the whole column
        double held_u = column_u;           // held in float from the first copy
        for (int j = 259; j <= 340; ++j) {
            const double v = unit_v(j);
            if (column_u >= h3 && v <= 1 - held_u / s3 && v >= column_u / s3 - 1) {
                copy_from_unit_point(i, j, scale, static_cast<float>(s3 - held_u), v);
                hold_in_float(held_u);
            }
        }
    }
}

void turn_rhombus()
{
    // The turn centre (h3f, 0.5): each pixel's offset from it is (du, dv).
    // The right rhombus (h3, 0.5), (s3, 0), (s3, 1), (h3, 1.5), each pixel
    // fetched from its turn by -120 degrees about the centre.
    for (int i = 400; i <= 559; ++i) {
        for (int j = 100; j <= 309; ++j) {
            const double u = unit_u(i), v = unit_v(j);
            const double du = u - h3f, dv = v - 0.5;
            if (u >= h3 && u <= s3 && v >= -u / s3 + 1 && v <= -u / s3 + 2)
                copy_from_unit_point(i, j, scale, static_cast<float>(dv * s3 * 0.5 - du * 0.5 + h3f),
                                            static_cast<float>(-du * h3 - dv * 0.5 + 0.5));
        }
    }
    // Then the left rhombus (0, 0), (h3, 0.5), (h3, 1.5), (0, 1), fetched
    // from its turn by +120 degrees.
    for (int i = 380; i <= 559; ++i) {
        for (int j = 100; j <= 309; ++j) {
            const double u = unit_u(i), v = unit_v(j);
            const double du = u - h3f, dv = v - 0.5;
            if (u >= 0 && u <= h3 && v >= u / s3 && v <= u / s3 + 1)
                copy_from_unit_point(i, j, scale, static_cast<float>(-du * 0.5 - s3 * dv * 0.5 + h3f),
                                            static_cast<float>(h3 * du - dv * 0.5 + 0.5));
        }
    }
}

bool in_hexagon(int c, int r)
{
    const double u = unit_u(c), v = unit_v(r);
    const double rise = u / s3;  // the slanted sides rise 1/s3 per unit
    return u >= 0 && u <= s3 && v <= rise + 1 && v >= rise - 1 && v <= -rise + 2 && v >= -rise;
}

void tile_hexagon()
{
    // Copies are written while the scan goes on: a hexagon pixel that an
    // earlier copy has overwritten is read with its new colour. The columns
    // of the translates depend on the source column only.
    for (int c = 390; c <= 559; ++c) {
        const translate_columns columns = make_translate_columns(c, scale, s3f, h3f);
        for (int r = 140; r <= 379; ++r)
            if (in_hexagon(c, r))
                copy_to_translates(columns, r, get_pixel(c, r));
    }
}
