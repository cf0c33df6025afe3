// The snub square tiling: its palette, its lattice and its one figure, a
// star of a red square of side 50 pixels with a green equilateral triangle
// standing outward on each side.
#pragma once

#include <drawkit.h>

// Palette, mapped by SDL_main on the window's format.
extern Uint32 white, black, red, pink, green;

// Star centres: a square lattice turned by 15 degrees, spacing 2 cos 15
// degrees in units of 50 pixels, y upward.
constexpr lattice_vector e1{-0.5f, 1.8660254f};
constexpr lattice_vector e2{1.8660254f, 0.5f};
constexpr float scale = 50.0f;  // pixels per lattice unit
// lattice_anchor gives the centre of a star.

// pi/2 rounded to float: the angle between neighbouring sides of the square.
constexpr float star_angle_step = 1.5707963705062866f;

// Side t (0..3, counter-clockwise from the top) of the star about
// (col, row): the square's corners A_t and B_t = A_t+1, the apex Q_t of the
// triangle on that side, and the triangle's fill seed at its centroid.
struct star_side {
    pixel_point a, b, q, seed;
};
star_side square_star_side(int col, int row, int t);

// Draws the star: twelve black edges three pixels wide, each triangle
// filled green and the square red, each fill only when its seed lies
// strictly inside the window's one-pixel frame.
void draw_square_star(int col, int row);
