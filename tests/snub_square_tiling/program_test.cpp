// The program's recorded run: what its golden hash cannot explain
// (tests/programs checks status, pictures and answers).
#include <capture.h>
#include <square_star.h>

#include <gtest/gtest.h>

namespace {

constexpr const char* program = "snub_square_tiling";
constexpr uint32_t white_rgb = rgb(255, 255, 255), red_rgb = rgb(255, 0, 0),
                   pink_rgb = rgb(255, 100, 100), green_rgb = rgb(0, 205, 0);

const captured_run& shown()
{
    return recorded_run(program);
}

bool inside_frame(int x, int y) { return x >= 1 && x <= 798 && y >= 1 && y <= 598; }
bool inside_margin(int x, int y) { return x >= 10 && x <= 789 && y >= 10 && y <= 589; }

}  // namespace

TEST(SnubSquareTilingProgram, OneStageWithABlackFrame)
{
    const captured_run& c = shown();
    ASSERT_EQ(c.stages.size(), 1u);
    EXPECT_TRUE(has_black_frame(c.stages[0]));
}

TEST(SnubSquareTilingProgram, PinkOnlyInsideTheMarginWhiteOnlyOutside)
{
    const captured_run& c = shown();
    ASSERT_EQ(c.stages.size(), 1u);
    const rgb_image& im = c.stages[0];
    int band_white = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const uint32_t p = im.at(x, y);
            ASSERT_TRUE(p == white_rgb || p == red_rgb || p == pink_rgb || p == green_rgb || p == 0);
            if (inside_margin(x, y)) {
                ASSERT_NE(p, white_rgb) << x << "," << y;
            } else {
                ASSERT_NE(p, pink_rgb) << x << "," << y;
                band_white += p == white_rgb;
            }
        }
    EXPECT_GT(band_white, 0);
}

TEST(SnubSquareTilingProgram, StarsAndHoles)
{
    const captured_run& c = shown();
    ASSERT_EQ(c.stages.size(), 1u);
    const rgb_image& im = c.stages[0];
    for (int i = -5; i <= 5; ++i)
        for (int j = -5; j <= 5; ++j) {
            // The square of a star centred inside the frame is red; one
            // centred on or beyond it is not filled, and what shows of it is
            // pink inside the margin and white outside.
            const pixel_point centre = lattice_anchor(scale, e1, e2, i, j);
            const bool guarded = inside_frame(centre.x, centre.y);
            for (int y = centre.y - 21; y <= centre.y + 20; ++y)
                for (int x = centre.x - 21; x <= centre.x + 20; ++x)
                    if (inside_frame(x, y)) {
                        const uint32_t want = guarded ? red_rgb : inside_margin(x, y) ? pink_rgb : white_rgb;
                        ASSERT_EQ(im.at(x, y), want) << x << "," << y << " in star " << i << "," << j;
                    }
            if (guarded)
                for (int t = 0; t < 4; ++t) {
                    const star_side s = square_star_side(centre.x, centre.y, t);
                    if (inside_frame(s.seed.x, s.seed.y)) {
                        ASSERT_EQ(im.at(s.seed.x, s.seed.y), green_rgb) << "star " << i << "," << j;
                    }
                }
            // The middle of four neighbouring stars is a tilted square hole.
            const pixel_point far = lattice_anchor(scale, e1, e2, i + 1, j + 1);
            const int hx = (centre.x + far.x) / 2, hy = (centre.y + far.y) / 2;
            if (inside_margin(hx, hy)) {
                EXPECT_EQ(im.at(hx, hy), pink_rgb) << "hole " << hx << "," << hy;
            }
        }
}
