#include "oblique_translates.h"

#include <algorithm>
#include <cmath>

translate_shifts make_translate_shifts(int period, double dx, double dy)
{
    translate_shifts t{};
    t.period = period;
    for (int l = -10; l <= 10; ++l) {
        t.column_shift[l + 10] = static_cast<int>(std::floor(dx * l));
        t.row_shift[l + 10] = static_cast<int>(std::floor(-(dy * l)));
    }
    return t;
}

void copy_to_translates(const translate_shifts& shifts, int i, int j, Uint32 colour)
{
    const int period = shifts.period;
    for (int l = -10; l <= 10; ++l) {
        const int row = j + shifts.row_shift[l + 10];
        if (row < 1 || row > SCREEN_HEIGHT - 1)
            continue;
        Uint32* pixels = pixel_row(row);
        const int home = i + shifts.column_shift[l + 10];  // k = 0
        int first = home - 10 * period;                     // k = -10
        if (first < 1)
            first += (1 - first + period - 1) / period * period;
        const int last = std::min(home + 10 * period, SCREEN_WIDTH - 1);  // k = 10
        for (int col = first; col <= last; col += period)
            pixels[col] = colour;
    }
}
