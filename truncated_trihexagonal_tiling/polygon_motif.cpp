#include "polygon_motif.h"

#include <cmath>

Uint32 white, black, light_red, light_yellow, green, blue;
lattice_vector e1, e2;

void map_palette()
{
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    light_red = SDL_MapRGB(screen->format, 255, 50, 50);
    light_yellow = SDL_MapRGB(screen->format, 250, 250, 100);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    blue = SDL_MapRGB(screen->format, 0, 0, 205);
}

void set_lattice_vectors()
{
    constexpr double pi_12 = 0.2617993877991494;
    constexpr double pi_3 = 1.0471975511965976;
    const double a = 2.0 * (std::sin(pi_12) + std::cos(pi_12));
    e1 = {static_cast<float>(a * std::cos(pi_12)), static_cast<float>(a * std::sin(pi_12))};
    e2 = turned(e1, pi_3);
}

void draw_polygon_motif(int x, int y)
{
    draw_edges_and_squares(x, y, 12, edge_angle, black, green);

    // The dodecagon itself, from its centre.
    guarded_fill(x, y, light_red, black);
}
