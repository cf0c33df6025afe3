// The animated p2 wallpaper: a red star and its half-turn image in one cell
// of an oblique 70-degree lattice, copied to 21 x 21 lattice translates.
#pragma once

#include <oblique_translates.h>

extern Uint32 white, black, red;

// Maps white, black and red on the format of `screen`.
void map_palette();

// Lattice units: 100 pixels each, origin at pixel (330, 310), y upward.
// The cell is A-B-Q-P with A = (0, 0), B = (1, 0), P = (cx, sy), Q = B + P.
extern const double theta;  // 70 degrees
extern const double cx;
extern const double sy;

pixel_point to_pixel(unit_point p);

// Fixed points of the home cell.
unit_point point_b();
unit_point point_p();
unit_point point_q();
unit_point mid_ap();
unit_point mid_pq();
unit_point mid_aq();
unit_point mid_bq();
unit_point mid_ab();

// The star centre M at phase v, running round an ellipse, and its
// half-turn image M' = Q - M about the cell centre.
unit_point star_centre(double v);
unit_point star_centre_image(unit_point m);

// The black cell outline with its diagonal A-Q.
void draw_cell();

// The star about M in triangle A-P-Q and its half-turn image in A-B-Q.
void draw_stars(double v);

// Whether pixel (i, j) of the cell's bounding box lies in the cell.
bool in_cell(int i, int j);

// Copies the red pixels of the home cell to all its lattice translates
// inside columns 1..799 and rows 1..599.
void copy_cell_to_translates();
