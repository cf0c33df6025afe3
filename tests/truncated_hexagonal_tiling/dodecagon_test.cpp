#include <dodecagon.h>
#include <headless.h>

#include <drawkit.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

struct DodecagonTest : ::testing::Test {
    headless_screen headless;

    DodecagonTest()
    {
        white = SDL_MapRGB(screen->format, 255, 255, 255);
        black = SDL_MapRGB(screen->format, 0, 0, 0);
        light_red = SDL_MapRGB(screen->format, 255, 50, 50);
        SDL_FillRect(screen, nullptr, white);
        draw_window_frame(black);
    }
};

constexpr pixel_point offsets[12] = {{50, 0},   {43, -26}, {24, -44}, {-1, -50}, {-26, -44}, {-44, -26},
                               {-50, 0},  {-44, 25}, {-25, 43}, {0, 49},   {25, 43},   {43, 24}};

// Truncation toward zero: a negative coordinate that is not a whole number
// comes out one above centre + offset. Only vertex 0 sits on whole numbers.
int expected(int centre, int offset, bool whole)
{
    const int c = centre + offset;
    return c < 0 && !whole ? c + 1 : c;
}

}  // namespace

TEST(TruncatedHexagonalLattice, VectorsAndCheckValues)
{
    set_lattice_vectors();
    EXPECT_EQ(e1.x, 1.8660254f);
    EXPECT_EQ(e1.y, 0.5f);
    EXPECT_EQ(e2.x, 0.5f);
    EXPECT_EQ(e2.y, 1.8660254f);
    const struct { int i, j, col, row; } checks[] = {
        {0, 0, 400, 300}, {1, 0, 493, 275},  {0, 1, 425, 206},   {1, 1, 518, 181},  {-1, 0, 306, 325},
        {-4, 4, 126, 26}, {4, -4, 673, 573}, {-4, -4, -73, 773}, {4, 4, 873, -173},
    };
    for (const auto& c : checks) {
        const pixel_point p = lattice_anchor(scale, e1, e2, c.i, c.j);
        EXPECT_EQ(p.x, c.col) << c.i << "," << c.j;
        EXPECT_EQ(p.y, c.row) << c.i << "," << c.j;
    }
}

TEST(DodecagonGeometry, VerticesMatchTheTable)
{
    EXPECT_EQ(dodecagon_angle_step, static_cast<float>(std::numbers::pi / 6));
    for (pixel_point c : {pixel_point{400, 300}, {-73, 773}, {873, -173}, {-10, -20}})
        for (int k = 0; k < 12; ++k) {
            const pixel_point v = dodecagon_vertex(c.x, c.y, k);
            EXPECT_EQ(v.x, expected(c.x, offsets[k].x, k == 0)) << c.x << "," << c.y << " vertex " << k;
            EXPECT_EQ(v.y, expected(c.y, offsets[k].y, k == 0)) << c.x << "," << c.y << " vertex " << k;
        }
}

TEST(DodecagonGeometry, BottomVertexNeedsTheWideSum)
{
    // A double sum would round row + 49.99999... up to row + 50 for most rows.
    int double_rounds_up = 0;
    for (int row = 50; row < 600; ++row) {
        EXPECT_EQ(dodecagon_vertex(400, row, 9).y, row + 49) << row;
        EXPECT_EQ(dodecagon_vertex(400, row, 3).y, row - 50) << row;
        const double sin_f = std::sin(static_cast<double>(static_cast<float>(9 * 0.5235987901687622)));
        double_rounds_up += static_cast<int>(row - 50 * sin_f) == row + 50;
    }
    EXPECT_GT(double_rounds_up, 275);
    for (int row = 0; row < 50; ++row)
        EXPECT_EQ(dodecagon_vertex(400, row, 3).y, row - 49) << row;
}

TEST_F(DodecagonTest, FilledOnlyWhenTheCentreIsInsideTheFrame)
{
    draw_dodecagon(400, 300);
    EXPECT_EQ(get_pixel(400, 300), light_red);
    EXPECT_EQ(get_pixel(400, 300 + 45), light_red);
    EXPECT_EQ(get_pixel(400, 300 + 49), black);
    EXPECT_EQ(get_pixel(400, 300 + 51), white);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            if (std::hypot(x - 400, y - 300) > 52) {
                ASSERT_NE(get_pixel(x, y), light_red) << x << "," << y;
            }

    // Centres on the frame or outside it: outlined where visible, never filled.
    for (pixel_point c : {pixel_point{0, 300}, {400, 599}, {873, -173}, {-20, 40}})
        draw_dodecagon(c.x, c.y);
    EXPECT_EQ(get_pixel(20, 300), white);
    EXPECT_EQ(get_pixel(400, 580), white);
    EXPECT_EQ(get_pixel(30, 40), black);  // vertex 0 of the one at (-20, 40)
}
