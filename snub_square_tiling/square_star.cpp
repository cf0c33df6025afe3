// One star of the snub square tiling. Sines take the float-rounded angle
// and most cosines the exact one, which is why the star is not symmetric
// to the pixel (its bottom-right corner lands on row + 24).
#include "square_star.h"

#include <drawkit.h>

#include <cmath>

Uint32 white, black, red, pink, green;

pixel lattice_point(int i, int j)
{
    const double si = static_cast<double>(scale) * i;
    const double sj = static_cast<double>(scale) * j;
    const double x = origin.x + static_cast<double>(e1.x) * si + static_cast<double>(e2.x) * sj;
    const double y = origin.y - static_cast<double>(e1.y) * si - static_cast<double>(e2.y) * sj;
    return {static_cast<int>(x), static_cast<int>(y)};
}

namespace {

constexpr double side = 50.0;                    // pixels per square side
constexpr double apex = 1.3660254037844386;      // 0.5 + sqrt(3)/2, centre to triangle apex

struct point {
    double u;
    double v;
};

pixel to_pixel(int col, int row, point p)
{
    return {static_cast<int>(col + side * p.u), static_cast<int>(row - side * p.v)};
}

// Fills only from seeds inside the black window frame.
void fill_from(pixel seed, Uint32 colour) { guarded_fill(seed.x, seed.y, colour, black); }

void edge(pixel from, pixel to)
{
    draw_thick_line(from.x, from.y, to.x, to.y, 1, black);
}

}  // namespace

star_side square_star_side(int col, int row, int t)
{
    const double alpha = t * static_cast<double>(star_angle_step);
    const double beta = ((t + 1) % 4) * static_cast<double>(star_angle_step);
    const double alpha_f = static_cast<float>(alpha);
    const double beta_f = static_cast<float>(beta);

    const point a{0.5 * std::cos(alpha) - 0.5 * std::sin(alpha_f),
                  0.5 * std::cos(alpha) + 0.5 * std::sin(alpha_f)};
    const point b{0.5 * std::cos(beta) - 0.5 * std::sin(beta_f),
                  0.5 * std::cos(beta_f) + 0.5 * std::sin(beta_f)};
    const point q{-apex * std::sin(alpha_f), apex * std::cos(alpha)};
    const pixel seed{static_cast<int>(col + (q.u + a.u + b.u) * side / 3),
                     static_cast<int>(row - (q.v + a.v + b.v) * side / 3)};
    return {to_pixel(col, row, a), to_pixel(col, row, b), to_pixel(col, row, q), seed};
}

void draw_square_star(int col, int row)
{
    for (int t = 0; t < 4; ++t) {
        const star_side s = square_star_side(col, row, t);
        edge(s.a, s.q);
        edge(s.a, s.b);  // the square's side
        edge(s.b, s.q);
        // The triangle is closed by its own three edges.
        fill_from(s.seed, green);
    }
    fill_from({col, row}, red);
}
