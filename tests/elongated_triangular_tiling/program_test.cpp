// The program's recorded run: what its golden hash cannot explain
// (tests/programs checks status, pictures and answers).
#include <capture.h>

#include <gtest/gtest.h>

namespace {

constexpr const char* program = "elongated_triangular_tiling";
constexpr uint32_t white_rgb = rgb(255, 255, 255), red_rgb = rgb(255, 0, 0),
                   olive_rgb = rgb(205, 205, 50), green_rgb = rgb(0, 205, 0);

const captured_run& shown()
{
    return recorded_run(program);
}

}  // namespace

TEST(ElongatedTriangularTilingProgram, OneStageWithABlackFrame)
{
    const captured_run& c = shown();
    ASSERT_EQ(c.stages.size(), 1u);
    EXPECT_TRUE(has_black_frame(c.stages[0]));
}

TEST(ElongatedTriangularTilingProgram, RowsOfSquaresAndTriangles)
{
    const captured_run& c = shown();
    ASSERT_EQ(c.stages.size(), 1u);
    const rgb_image& im = c.stages[0];
    // The square row with lower-left corners at (400 + 70 i, 300): red
    // squares, olive triangles above and green ones below.
    for (int a = 50; a <= 680; a += 70) {
        EXPECT_EQ(im.at(a + 35, 265), red_rgb) << a;
        EXPECT_EQ(im.at(a + 35, 209), olive_rgb) << a;
        EXPECT_EQ(im.at(a + 35, 320), green_rgb) << a;
    }
    // Bottom rows: the lower triangles of the row at b = 561 are seeded at
    // row 581 and filled; the upper triangles of the row at b = 691 would be
    // seeded at row 600 and stay white.
    for (int m = 15; m <= 785; m += 70)
        EXPECT_EQ(im.at(m, 581), green_rgb) << m;
    for (int m = 50; m <= 750; m += 70)
        EXPECT_EQ(im.at(m, 590), white_rgb) << m;
    // The square of the cell at a = -55, b = 169 has its middle column left
    // of the window: its part between the frame and its right side stays white.
    EXPECT_EQ(im.at(5, 134), white_rgb);
    EXPECT_EQ(im.at(15, 134), 0u);
    EXPECT_EQ(im.at(25, 134), red_rgb);
}
