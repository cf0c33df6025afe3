// The recorded runs of the two recursive tiling programs: the concave tile
// and the convex one grow by the same routine, one frame per tile
// (tests/programs checks status, pictures and answers).
#include <capture.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

struct recursive_tiling_case {
    const char* program;
    uint32_t grey;
    size_t tiles;
    // Centroid pixels of the seed and of its neighbours across edges 0 and 1.
    int seed[2], across_edge_0[2], across_edge_1[2];
    int span[4];  // left, right, top, bottom of the finished tiling
};

const recursive_tiling_case tilings[] = {
    {"recursive_concave_tiling", rgb(230, 230, 230), 247, {427, 287}, {412, 272}, {442, 262}, {130, 650, 130, 470}},
    {"recursive_convex_tiling", rgb(200, 200, 200), 64, {447, 275}, {452, 325}, {522, 285}, {90, 740, 80, 520}},
};

constexpr uint32_t white = rgb(255, 255, 255);

void PrintTo(const recursive_tiling_case& t, std::ostream* os) { *os << t.program; }

class RecursiveTilingProgram : public ::testing::TestWithParam<recursive_tiling_case> {};

TEST_P(RecursiveTilingProgram, ShowsOneFramePerTileDepthFirst)
{
    const recursive_tiling_case& t = GetParam();
    const captured_run& c = recorded_run(t.program);
    ASSERT_EQ(c.stage_hashes.size(), 1u);
    // One frame per tile, then the final flip before the wait.
    ASSERT_EQ(c.frame_hashes.size(), t.tiles + 1);
    EXPECT_EQ(c.stage_hashes[0], c.frame_hashes.back());
    EXPECT_EQ(c.frame_hashes[t.tiles - 1], c.frame_hashes[t.tiles]);

    // Frame 1 is the seed alone; frame 2 adds its neighbour across edge 0.
    const rgb_image first = c.frame(1);
    EXPECT_EQ(first.at(t.seed[0], t.seed[1]), t.grey);
    EXPECT_EQ(first.at(t.across_edge_0[0], t.across_edge_0[1]), white);
    const rgb_image second = c.frame(2);
    EXPECT_EQ(second.at(t.across_edge_0[0], t.across_edge_0[1]), t.grey);
    EXPECT_EQ(second.at(t.across_edge_1[0], t.across_edge_1[1]), white);

    // The finished picture: grey tiles outlined in black on white.
    const rgb_image& done = c.stages[0];
    std::set<uint32_t> colours(done.rgb.begin(), done.rgb.end());
    EXPECT_EQ(colours, (std::set<uint32_t>{rgb(0, 0, 0), t.grey, white}));
    int left = 800, right = -1, top = 600, bottom = -1;
    for (int y = 0; y < done.h; ++y)
        for (int x = 0; x < done.w; ++x)
            if (done.at(x, y) != white) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_EQ(left, t.span[0]);
    EXPECT_EQ(right, t.span[1]);
    EXPECT_EQ(top, t.span[2]);
    EXPECT_EQ(bottom, t.span[3]);
}

INSTANTIATE_TEST_SUITE_P(BothTiles, RecursiveTilingProgram, ::testing::ValuesIn(tilings),
                         [](const auto& info) { return std::string(info.param.program); });

}  // namespace
