// The rhombus construction. Copy stages scan column by column (rows inner,
// both ascending) and read pixels that the same stage may have written;
// the scan order and the float roundings decide the pixels.
#include "rhombus_construction.h"

int region_x[region_capacity];
int region_y[region_capacity];
Uint32 region_colour[region_capacity];
int region_count = 0;

namespace {

constexpr double scale = 40.0;  // pixels per unit

// Column and row of a pixel in units.
double unit_u(int i) { return (i - 400) / scale; }
double unit_v(int j) { return (300 - j) / scale; }

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
        const double column_u = unit_u(i);
        const float mirrored_u = static_cast<float>(-column_u);  // the source column, in float
        double held_u = column_u;  // held in float from the first copy
        for (int j = 260; j <= 300; ++j) {
            const double v = unit_v(j);
            if (held_u >= 0 && v <= 1 && v >= held_u / s3) {
                copy_from_unit_point(i, j, scale, mirrored_u, v);
                hold_in_float(held_u);
            }
        }
    }
}

void turn_about_centre()
{
    for (int i = 330; i <= 469; ++i) {
        for (int j = 260; j <= 379; ++j) {
            const double u = unit_u(i), v = unit_v(j);
            if (u <= 0 && v <= -u / s3 && v >= -s3 * u - 2) {
                // Triangle (0, 0), (0, -2), (-s3, 1): turned by -120 degrees
                copy_from_unit_point(i, j, scale, static_cast<float>(-0.5 * u + 0.5 * s3 * v),
                                     static_cast<float>(-0.5 * s3 * u - 0.5 * v));
            } else if (u >= 0 && v <= u / s3 && v >= s3 * u - 2) {
                // Triangle (0, 0), (0, -2), (s3, 1): turned by +120 degrees
                copy_from_unit_point(i, j, scale, static_cast<float>(-0.5 * u - 0.5 * s3 * v),
                                     static_cast<float>(0.5 * s3 * u - 0.5 * v));
            }
        }
    }
}

void mirror_across_edge()
{
    for (int i = 400; i <= 538; ++i) {
        const float column_uf = static_cast<float>(unit_u(i));
        double held_u = unit_u(i);  // held in float from the first copy
        for (int j = 260; j <= 379; ++j) {
            const double v = unit_v(j);
            // Triangle (0, -2), (2 s3, -2), (s3, 1)
            if (v >= -2 && v <= s3 * held_u - 2 && v <= -s3 * held_u + 4) {
                // The source is (x + s3f, y - 1).
                const float x = static_cast<float>(-0.5 * static_cast<double>(column_uf) + 0.5 * s3 * v);
                const float y = static_cast<float>(0.5 * v + 0.5 * s3 * held_u);
                copy_from_unit_point(i, j, scale, static_cast<double>(x) + static_cast<double>(s3f),
                                     static_cast<double>(y) - 1);
                hold_in_float(held_u);
            }
        }
    }
}

bool in_rhombus(int c, int r)
{
    double v = unit_v(r);
    if (!(v <= 1 && v >= -2))
        return false;
    double w = -s3 * static_cast<float>(static_cast<float>(c - 400) / scale);
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
    // The columns of the translates depend on the stored column only, and
    // the store runs column by column: they are computed again only when
    // the column changes.
    translate_columns columns{};
    for (int k = 0; k < region_count; ++k) {
        if (k == 0 || region_x[k] != region_x[k - 1])
            columns = make_translate_columns(region_x[k], scale, s3f2, -s3f);
        copy_to_translates(columns, region_y[k], region_colour[k]);
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
