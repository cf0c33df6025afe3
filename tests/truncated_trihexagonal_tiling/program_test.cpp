// The truncated trihexagonal tiling program's recorded run: its two stages,
// the motif centres and the recolouring (tests/programs checks status,
// pictures and answers).
#include <polygon_motif.h>

#include <polygon_motif_support.h>

#include <algorithm>
#include <utility>

namespace {

const captured_run& shown()
{
    return recorded_run("truncated_trihexagonal_tiling");
}

TEST(TruncatedTrihexagonalProgram, ShowsTwoStagesInsideTheFrame)
{
    const captured_run& c = shown();
    ASSERT_EQ(c.stages.size(), 2u);
    // The frame is drawn in stage 1 only and survives stage 2.
    EXPECT_TRUE(frame_is_black(c.stages[0]));
    EXPECT_TRUE(frame_is_black(c.stages[1]));
}

TEST(TruncatedTrihexagonalProgram, StageOneIsTheMotifWithItsLatticeVectors)
{
    // The vectors end at (518, 268) and (431, 181), the centres of the
    // motifs (1, 0) and (0, 1) of stage 2.
    const rgb_image expected = headless([] {
        draw_polygon_motif(400, 300);
        draw_thick_line(400, 300, 518, 268, 1, blue);
        draw_thick_line(400, 300, 431, 181, 1, blue);
    });
    ASSERT_EQ(shown().stages.size(), 2u);
    EXPECT_EQ(difference(shown().stages[0], expected), "");
}

TEST(TruncatedTrihexagonalProgram, StageTwoCentresEveryVisibleMotifAndLeavesNoWhite)
{
    ASSERT_EQ(shown().stages.size(), 2u);
    const rgb_image& stage = shown().stages[1];
    set_lattice_vectors();
    EXPECT_GE(expect_motifs_on_lattice(stage, headless([] { draw_polygon_motif(400, 300); }), 47), 15);
    EXPECT_EQ(std::count(stage.rgb.begin(), stage.rgb.end(), white_rgb), 0);
    // The dodecagon centred at (700, 0) is drawn but not filled.
    for (int y = 1; y < 45; ++y)
        EXPECT_EQ(stage.at(700, y), light_yellow_rgb) << "row " << y;
}

TEST(TruncatedTrihexagonalProgram, StageTwoPaintsOverTheBlueLines)
{
    // Stage 2 does not clear the window, but the blue lines do not survive:
    // the seeds of the squares on edges 0 and 2 of the central motif and the
    // centres of the motifs (0, 0), (1, 0) and (0, 1) lie on them, so those
    // fills run over every blue pixel, and the outlines cover the rest.
    ASSERT_EQ(shown().stages.size(), 2u);
    const rgb_image& before = shown().stages[0];
    const rgb_image& after = shown().stages[1];
    for (auto [x, y] : {std::pair{459, 284}, {415, 240}, {400, 300}, {518, 268}, {431, 181}})
        EXPECT_EQ(before.at(x, y), blue_rgb) << x << ", " << y;
    EXPECT_EQ(after.at(459, 284), green_rgb);
    EXPECT_EQ(after.at(415, 240), green_rgb);
    EXPECT_EQ(after.at(518, 268), light_red_rgb);
    EXPECT_EQ(after.at(431, 181), light_red_rgb);
    EXPECT_EQ(std::count(after.rgb.begin(), after.rgb.end(), blue_rgb), 0);
}

}  // namespace
