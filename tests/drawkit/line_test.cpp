#include "surface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

pixel_set line_pixels(test_surface& s, void (*line)(int, int, int, int, Uint32), int x0, int y0, int x1,
                     int y1)
{
    s.clear();
    line(x0, y0, x1, y1, s.black);
    return s.pixels_of(s.black);
}

// The pixels of a line by its closed form: for every major step i the
// minor coordinate lags at floor(i * minor / major); the 4-connected line
// also sets the corner pixel at floor((i - 1) * minor / major). Only the
// pixels inside the window are kept.
pixel_set closed_form(int x0, int y0, int x1, int y1, bool corners)
{
    int dx = x1 - x0, dy = y1 - y0;
    int sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
    int adx = std::abs(dx), ady = std::abs(dy);
    bool x_major = adx >= ady;
    int major = x_major ? adx : ady, minor = x_major ? ady : adx;
    pixel_set set;
    auto add = [&](int i, int m) {
        int x = x_major ? x0 + sx * i : x0 + sx * m;
        int y = x_major ? y0 + sy * m : y0 + sy * i;
        if (x >= 0 && x < SCREEN_WIDTH && y >= 0 && y < SCREEN_HEIGHT)
            set.insert({x, y});
    };
    add(0, 0);
    for (int i = 1; i <= major; ++i) {
        if (corners)
            add(i, (i - 1) * minor / major);
        add(i, i * minor / major);
    }
    return set;
}

} // namespace

TEST(Line, StatedPixelSets)
{
    test_surface s;
    EXPECT_EQ(line_pixels(s, draw_line, 5, 5, 5, 5), (pixel_set{{5, 5}}));
    EXPECT_EQ(line_pixels(s, draw_line_thin, 5, 5, 5, 5), (pixel_set{{5, 5}}));
    EXPECT_EQ(line_pixels(s, draw_line, 0, 0, 4, 2),
              (pixel_set{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 1}, {4, 1}, {4, 2}}));
    EXPECT_EQ(line_pixels(s, draw_line_thin, 0, 0, 4, 2),
              (pixel_set{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(line_pixels(s, draw_line, 0, 0, 3, 3),
              (pixel_set{{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}, {3, 2}, {3, 3}}));
    EXPECT_EQ(line_pixels(s, draw_line_thin, 0, 0, 3, 3), (pixel_set{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(line_pixels(s, draw_line, 0, 0, 2, 5),
              (pixel_set{{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 3}, {1, 4}, {1, 5}, {2, 5}}));
}

TEST(Line, DirectionMatters)
{
    test_surface s;
    EXPECT_EQ(line_pixels(s, draw_line, 4, 2, 0, 0),
              (pixel_set{{4, 2}, {3, 2}, {2, 2}, {2, 1}, {1, 1}, {0, 1}, {0, 0}}));
    EXPECT_NE(line_pixels(s, draw_line, 4, 2, 0, 0), line_pixels(s, draw_line, 0, 0, 4, 2));
}

TEST(Line, ClipsPixelByPixel)
{
    test_surface s;
    pixel_set row300;
    for (int x = 0; x < SCREEN_WIDTH; ++x)
        row300.insert({x, 300});
    EXPECT_EQ(line_pixels(s, draw_line, -10, 300, 810, 300), row300);
    EXPECT_TRUE(line_pixels(s, draw_line, -50, -10, -5, -90).empty());
    EXPECT_TRUE(line_pixels(s, draw_line, 900, 700, 1000, 650).empty());

    pixel_set column;
    for (int y = 40; y <= 50; ++y)
        column.insert({100, y});
    EXPECT_EQ(line_pixels(s, draw_line, 100, 50, 100, 40), column);

    // A line that leaves the window and comes back is drawn where it is inside.
    EXPECT_EQ(line_pixels(s, draw_line, -300, 100, 1100, 500), closed_form(-300, 100, 1100, 500, true));
}

TEST(Line, MatchesClosedFormInEveryOctant)
{
    test_surface s;
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> coord(-150, 950);
    for (int n = 0; n < 300; ++n) {
        int x0 = coord(random), y0 = coord(random) - 100, x1 = coord(random), y1 = coord(random) - 100;
        ASSERT_EQ(line_pixels(s, draw_line, x0, y0, x1, y1), closed_form(x0, y0, x1, y1, true))
            << x0 << "," << y0 << " -> " << x1 << "," << y1;
        // The thin form stays inside the window when its end points do.
        int a = std::clamp(x0, 0, 799), b = std::clamp(y0, 0, 599), c = std::clamp(x1, 0, 799),
            d = std::clamp(y1, 0, 599);
        ASSERT_EQ(line_pixels(s, draw_line_thin, a, b, c, d), closed_form(a, b, c, d, false))
            << a << "," << b << " -> " << c << "," << d;
    }
}

// Lines along the window's edges, and just beyond them, in both directions:
// drawn exactly where they are inside, nothing where they are not.
TEST(Line, EdgesAndJustBeyond)
{
    test_surface s;
    const int cases[][4] = {
        {0, 0, 799, 0},     {799, 599, 0, 599},   {0, 599, 0, 0},        {799, 0, 799, 599},
        {-1, 0, -1, 599},   {800, 0, 800, 599},   {0, -1, 799, -1},      {0, 600, 799, 600},
        {-5, 300, 0, 300},  {799, 300, 805, 300}, {300, -5, 300, 0},     {300, 599, 300, 605},
        {-3, -3, 2, 2},     {797, 597, 802, 602}, {802, 590, 796, 603},  {-1, 600, 3, 596},
    };
    for (const auto& c : cases)
        ASSERT_EQ(line_pixels(s, draw_line, c[0], c[1], c[2], c[3]), closed_form(c[0], c[1], c[2], c[3], true))
            << c[0] << "," << c[1] << " -> " << c[2] << "," << c[3];
}
