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

// The 4-connected walk of draw_line (walk_4connected).
#include "walk.h"
