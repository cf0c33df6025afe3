// The convex tile: 3,700 square pixels.
#include "grow_tile.h"

const int seed_x[4] = {400, 500, 470, 420};
const int seed_y[4] = {300, 300, 260, 240};

// Centroid columns 101..699, rows 101..499.
const centroid_bounds allowed_centroids = {100, 699, 100, 499};
