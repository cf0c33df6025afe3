// The elongated triangular tiling: its palette, its lattice and its one
// figure, a red square of side 70 pixels with an olive triangle standing on
// its top side and a green one hanging from its bottom side.
#pragma once

#include <drawkit.h>

// Palette, mapped by SDL_main on the window's format.
extern Uint32 white, black, red, olive, green;

// Lattice units (one square side), y upward: e1 one square to the right,
// e2 half a square to the right and one square plus one triangle height up.
constexpr lattice_vector e1{1.0f, 0.0f};
constexpr lattice_vector e2{0.5f, 1.8660254f};
constexpr float scale = 70.0f;  // pixels per lattice unit; lattice_anchor gives
                                // the lower-left square corner of a point

// Rows and columns of the cell whose square has its lower-left corner at
// (a, b); every value is truncated toward zero.
struct square_cell_geometry {
    int right, top, left, middle;  // square sides and the triangles' apex column
    int lower_apex, upper_apex;    // rows of the triangles' apexes
    int square_seed, upper_seed, lower_seed;  // fill seed rows, all in the middle column
};
square_cell_geometry square_cell(int a, int b);

// Draws the cell: eight black edges three pixels wide, then fills the
// square red, the upper triangle olive and the lower one green, each only
// when its seed lies strictly inside the window's one-pixel frame.
void draw_square_cell(int a, int b);
