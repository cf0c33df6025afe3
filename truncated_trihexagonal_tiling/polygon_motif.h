// The motif of the truncated trihexagonal tiling, a regular dodecagon of
// circumradius 50 pixels outlined in black and filled light red with a
// green square erected outward on each of its even edges, and the lattice
// it is set on.
#pragma once

#include <motif_edges.h>

// Palette, mapped by map_palette in this order.
extern Uint32 white, black, light_red, light_yellow, green, blue;

// Maps the palette on the format of `screen`.
void map_palette();

// The angle one edge subtends at the centre: pi/6 as a float.
constexpr float edge_angle = 0.52359879016876220703125f;

// Lattice vectors in motif units (50 pixels), y upward, at 15 and 75
// degrees, spacing 2 (cos(pi/12) + sin(pi/12)). Set by set_lattice_vectors;
// lattice_anchor gives the centre of a motif.
extern lattice_vector e1, e2;
constexpr float scale = 50.0f;  // pixels per lattice unit

// Computes e1 in double, then e2 as e1 turned by 60 degrees.
void set_lattice_vectors();

// Draws the dodecagon centred on (x, y), its edges in order, each even
// edge's square outlined and filled right after the edge, then fills the
// dodecagon. A centre outside the window draws whatever is visible; a square
// or the dodecagon is filled only when its seed lies strictly inside the
// one-pixel frame of the window.
void draw_polygon_motif(int x, int y);
