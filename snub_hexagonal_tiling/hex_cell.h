// The snub hexagonal tiling: its palette, its lattice and its one figure,
// a red hexagon of side 50 pixels ringed by eighteen green triangles.
#pragma once

#include <drawkit.h>

// Palette, mapped by SDL_main on the window's format.
extern Uint32 white, black, red, green;

// Hexagon centres form a triangular lattice of spacing 50*sqrt(7) pixels.
// Lattice units, y upward: e1 = (2, sqrt 3), e2 = (5/2, -sqrt(3)/2).
constexpr lattice_vector e1{2.0f, 1.7320508f};
constexpr lattice_vector e2{2.5f, -0.8660254f};
constexpr float scale = 50.0f;  // pixels per lattice unit
// lattice_anchor gives the centre of a cell; it may lie outside the window.

// pi/3 rounded to float: the angle between neighbouring sectors of a cell.
constexpr float hex_angle_step = 1.0471975803375244f;

// What sector k (0..5, counter-clockwise from the +x axis) of the cell
// about (col, row) draws: inner hexagon vertices U_k and U_k+1, outer
// hexagon vertices O_k and O_k+1, the outer edge's midpoint P_k, and the
// fill seeds at the centroids of its triangles (U_k, O_k, P_k),
// (U_k, U_k+1, P_k) and (U_k+1, O_k+1, P_k).
struct hex_sector {
    pixel_point u0, o0, p, u1, o1;
    pixel_point seed_a, seed_b, seed_c;
};
hex_sector hex_cell_sector(int col, int row, int k);

// Draws the cell about (col, row): 42 black edges three pixels wide, the
// triangles filled green and the inner hexagon red, each fill only when its
// seed lies strictly inside the window's one-pixel frame.
void draw_hex_cell(int col, int row);
