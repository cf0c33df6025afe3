// The regular polygons of a lattice cell, laid down kind by kind and then
// edged: the construction of the tilings by regular polygons that fill each
// kind of polygon in a stage of its own (triangular_tiling, square_tiling,
// hexagonal_tiling, trihexagonal_tiling, rhombitrihexagonal_tiling).
#pragma once

#include <drawkit.h>

#include <span>

// The palette of those tilings: the background, the edges and one colour
// per kind of polygon (triangles green, squares red, hexagons light
// yellow).
extern Uint32 white, black, green, red, light_yellow;
void map_palette();

// sqrt(3) / 2 as the nearest double: the height of a triangle of unit edge,
// the inradius of a hexagon of unit edge.
constexpr double half_root3 = 0.8660254037844386;

// A regular polygon of a cell, in lattice units with y upward, relative to
// the cell's lattice point: its centre, one of its vertices and its number
// of sides (3, 4 or 6).
struct tile_polygon {
    unit_point centre;
    unit_point first_vertex;
    int sides;
};

// Vertex k of p: the first vertex turned about the centre by k / sides of
// a turn, with the exact cosine and sine of that multiple of 30 degrees (0,
// 1/2, sqrt(3)/2 or 1 as doubles), formed in double.
unit_point tile_vertex(const tile_polygon& p, int k);

// The polygons of the cell whose lattice point is the window point `at` (as
// sweep_lattice_points gives it), `scale` pixels a unit, that have `sides`
// sides, laid down in their kind's colour one after the other. A point q of
// the cell is the pixel trunc(at.x + scale q.x), trunc(at.y - scale q.y):
// truncated once, so that a vertex that two cells share lands on one pixel,
// up to the rounding of the two sums. Each polygon: its outline in black
// with draw_line, every edge drawn from its upper end point (the left one on
// a row), so that an edge that two polygons share is one set of pixels; then
// guarded_fill up to black from its centre and from the points three fifths
// of the way to each vertex and to each edge's midpoint. A seed outside the
// window's interior is moved to its nearest pixel there, and a seed is used
// only when the middle of its pixel lies two pixels or more inside the
// polygon: so the part of a polygon cut by the window frame is filled too,
// and no seed lands on or beyond an outline.
void fill_tile_polygons(window_point at, double scale, std::span<const tile_polygon> cell, int sides);

// The colour of the kind of polygon of `sides` sides: green for 3, red for
// 4, light yellow for 6.
Uint32 kind_colour(int sides);

// The edges of all the polygons of the cell, in its order, with draw_edge
// in black, every edge drawn from its upper end point as above.
void draw_tile_edges(window_point at, double scale, std::span<const tile_polygon> cell);
