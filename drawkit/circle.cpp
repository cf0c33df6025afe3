// Circles: one integer walk round a quarter of the circle, from the pixel
// below the centre to the centre row, stepping right or up to keep
// E = (x - cx)^2 + (y - cy)^2 - r^2 nearest zero (a tie steps up).
#include "raster.h"

namespace {

inline int magnitude(int v) { return v < 0 ? -v : v; }

// Runs the walk for the circle about (cx, cy) of radius r and hands every
// pixel it steps to, in order, to step(x, y).
template <typename Step>
void circle_walk(int cx, int cy, int r, Step step)
{
    int x = cx, y = cy + r, e = 0;
    while (y > cy) {
        int e1 = e + 2 * (x - cx) + 1;
        int e2 = e - 2 * (y - cy) + 1;
        if (magnitude(e1) < magnitude(e2)) {
            ++x;
            e = e1;
        } else {
            --y;
            e = e2;
        }
        step(x, y);
    }
}

// Paints columns xa..xb of row y, clipped to the window.
void span_clipped(int xa, int xb, int y, Uint32 colour)
{
    if (y < 0 || y >= SCREEN_HEIGHT)
        return;
    if (xa < 0)
        xa = 0;
    if (xb > SCREEN_WIDTH - 1)
        xb = SCREEN_WIDTH - 1;
    Uint32* row = pixel_row(y);
    for (int x = xa; x <= xb; ++x)
        row[x] = colour;
}

} // namespace

// Each step paints the span of its row and of the mirrored row; a row is
// painted again, one pixel wider each side, whenever the walk steps right.
void fill_circle(int cx, int cy, int r, Uint32 colour)
{
    plot_clipped(cx, cy + r, colour);
    plot_clipped(cx, cy - r, colour);
    circle_walk(cx, cy, r, [&](int x, int y) {
        span_clipped(2 * cx - x, x, y, colour);
        span_clipped(2 * cx - x, x, 2 * cy - y, colour);
    });
    plot_clipped(cx + r, cy, colour);
    plot_clipped(cx - r, cy, colour);
}

// Each step sets the four mirror images of its pixel.
void draw_circle(int cx, int cy, int r, Uint32 colour)
{
    plot_clipped(cx, cy + r, colour);
    plot_clipped(cx, cy - r, colour);
    circle_walk(cx, cy, r, [&](int x, int y) {
        plot_clipped(x, y, colour);
        plot_clipped(x, 2 * cy - y, colour);
        plot_clipped(2 * cx - x, y, colour);
        plot_clipped(2 * cx - x, 2 * cy - y, colour);
    });
    plot_clipped(cx + r, cy, colour);
    plot_clipped(cx - r, cy, colour);
}
