// The quadrilateral tiling program's recorded run: one frame per tile, the
// ramp colours, the undrawn last tile (tests/programs checks status,
// pictures and answers).
#include <capture.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct pixel_span {
    int left = 800, right = -1, top = 600, bottom = -1;
};

pixel_span non_white_span(const rgb_image& image)
{
    pixel_span s;
    for (int y = 0; y < image.h; ++y)
        for (int x = 0; x < image.w; ++x)
            if (image.at(x, y) != rgb(255, 255, 255)) {
                s.left = std::min(s.left, x);
                s.right = std::max(s.right, x);
                s.top = std::min(s.top, y);
                s.bottom = std::max(s.bottom, y);
            }
    return s;
}

// The fill colour of the tile drawn in frame n: what frame n painted that
// is neither outline nor queue mark. Fails when it painted two such colours.
uint32_t fill_of_frame(const captured_run& c, int n)
{
    const rgb_image before = c.frame(n - 1);
    const rgb_image after = c.frame(n);
    uint32_t fill = 0;
    for (size_t i = 0; i < after.rgb.size(); ++i) {
        const uint32_t p = after.rgb[i];
        if (p == before.rgb[i] || p == rgb(0, 0, 0) || p == rgb(255, 0, 0))
            continue;
        EXPECT_TRUE(fill == 0 || fill == p) << "frame " << n << " paints two colours";
        fill = p;
    }
    return fill;
}

TEST(QuadrilateralTilingProgram, ShowsOneFramePerTileAndLeavesTheLastUndrawn)
{
    const captured_run& c = recorded_run("quadrilateral_tiling");
    ASSERT_EQ(c.stage_hashes.size(), 1u);
    // 499 tiles, one frame each, then the final flip before the wait.
    ASSERT_EQ(c.frame_hashes.size(), 500u);
    EXPECT_EQ(c.frame_hashes[498], c.frame_hashes[499]);
    EXPECT_EQ(c.stage_hashes[0], c.frame_hashes[499]);

    // Frame 1: the seed alone, in the first ramp colour. Its neighbours are
    // queued after the flip, so their marks show from frame 2 on, where the
    // neighbour across edge 0-1 is drawn over its own mark.
    const rgb_image first = c.frame(1);
    EXPECT_EQ(first.at(427, 287), rgb(224, 1, 0));
    EXPECT_EQ(first.at(400, 300), rgb(0, 0, 0));
    EXPECT_EQ(first.at(442, 262), rgb(255, 255, 255));
    const rgb_image second = c.frame(2);
    EXPECT_EQ(second.at(412, 272), rgb(223, 2, 0));
    for (auto [x, y] : {std::pair{442, 262}, {442, 302}, {412, 312}}) {
        EXPECT_EQ(second.at(x, y), rgb(255, 0, 0)) << x << "," << y;
        EXPECT_EQ(second.at(x - 1, y), rgb(255, 0, 0)) << x << "," << y;
        EXPECT_EQ(second.at(x, y + 1), rgb(255, 0, 0)) << x << "," << y;
    }

    EXPECT_EQ(fill_of_frame(c, 130), rgb(95, 130, 0));
    EXPECT_EQ(fill_of_frame(c, 131), rgb(96, 129, 0));
    EXPECT_EQ(fill_of_frame(c, 260), rgb(225, 0, 0));
    EXPECT_EQ(fill_of_frame(c, 261), rgb(224, 1, 0));

    // The finished picture: the undrawn last tile keeps its mark.
    const rgb_image& done = c.stages[0];
    EXPECT_EQ(done.at(112, 52), rgb(255, 0, 0));
    EXPECT_EQ(done.at(111, 52), rgb(255, 0, 0));
    EXPECT_EQ(done.at(112, 51), rgb(255, 0, 0));
    EXPECT_EQ(done.at(114, 52), rgb(255, 255, 255));
    EXPECT_EQ(done.at(427, 287), rgb(224, 1, 0));
    const pixel_span s = non_white_span(done);
    EXPECT_EQ(s.left, 100);
    EXPECT_EQ(s.right, 710);
    EXPECT_EQ(s.top, 30);
    EXPECT_EQ(s.bottom, 570);
}

}  // namespace
