// The motif of the truncated square tiling, a regular octagon of
// circumradius 50 pixels outlined in black with a green square erected
// outward on each of its even edges, and the lattice it is set on.
#pragma once

#include <motif_edges.h>

// Palette, mapped by map_palette in this order.
extern Uint32 white, black, light_red, green, blue;

// Maps the palette on the format of `screen`.
void map_palette();

// The angle one edge subtends at the centre: pi/4 as a float.
constexpr float edge_angle = 0.785398185253143310546875f;

// Lattice vectors in motif units (50 pixels), y upward, at 67.5 and 157.5
// degrees, spacing 2 cos(pi/8). Set by set_lattice_vectors; lattice_anchor
// with scale 50 gives the centre of a motif.
extern lattice_vector e1, e2;
constexpr float scale = 50.0f;  // pixels per lattice unit

// Computes e1 in double, then e2 as e1 turned by 90 degrees.
void set_lattice_vectors();

// Draws the octagon centred on (x, y), its edges in order, each even edge's
// square outlined and filled right after the edge. A centre outside the
// window draws whatever is visible; a square is filled only when its seed
// lies strictly inside the one-pixel frame of the window.
void draw_polygon_motif(int x, int y);
