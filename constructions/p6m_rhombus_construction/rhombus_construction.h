// The construction that turns a motif in the 30-60-90 triangle (330, 260),
// (400, 260), (400, 300) into a p6m wallpaper: mirror, turns, edge mirror,
// store and tile the rhombus, close the seams. 40 pixels per unit, origin
// at pixel (400, 300), v up. Shared by the rhombus and two-face programs.
#pragma once

#include <pixel_copies.h>

// sqrt(3), and sqrt(3) and 2*sqrt(3) rounded to float.
constexpr double s3 = 1.7320508075688772;
constexpr float s3f = static_cast<float>(s3);
constexpr float s3f2 = static_cast<float>(2 * s3);

// The region store: the pixels of the rhombus, in scan order.
constexpr int region_capacity = 40000;
extern int region_x[region_capacity];
extern int region_y[region_capacity];
extern Uint32 region_colour[region_capacity];
extern int region_count;

// Appends one pixel to the region store; returns false, storing nothing,
// when the store is full.
bool region_append(int x, int y, Uint32 colour);

// Mirror across column 400: a triangle with a 120-degree corner at (400, 300).
void mirror_across_column();

// Two turns by 120 degrees about (400, 300), closing an equilateral triangle.
void turn_about_centre();

// Mirror across the edge from (400, 380) to (469.3, 260), giving a rhombus.
void mirror_across_edge();

// Whether pixel (c, r) belongs to the rhombus that is stored and tiled.
bool in_rhombus(int c, int r);

// Stores every rhombus pixel, then writes the stored pixels to their 400
// lattice translates.
void store_rhombus();
void tile_rhombus();

// Gives each white pixel of rows 0..598 the colour of the pixel below it,
// closing one-pixel seams. Row 599 is left as it is.
void close_seams(Uint32 white);
