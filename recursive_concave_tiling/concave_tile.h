// The concave tile: angle at vertex 2 above 180 degrees, 600 square pixels.
#pragma once

#include <grow_tile.h>

constexpr int seed_x[4] = {400, 440, 430, 440};
constexpr int seed_y[4] = {300, 260, 290, 300};

// Centroid columns 151..649, rows 151..449.
constexpr centroid_bounds allowed_centroids = {150, 649, 150, 449};

// The tiles' light grey: red, green and blue each 230.
constexpr Uint8 tile_grey_level = 230;
