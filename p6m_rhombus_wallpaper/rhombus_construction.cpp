// The rhombus construction. Copy stages scan column by column (rows inner,
// both ascending) and read pixels that the same stage may have written;
// the scan order and the float roundings decide the pixels.
#include "rhombus_construction.h"

int region_x[region_capacity];
int region_y[region_capacity];
Uint32 region_colour[region_capacity];
int region_count = 0;

namespace {

int trunc_px(double value) { return static_cast<int>(value); }

// Column and row of a pixel in units.
double unit_u(int i) { return (i - 400) / 40.0; }
double unit_v(int j) { return (300 - j) / 40.0; }

} // namespace

bool region_append(int x, int y, Uint32 colour)
{
    if (region_count >= region_capacity)
        return false;
    region_x[region_count] = x;
    region_y[region_count] = y;
    region_colour[region_count] = colour;
    ++region_count;
    return true;
}

void mirror_across_column()
{
    for (int i = 400; i <= 469; ++i) {
        const double g0 = unit_u(i);
        const float gf = static_cast<float>(g0);
        double g = g0; // exact until the first copy, float after it
        for (int j = 260; j <= 300; ++j) {
            double o = unit_v(j);
            if (g >= 0 && o <= 1 && o >= g / s3) {
                put_pixel(i, j, get_pixel(trunc_px(400 - 40 * static_cast<double>(gf)),
                                          trunc_px(300 - 40 * o)));
                g = static_cast<float>(g);
            }
        }
    }
}

void turn_about_centre()
{
    for (int i = 330; i <= 469; ++i) {
        for (int j = 260; j <= 379; ++j) {
            double g = unit_u(i), h = unit_v(j);
            float x, y;
            if (g <= 0 && h <= -g / s3 && h >= -s3 * g - 2) {
                // Triangle (0, 0), (0, -2), (-s3, 1): turned by -120 degrees
                x = static_cast<float>(-0.5 * g + 0.5 * s3 * h);
                y = static_cast<float>(-0.5 * s3 * g - 0.5 * h);
            } else if (g >= 0 && h <= g / s3 && h >= s3 * g - 2) {
                // Triangle (0, 0), (0, -2), (s3, 1): turned by +120 degrees
                x = static_cast<float>(-0.5 * g - 0.5 * s3 * h);
                y = static_cast<float>(0.5 * s3 * g - 0.5 * h);
            } else {
                continue;
            }
            put_pixel(i, j, get_pixel(trunc_px(400 + 40 * static_cast<double>(x)),
                                      trunc_px(300 - 40 * static_cast<double>(y))));
        }
    }
}

void mirror_across_edge()
{
    for (int i = 400; i <= 538; ++i) {
        const double g0 = unit_u(i);
        const float gf = static_cast<float>(g0);
        double g = g0; // exact until the first copy, float after it
        for (int j = 260; j <= 379; ++j) {
            double o = unit_v(j);
            // Triangle (0, -2), (2 s3, -2), (s3, 1)
            if (o >= -2 && o <= s3 * g - 2 && o <= -s3 * g + 4) {
                float x = static_cast<float>(-0.5 * static_cast<double>(gf) + 0.5 * s3 * o);
                float y = static_cast<float>(0.5 * o + 0.5 * s3 * g);
                put_pixel(i, j,
                          get_pixel(trunc_px(400 + 40 * (static_cast<double>(x) + static_cast<double>(s3f))),
                                    trunc_px(300 - 40 * (static_cast<double>(y) - 1))));
                g = static_cast<float>(g);
            }
        }
    }
}

bool in_rhombus(int c, int r)
{
    double v = unit_v(r);
    if (!(v <= 1 && v >= -2))
        return false;
    double w = -s3 * static_cast<float>(static_cast<float>(c - 400) / 40.0);
    return v <= w + 4 && v >= w - 2;
}

void store_rhombus()
{
    region_count = 0;
    for (int c = 300; c <= 599; ++c)
        for (int r = 200; r <= 499; ++r)
            if (in_rhombus(c, r))
                region_append(c, r, get_pixel(c, r));
}

void tile_rhombus()
{
    // The column of translate (m, a) depends on the stored column only, and
    // the store runs column by column: the 20 x 20 columns are computed
    // again only when the column changes. The copies of one stored pixel
    // all have its colour, so they may be written row by row.
    int columns[20][20];  // [a + 10][m + 10]
    int columns_of = -1;  // the source column of the table; none yet
    for (int k = 0; k < region_count; ++k) {
        if (k == 0 || region_x[k] != columns_of) {
            columns_of = region_x[k];
            for (int a = -10; a <= 9; ++a)
                for (int m = -10; m <= 9; ++m)
                    columns[a + 10][m + 10] = trunc_px((columns_of + 40.0 * m * s3f2) - 40.0 * a * s3f);
        }
        const Uint32 colour = region_colour[k];
        for (int a = -10; a <= 9; ++a) {
            const int y = region_y[k] + 120 * a;
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

// Row by row: each column is still scanned downwards, and columns do not
// meet, so a pixel takes the colour its lower neighbour has before that
// neighbour's own turn, exactly as in a column-by-column scan.
void close_seams(Uint32 white)
{
    for (int y = 0; y < SCREEN_HEIGHT - 1; ++y) {
        Uint32* row = pixel_row(y);
        const Uint32* below = pixel_row(y + 1);
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            if (row[x] == white)
                row[x] = below[x];
    }
}
