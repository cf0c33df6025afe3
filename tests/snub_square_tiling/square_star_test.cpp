#include <square_star.h>
#include <headless.h>

#include <drawkit.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

struct SquareStarTest : ::testing::Test {
    headless_screen headless;

    SquareStarTest()
    {
        white = SDL_MapRGB(screen->format, 255, 255, 255);
        black = SDL_MapRGB(screen->format, 0, 0, 0);
        red = SDL_MapRGB(screen->format, 255, 0, 0);
        green = SDL_MapRGB(screen->format, 0, 205, 0);
        SDL_FillRect(screen, nullptr, white);
        draw_window_frame(black);
    }
};

// A_t, B_t, Q_t and the triangle's seed, as offsets for non-negative pixels.
constexpr pixel_point table[4][4] = {
    {{25, -25}, {-26, -25}, {0, -69}, {-1, -40}},
    {{-26, -25}, {-25, 25}, {-69, 0}, {-40, 0}},
    {{-25, 25}, {25, 24}, {0, 68}, {0, 39}},
    {{25, 24}, {25, -25}, {68, -1}, {39, -1}},
};

// Truncation toward zero: a negative coordinate that is not a whole number
// comes out one above centre + offset.
int expected(int centre, int offset, bool whole)
{
    const int c = centre + offset;
    return c < 0 && !whole ? c + 1 : c;
}

// Only the points at angle 0 sit on whole numbers: the corner (0.5, 0.5),
// which is A_0 and B_3, and the x of the apex Q_0.
bool whole_x(int t, int n) { return (t == 0 && (n == 0 || n == 2)) || (t == 3 && n == 1); }
bool whole_y(int t, int n) { return (t == 0 && n == 0) || (t == 3 && n == 1); }

}  // namespace

TEST(SnubSquareLattice, CheckValues)
{
    const struct { int i, j, col, row; } checks[] = {
        {0, 0, 400, 300}, {1, 0, 375, 206},  {0, 1, 493, 275}, {1, 1, 468, 181},    {-1, 0, 425, 393},
        {0, -1, 306, 325}, {-5, -5, 58, 891}, {5, 5, 741, -291}, {5, -5, -191, -41},
    };
    for (const auto& c : checks) {
        const pixel_point p = lattice_anchor(scale, e1, e2, c.i, c.j);
        EXPECT_EQ(p.x, c.col) << c.i << "," << c.j;
        EXPECT_EQ(p.y, c.row) << c.i << "," << c.j;
    }
}

TEST(SquareStarGeometry, CornersApexesAndSeedsMatchTheTable)
{
    EXPECT_EQ(star_angle_step, static_cast<float>(std::numbers::pi / 2));
    for (pixel_point c : {pixel_point{400, 300}, {-191, -41}, {741, -291}, {58, 891}, {10, 20}})
        for (int t = 0; t < 4; ++t) {
            const star_side s = square_star_side(c.x, c.y, t);
            const pixel_point got[4] = {s.a, s.b, s.q, s.seed};
            const char* names[4] = {"A", "B", "Q", "seed"};
            for (int n = 0; n < 4; ++n) {
                EXPECT_EQ(got[n].x, expected(c.x, table[t][n].x, whole_x(t, n))) << names[n] << t << " at " << c.x << "," << c.y;
                EXPECT_EQ(got[n].y, expected(c.y, table[t][n].y, whole_y(t, n))) << names[n] << t << " at " << c.x << "," << c.y;
            }
            const star_side next = square_star_side(c.x, c.y, (t + 1) % 4);
            EXPECT_EQ(s.b.x, next.a.x);
            EXPECT_EQ(s.b.y, next.a.y);
        }
}

TEST_F(SquareStarTest, StarIsFilledInsideItsOwnEdges)
{
    draw_square_star(400, 300);
    EXPECT_EQ(get_pixel(400, 300), red);
    for (int t = 0; t < 4; ++t) {
        const star_side s = square_star_side(400, 300, t);
        EXPECT_EQ(get_pixel(s.seed.x, s.seed.y), green) << t;
        EXPECT_EQ(get_pixel(s.a.x, s.a.y), black) << t;
        EXPECT_EQ(get_pixel(s.q.x, s.q.y), black) << t;
    }
    EXPECT_EQ(get_pixel(425, 324), black);  // bottom-right corner, one row above the left one
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const Uint32 c = get_pixel(x, y);
            if (c == red) {
                ASSERT_TRUE(std::abs(x - 400) < 25 && std::abs(y - 300) < 25) << x << "," << y;
            }
            if (c == green) {
                ASSERT_LE(std::hypot(x - 400, y - 300), 69.0) << x << "," << y;
            }
        }
}

TEST_F(SquareStarTest, CentreOutsideTheFrameLeavesTheSquareUnfilled)
{
    draw_square_star(400, 0);
    draw_square_star(-10, 300);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            ASSERT_NE(get_pixel(x, y), red) << x << "," << y;
    EXPECT_EQ(get_pixel(400, 10), white);     // visible part of the square at (400, 0)
    EXPECT_EQ(get_pixel(400, 39), green);     // the triangle below it, seeded inside
    EXPECT_EQ(get_pixel(29, 299), green);     // right triangle of the star at (-10, 300)
}
