// Test support: pixels of `screen` read as 0xRRGGBB, the form of captured
// pictures and of rgb() (capture.h), whatever the surface's pixel format.
#pragma once

#include "capture.h"

#include <drawkit.h>

// A pixel value of `screen`'s format as 0xRRGGBB.
inline uint32_t rgb_of(Uint32 colour)
{
    Uint8 r, g, b;
    SDL_GetRGB(colour, screen->format, &r, &g, &b);
    return rgb(r, g, b);
}

// The pixel (x, y) of `screen` as 0xRRGGBB; unchecked, as get_pixel is.
inline uint32_t rgb_at(int x, int y) { return rgb_of(get_pixel(x, y)); }
