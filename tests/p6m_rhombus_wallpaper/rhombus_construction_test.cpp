// The rhombus construction shared by the rhombus and two-face programs, on
// a headless surface.
#include <rhombus_construction.h>
#include <headless.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A colour that names the pixel it was put on.
Uint32 mark(int x, int y) { return static_cast<Uint32>(x * 1000 + y + 1); }

// The tiling as first written: 400 translates per stored pixel, each column
// computed and bounds-tested on its own.
void tile_rhombus_literally()
{
    for (int k = 0; k < region_count; ++k)
        for (int m = -10; m <= 9; ++m)
            for (int a = -10; a <= 9; ++a) {
                int x = static_cast<int>((region_x[k] + 40.0 * m * s3f2) - 40.0 * a * s3f);
                int y = region_y[k] + 120 * a;
                if (x >= 1 && x <= 799 && y >= 1 && y <= 599)
                    put_pixel(x, y, region_colour[k]);
            }
}

class P6mRhombusConstruction : public ::testing::Test {
protected:
    headless_screen headless;
    Uint32 white = 0, black = 0, red = 0, green = 0;

    void SetUp() override
    {
        ASSERT_NE(screen, nullptr);
        white = SDL_MapRGB(screen->format, 255, 255, 255);
        black = SDL_MapRGB(screen->format, 0, 0, 0);
        red = SDL_MapRGB(screen->format, 255, 0, 0);
        green = SDL_MapRGB(screen->format, 0, 205, 0);
        SDL_FillRect(screen, nullptr, white);
        region_count = 0;
    }
};

TEST(P6mRhombusConstants, FloatRoundingsOfTheRoots)
{
    EXPECT_EQ(static_cast<double>(s3f), 1.7320507764816284);
    EXPECT_EQ(static_cast<double>(s3f2), 3.464101552963257);
}

// The rhombus the store scans: 16 767 pixels, all inside the scanned block.
TEST(P6mRhombusRegion, AcceptsTheRhombusOnly)
{
    int count = 0;
    for (int c = 300; c <= 599; ++c)
        for (int r = 200; r <= 499; ++r)
            count += in_rhombus(c, r);
    EXPECT_EQ(count, 16767);

    for (int c = 200; c <= 700; ++c)
        for (int r = 100; r <= 500; ++r)
            if (c < 300 || c > 599 || r < 200 || r > 499) {
                EXPECT_FALSE(in_rhombus(c, r)) << c << "," << r;
            }

    // Corners (330.7, 260), (469.3, 260), (538.6, 380), (400, 380)
    EXPECT_TRUE(in_rhombus(331, 260));
    EXPECT_TRUE(in_rhombus(469, 260));
    EXPECT_TRUE(in_rhombus(538, 380));
    EXPECT_TRUE(in_rhombus(400, 380));
    EXPECT_FALSE(in_rhombus(400, 381));
    EXPECT_FALSE(in_rhombus(400, 259));
}

TEST_F(P6mRhombusConstruction, StoreHoldsTheRhombusInColumnMajorOrder)
{
    // Colour each pixel by its own position so the store can be checked.
    for (int c = 300; c <= 599; ++c)
        for (int r = 200; r <= 499; ++r)
            put_pixel(c, r, static_cast<Uint32>(c * 1000 + r));
    store_rhombus();
    ASSERT_EQ(region_count, 16767);
    for (int k = 0; k < region_count; ++k) {
        EXPECT_TRUE(in_rhombus(region_x[k], region_y[k]));
        EXPECT_EQ(region_colour[k], static_cast<Uint32>(region_x[k] * 1000 + region_y[k]));
        if (k > 0) {
            EXPECT_TRUE(region_x[k] > region_x[k - 1] ||
                        (region_x[k] == region_x[k - 1] && region_y[k] > region_y[k - 1]))
                << "entry " << k;
        }
    }
    // Storing again starts afresh.
    store_rhombus();
    EXPECT_EQ(region_count, 16767);
}

