// The stages of the p6m hexagon wallpaper: a motif in a 30-60-90 triangle,
// mirrored and turned up to a regular hexagon, which is then copied to its
// lattice translates. 80 pixels per unit, origin at pixel (400, 300), v up.
#pragma once

#include <pixel_copies.h>

// Palette, mapped by SDL_main in this order.
extern Uint32 white, black, red, olive, green;

// sqrt(3) and sqrt(3)/2, and their single-precision roundings.
constexpr double s3 = 1.7320508075688772;
constexpr double h3 = 0.8660254037844386;
constexpr float s3f = static_cast<float>(s3);
constexpr float h3f = static_cast<float>(h3);

// Stage 1: the three-face motif inside the triangle (400, 300), (469, 300),
// (469, 260).
void draw_motif();

// Stage 2: mirror across row 300, giving an equilateral triangle.
void mirror_across_row();

// Stage 3: mirror across the vertical line u = h3, giving a rhombus.
void mirror_across_column();

// Stage 4: the rhombus turned by -120 and +120 degrees about (h3f, 0.5),
// closing a regular hexagon.
void turn_rhombus();

// Whether source pixel (c, r) belongs to the hexagon that stage 5 copies.
bool in_hexagon(int c, int r);

// Stage 5: every hexagon pixel copied to its 400 lattice translates.
void tile_hexagon();
