// The pixel copies of the p6m wallpapers, built as the library
// p6m_pixel_copies: from a point of the unit frame (origin at pixel
// (400, 300), v up), and to the lattice translates of a pixel.
#pragma once

#include <drawkit.h>

// Copies to pixel (i, j) the pixel of the unit point (u, v) at `scale`
// pixels per unit: (trunc(400 + scale u), trunc(300 - scale v)).
void copy_from_unit_point(int i, int j, double scale, double u, double v);

// Translate (m, a), m and a in -10..9, of a pixel in column c and row r
// lies at column trunc((c + (scale m) along) + (scale a) across) and row
// r + 120 a, the sums formed in double in this order.

// The translate columns of one source column: columns[a + 10][m + 10].
struct translate_columns {
    int columns[20][20];
};
translate_columns make_translate_columns(int c, double scale, float along, float across);

// Writes `colour` to every translate of a pixel in row r whose source
// column gave `t`: those in columns 1..799 and rows 1..599, so row 0 and
// column 0 never take a copy. The copies of one pixel all have its colour,
// so they are written row by row.
void copy_to_translates(const translate_columns& t, int r, Uint32 colour);
