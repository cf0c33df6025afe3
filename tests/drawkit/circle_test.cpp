#include "surface.h"

#include <gtest/gtest.h>

namespace {

pixel_set disc_rows(int cx, int cy, std::initializer_list<std::pair<int, int>> half_widths)
{
    // half_widths: (row offset, half width) for rows cy +- offset.
    pixel_set set;
    for (auto [dy, hw] : half_widths)
        for (int y : {cy - dy, cy + dy})
            for (int x = cx - hw; x <= cx + hw; ++x)
                set.insert({x, y});
    return set;
}

pixel_set circle_pixels(test_surface& s, void (*circle)(int, int, int, Uint32), int cx, int cy, int r)
{
    s.clear();
    circle(cx, cy, r, s.red);
    return s.pixels_of(s.red);
}

} // namespace

TEST(Circle, SmallRadii)
{
    test_surface s;
    pixel_set dot{{50, 60}};
    EXPECT_EQ(circle_pixels(s, fill_circle, 50, 60, 0), dot);
    EXPECT_EQ(circle_pixels(s, draw_circle, 50, 60, 0), dot);

    pixel_set plus{{50, 60}, {49, 60}, {51, 60}, {50, 59}, {50, 61}};
    EXPECT_EQ(circle_pixels(s, fill_circle, 50, 60, 1), plus);
    EXPECT_EQ(circle_pixels(s, draw_circle, 50, 60, 1), plus);

    pixel_set disc2 = disc_rows(50, 60, {{2, 1}, {1, 2}, {0, 2}});
    EXPECT_EQ(disc2.size(), 21u);
    EXPECT_EQ(circle_pixels(s, fill_circle, 50, 60, 2), disc2);
    pixel_set rim2 = disc2;
    for (auto p : pixel_set{{50, 60}, {50, 59}, {50, 61}, {49, 60}, {51, 60}})
        rim2.erase(p);
    EXPECT_EQ(circle_pixels(s, draw_circle, 50, 60, 2), rim2);

    pixel_set disc3 = disc_rows(50, 60, {{3, 1}, {2, 2}, {1, 3}, {0, 3}});
    EXPECT_EQ(disc3.size(), 37u);
    EXPECT_EQ(circle_pixels(s, fill_circle, 50, 60, 3), disc3);
}

TEST(Circle, RimOfRadiusFiveIsFourConnected)
{
    test_surface s;
    pixel_set rim = circle_pixels(s, draw_circle, 100, 100, 5);
    EXPECT_EQ(rim.size(), 40u);
    for (auto [x, y] : rim) {
        bool neighbour = rim.count({x + 1, y}) || rim.count({x - 1, y}) || rim.count({x, y + 1}) ||
                         rim.count({x, y - 1});
        EXPECT_TRUE(neighbour) << x << "," << y;
    }
    // Every rim pixel lies on the disc of the same radius.
    pixel_set disc = circle_pixels(s, fill_circle, 100, 100, 5);
    for (auto p : rim)
        EXPECT_TRUE(disc.count(p));
}

TEST(Circle, ClipsAtTheCorners)
{
    test_surface s;
    pixel_set whole = circle_pixels(s, fill_circle, 100, 100, 20);
    pixel_set quarter;
    for (auto [x, y] : whole)
        if (x >= 100 && y >= 100)
            quarter.insert({x - 100, y - 100});
    EXPECT_EQ(circle_pixels(s, fill_circle, 0, 0, 20), quarter);

    pixel_set corner;
    for (auto [x, y] : circle_pixels(s, draw_circle, 100, 100, 20))
        if (x <= 100 && y <= 100)
            corner.insert({x + 699, y + 499});
    EXPECT_EQ(circle_pixels(s, draw_circle, 799, 599, 20), corner);
    EXPECT_TRUE(circle_pixels(s, fill_circle, -100, -100, 50).empty());
}
