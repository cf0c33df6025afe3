// The hexagon wallpaper program's recorded run: what its golden hashes
// cannot explain (tests/programs checks status, pictures and answers).
#include <capture.h>

#include <gtest/gtest.h>

namespace {

const uint32_t white = rgb(255, 255, 255);

class P6mHexagonProgram : public ::testing::Test {
protected:
    static const captured_run& run()
    {
        return recorded_run("p6m_hexagon_wallpaper");
    }
};

TEST_F(P6mHexagonProgram, MotifFillsItsThreeFaces)
{
    ASSERT_EQ(run().stages.size(), 5u);
    const rgb_image& s1 = run().stages.at(0);
    EXPECT_EQ(s1.at(460, 295), rgb(0, 205, 0));    // square at the right angle
    EXPECT_EQ(s1.at(462, 275), rgb(255, 0, 0));    // face at the 60-degree corner
    EXPECT_EQ(s1.at(424, 292), rgb(205, 205, 50)); // face at the 30-degree corner
    EXPECT_EQ(s1.at(470, 280), white);
    EXPECT_EQ(s1.at(430, 301), white);
}

TEST_F(P6mHexagonProgram, MirrorsTakeTheStatedSources)
{
    const captured_run& c = run();
    const rgb_image &s1 = c.stages.at(0), &s2 = c.stages.at(1), &s3 = c.stages.at(2);
    // Stage 2: (407, 300) from itself, (407, 301) on from column 406.
    EXPECT_EQ(s2.at(407, 300), s1.at(407, 300));
    for (int j = 301; j <= 304; ++j)
        EXPECT_EQ(s2.at(407, j), s1.at(406, 600 - j)) << j;
    // Stage 3: nothing copied in column 469; column 470 from column 468.
    for (int j = 259; j <= 340; ++j)
        EXPECT_EQ(s3.at(469, j), s2.at(469, j)) << j;
    for (int j = 261; j <= 339; ++j)
        EXPECT_EQ(s3.at(470, j), s2.at(468, j)) << j;
}

TEST_F(P6mHexagonProgram, LatticeLeavesRowAndColumnZeroWhite)
{
    const rgb_image& s5 = run().stages.at(4);
    for (int x = 0; x < 800; ++x)
        EXPECT_EQ(s5.at(x, 0), white) << x;
    for (int y = 0; y < 600; ++y)
        EXPECT_EQ(s5.at(0, y), white) << y;
    // Everything else lies in some translate of the hexagon.
    int white_inside = 0;
    for (int y = 1; y < 600; ++y)
        for (int x = 1; x < 800; ++x)
            white_inside += s5.at(x, y) == white;
    EXPECT_LT(white_inside, 2000);
}

} // namespace
