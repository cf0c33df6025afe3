// The rhombus wallpaper program's recorded run: what its golden hashes
// cannot explain (tests/programs checks status, pictures and answers).
#include <capture.h>
#include <seam_rule.h>

#include <gtest/gtest.h>

namespace {

const uint32_t white = rgb(255, 255, 255);
const uint32_t black = rgb(0, 0, 0);

class P6mRhombusProgram : public ::testing::Test {
protected:
    static const captured_run& run()
    {
        return recorded_run("p6m_rhombus_wallpaper");
    }
};

TEST_F(P6mRhombusProgram, OutlineGrowsOneEdgePerStage)
{
    const captured_run& c = run();
    ASSERT_EQ(c.stages.size(), 9u);
    // Hypotenuse, then the short leg, then the long leg.
    EXPECT_EQ(c.stages.at(0).at(330, 260), black);
    EXPECT_EQ(c.stages.at(0).at(400, 280), white);
    EXPECT_EQ(c.stages.at(1).at(400, 280), black);
    EXPECT_EQ(c.stages.at(1).at(360, 260), white);
    EXPECT_EQ(c.stages.at(2).at(360, 260), black);
    // Stage 4 fills the box, the face below it and the face to its left.
    const rgb_image& s4 = c.stages.at(3);
    EXPECT_EQ(s4.at(396, 264), rgb(255, 0, 0));
    EXPECT_EQ(s4.at(392, 292), rgb(0, 205, 0));
    EXPECT_EQ(s4.at(360, 264), rgb(205, 205, 50));
}

TEST_F(P6mRhombusProgram, MirrorTakesTheStatedSources)
{
    const captured_run& c = run();
    const rgb_image &s4 = c.stages.at(3), &s5 = c.stages.at(4);
    EXPECT_EQ(s5.at(401, 280), s4.at(398, 280));
    EXPECT_EQ(s5.at(400, 280), s4.at(400, 280));
}

TEST_F(P6mRhombusProgram, LatticeLeavesRowAndColumnZeroWhite)
{
    const rgb_image& s8 = run().stages.at(7);
    for (int x = 0; x < 800; ++x)
        EXPECT_EQ(s8.at(x, 0), white) << x;
    for (int y = 0; y < 600; ++y)
        EXPECT_EQ(s8.at(0, y), white) << y;
}

// The last stage is the stage before it with the seam rule applied, and
// row 599 keeps its pixels.
TEST_F(P6mRhombusProgram, SeamsCloseFromBelow)
{
    const captured_run& c = run();
    const rgb_image &s8 = c.stages.at(7), &s9 = c.stages.at(8);
    EXPECT_NE(s8.rgb, s9.rgb);
    EXPECT_EQ(s9.rgb, close_seams_of(s8).rgb);
    for (int x = 0; x < 800; ++x)
        EXPECT_EQ(s9.at(x, 599), s8.at(x, 599)) << x;
}

} // namespace
