// The program's recorded run: what its golden hashes cannot explain
// (tests/programs checks status, pictures and answers).
#include <capture.h>
#include <dodecagon.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr const char* program = "truncated_hexagonal_tiling";
constexpr uint32_t white_rgb = rgb(255, 255, 255), light_red_rgb = rgb(255, 50, 50),
                   light_yellow_rgb = rgb(250, 250, 100), blue_rgb = rgb(0, 0, 205);

const captured_run& shown()
{
    return recorded_run(program);
}

bool inside_frame(int x, int y) { return x >= 1 && x <= 798 && y >= 1 && y <= 598; }

}  // namespace

TEST(TruncatedHexagonalTilingProgram, FirstStageShowsOneDodecagonAndItsVectors)
{
    const captured_run& c = shown();
    ASSERT_EQ(c.stages.size(), 2u);
    const rgb_image& im = c.stages[0];
    EXPECT_TRUE(has_black_frame(im));
    for (auto [x, y] : {std::pair{400, 300}, {493, 275}, {425, 206}, {450, 286}})
        EXPECT_EQ(im.at(x, y), blue_rgb) << x << "," << y;
    EXPECT_EQ(im.at(400, 340), light_red_rgb);
    EXPECT_EQ(im.at(400, 349), 0u);  // bottom vertex at row + 49
    EXPECT_EQ(im.at(400, 350), white_rgb);
    EXPECT_EQ(im.at(5, 5), white_rgb);
}

TEST(TruncatedHexagonalTilingProgram, SecondStageLeavesNoWhiteAndNoBlue)
{
    const captured_run& c = shown();
    ASSERT_EQ(c.stages.size(), 2u);
    const rgb_image& im = c.stages[1];
    EXPECT_TRUE(has_black_frame(im));
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const uint32_t p = im.at(x, y);
            ASSERT_TRUE(p == light_red_rgb || p == light_yellow_rgb || p == 0) << x << "," << y;
        }
    // The lattice patch is a rhombus: the top-left and bottom-right corners
    // lie outside it.
    EXPECT_EQ(im.at(5, 5), light_yellow_rgb);
    EXPECT_EQ(im.at(794, 594), light_yellow_rgb);

    // Dodecagons centred inside the frame are filled; the others are only
    // outlined, so what shows of them turns light yellow.
    set_lattice_vectors();
    int filled = 0, outlined = 0;
    for (int i = -4; i <= 4; ++i)
        for (int j = -4; j <= 4; ++j) {
            const pixel_point centre = lattice_anchor(scale, e1, e2, i, j);
            const bool guarded = inside_frame(centre.x, centre.y);
            (guarded ? filled : outlined) += 1;
            for (int y = centre.y - 40; y <= centre.y + 40; ++y)
                for (int x = centre.x - 40; x <= centre.x + 40; ++x)
                    if (inside_frame(x, y) && std::hypot(x - centre.x, y - centre.y) <= 40.0) {
                        ASSERT_EQ(im.at(x, y), guarded ? light_red_rgb : light_yellow_rgb)
                            << x << "," << y << " in cell " << i << "," << j;
                    }
        }
    EXPECT_GT(outlined, 0);
}
