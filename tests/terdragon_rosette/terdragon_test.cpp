// The terdragon walk, its six window copies and the palette, headless.
#include <terdragon.h>
#include <headless.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

class Terdragon : public ::testing::Test {
protected:
    headless_screen headless;
    Uint32 map(int r, int g, int b) { return SDL_MapRGB(screen->format, r, g, b); }
};

TEST(TerdragonWalk, SegmentsZeroToTwoInAllSixCopies)
{
    // {k, start and end of segment 0, end of segment 1, end of segment 2}
    const int table[6][9] = {
        {0, 400, 300, 404, 300, 402, 296, 406, 296}, {1, 400, 300, 402, 296, 398, 296, 400, 293},
        {2, 400, 300, 398, 296, 396, 299, 394, 296}, {3, 400, 300, 396, 299, 398, 303, 394, 303},
        {4, 400, 300, 398, 303, 402, 303, 399, 306}, {5, 400, 300, 402, 303, 404, 300, 406, 303},
    };
    for (const auto& row : table) {
        const int k = row[0];
        terdragon_walk walk;
        const pixel_point expected[4] = {{row[1], row[2]}, {row[3], row[4]}, {row[5], row[6]}, {row[7], row[8]}};
        pixel_point got[4] = {copy_to_window(0, 0, k), copy_to_window(walk.x, walk.y, k)};
        for (int j = 1; j <= 2; ++j) {
            step_walk(walk, segment_direction(j, 1));
            got[j + 1] = copy_to_window(walk.x, walk.y, k);
        }
        for (int n = 0; n < 4; ++n) {
            EXPECT_EQ(got[n].x, expected[n].x) << "copy " << k << " point " << n;
            EXPECT_EQ(got[n].y, expected[n].y) << "copy " << k << " point " << n;
        }
    }
}

TEST(TerdragonWalk, WindowMappingTruncatesTowardZero)
{
    // Copy 3 of (4, 0) has y' = 4.9e-16: 300 - y' must stay below 300.
    EXPECT_EQ(copy_to_window(4, 0, 3).y, 299);
    EXPECT_EQ(copy_to_window(-400.7f, 0, 0).x, 0);  // -0.7 becomes 0, not -1
    EXPECT_EQ(copy_to_window(0, 300.5f, 0).y, 0);
}

TEST(TerdragonWalk, DirectionsFollowTheTerdragonRule)
{
    const int expected[9] = {0, 1, 0, 1, 2, 1, 0, 1, 0};  // segments 0 to 8
    for (int j = 1; j <= 8; ++j) EXPECT_EQ(segment_direction(j, j < 3 ? 1 : 2), expected[j]) << j;
}

TEST(TerdragonWalk, EndPointTurnsThirtyDegreesPerGeneration)
{
    terdragon_walk walk;
    for (int p = 1; p <= generation_count; ++p) {
        for (int j = static_cast<int>(std::pow(3.0, p - 1)); j < static_cast<int>(std::pow(3.0, p)); ++j)
            step_walk(walk, segment_direction(j, p));
        const double angle = p * M_PI / 6;
        const double radius = 4 * std::pow(std::sqrt(3.0), p);
        EXPECT_NEAR(walk.x, radius * std::cos(angle), 1e-3) << p;
        EXPECT_NEAR(walk.y, radius * std::sin(angle), 1e-2) << p;
        if (p == 1) {
            EXPECT_EQ(walk.x, 6.0f);
            EXPECT_EQ(walk.y, 3.4641016151377544f);
            EXPECT_EQ(copy_to_window(walk.x, walk.y, 0).x, 406);
            EXPECT_EQ(copy_to_window(walk.x, walk.y, 0).y, 296);
        }
    }
    EXPECT_EQ(walk.x, 486.0f);
    EXPECT_NEAR(walk.y, -841.78, 0.005);
}

TEST_F(Terdragon, PaletteOrderAndRandomEntries)
{
    for (Uint32& entry : palette) entry = 0xDEADBEEF;
    std::srand(7);
    fill_palette();
    EXPECT_EQ(palette[254], map(255, 255, 255));
    EXPECT_EQ(palette[255], map(0, 0, 0));
    EXPECT_EQ(palette[1], map(255, 50, 50));
    EXPECT_EQ(palette[2], map(10, 255, 0));
    EXPECT_EQ(palette[3], map(50, 50, 255));
    EXPECT_EQ(palette[4], map(255, 0, 0));
    // Three draws per entry from 5 up: blue, green, red, low 8 bits.
    std::srand(7);
    for (int i = 5; i <= 249; ++i) {
        const int blue = std::rand() & 0xFF, green = std::rand() & 0xFF, red = std::rand() & 0xFF;
        ASSERT_EQ(palette[i], map(red, green, blue)) << i;
    }
    for (int i : {0, 250, 251, 252, 253}) EXPECT_EQ(palette[i], 0xDEADBEEFu) << i;
}

TEST_F(Terdragon, GenerationsDrawInTheirOwnColours)
{
    std::srand(1);
    fill_palette();
    SDL_FillRect(screen, nullptr, palette[254]);
    terdragon_walk walk;
    draw_segment(0, 0, walk.x, walk.y, palette[1]);
    // Segment 0 is a band of half-width 1 along row 300, in all six copies.
    for (int x = 400; x <= 403; ++x)
        for (int y = 299; y <= 301; ++y) EXPECT_EQ(get_pixel(x, y), palette[1]) << x << "," << y;
    EXPECT_EQ(get_pixel(408, 300), palette[254]);
    for (int p = 1; p <= 4; ++p) {
        draw_generation(walk, p);
        // The end of the generation's last segment, copy 0.
        const pixel_point a = copy_to_window(walk.prev_x, walk.prev_y, 0);
        EXPECT_EQ(get_pixel(a.x, a.y), palette[p]) << p;
    }
}

}  // namespace
