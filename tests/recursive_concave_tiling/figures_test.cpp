// Headless checks of the recursive concave tiling: neighbours, the
// rectangle for centroids and the depth-first growth.
#include <concave_tile.h>
#include <pixels.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

using quad_corners = std::array<int, 8>;  // x0, y0, ..., x3, y3

quad_corners current_tile()
{
    return {tile_x[0], tile_y[0], tile_x[1], tile_y[1], tile_x[2], tile_y[2], tile_x[3], tile_y[3]};
}

// grow_tile shows every tile, so it needs a (dummy) video surface.
class Concave : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        start_program("recursive_concave_tiling_test");
        white = SDL_MapRGB(screen->format, 255, 255, 255);
        black = SDL_MapRGB(screen->format, 0, 0, 0);
        tile_grey = SDL_MapRGB(screen->format, 230, 230, 230);
        SDL_FillRect(screen, nullptr, white);
    }
    void TearDown() override { SDL_Quit(); }
};

TEST(ConcaveNeighbours, SeedNeighboursKeepTheirOrientation)
{
    set_tile(seed_x, seed_y);
    EXPECT_EQ(tile_centroid().x, 427);
    EXPECT_EQ(tile_centroid().y, 287);

    set_neighbour(seed_x, seed_y, 0);
    EXPECT_EQ(current_tile(), (quad_corners{440, 260, 400, 300, 410, 270, 400, 260}));
    EXPECT_EQ(tile_centroid().x, 412);
    EXPECT_EQ(tile_centroid().y, 272);

    set_neighbour(seed_x, seed_y, 1);
    EXPECT_EQ(current_tile(), (quad_corners{430, 290, 440, 260, 430, 250, 470, 250}));
    EXPECT_EQ(tile_centroid().x, 442);
    EXPECT_EQ(tile_centroid().y, 262);

    // Edge 3 runs from vertex 3 back to vertex 0: its image starts at P0.
    set_neighbour(seed_x, seed_y, 3);
    EXPECT_EQ(current_tile(), (quad_corners{400, 300, 440, 300, 400, 340, 410, 310}));
}

TEST_F(Concave, TileOutsideTheRectangleGrowsNoNeighbour)
{
    // A tile whose neighbours all have centroids left of column 151.
    const int x[4] = {20, 40, 40, 20};
    const int y[4] = {280, 280, 300, 300};
    set_tile(x, y);
    grow_tile(allowed_centroids);
    EXPECT_EQ(rgb_at(30, 290), rgb(230, 230, 230));
    EXPECT_EQ(rgb_at(50, 290), rgb(255, 255, 255));
}

TEST_F(Concave, GrowthFillsTheRectangleWith247Tiles)
{
    set_tile(seed_x, seed_y);
    grow_tile(allowed_centroids);

    int grey = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            grey += rgb_at(x, y) == rgb(230, 230, 230);
    // 247 tiles of 600 square pixels, less their outlines.
    EXPECT_GT(grey, 247 * 600 / 2);
    EXPECT_LT(grey, 247 * 600);
    // The seed and its first two neighbours are filled.
    EXPECT_EQ(rgb_at(427, 287), rgb(230, 230, 230));
    EXPECT_EQ(rgb_at(412, 272), rgb(230, 230, 230));
    EXPECT_EQ(rgb_at(442, 262), rgb(230, 230, 230));
}

}  // namespace
