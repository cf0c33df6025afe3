// Circles: one integer walk round a quarter of the circle, from the pixel
// below the centre to the centre row, stepping right or up to keep
// E = (x - cx)^2 + (y - cy)^2 - r^2 nearest zero (a tie steps up).
//
// With u = x - cx and v = y - cy, the errors after a step right and a step
// up are e1 = F(u + 1, v) and e2 = F(u, v - 1), F(u, v) = u^2 + v^2 - r^2.
// As e1 - e2 = 2u + 2v > 0, |e1| < |e2| exactly when e1 + e2 < 0, that is
// when u(u + 1) < r^2 - v(v - 1) - 1. For a fixed row v that holds for every
// u below some limit and for none above it, and the limit never grows as v
// grows, so the walk leaves row v (v >= 1) for row v - 1 at u = reach(v),
// the smallest u >= 0 with u(u + 1) >= r^2 - v(v - 1) - 1, and enters it at
// reach(v + 1) (at 0 for v = r). The routines below paint each row of the
// window from these closed forms: the walk is never taken step by step, so
// any radius costs at most one pass over the window's rows.
#include "raster.h"

#include <algorithm>
#include <cmath>

namespace {

using wide_product = __int128;

// The smallest u >= 0 with u(u + 1) >= k.
wide_int smallest_pronic_root(wide_product k)
{
    if (k <= 0)
        return 0;
    auto u = static_cast<wide_int>((std::sqrt(4.0 * static_cast<double>(k) + 1.0) - 1.0) / 2.0);
    u = std::max<wide_int>(u, 0);
    while (static_cast<wide_product>(u) * (u + 1) < k)
        ++u;
    while (u > 0 && static_cast<wide_product>(u - 1) * u >= k)
        --u;
    return u;
}

// The offset from the centre column at which the walk leaves row v >= 1.
wide_int reach(wide_int r, wide_int v)
{
    return smallest_pronic_root(static_cast<wide_product>(r) * r - static_cast<wide_product>(v) * (v - 1) - 1);
}

// Paints columns xa..xb of row y, clipped to the window.
void span_clipped(wide_int xa, wide_int xb, wide_int y, Uint32 colour)
{
    if (y < 0 || y >= SCREEN_HEIGHT)
        return;
    xa = std::max<wide_int>(xa, 0);
    xb = std::min<wide_int>(xb, SCREEN_WIDTH - 1);
    Uint32* row = pixel_row(static_cast<int>(y));
    for (wide_int x = xa; x <= xb; ++x)
        row[x] = colour;
}

// The rows of the window the circle about cy of radius r can touch.
void window_rows(wide_int cy, wide_int r, wide_int& first, wide_int& last)
{
    first = std::max<wide_int>(cy - r, 0);
    last = std::min<wide_int>(cy + r, SCREEN_HEIGHT - 1);
}

} // namespace

// The walk paints, after every step, the span from 2cx - x to x in the row
// and its mirror; the union in row cy +- v is the span of the walk's widest
// point there, reach(v) (the pixel where it leaves the row; on the centre
// row, where the walk ends, reach(1)), plus the end points (cx +- r, cy).
// A negative radius draws nothing.
void fill_circle(int cx, int cy, int r, Uint32 colour)
{
    if (r < 0)
        return;
    wide_int first, last;
    window_rows(cy, r, first, last);
    for (wide_int y = first; y <= last; ++y) {
        wide_int v = y < cy ? cy - y : y - cy;
        wide_int u = reach(r, v == 0 ? 1 : v);
        span_clipped(static_cast<wide_int>(cx) - u, static_cast<wide_int>(cx) + u, y, colour);
        if (v == 0) {
            plot_clipped(static_cast<wide_int>(cx) - r, y, colour);
            plot_clipped(static_cast<wide_int>(cx) + r, y, colour);
        }
    }
}

// The walk sets the four mirror images of every pixel it steps to: in row
// cy +- v (0 < v < r) the offsets reach(v + 1)..reach(v), in the end rows
// 0..reach(r), and on the centre row reach(1) and r. A negative radius
// draws nothing; radius 0 sets the centre.
void draw_circle(int cx, int cy, int r, Uint32 colour)
{
    if (r < 0)
        return;
    if (r == 0) {
        plot_clipped(cx, cy, colour);
        return;
    }
    wide_int first, last;
    window_rows(cy, r, first, last);
    for (wide_int y = first; y <= last; ++y) {
        wide_int v = y < cy ? cy - y : y - cy;
        if (v == 0) {
            for (wide_int u : {reach(r, 1), static_cast<wide_int>(r)}) {
                plot_clipped(cx - u, y, colour);
                plot_clipped(cx + u, y, colour);
            }
            continue;
        }
        wide_int low = v == r ? 0 : reach(r, v + 1), high = reach(r, v);
        span_clipped(cx + low, cx + high, y, colour);
        span_clipped(cx - high, cx - low, y, colour);
    }
}
