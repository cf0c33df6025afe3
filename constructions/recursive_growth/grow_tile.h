// Depth-first growth of a quadrilateral tiling from a seed tile, and the
// whole program around it: the construction recursive_growth of the concave
// and the convex recursive tiling programs, which differ only in the name,
// the seed tile, the centroid rectangle and the grey.
#pragma once

#include <drawkit.h>

extern Uint32 white;
extern Uint32 black;
extern Uint32 tile_grey;

// The current tile: pixel coordinates of vertices 0..3. grow_tile draws
// what these hold on entry; every neighbour it visits overwrites them.
extern int tile_x[4];
extern int tile_y[4];

// New tiles need their centroid inside left < x <= right, top < y <= bottom.
struct centroid_bounds {
    int left;
    int right;
    int top;
    int bottom;
};

// Sets the current tile to the given vertices.
void set_tile(const int x[4], const int y[4]);

// Sets the current tile to the half-turn image of (px, py) about the
// midpoint of edge m (vertices m and m + 1); orientation is kept.
void set_neighbour(const int px[4], const int py[4], int m);

// Centroid of the current tile, each coordinate the truncated quarter sum.
pixel_point tile_centroid();

// Draws and shows the current tile, then grows every new neighbour whose
// centroid lies in `allowed` and is still white, depth-first, in edge order.
void grow_tile(const centroid_bounds& allowed);

// The whole program of a recursive tiling: start_program(name), a white
// window, then one stage: the tiling grown from the seed tile (seed_x,
// seed_y) by grow_tile(allowed), each tile filled in the grey (grey, grey,
// grey) and shown as it is drawn. Returns SDL_main's status, 0.
int run_recursive_tiling(const char* name, const int seed_x[4], const int seed_y[4],
                         const centroid_bounds& allowed, Uint8 grey);
