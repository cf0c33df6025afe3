// Recursive concave tiling: copies of one concave quadrilateral grown
// depth-first from a seed tile by half-turns about edge midpoints, one
// frame per tile, in light grey.
#include "concave_tile.h"

int SDL_main(int, char**)
{
    return run_recursive_tiling("recursive_concave_tiling", seed_x, seed_y, allowed_centroids, tile_grey_level);
}
