// The quadrilateral ring tiling program's recorded run: the seed, the rings
// and their colours (tests/programs checks status, pictures and answers).
#include <capture.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

TEST(QuadrilateralRingsProgram, SeedAloneThenSeventeenRings)
{
    const captured_run& c = recorded_run("quadrilateral_rings");
    ASSERT_EQ(c.stage_hashes.size(), 2u);

    // Stage 1: one red quadrilateral outlined in black on white.
    const rgb_image& seed = c.stages[0];
    std::set<uint32_t> colours(seed.rgb.begin(), seed.rgb.end());
    EXPECT_EQ(colours, (std::set<uint32_t>{rgb(0, 0, 0), rgb(255, 0, 0), rgb(255, 255, 255)}));
    EXPECT_EQ(seed.at(413, 301), rgb(255, 0, 0));
    for (auto [x, y] : {std::pair{400, 310}, {425, 310}, {421, 289}, {406, 297}})
        EXPECT_EQ(seed.at(x, y), rgb(0, 0, 0)) << x << "," << y;

    // Stage 2: generation 1 in green round the red seed, up to generation 17.
    const rgb_image& rings = c.stages[1];
    EXPECT_EQ(rings.at(413, 301), rgb(255, 0, 0));
    for (auto [x, y] : {std::pair{411, 318}, {433, 298}, {414, 285}, {393, 305}})
        EXPECT_EQ(rings.at(x, y), rgb(0, 248, 0)) << x << "," << y;
    std::set<uint32_t> used(rings.rgb.begin(), rings.rgb.end());
    EXPECT_TRUE(used.count(rgb(0, 136, 0)));   // generation 17
    EXPECT_FALSE(used.count(rgb(129, 0, 0)));  // generation 18 is never made
    EXPECT_EQ(used.size(), 18u + 2u);          // 18 generation colours, black and white

    int left = 800, right = -1, top = 600, bottom = -1;
    for (int y = 0; y < rings.h; ++y)
        for (int x = 0; x < rings.w; ++x)
            if (rings.at(x, y) != rgb(255, 255, 255)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_EQ(left, 65);
    EXPECT_EQ(right, 762);
    EXPECT_EQ(top, 17);
    EXPECT_EQ(bottom, 590);
}

}  // namespace
