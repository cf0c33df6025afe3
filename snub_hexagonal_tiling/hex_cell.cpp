// One cell of the snub hexagonal tiling. Sines take the float-rounded angle
// and most cosines the exact one; that mix decides which pixel a vertex
// lands on (the outer vertex at 300 degrees has two positions).
#include "hex_cell.h"

#include <drawkit.h>

#include <cmath>

Uint32 white, black, red, green;

namespace {

constexpr double side = 50.0;                  // pixels per hexagon side
constexpr double half_root3 = 0.8660254037844386;  // sqrt(3)/2

pixel_point centroid(int col, int row, unit_point a, unit_point b, unit_point c)
{
    return {trunc_px(col + side * (a.x + b.x + c.x) / 3), trunc_px(row - side * (a.y + b.y + c.y) / 3)};
}

}  // namespace

hex_sector hex_cell_sector(int col, int row, int k)
{
    const unit_point u0 = turn_direction(k, hex_angle_step);
    const unit_point u1 = turn_direction((k + 1) % 6, hex_angle_step);
    const unit_point o0{2 * u0.x, 2 * u0.y};
    // O_k+1 takes the cosine of the float-rounded angle as well.
    const double beta_f = static_cast<float>(((k + 1) % 6) * static_cast<double>(hex_angle_step));
    const unit_point o1{2 * std::cos(beta_f), 2 * std::sin(beta_f)};
    // U_k turned by 30 degrees and stretched by sqrt 3.
    const unit_point p{1.5 * u0.x - half_root3 * u0.y, half_root3 * u0.x + 1.5 * u0.y};

    const pixel_point centre{col, row};
    return {unit_pixel(centre, side, u0), unit_pixel(centre, side, o0),
            unit_pixel(centre, side, p),   unit_pixel(centre, side, u1),
            unit_pixel(centre, side, o1), centroid(col, row, u0, o0, p),
            centroid(col, row, u0, u1, p),  centroid(col, row, u1, o1, p)};
}

void draw_hex_cell(int col, int row)
{
    for (int k = 0; k < 6; ++k) {
        const hex_sector s = hex_cell_sector(col, row, k);
        draw_edge(s.u0, s.o0, black);  // spoke
        draw_edge(s.u0, s.u1, black);  // inner hexagon edge
        draw_edge(s.u0, s.p, black);
        draw_edge(s.u1, s.p, black);
        draw_edge(s.u1, s.o1, black);  // next spoke, drawn again by the next sector
        draw_edge(s.o0, s.p, black);   // outer edge, both halves
        draw_edge(s.o1, s.p, black);

        // Each triangle is closed by this sector's own edges.
        guarded_fill(s.seed_a, green, black);
        guarded_fill(s.seed_b, green, black);
        guarded_fill(s.seed_c, green, black);
    }
    guarded_fill({col, row}, red, black);
}
