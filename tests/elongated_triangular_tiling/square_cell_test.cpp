#include <square_cell.h>
#include <headless.h>

#include <drawkit.h>
#include <gtest/gtest.h>

#include <set>

namespace {

// A headless white window with the frame and the cell palette mapped on it.
struct SquareCellTest : ::testing::Test {
    headless_screen headless;

    SquareCellTest()
    {
        white = SDL_MapRGB(screen->format, 255, 255, 255);
        black = SDL_MapRGB(screen->format, 0, 0, 0);
        red = SDL_MapRGB(screen->format, 255, 0, 0);
        olive = SDL_MapRGB(screen->format, 205, 205, 50);
        green = SDL_MapRGB(screen->format, 0, 205, 0);
        SDL_FillRect(screen, nullptr, white);
        draw_window_frame(black);
    }
};

}  // namespace

TEST(ElongatedTriangularLattice, RowsAlternateBetween131And130Pixels)
{
    std::set<int> rows, expected{-353, -222, -91, 38, 169, 300, 430, 561, 691, 822, 953};
    for (int j = -5; j <= 5; ++j)
        rows.insert(lattice_anchor(scale, e1, e2, 0, j).y);
    EXPECT_EQ(rows, expected);
    // e2 points up: the next square row is above, half a square to the right.
    EXPECT_EQ(lattice_anchor(scale, e1, e2, 0, 1).y, 169);
    EXPECT_EQ(lattice_anchor(scale, e1, e2, 0, 1).x, 435);
    for (int i = -8; i <= 9; ++i)
        for (int j = -5; j <= 5; ++j)
            ASSERT_EQ(lattice_anchor(scale, e1, e2, i, j).x, 400 + 70 * i + 35 * j);
    EXPECT_EQ(lattice_anchor(scale, e1, e2, -8, -5).x, -335);
    EXPECT_EQ(lattice_anchor(scale, e1, e2, 9, 5).x, 1205);
}

TEST(SquareCellGeometry, DerivedRowsAndSeedsTruncateTowardZero)
{
    for (int b : {-353, -222, -91, 38, 169, 300, 430, 561, 691}) {
        const square_cell_geometry g = square_cell(-55, b);
        EXPECT_EQ(g.right, 15);
        EXPECT_EQ(g.top, b - 70);
        EXPECT_EQ(g.left, -55);
        EXPECT_EQ(g.middle, -20);
        EXPECT_EQ(g.lower_apex, b >= -60 ? b + 60 : b + 61) << b;
        EXPECT_EQ(g.upper_apex, b >= 131 ? b - 131 : b - 130) << b;
        EXPECT_EQ(g.square_seed, b - 35) << b;
        EXPECT_EQ(g.upper_seed, b >= 91 ? b - 91 : b - 90) << b;
        EXPECT_EQ(g.lower_seed, b >= -20 ? b + 20 : b + 21) << b;
    }
    EXPECT_EQ(square_cell(400, -353).lower_apex, -292);
}

TEST_F(SquareCellTest, CellIsFilledInsideItsOwnEdges)
{
    draw_square_cell(365, 300);
    EXPECT_EQ(get_pixel(400, 265), red);
    EXPECT_EQ(get_pixel(400, 209), olive);
    EXPECT_EQ(get_pixel(400, 320), green);
    // Corners and apexes are black; just outside them nothing is painted.
    for (auto [x, y] : {std::pair{365, 300}, {435, 300}, {435, 230}, {365, 230}, {400, 360}, {400, 169}})
        EXPECT_EQ(get_pixel(x, y), black) << x << "," << y;
    for (int y = 1; y < 599; ++y)
        for (int x = 1; x < 799; ++x) {
            const Uint32 c = get_pixel(x, y);
            const bool cell = x >= 364 && x <= 436 && y >= 167 && y <= 362;
            if (!cell) {
                ASSERT_EQ(c, white) << x << "," << y;
            }
            if (c == red) {
                ASSERT_TRUE(y > 230 && y < 300) << x << "," << y;
            }
            if (c == olive) {
                ASSERT_LT(y, 230) << x << "," << y;
            }
            if (c == green) {
                ASSERT_GT(y, 300) << x << "," << y;
            }
        }
}

TEST_F(SquareCellTest, FillsAreGuardedByTheFrame)
{
    // Bottom row: lower triangles seeded at row 581 are filled; upper
    // triangles seeded at row 600 are not.
    draw_square_cell(365, 561);
    EXPECT_EQ(get_pixel(400, 581), green);
    draw_square_cell(330, 691);
    EXPECT_EQ(get_pixel(365, 590), white);
    // Middle column left of the window: the visible square part stays white.
    draw_square_cell(-55, 169);
    EXPECT_EQ(get_pixel(5, 134), white);
    EXPECT_EQ(get_pixel(15, 134), black);
}
