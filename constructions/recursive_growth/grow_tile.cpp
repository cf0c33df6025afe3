#include "grow_tile.h"

Uint32 white;
Uint32 black;
Uint32 tile_grey;

int tile_x[4];
int tile_y[4];

void set_tile(const int x[4], const int y[4])
{
    for (int k = 0; k < 4; ++k) {
        tile_x[k] = x[k];
        tile_y[k] = y[k];
    }
}

void set_neighbour(const int px[4], const int py[4], int m)
{
    const int sx = px[m] + px[(m + 1) % 4];
    const int sy = py[m] + py[(m + 1) % 4];
    for (int j = 0; j < 4; ++j) {
        tile_x[j] = sx - px[(m + j) % 4];
        tile_y[j] = sy - py[(m + j) % 4];
    }
}

pixel_point tile_centroid()
{
    return {(tile_x[0] + tile_x[1] + tile_x[2] + tile_x[3]) / 4,
            (tile_y[0] + tile_y[1] + tile_y[2] + tile_y[3]) / 4};
}

static bool centroid_allowed(const centroid_bounds& b, pixel_point c)
{
    return c.x > b.left && c.x <= b.right && c.y > b.top && c.y <= b.bottom;
}

void grow_tile(const centroid_bounds& allowed)
{
    // Draw, fill and show the current tile.
    for (int i = 0; i < 4; ++i)
        draw_line(tile_x[i], tile_y[i], tile_x[(i + 1) % 4], tile_y[(i + 1) % 4], black);
    const pixel_point centroid = tile_centroid();
    flood_fill(centroid.x, centroid.y, tile_grey, black);
    SDL_Flip(screen);

    // Keep this tile's vertices: each neighbour overwrites the current tile.
    int px[4], py[4];
    for (int k = 0; k < 4; ++k) {
        px[k] = tile_x[k];
        py[k] = tile_y[k];
    }

    for (int m = 0; m < 4; ++m) {
        set_neighbour(px, py, m);
        const pixel_point c = tile_centroid();
        if (centroid_allowed(allowed, c) && get_pixel(c.x, c.y) == white)
            grow_tile(allowed);
    }
}
