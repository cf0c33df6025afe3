// Internal to drawkit: the clipped plot the clipped primitives share (the
// window test is inside_window of geometry.h), the walk of draw_line that the
// thick line uses for strokes inside the window, and draw_line on 64-bit end
// points for strokes that may reach beyond int.
#pragma once

#include "drawkit.h"

using wide_int = long long;

// Sets (x, y) only when it lies inside the window.
inline void plot_clipped(wide_int x, wide_int y, Uint32 colour)
{
    if (inside_window(x, y))
        put_pixel(static_cast<int>(x), static_cast<int>(y), colour);
}

// draw_line for any end points whose differences fit in 62 bits: exactly the
// pixels of its walk that lie inside the window, found without walking the
// steps outside it, so the cost is bounded by the window, not the length.
void draw_line_wide(wide_int x0, wide_int y0, wide_int x1, wide_int y1, Uint32 colour);

// The 4-connected walk of draw_line; Plot sets one pixel. Only for end
// points whose differences fit in an int (every pixel inside the window).
template <typename Plot>
inline void walk_4connected(int x0, int y0, int x1, int y1, Plot plot)
{
    int dx = x1 - x0, dy = y1 - y0;
    int sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
    int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    int x = x0, y = y0, e = 0;

    plot(x, y);
    if (dx == 0) {
        for (int i = 0; i < ady; ++i) {
            y += sy;
            plot(x, y);
        }
    } else if (dy == 0) {
        for (int i = 0; i < adx; ++i) {
            x += sx;
            plot(x, y);
        }
    } else if (adx == ady) {
        for (int i = 0; i < adx; ++i) {
            x += sx;
            plot(x, y);
            y += sy;
            plot(x, y);
        }
    } else if (adx > ady) {
        for (int i = 0; i < adx; ++i) {
            x += sx;
            plot(x, y);
            e += ady;
            if (e >= adx) {
                e -= adx;
                y += sy;
                plot(x, y);
            }
        }
    } else {
        for (int i = 0; i < ady; ++i) {
            y += sy;
            plot(x, y);
            e += adx;
            if (e >= ady) {
                e -= ady;
                x += sx;
                plot(x, y);
            }
        }
    }
}
