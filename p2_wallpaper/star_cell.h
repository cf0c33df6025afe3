// The static p2 wallpaper: two grey stars, half-turn images of each other,
// in one outlined cell of an oblique 70-degree lattice, then copied to
// 21 x 21 lattice translates.
#pragma once

#include <oblique_translates.h>

extern Uint32 white, black, grey;

// Maps white, black and grey on the format of `screen`.
void map_palette();

// Lattice units: 200 pixels each, origin at pixel (200, 300), y upward.
// The cell is A-B-Q-P with A = (0, 0), B = (1, 0), P = (cx, sy), Q = B + P.
// The lattice values are single precision.
extern const float theta;  // 70 degrees, as the nearest float
extern const float cx;
extern const float sy;

pixel_point to_pixel(long double x, long double y);

// The points of the home cell, as pixels.
struct home_cell_points {
    pixel_point a, b, p, q;
    pixel_point mid_ap, mid_pq, mid_aq, mid_bq, mid_ab;
    pixel_point m, m_image;  // the two star centres
};
home_cell_points cell_points();

// The black outline A-B-Q-P and the two grey stars.
void draw_cell_and_stars();

// Whether pixel (i, j) of the cell's bounding box lies in the cell.
bool in_cell(int i, int j);

// Copies the grey pixels of the home cell to all its lattice translates
// inside columns 1..799 and rows 1..599.
void copy_cell_to_translates();
