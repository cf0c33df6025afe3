// Internal to drawkit: the clipping test the clipped primitives share.
#pragma once

#include "drawkit.h"

inline bool inside_window(int x, int y)
{
    return x >= 0 && x < SCREEN_WIDTH && y >= 0 && y < SCREEN_HEIGHT;
}

// Sets (x, y) only when it lies inside the window.
inline void plot_clipped(int x, int y, Uint32 colour)
{
    if (inside_window(x, y))
        put_pixel(x, y, colour);
}
