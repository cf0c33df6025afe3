// The program's recorded run: what its golden hash cannot explain
// (tests/programs checks status, pictures and answers).
#include <capture.h>
#include <hex_cell.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr const char* program = "snub_hexagonal_tiling";

const captured_run& shown()
{
    return recorded_run(program);
}

bool inside_frame(int x, int y) { return x >= 1 && x <= 798 && y >= 1 && y <= 598; }

}  // namespace

TEST(SnubHexagonalTilingProgram, OneStageWithABlackFrame)
{
    const captured_run& c = shown();
    ASSERT_EQ(c.stages.size(), 1u);
    EXPECT_TRUE(has_black_frame(c.stages[0]));
}

TEST(SnubHexagonalTilingProgram, HexagonsCentredInsideTheFrameAreRedAndUncut)
{
    const captured_run& c = shown();
    ASSERT_EQ(c.stages.size(), 1u);
    const rgb_image& im = c.stages[0];
    int hexagons = 0;
    for (int i = -4; i <= 4; ++i)
        for (int j = -3; j <= 3; ++j) {
            const pixel_point centre = lattice_anchor(scale, e1, e2, i, j);
            if (!inside_frame(centre.x, centre.y))
                continue;
            ++hexagons;
            // The inner hexagon's apothem is 43.3 pixels; its edges are 3 wide.
            for (int y = centre.y - 40; y <= centre.y + 40; ++y)
                for (int x = centre.x - 40; x <= centre.x + 40; ++x)
                    if (inside_frame(x, y) && std::hypot(x - centre.x, y - centre.y) <= 40.0) {
                        ASSERT_EQ(im.at(x, y), rgb(255, 0, 0)) << x << "," << y << " in cell " << i << "," << j;
                    }
        }
    EXPECT_EQ(hexagons, 29);
}

TEST(SnubHexagonalTilingProgram, RegionsBeyondThePatchOrTheGuardStayWhite)
{
    const captured_run& c = shown();
    ASSERT_EQ(c.stages.size(), 1u);
    const rgb_image& im = c.stages[0];
    // The top-left corner lies outside every cell of the 9 x 7 patch.
    EXPECT_EQ(im.at(3, 3), rgb(255, 255, 255));
    // The hexagon of the cell centred at (225, -3) is outlined, not filled.
    EXPECT_EQ(lattice_anchor(scale, e1, e2, 2, -3).y, -3);
    EXPECT_EQ(im.at(225, 20), rgb(255, 255, 255));
    // Everything else is red, green or black.
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const uint32_t p = im.at(x, y);
            ASSERT_TRUE(p == rgb(255, 255, 255) || p == rgb(255, 0, 0) || p == rgb(0, 205, 0) || p == 0)
                << x << "," << y;
        }
}
