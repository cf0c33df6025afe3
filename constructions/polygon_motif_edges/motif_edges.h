// Edges and squares of the polygon motif: the part that the octagon of
// truncated_square_tiling and the dodecagon of truncated_trihexagonal_tiling
// share, built as the construction polygon_motif_edges.
#pragma once

#include <drawkit.h>

// Draws the edge_count edges of the regular polygon of circumradius 50
// pixels about (x, y) in order, vertex k at angle k * edge_angle, and on
// every even edge the square erected outward, outlined right after its edge
// and filled square_colour when its seed lies strictly inside the window
// frame. Outlines are drawn in `outline`, which also bounds the fills.
// Vertex k: cos of the double product k * edge_angle, sin of that product
// rounded to float; window points by unit_pixel_extended, 50 pixels a unit.
void draw_edges_and_squares(int x, int y, int edge_count, float edge_angle, Uint32 outline,
                            Uint32 square_colour);
