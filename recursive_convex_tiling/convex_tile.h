// The convex tile: 3,700 square pixels.
#pragma once

#include <grow_tile.h>

constexpr int seed_x[4] = {400, 500, 470, 420};
constexpr int seed_y[4] = {300, 300, 260, 240};

// Centroid columns 101..699, rows 101..499.
constexpr centroid_bounds allowed_centroids = {100, 699, 100, 499};

// The tiles' grey: red, green and blue each 200.
constexpr Uint8 tile_grey_level = 200;
