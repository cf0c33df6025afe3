// Edges and squares of the polygon motif, the part that the octagon of this
// program and the dodecagon of the truncated trihexagonal tiling share.
#pragma once

#include <SDL.h>

// The program's palette and edge angle (pi/n as a float), defined by the
// program's own motif.
extern Uint32 black, green;
extern float edge_angle;

// Window column and row of the motif point (X, Y) (unit 50 pixels, Y up)
// of a motif centred on window point (x, y): the product and the sum are
// carried with a 64-bit significand and truncated toward zero.
int motif_column(int x, double X);
int motif_row(int y, double Y);

// Draws the edge_count edges of the regular polygon of circumradius 50
// about (x, y) in order, vertex k at angle k * edge_angle, and on every
// even edge the square erected outward, outlined and filled green right
// after its edge when its seed lies strictly inside the window frame.
void draw_edges_and_squares(int x, int y, int edge_count);