// The first mirror takes each pixel right of column 400 from the same row,
// column 800 - i or, where 40 float(g) lies just above i - 400, 799 - i.
TEST_F(P6mRhombusConstruction, MirrorAcrossColumnSources)
{
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            put_pixel(x, y, mark(x, y));
    mirror_across_column();

    EXPECT_EQ(get_pixel(401, 280), mark(398, 280));
    for (int j = 260; j <= 300; ++j)
        EXPECT_EQ(get_pixel(400, j), mark(400, j)) << j;

    int copied = 0;
    for (int i = 401; i <= 469; ++i)
        for (int j = 260; j <= 300; ++j) {
            Uint32 p = get_pixel(i, j);
            if (p == mark(i, j))
                continue;
            ++copied;
            EXPECT_TRUE(p == mark(800 - i, j) || p == mark(799 - i, j)) << i << "," << j;
        }
    EXPECT_GT(copied, 1000);
}

TEST_F(P6mRhombusConstruction, StoreNeverGrowsPastItsCapacity)
{
    for (int k = 0; k < region_capacity; ++k)
        ASSERT_TRUE(region_append(k % 800, k / 800, red));
    EXPECT_EQ(region_count, region_capacity);
    EXPECT_FALSE(region_append(1, 2, green));
    EXPECT_EQ(region_count, region_capacity);
    EXPECT_EQ(region_colour[region_capacity - 1], red);
    EXPECT_EQ(region_x[region_capacity - 1], (region_capacity - 1) % 800);
}

// Tiles are written from the store, never from the window as it changes.
TEST_F(P6mRhombusConstruction, TilesComeFromTheStore)
{
    for (int c = 300; c <= 599; ++c)
        for (int r = 200; r <= 499; ++r)
            put_pixel(c, r, black);
    store_rhombus();
    SDL_FillRect(screen, nullptr, white);
    tile_rhombus();
    EXPECT_EQ(get_pixel(434, 320), black);   // inside the rhombus itself
    EXPECT_EQ(get_pixel(572, 320), black);   // one translate to the right
    EXPECT_EQ(get_pixel(364, 440), black);   // one translate down
    for (int x = 0; x < 800; ++x)
        EXPECT_EQ(get_pixel(x, 0), white) << x;
    for (int y = 0; y < 600; ++y)
        EXPECT_EQ(get_pixel(0, y), white) << y;
    EXPECT_EQ(get_pixel(799, 599), black);
}

TEST_F(P6mRhombusConstruction, SeamsCloseFromBelow)
{
    SDL_FillRect(screen, nullptr, red);
    // A single white pixel over red takes the red.
    put_pixel(10, 20, white);
    // A white pair over green: only the lower one takes the green.
    put_pixel(11, 20, white);
    put_pixel(11, 21, white);
    put_pixel(11, 22, green);
    // Row 0 takes the colour of row 1.
    put_pixel(12, 0, white);
    put_pixel(12, 1, green);
    // Row 599 has no row below and stays white.
    put_pixel(13, 599, white);
    // A white pixel over a white bottom-row pixel stays white too.
    put_pixel(14, 598, white);
    put_pixel(14, 599, white);

    close_seams(white);

    EXPECT_EQ(get_pixel(10, 20), red);
    EXPECT_EQ(get_pixel(11, 20), white);
    EXPECT_EQ(get_pixel(11, 21), green);
    EXPECT_EQ(get_pixel(11, 22), green);
    EXPECT_EQ(get_pixel(12, 0), green);
    EXPECT_EQ(get_pixel(13, 599), white);
    EXPECT_EQ(get_pixel(14, 598), white);
    EXPECT_EQ(get_pixel(14, 599), white);
    int white_left = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            white_left += get_pixel(x, y) == white;
    EXPECT_EQ(white_left, 4);
}

// With every stored pixel of its own colour, the tiling writes exactly what
// the literal loop writes, later stored pixels over earlier ones.
TEST_F(P6mRhombusConstruction, TilingMatchesTheLiteralLoop)
{
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            put_pixel(x, y, mark(x, y));
    store_rhombus();
    SDL_FillRect(screen, nullptr, white);
    tile_rhombus_literally();
    std::vector<Uint32> expected = screen_pixels();
    SDL_FillRect(screen, nullptr, white);
    tile_rhombus();
    EXPECT_TRUE(screen_pixels() == expected);
}

} // namespace
