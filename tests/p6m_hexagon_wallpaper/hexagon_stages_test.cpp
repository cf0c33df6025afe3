// Stages of the hexagon wallpaper on a headless surface.
#include <hexagon_stages.h>
#include <headless.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A colour that names the pixel it was put on.
Uint32 mark(int x, int y) { return static_cast<Uint32>(x * 1000 + y + 1); }

void mark_every_pixel()
{
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            put_pixel(x, y, mark(x, y));
}

// Stage 5 as first written: 400 translates per hexagon pixel, each column
// computed and bounds-tested on its own.
void tile_hexagon_literally()
{
    for (int c = 390; c <= 559; ++c)
        for (int r = 140; r <= 379; ++r) {
            if (!in_hexagon(c, r))
                continue;
            const Uint32 colour = get_pixel(c, r);
            for (int m = -10; m <= 9; ++m)
                for (int a = -10; a <= 9; ++a) {
                    int x = static_cast<int>((c + 80.0 * m * s3f) + 80.0 * a * h3f);
                    int y = r + 120 * a;
                    if (x >= 1 && x <= 799 && y >= 1 && y <= 599)
                        put_pixel(x, y, colour);
                }
        }
}

class P6mHexagonStages : public ::testing::Test {
protected:
    headless_screen headless;
    void SetUp() override
    {
        ASSERT_NE(screen, nullptr);
        white = SDL_MapRGB(screen->format, 255, 255, 255);
        black = SDL_MapRGB(screen->format, 0, 0, 0);
        red = SDL_MapRGB(screen->format, 255, 0, 0);
        olive = SDL_MapRGB(screen->format, 205, 205, 50);
        green = SDL_MapRGB(screen->format, 0, 205, 0);
        SDL_FillRect(screen, nullptr, white);
    }
};

TEST(P6mHexagonConstants, FloatRoundingsOfTheRoots)
{
    EXPECT_EQ(static_cast<double>(h3f), 0.8660253882408142);
    EXPECT_EQ(static_cast<double>(s3f), 1.7320507764816284);
}

// The region stage 5 scans holds the whole hexagon, 16 663 pixels of it.
TEST(P6mHexagonRegion, AcceptsTheHexagonOnly)
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
TEST_F(P6mHexagonStages, TilingLeavesRowAndColumnZero)
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

// Stage 2 takes each pixel below row 300 from its mirror image above it,
// from the same column or, once u has been rounded to float, the one left.
TEST_F(P6mHexagonStages, MirrorAcrossRowSources)
{
    mark_every_pixel();
    mirror_across_row();

    // Row 300 is its own mirror image.
    for (int i = 400; i <= 469; ++i)
        EXPECT_EQ(get_pixel(i, 300), mark(i, 300)) << i;
    // Column 407: row 300 from itself, rows 301 to 304 from column 406.
    EXPECT_EQ(get_pixel(407, 300), mark(407, 300));
    for (int j = 301; j <= 304; ++j)
        EXPECT_EQ(get_pixel(407, j), mark(406, 600 - j)) << j;
    EXPECT_EQ(get_pixel(407, 305), mark(407, 305));
    // Column 474 lies beyond u = h3 and keeps its own pixels.
    for (int j = 300; j <= 341; ++j)
        EXPECT_EQ(get_pixel(474, j), mark(474, j)) << j;

    int copied = 0;
    for (int i = 400; i <= 474; ++i)
        for (int j = 301; j <= 341; ++j) {
            Uint32 p = get_pixel(i, j);
            if (p == mark(i, j))
                continue;
            ++copied;
            EXPECT_TRUE(p == mark(i, 600 - j) || p == mark(i - 1, 600 - j)) << i << "," << j;
        }
    EXPECT_GT(copied, 1000);
}

// Stage 3 takes each pixel right of u = h3 from the same row, mirrored
// about column 469.28.
TEST_F(P6mHexagonStages, MirrorAcrossColumnSources)
{
    mark_every_pixel();
    mirror_across_column();

    // Column 469 lies left of the mirror and copies nothing.
    for (int j = 259; j <= 340; ++j)
        EXPECT_EQ(get_pixel(469, j), mark(469, j)) << j;
    // Column 470 copies from column 468 inside the rhombus only.
    EXPECT_EQ(get_pixel(470, 260), mark(470, 260));
    for (int j = 261; j <= 339; ++j)
        EXPECT_EQ(get_pixel(470, j), mark(468, j)) << j;
    EXPECT_EQ(get_pixel(470, 340), mark(470, 340));

    for (int i = 470; i <= 539; ++i)
        for (int j = 259; j <= 340; ++j) {
            Uint32 p = get_pixel(i, j);
            if (p != mark(i, j)) {
                EXPECT_TRUE(p == mark(938 - i, j) || p == mark(939 - i, j)) << i << "," << j;
            }
        }
}

// With every pixel marked by its own colour, the stage writes exactly what
// the literal loop writes, including copies read back from hexagon pixels
// that earlier copies overwrote.
TEST_F(P6mHexagonStages, TilingMatchesTheLiteralLoop)
{
    mark_every_pixel();
    tile_hexagon_literally();
    std::vector<Uint32> expected = screen_pixels();
    mark_every_pixel();
    tile_hexagon();
    EXPECT_TRUE(screen_pixels() == expected);
}

} // namespace
