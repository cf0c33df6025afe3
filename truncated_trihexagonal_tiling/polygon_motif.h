// The motif of the truncated trihexagonal tiling: a regular dodecagon of
// circumradius 50 pixels, outlined in black and filled light red, with a
// green square erected outward on each of its even edges.
#pragma once

#include "motif_edges.h"

#include <SDL.h>

// Palette, mapped at start-up in this order.
extern Uint32 white, black, light_red, light_yellow, green, blue;

// The angle one edge subtends at the centre: pi/6 as a float.
extern float edge_angle;

// Draws the dodecagon centred on (x, y), its edges in order, each even
// edge's square outlined and filled right after the edge, then fills the
// dodecagon. A centre outside the window draws whatever is visible; a square
// or the dodecagon is filled only when its seed lies strictly inside the
// one-pixel frame of the window.
void draw_polygon_motif(int x, int y);
