// Headless checks of the recursive convex tiling: the shared growth routine
// with this program's seed and wider rectangle.
#include <convex_tile.h>
#include <pixels.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(ConvexNeighbours, CentroidsOfTheSeedsNeighboursLieUpTo75PixelsAway)
{
    set_tile(seed_x, seed_y);
    const auto [sx, sy] = tile_centroid();
    EXPECT_EQ(sx, 447);
    EXPECT_EQ(sy, 275);
    const int offsets[4][2] = {{5, 50}, {75, 10}, {-5, -50}, {-75, -10}};
    for (int m = 0; m < 4; ++m) {
        set_neighbour(seed_x, seed_y, m);
        const auto [cx, cy] = tile_centroid();
        EXPECT_EQ(cx - sx, offsets[m][0]) << "edge " << m;
        EXPECT_EQ(cy - sy, offsets[m][1]) << "edge " << m;
    }
}

TEST(ConvexGrowth, FillsTheWiderRectangleWith64Tiles)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    start_program("recursive_convex_tiling_test");
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    tile_grey = SDL_MapRGB(screen->format, 200, 200, 200);
    SDL_FillRect(screen, nullptr, white);

    set_tile(seed_x, seed_y);
    grow_tile(allowed_centroids);

    int grey = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            grey += rgb_at(x, y) == rgb(200, 200, 200);
    // 64 tiles of 3,700 square pixels, less their outlines.
    EXPECT_GT(grey, 64 * 3700 * 9 / 10);
    EXPECT_LT(grey, 64 * 3700);
    SDL_Quit();
}

}  // namespace
