// One cell of the snub hexagonal tiling. Sines take the float-rounded angle
// and most cosines the exact one; that mix decides which pixel a vertex
// lands on (the outer vertex at 300 degrees has two positions).
#include "hex_cell.h"

#include <drawkit.h>

#include <cmath>

Uint32 white, black, red, green;

pixel lattice_point(int i, int j)
{
    const double si = static_cast<double>(scale) * i;
    const double sj = static_cast<double>(scale) * j;
    const double x = origin.x + static_cast<double>(e1.x) * si + static_cast<double>(e2.x) * sj;
    const double y = origin.y - static_cast<double>(e1.y) * si - static_cast<double>(e2.y) * sj;
    return {static_cast<int>(x), static_cast<int>(y)};
}

namespace {

constexpr double side = 50.0;                  // pixels per hexagon side
constexpr double half_root3 = 0.8660254037844386;  // sqrt(3)/2

// Pixel of the point (u, v), in sides with y upward, of the cell about (col, row).
pixel to_pixel(int col, int row, double u, double v)
{
    return {static_cast<int>(col + side * u), static_cast<int>(row - side * v)};
}

struct point {
    double u;
    double v;
};

pixel centroid(int col, int row, point a, point b, point c)
{
    return {static_cast<int>(col + side * (a.u + b.u + c.u) / 3),
            static_cast<int>(row - side * (a.v + b.v + c.v) / 3)};
}

// Fills only from seeds inside the black window frame.
void fill_from(pixel seed, Uint32 colour) { guarded_fill(seed.x, seed.y, colour, black); }

void edge(pixel from, pixel to)
{
    draw_thick_line(from.x, from.y, to.x, to.y, 1, black);
}

}  // namespace

hex_sector hex_cell_sector(int col, int row, int k)
{
    const double alpha = k * static_cast<double>(hex_angle_step);
    const double beta = ((k + 1) % 6) * static_cast<double>(hex_angle_step);
    const double alpha_f = static_cast<float>(alpha);
    const double beta_f = static_cast<float>(beta);

    const point u0{std::cos(alpha), std::sin(alpha_f)};
    const point u1{std::cos(beta), std::sin(beta_f)};
    const point o0{2 * std::cos(alpha), 2 * std::sin(alpha_f)};
    const point o1{2 * std::cos(beta_f), 2 * std::sin(beta_f)};
    // U_k turned by 30 degrees and stretched by sqrt 3.
    const point p{1.5 * std::cos(alpha) - half_root3 * std::sin(alpha_f),
                  half_root3 * std::cos(alpha) + 1.5 * std::sin(alpha_f)};

    return {to_pixel(col, row, u0.u, u0.v), to_pixel(col, row, o0.u, o0.v),
            to_pixel(col, row, p.u, p.v),   to_pixel(col, row, u1.u, u1.v),
            to_pixel(col, row, o1.u, o1.v), centroid(col, row, u0, o0, p),
            centroid(col, row, u0, u1, p),  centroid(col, row, u1, o1, p)};
}

void draw_hex_cell(int col, int row)
{
    for (int k = 0; k < 6; ++k) {
        const hex_sector s = hex_cell_sector(col, row, k);
        edge(s.u0, s.o0);  // spoke
        edge(s.u0, s.u1);  // inner hexagon edge
        edge(s.u0, s.p);
        edge(s.u1, s.p);
        edge(s.u1, s.o1);  // next spoke, drawn again by the next sector
        edge(s.o0, s.p);   // outer edge, both halves
        edge(s.o1, s.p);

        // Each triangle is closed by this sector's own edges.
        fill_from(s.seed_a, green);
        fill_from(s.seed_b, green);
        fill_from(s.seed_c, green);
    }
    fill_from({col, row}, red);
}
