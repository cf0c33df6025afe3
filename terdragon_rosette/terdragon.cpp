#include "terdragon.h"

#include <cmath>
#include <cstdlib>

Uint32 palette[256];

void fill_palette()
{
    SDL_PixelFormat* format = screen->format;
    palette[254] = SDL_MapRGB(format, 255, 255, 255);
    palette[255] = SDL_MapRGB(format, 0, 0, 0);
    palette[1] = SDL_MapRGB(format, 255, 50, 50);
    palette[2] = SDL_MapRGB(format, 10, 255, 0);
    palette[3] = SDL_MapRGB(format, 50, 50, 255);
    palette[4] = SDL_MapRGB(format, 255, 0, 0);
    for (int i = 5; i <= 249; ++i) {
        const Uint8 blue = std::rand() & 0xFF;
        const Uint8 green = std::rand() & 0xFF;
        const Uint8 red = std::rand() & 0xFF;
        palette[i] = SDL_MapRGB(format, red, green, blue);
    }
}

pixel_point copy_to_window(float x, float y, int k)
{
    constexpr double pi = 3.141592653589793;
    const double a = static_cast<double>(k) * pi / 3;
    const double c = std::cos(a);
    const double s = std::sin(a);
    // Rotate in double, round to float, then shift into the window with a
    // 64-bit significand: a tiny rotated y (copy 3 of a point on the x axis)
    // must leave 300 - y just below 300.
    const float rx = static_cast<float>(static_cast<double>(x) * c - static_cast<double>(y) * s);
    const float ry = static_cast<float>(static_cast<double>(x) * s + static_cast<double>(y) * c);
    return unit_pixel_extended(lattice_origin, 1, rx, ry);
}

int segment_direction(int j, int p)
{
    int ones = 0;
    for (int digit = 0; digit < p; ++digit) {
        if (j % 3 == 1) ++ones;
        j /= 3;
    }
    return ones % 3;
}

void step_walk(terdragon_walk& walk, int direction)
{
    // 2 sqrt(3) as a double; y + 2 sqrt(3) is formed exactly, rounded once.
    constexpr double rise = 3.4641016151377544;
    switch (direction) {
    case 0:
        walk.x += segment_length;
        break;
    case 1:
        walk.x -= 2;
        walk.y = static_cast<float>(static_cast<long double>(walk.y) + rise);
        break;
    default:
        walk.x -= 2;
        walk.y = static_cast<float>(static_cast<long double>(walk.y) - rise);
        break;
    }
}

void draw_segment(float xp, float yp, float x, float y, Uint32 colour)
{
    for (int k = 0; k < 6; ++k) {
        const pixel_point from = copy_to_window(xp, yp, k);
        const pixel_point to = copy_to_window(x, y, k);
        draw_edge(from, to, colour);
    }
}

void draw_generation(terdragon_walk& walk, int p)
{
    for (int j = static_cast<int>(std::pow(3.0, p - 1)); j <= static_cast<int>(std::pow(3.0, p)) - 1; ++j) {
        step_walk(walk, segment_direction(j, p));
        draw_segment(walk.prev_x, walk.prev_y, walk.x, walk.y, palette[p]);
        walk.prev_x = walk.x;
        walk.prev_y = walk.y;
    }
}
