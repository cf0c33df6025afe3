// The two-face wallpaper program's recorded run: what its golden hashes
// cannot explain (tests/programs checks status, pictures and answers).
#include <capture.h>
#include <seam_rule.h>

#include <gtest/gtest.h>

namespace {

const uint32_t white = rgb(255, 255, 255);

class P6mTwoFaceProgram : public ::testing::Test {
protected:
    static const captured_run& run()
    {
        return recorded_run("p6m_two_face_wallpaper");
    }
};

// The first picture is the whole motif, both faces and no bare outline,
// within its triangle give or take the half-width of the repainted edges.
TEST_F(P6mTwoFaceProgram, FirstStageIsTheWholeMotif)
{
    ASSERT_EQ(run().stages.size(), 6u);
    const rgb_image& s1 = run().stages.at(0);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            if (s1.at(x, y) != white) {
                EXPECT_TRUE(x >= 329 && x <= 401 && y >= 258 && y <= 301) << x << "," << y;
            }
    EXPECT_EQ(s1.at(364, 268), rgb(255, 0, 0));
    EXPECT_EQ(s1.at(392, 292), rgb(0, 205, 0));
    EXPECT_EQ(s1.at(330, 260), rgb(255, 0, 0));
    EXPECT_EQ(s1.at(400, 300), rgb(0, 205, 0));
}

TEST_F(P6mTwoFaceProgram, MirrorTakesTheStatedSources)
{
    const captured_run& c = run();
    EXPECT_EQ(c.stages.at(1).at(401, 280), c.stages.at(0).at(398, 280));
    EXPECT_EQ(c.stages.at(1).at(400, 280), c.stages.at(0).at(400, 280));
}

TEST_F(P6mTwoFaceProgram, LatticeLeavesRowAndColumnZeroWhite)
{
    const rgb_image& s5 = run().stages.at(4);
    for (int x = 0; x < 800; ++x)
        EXPECT_EQ(s5.at(x, 0), white) << x;
    for (int y = 0; y < 600; ++y)
        EXPECT_EQ(s5.at(0, y), white) << y;
}

TEST_F(P6mTwoFaceProgram, SeamsCloseFromBelow)
{
    const captured_run& c = run();
    const rgb_image &s5 = c.stages.at(4), &s6 = c.stages.at(5);
    EXPECT_NE(s5.rgb, s6.rgb);
    EXPECT_EQ(s6.rgb, close_seams_of(s5).rgb);
}

} // namespace
