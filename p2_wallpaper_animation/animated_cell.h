// The animated p2 wallpaper: a red star and its half-turn image in one cell
// of an oblique 70-degree lattice, copied to 21 x 21 lattice translates.
#pragma once

#include "oblique_translates.h"

extern Uint32 white, black, red;

// Maps white, black and red on the format of `screen`.
void map_palette();

// Lattice units: 100 pixels each, origin at pixel (330, 310), y upward.
// The cell is A-B-Q-P with A = (0, 0), B = (1, 0), P = (cx, sy), Q = B + P.
extern const double theta;  // 70 degrees
extern const double cx;
extern const double sy;

struct LatticePoint {
    double x;
    double y;
};

pixel_point to_pixel(LatticePoint p);

// Fixed points of the home cell.
LatticePoint point_b();
LatticePoint point_p();
LatticePoint point_q();
LatticePoint mid_ap();
LatticePoint mid_pq();
LatticePoint mid_aq();
LatticePoint mid_bq();
LatticePoint mid_ab();

// The star centre M at phase v, running round an ellipse, and its
// half-turn image M' = Q - M about the cell centre.
LatticePoint star_centre(double v);
LatticePoint star_centre_image(LatticePoint m);

// The black cell outline with its diagonal A-Q.
void draw_cell();

// The star about M in triangle A-P-Q and its half-turn image in A-B-Q.
void draw_stars(double v);

// Whether pixel (i, j) of the cell's bounding box lies in the cell.
bool in_cell(int i, int j);

// Copies the red pixels of the home cell to all its lattice translates
// inside columns 1..799 and rows 1..599.
void copy_cell_to_translates();
