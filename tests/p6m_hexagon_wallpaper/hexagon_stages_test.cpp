// Stages of the hexagon wallpaper on a headless surface.
#include "hexagon_stages.h"

#include <gtest/gtest.h>

namespace {

class HexagonStages : public ::testing::Test {
protected:
    void SetUp() override
    {
        screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        ASSERT_NE(screen, nullptr);
        white = SDL_MapRGB(screen->format, 255, 255, 255);
        black = SDL_MapRGB(screen->format, 0, 0, 0);
        red = SDL_MapRGB(screen->format, 255, 0, 0);
        olive = SDL_MapRGB(screen->format, 205, 205, 50);
        green = SDL_MapRGB(screen->format, 0, 205, 0);
        SDL_FillRect(screen, nullptr, white);
    }
    void TearDown() override
    {
        SDL_FreeSurface(screen);
        screen = nullptr;
    }
};

TEST(HexagonConstants, FloatRoundingsOfTheRoots)
{
    EXPECT_EQ(static_cast<double>(h3f), 0.8660253882408142);
    EXPECT_EQ(static_cast<double>(s3f), 1.7320507764816284);
}

// The region stage 5 scans holds the whole hexagon, 16 663 pixels of it.
TEST(HexagonRegion, AcceptsTheHexagonOnly)
{
    int count = 0;
    for (int c = 390; c <= 559; ++c)
        for (int r = 140; r <= 379; ++r)
            count += in_hexagon(c, r);
    EXPECT_EQ(count, 16663);

    // Nothing outside the scanned window of columns and rows would belong.
    for (int c = 300; c <= 650; ++c)
        for (int r = 50; r <= 450; ++r)
            if (c < 390 || c > 559 || r < 140 || r > 379) {
                EXPECT_FALSE(in_hexagon(c, r)) << c << "," << r;
            }

    // Near its corners (0, 0), (s3, 0), (h3, 1.5) in units, and its centre
    EXPECT_TRUE(in_hexagon(400, 300));
    EXPECT_TRUE(in_hexagon(538, 300));
    EXPECT_TRUE(in_hexagon(469, 181));
    EXPECT_FALSE(in_hexagon(469, 179));
    EXPECT_TRUE(in_hexagon(469, 260));
    EXPECT_FALSE(in_hexagon(399, 300));
    EXPECT_FALSE(in_hexagon(539, 300));
}

// Copies never reach row 0 or column 0, however the hexagon is coloured.
TEST_F(HexagonStages, TilingLeavesRowAndColumnZero)
{
    for (int c = 390; c <= 559; ++c)
        for (int r = 140; r <= 379; ++r)
            put_pixel(c, r, black);
    tile_hexagon();
    for (int x = 0; x < 800; ++x)
        EXPECT_EQ(get_pixel(x, 0), white) << x;
    for (int y = 0; y < 600; ++y)
        EXPECT_EQ(get_pixel(0, y), white) << y;
    // ...while the rest of the window is covered.
    EXPECT_EQ(get_pixel(1, 1), black);
    EXPECT_EQ(get_pixel(799, 599), black);
}

} // namespace
