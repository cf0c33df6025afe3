// The seam-closing rule, applied to a captured picture: every white pixel of
// rows 0..598, scanned downwards, takes the colour of the pixel below it.
#pragma once

#include <capture.h>

inline rgb_image close_seams_of(rgb_image image)
{
    const uint32_t white = rgb(255, 255, 255);
    for (int x = 0; x < image.w; ++x)
        for (int y = 0; y + 1 < image.h; ++y)
            if (image.at(x, y) == white)
                image.rgb[static_cast<size_t>(y) * image.w + x] = image.at(x, y + 1);
    return image;
}
