// The motif of the truncated square tiling: a regular octagon of
// circumradius 50 pixels, outlined in black, with a green square erected
// outward on each of its even edges.
#pragma once

#include "motif_edges.h"

#include <SDL.h>

// Palette, mapped at start-up in this order.
extern Uint32 white, black, light_red, light_yellow, green, blue;

// The angle one edge subtends at the centre: pi/4 as a float.
extern float edge_angle;

// Draws the octagon centred on (x, y), its edges in order, each even edge's
// square outlined and filled right after the edge. A centre outside the
// window draws whatever is visible; a square is filled only when its seed
// lies strictly inside the one-pixel frame of the window.
void draw_polygon_motif(int x, int y);
