#include "pixel_copies.h"

void copy_from_unit_point(int i, int j, double scale, double u, double v)
{
    put_pixel(i, j, get_pixel(trunc_px(400 + scale * u), trunc_px(300 - scale * v)));
}

translate_columns make_translate_columns(int c, double scale, float along, float across)
{
    translate_columns t;
    for (int a = -10; a <= 9; ++a)
        for (int m = -10; m <= 9; ++m)
            t.columns[a + 10][m + 10] = trunc_px((c + scale * m * static_cast<double>(along)) +
                                                 scale * a * static_cast<double>(across));
    return t;
}

void copy_to_translates(const translate_columns& t, int r, Uint32 colour)
{
    for (int a = -10; a <= 9; ++a) {
        const int y = r + 120 * a;
        if (y < 1 || y > SCREEN_HEIGHT - 1)
            continue;
        Uint32* row = pixel_row(y);
        for (int x : t.columns[a + 10])
            if (x >= 1 && x <= SCREEN_WIDTH - 1)
                row[x] = colour;
    }
}
