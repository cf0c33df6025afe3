// One cell of the elongated triangular tiling.
#include "square_cell.h"

#include <drawkit.h>

Uint32 white, black, red, olive, green;

namespace {

constexpr double side = 70.0;
constexpr double half_side = 35.0;
constexpr double triangle_height = 60.6217782649107;        // 35 sqrt 3
constexpr double upper_apex_height = 130.6217782649107;     // side + triangle height
constexpr double upper_centroid_height = 90.20725942163689; // side + 35 / sqrt 3
constexpr double lower_centroid_depth = 20.207259421636902; // 35 / sqrt 3

}  // namespace

square_cell_geometry square_cell(int a, int b)
{
    return {trunc_px(a + side),
            trunc_px(b - side),
            trunc_px(a + 0.0),
            trunc_px(a + half_side),
            trunc_px(b + triangle_height),
            trunc_px(b - upper_apex_height),
            trunc_px(b - half_side),
            trunc_px(b - upper_centroid_height),
            trunc_px(b + lower_centroid_depth)};
}

void draw_square_cell(int a, int b)
{
    const square_cell_geometry g = square_cell(a, b);
    const int m = g.middle;
    const pixel_point lower_left{a, b}, lower_right{g.right, b};
    const pixel_point upper_right{g.right, g.top}, upper_left{g.left, g.top};
    const pixel_point lower_apex{m, g.lower_apex}, upper_apex{m, g.upper_apex};

    // The square.
    draw_edge(lower_left, lower_right, black);
    draw_edge(lower_right, upper_right, black);
    draw_edge(upper_right, upper_left, black);
    draw_edge(upper_left, lower_left, black);
    // The lower triangle, then the upper one.
    draw_edge(lower_left, lower_apex, black);
    draw_edge(lower_right, lower_apex, black);
    draw_edge(upper_right, upper_apex, black);
    draw_edge(upper_left, upper_apex, black);

    guarded_fill(m, g.square_seed, red, black);
    guarded_fill(m, g.upper_seed, olive, black);
    guarded_fill(m, g.lower_seed, green, black);
}
