// The truncated square tiling program's recorded run: its three stages, the
// motif centres and the final recolouring (tests/programs checks status,
// pictures and answers).
#include <polygon_motif.h>
#include <polygon_motif_support.h>

#include <algorithm>

namespace {

const captured_run& shown()
{
    return recorded_run("truncated_square_tiling");
}

TEST(TruncatedSquareProgram, ShowsThreeStagesInsideTheFrame)
{
    const captured_run& c = shown();
    ASSERT_EQ(c.stages.size(), 3u);
    for (const rgb_image& stage : c.stages)
        EXPECT_TRUE(frame_is_black(stage));
}

TEST(TruncatedSquareProgram, StageOneIsTheMotifWithItsLatticeVectors)
{
    // The vectors end at (435, 214) and (314, 264), the centres of the
    // motifs (1, 0) and (0, 1) of stage 2.
    const rgb_image expected = headless([] {
        draw_polygon_motif(400, 300);
        draw_thick_line(400, 300, 435, 214, 1, blue);
        draw_thick_line(400, 300, 314, 264, 1, blue);
    });
    ASSERT_EQ(shown().stages.size(), 3u);
    EXPECT_EQ(difference(shown().stages[0], expected), "");
}

TEST(TruncatedSquareProgram, StageTwoClearsAndCentresEveryVisibleMotifOnTheLattice)
{
    ASSERT_EQ(shown().stages.size(), 3u);
    const rgb_image& stage = shown().stages[1];
    set_lattice_vectors();
    EXPECT_GE(expect_motifs_on_lattice(stage, headless([] { draw_polygon_motif(400, 300); }), 47), 20);
    EXPECT_EQ(std::count(stage.rgb.begin(), stage.rgb.end(), blue_rgb), 0);
}

TEST(TruncatedSquareProgram, StageThreeTurnsOnlyWhiteIntoLightRed)
{
    ASSERT_EQ(shown().stages.size(), 3u);
    const rgb_image& before = shown().stages[1];
    const rgb_image& after = shown().stages[2];
    long recoloured = 0;
    for (size_t k = 0; k < before.rgb.size(); ++k) {
        const bool was_white = before.rgb[k] == white_rgb;
        ASSERT_EQ(after.rgb[k], was_white ? light_red_rgb : before.rgb[k]) << "pixel " << k;
        recoloured += was_white;
    }
    EXPECT_GT(recoloured, 100000);
}

}  // namespace
