// One cell of the elongated triangular tiling.
#include "square_cell.h"

#include <drawkit.h>

Uint32 white, black, red, olive, green;

pixel lattice_point(int i, int j)
{
    const double si = static_cast<double>(scale) * i;
    const double sj = static_cast<double>(scale) * j;
    const double x = origin.x + static_cast<double>(e1.x) * si + static_cast<double>(e2.x) * sj;
    const double y = origin.y - static_cast<double>(e1.y) * si - static_cast<double>(e2.y) * sj;
    return {static_cast<int>(x), static_cast<int>(y)};
}

namespace {

constexpr double side = 70.0;
constexpr double half_side = 35.0;
constexpr double triangle_height = 60.6217782649107;        // 35 sqrt 3
constexpr double upper_apex_height = 130.6217782649107;     // side + triangle height
constexpr double upper_centroid_height = 90.20725942163689; // side + 35 / sqrt 3
constexpr double lower_centroid_depth = 20.207259421636902; // 35 / sqrt 3

int trunc(double v) { return static_cast<int>(v); }

void edge(int x0, int y0, int x1, int y1)
{
    draw_thick_line(x0, y0, x1, y1, 1, black);
}

}  // namespace

square_cell_geometry square_cell(int a, int b)
{
    return {trunc(a + side),
            trunc(b - side),
            trunc(a + 0.0),
            trunc(a + half_side),
            trunc(b + triangle_height),
            trunc(b - upper_apex_height),
            trunc(b - half_side),
            trunc(b - upper_centroid_height),
            trunc(b + lower_centroid_depth)};
}

void draw_square_cell(int a, int b)
{
    const square_cell_geometry g = square_cell(a, b);
    const int m = g.middle;

    // The square.
    edge(a, b, g.right, b);
    edge(g.right, b, g.right, g.top);
    edge(g.right, g.top, g.left, g.top);
    edge(g.left, g.top, a, b);
    // The lower triangle, then the upper one.
    edge(a, b, m, g.lower_apex);
    edge(g.right, b, m, g.lower_apex);
    edge(g.right, g.top, m, g.upper_apex);
    edge(g.left, g.top, m, g.upper_apex);

    guarded_fill(m, g.square_seed, red, black);
    guarded_fill(m, g.upper_seed, olive, black);
    guarded_fill(m, g.lower_seed, green, black);
}
