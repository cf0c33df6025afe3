// One star of the snub square tiling. Sines take the float-rounded angle
// and most cosines the exact one, which is why the star is not symmetric
// to the pixel (its bottom-right corner lands on row + 24).
#include "square_star.h"

#include <drawkit.h>

#include <cmath>

Uint32 white, black, red, pink, green;

namespace {

constexpr double side = 50.0;                    // pixels per square side
constexpr double apex = 1.3660254037844386;      // 0.5 + sqrt(3)/2, centre to triangle apex

}  // namespace

star_side square_star_side(int col, int row, int t)
{
    const unit_point d = turn_direction(t, star_angle_step);
    const unit_point a{0.5 * d.x - 0.5 * d.y, 0.5 * d.x + 0.5 * d.y};
    // B_t = A_t+1, whose y takes the cosine of the float-rounded angle.
    const double beta = ((t + 1) % 4) * static_cast<double>(star_angle_step);
    const double beta_f = static_cast<float>(beta);
    const unit_point b{0.5 * std::cos(beta) - 0.5 * std::sin(beta_f),
                       0.5 * std::cos(beta_f) + 0.5 * std::sin(beta_f)};
    const unit_point q{-apex * d.y, apex * d.x};
    const pixel_point seed{trunc_px(col + (q.x + a.x + b.x) * side / 3),
                           trunc_px(row - (q.y + a.y + b.y) * side / 3)};
    const pixel_point centre{col, row};
    return {unit_pixel(centre, side, a), unit_pixel(centre, side, b),
            unit_pixel(centre, side, q), seed};
}

void draw_square_star(int col, int row)
{
    for (int t = 0; t < 4; ++t) {
        const star_side s = square_star_side(col, row, t);
        draw_edge(s.a, s.q, black);
        draw_edge(s.a, s.b, black);  // the square's side
        draw_edge(s.b, s.q, black);
        // The triangle is closed by its own three edges.
        guarded_fill(s.seed, green, black);
    }
    guarded_fill({col, row}, red, black);
}
