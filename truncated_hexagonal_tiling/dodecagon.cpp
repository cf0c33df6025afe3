// One dodecagon of the truncated hexagonal tiling, and its lattice.
#include "dodecagon.h"

#include <cmath>

Uint32 white, black, light_red, light_yellow, blue;
lattice_vector e1, e2;

void set_lattice_vectors()
{
    const double a = 0.2617993877991494;  // pi/12
    const double third = 1.0471975511965976;  // pi/3
    const long double c = std::cos(a), s = std::sin(a);
    e1.x = static_cast<float>(c * (c + c));
    e1.y = static_cast<float>(s * (c + c));
    e2 = turned(e1, third);
}

pixel_point dodecagon_vertex(int col, int row, int k)
{
    const unit_point d = turn_direction(k, dodecagon_angle_step);
    return unit_pixel_extended({col, row}, 50, d.x, d.y);
}

void draw_dodecagon(int col, int row)
{
    for (int k = 0; k < 12; ++k)
        draw_edge(dodecagon_vertex(col, row, k), dodecagon_vertex(col, row, (k + 1) % 12), black);
    guarded_fill(col, row, light_red, black);
}
