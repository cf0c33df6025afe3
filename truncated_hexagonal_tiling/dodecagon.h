// The truncated hexagonal tiling: its palette, its lattice and its one
// figure, a light red regular dodecagon of circumradius 50 pixels.
#pragma once

#include <SDL.h>

// Palette, mapped by SDL_main on the window's format.
extern Uint32 white, black, light_red, light_yellow, blue;

struct lattice_vector {
    float x;
    float y;
};

struct pixel {
    int x;
    int y;
};

// Lattice units of 50 pixels, y upward: e1 at 15 degrees and e2 at 75
// degrees, both of length 2 cos 15 degrees (twice the dodecagon's apothem),
// so neighbouring dodecagons share an edge. Set by compute_lattice_vectors.
extern lattice_vector e1, e2;
constexpr float scale = 50.0f;  // pixels per lattice unit
constexpr pixel origin{400, 300};

// e1 from the double sine and cosine of pi/12, then e2 as e1 turned by
// 60 degrees; each component rounded to float.
void compute_lattice_vectors();

// Window pixel of lattice point (i, j).
pixel lattice_point(int i, int j);

// pi/6 rounded to float: the angle between neighbouring vertices.
constexpr float dodecagon_angle_step = 0.5235987901687622f;

// Vertex k (0..11, counter-clockwise from the +x axis) of the dodecagon
// about (col, row); the sum is formed in extended precision, which puts the
// bottom vertex on row + 49.
pixel dodecagon_vertex(int col, int row, int k);

// Draws the twelve black edges, three pixels wide, and fills the inside
// light red when the centre lies strictly inside the window's frame.
void draw_dodecagon(int col, int row);
