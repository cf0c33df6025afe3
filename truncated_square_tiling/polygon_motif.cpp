#include "polygon_motif.h"

#include <cmath>

Uint32 white, black, light_red, green, blue;
lattice_vector e1, e2;

void map_palette()
{
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    light_red = SDL_MapRGB(screen->format, 255, 50, 50);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    blue = SDL_MapRGB(screen->format, 0, 0, 205);
}

void set_lattice_vectors()
{
    constexpr double pi_8 = 0.39269908169872414;
    constexpr double three_pi_8 = 1.1780972450961724;
    constexpr double pi_2 = 1.5707963267948966;
    const double a = 2.0 * std::cos(pi_8);
    e1 = {static_cast<float>(std::cos(three_pi_8) * a), static_cast<float>(std::sin(three_pi_8) * a)};
    e2 = turned(e1, pi_2);
}

void draw_polygon_motif(int x, int y) { draw_edges_and_squares(x, y, 8, edge_angle, black, green); }
