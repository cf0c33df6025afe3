// One dodecagon of the truncated hexagonal tiling, and its lattice.
#include "dodecagon.h"

#include <drawkit.h>

#include <cmath>

Uint32 white, black, light_red, light_yellow, blue;
lattice_vector e1, e2;

void compute_lattice_vectors()
{
    const double a = 0.2617993877991494;  // pi/12
    const double third = 1.0471975511965976;  // pi/3
    const long double c = std::cos(a), s = std::sin(a);
    e1.x = static_cast<float>(c * (c + c));
    e1.y = static_cast<float>(s * (c + c));
    const long double c3 = std::cos(third), s3 = std::sin(third);
    e2.x = static_cast<float>(c3 * e1.x - s3 * e1.y);
    e2.y = static_cast<float>(s3 * e1.x + c3 * e1.y);
}

pixel lattice_point(int i, int j)
{
    const double si = static_cast<double>(scale) * i;
    const double sj = static_cast<double>(scale) * j;
    const double x = origin.x + si * static_cast<double>(e1.x) + sj * static_cast<double>(e2.x);
    const double y = origin.y - si * static_cast<double>(e1.y) - sj * static_cast<double>(e2.y);
    return {static_cast<int>(x), static_cast<int>(y)};
}

pixel dodecagon_vertex(int col, int row, int k)
{
    constexpr long double radius = 50;
    const double angle = k * static_cast<double>(dodecagon_angle_step);
    const double angle_f = static_cast<float>(angle);
    return {static_cast<int>(col + radius * std::cos(angle)),
            static_cast<int>(row - radius * std::sin(angle_f))};
}

void draw_dodecagon(int col, int row)
{
    for (int k = 0; k < 12; ++k) {
        const pixel from = dodecagon_vertex(col, row, k);
        const pixel to = dodecagon_vertex(col, row, (k + 1) % 12);
        draw_thick_line(from.x, from.y, to.x, to.y, 1, black);
    }
    guarded_fill(col, row, light_red, black);
}
