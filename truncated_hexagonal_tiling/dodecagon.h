// The truncated hexagonal tiling: its palette, its lattice and its one
// figure, a light red regular dodecagon of circumradius 50 pixels.
#pragma once

#include <drawkit.h>

// Palette, mapped by SDL_main on the window's format.
extern Uint32 white, black, light_red, light_yellow, blue;

// Lattice units of 50 pixels, y upward: e1 at 15 degrees and e2 at 75
// degrees, both of length 2 cos 15 degrees (twice the dodecagon's apothem),
// so neighbouring dodecagons share an edge. Set by set_lattice_vectors;
// lattice_anchor gives the centre of a dodecagon.
extern lattice_vector e1, e2;
constexpr float scale = 50.0f;  // pixels per lattice unit

// e1 from the sine and cosine of pi/12 with a 64-bit significand, then e2
// as e1 turned by 60 degrees; each component rounded to float.
void set_lattice_vectors();

// pi/6 rounded to float: the angle between neighbouring vertices.
constexpr float dodecagon_angle_step = 0.5235987901687622f;

// Vertex k (0..11, counter-clockwise from the +x axis) of the dodecagon
// about (col, row); the sum is formed in extended precision, which puts the
// bottom vertex on row + 49.
pixel_point dodecagon_vertex(int col, int row, int k);

// Draws the twelve black edges, three pixels wide, and fills the inside
// light red when the centre lies strictly inside the window's frame.
void draw_dodecagon(int col, int row);
