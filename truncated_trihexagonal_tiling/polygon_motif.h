// The motif of the truncated trihexagonal tiling: a regular dodecagon of
// circumradius 50 pixels, outlined in black and filled light red, with a
// green square erected outward on each of its even edges.
#pragma once

#include <SDL.h>

// Palette, mapped at start-up in this order.
extern Uint32 white, black, light_red, light_yellow, green, blue;

// The angle one edge subtends at the centre: pi/6 as a float.
extern float edge_angle;

// Window column and row of the motif point (X, Y) (unit 50 pixels, Y up)
// of a motif centred on window point (x, y): the product and the sum are
// carried with a 64-bit significand and truncated toward zero.
int motif_column(int x, double X);
int motif_row(int y, double Y);

// Draws the dodecagon centred on (x, y), its edges in order, each even
// edge's square outlined and filled right after the edge, then fills the
// dodecagon. A centre outside the window draws whatever is visible; a square
// or the dodecagon is filled only when its seed lies strictly inside the
// one-pixel frame of the window.
void draw_polygon_motif(int x, int y);
