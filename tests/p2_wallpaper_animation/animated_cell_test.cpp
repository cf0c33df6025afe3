// Geometry, stars and tile copy of the animated p2 wallpaper, headless.
#include <animated_cell.h>
#include <headless.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

class AnimatedCell : public ::testing::Test {
protected:
    headless_screen headless;

    void SetUp() override
    {
        map_palette();
        SDL_FillRect(screen, nullptr, white);
    }
    int count(Uint32 colour, int x0 = 0, int x1 = 799, int y0 = 0, int y1 = 599)
    {
        int n = 0;
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) n += get_pixel(x, y) == colour;
        return n;
    }
};

void expect_pixel(unit_point p, int x, int y, const char* name)
{
    const pixel_point got = to_pixel(p);
    EXPECT_EQ(got.x, x) << name;
    EXPECT_EQ(got.y, y) << name;
}

TEST(AnimatedGeometry, FixedPointsOfTheCell)
{
    expect_pixel({0, 0}, 330, 310, "A");
    expect_pixel(point_b(), 430, 310, "B");
    expect_pixel(point_p(), 353, 244, "P");
    expect_pixel(point_q(), 453, 244, "Q");
    expect_pixel(mid_ap(), 341, 277, "mid AP");
    expect_pixel(mid_pq(), 403, 244, "mid PQ");
    expect_pixel(mid_aq(), 391, 277, "mid AQ");
    expect_pixel(mid_bq(), 441, 277, "mid BQ");
    expect_pixel(mid_ab(), 380, 310, "mid AB");
}

TEST(AnimatedGeometry, StarCentresInFirstAndLastFrame)
{
    double v = 0.0;
    expect_pixel(star_centre(v), 442, 260, "M, frame 1");
    expect_pixel(star_centre_image(star_centre(v)), 340, 293, "M', frame 1");
    for (int frame = 2; frame <= 250; ++frame) v += 0.1;
    expect_pixel(star_centre(v), 441, 263, "M, frame 250");
    expect_pixel(star_centre_image(star_centre(v)), 342, 290, "M', frame 250");
    EXPECT_GE(v + 0.1, 25.0);  // no frame 251
}

TEST(AnimatedGeometry, StarCentresStayInTheCell)
{
    for (double v = 0.0; v < 25.0; v += 0.1) {
        const pixel_point m = to_pixel(star_centre(v));
        const pixel_point image = to_pixel(star_centre_image(star_centre(v)));
        EXPECT_TRUE(in_cell(m.x, m.y)) << v;
        EXPECT_TRUE(in_cell(image.x, image.y)) << v;
    }
}

TEST_F(AnimatedCell, CellTestCoversTheParallelogram)
{
    EXPECT_TRUE(in_cell(330, 310) && in_cell(430, 310) && in_cell(355, 245) && in_cell(452, 245));
    // Row 244 (P's row) lies above sy; the slanted sides cut the box corners.
    EXPECT_FALSE(in_cell(391, 244) || in_cell(340, 250) || in_cell(445, 300) || in_cell(391, 311));
    int inside = 0;
    for (int i = 330; i <= 453; ++i)
        for (int j = 244; j <= 310; ++j) inside += in_cell(i, j);
    EXPECT_NEAR(inside, 6600, 100);  // 100 x 66 pixels
}

TEST_F(AnimatedCell, RedCellPixelReachesEveryTranslateInsideTheWindow)
{
    put_pixel(331, 309, red);
    put_pixel(332, 309, black);  // other colours stay where they are
    put_pixel(300, 300, red);    // outside the cell: not copied
    copy_cell_to_translates();
    EXPECT_EQ(get_pixel(431, 309), red);  // k = 1
    EXPECT_EQ(get_pixel(354, 243), red);  // l = 1: 331 + 23.94, 309 - 65.78
    EXPECT_EQ(get_pixel(307, 374), red);  // l = -1
    EXPECT_EQ(get_pixel(432, 309), white);
    EXPECT_EQ(get_pixel(400, 300), white);
    // One copy per translate whose pixel lands in columns 1..799, rows 1..599.
    EXPECT_EQ(count(red), 1 + 9 * 8);  // the stray dot; rows l = -4..4, 8 columns each
}

TEST_F(AnimatedCell, FrameCopiesStayOffColumnAndRowZero)
{
    draw_cell();
    draw_stars(0.0);
    copy_cell_to_translates();
    EXPECT_EQ(count(red, 0, 0), 0);
    EXPECT_EQ(count(red, 0, 799, 0, 0), 0);
    EXPECT_GT(count(red, 1, 1), 0);  // cut translates are clipped, not dropped
    EXPECT_GT(count(red, 0, 799, 1, 1), 0);
    EXPECT_GT(count(red, 799, 799), 0);
    EXPECT_GT(count(red, 0, 799, 599, 599), 0);
    // Black stays on the home cell only.
    EXPECT_EQ(count(black) - count(black, 330, 453, 244, 310), 0);
    EXPECT_GT(count(black), 0);
}

// The tile copy as first written: every cell pixel tested by in_cell and
// every one of the 441 translates computed in double and bounds-tested.
void copy_every_translate()
{
    for (int i = 330; i <= 453; ++i)
        for (int j = 244; j <= 310; ++j) {
            if (!in_cell(i, j) || get_pixel(i, j) != red) continue;
            for (int k = -10; k <= 10; ++k)
                for (int l = -10; l <= 10; ++l) {
                    const int col = static_cast<int>(i + 100 * k + 100 * cx * l);
                    const int row = static_cast<int>(j - 100 * sy * l);
                    if (col >= 1 && col <= 799 && row >= 1 && row <= 599) put_pixel(col, row, red);
                }
        }
}

// The fast copy writes exactly what the literal one writes: with the whole
// box red (every translate of every cell pixel), and with random scatters of
// red, black and white in and around the box, where copies landing on cell
// pixels not yet scanned are read back and copied in turn.
TEST_F(AnimatedCell, FastCopyMatchesTheLiteralCopy)
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int> colour(0, 5);
    std::vector<Uint32> expected(800 * 600);
    for (int scene = 0; scene < 6; ++scene) {
        SDL_FillRect(screen, nullptr, white);
        for (int i = 320; i <= 463; ++i)
            for (int j = 234; j <= 320; ++j) {
                const int c = scene == 0 ? 0 : colour(random);
                put_pixel(i, j, c == 0 ? red : c == 1 ? black : white);
            }
        std::vector<Uint32> before(800 * 600);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) before[y * 800 + x] = get_pixel(x, y);

        copy_every_translate();
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) expected[y * 800 + x] = get_pixel(x, y);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) put_pixel(x, y, before[y * 800 + x]);

        copy_cell_to_translates();
        int differences = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) differences += get_pixel(x, y) != expected[y * 800 + x];
        EXPECT_EQ(differences, 0) << "scene " << scene;
    }
}

}  // namespace
