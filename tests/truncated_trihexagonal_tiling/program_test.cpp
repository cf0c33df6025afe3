// The truncated trihexagonal tiling program as users run it, through the
// capture tool: its two stages, the motif centres and the recolouring.
#include "lattice.h"
#include "polygon_motif.h"

#include <capture.h>
#include <drawkit.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

constexpr uint32_t white_rgb = rgb(255, 255, 255);
constexpr uint32_t black_rgb = rgb(0, 0, 0);
constexpr uint32_t light_red_rgb = rgb(255, 50, 50);
constexpr uint32_t light_yellow_rgb = rgb(250, 250, 100);
constexpr uint32_t green_rgb = rgb(0, 205, 0);
constexpr uint32_t blue_rgb = rgb(0, 0, 205);

const Capture& shown()
{
    static const Capture c = run_program("truncated_trihexagonal_tiling");
    return c;
}

// A headless picture drawn with the figure routines on a white window with
// the one-pixel black frame; the surface's pixel values are 0xRRGGBB.
template <typename Draw>
Image headless(Draw draw)
{
    screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    white = white_rgb;
    black = black_rgb;
    light_red = light_red_rgb;
    light_yellow = light_yellow_rgb;
    green = green_rgb;
    blue = blue_rgb;
    SDL_FillRect(screen, nullptr, white);
    draw_line(0, 0, 799, 0, black);
    draw_line(0, 0, 0, 599, black);
    draw_line(799, 0, 799, 599, black);
    draw_line(0, 599, 799, 599, black);
    draw();
    Image image{800, 600, {}};
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            image.rgb.push_back(get_pixel(x, y));
    SDL_FreeSurface(screen);
    screen = nullptr;
    return image;
}

// Pixels within `radius` of (x, y) in `stage` that differ from the lone
// motif about (400, 300) in `motif`; a neighbour's outline may add black.
// The thick lines sample in single precision, so a motif elsewhere may
// differ in a pixel or two; one moved by a pixel differs in many more.
int disc_differences(const Image& stage, int x, int y, const Image& motif, int radius)
{
    int count = 0;
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const uint32_t seen = stage.at(x + dx, y + dy);
            if (dx * dx + dy * dy <= radius * radius && seen != motif.at(400 + dx, 300 + dy) && seen != black_rgb)
                ++count;
        }
    }
    return count;
}

TEST(TruncatedTrihexagonalProgram, ShowsTwoStagesAndEndsWithStatusZero)
{
    const Capture& c = shown();
    EXPECT_EQ(c.status, 0) << c.stderr_text;
    ASSERT_EQ(c.stages.size(), 2u);
    EXPECT_EQ(c.frame_hashes.size(), 2u);
    // The frame of stage 1 survives stage 2.
    for (int x = 0; x < 800; ++x)
        EXPECT_TRUE(c.stages[1].at(x, 0) == black_rgb && c.stages[1].at(x, 599) == black_rgb) << x;
    for (int y = 0; y < 600; ++y)
        EXPECT_TRUE(c.stages[1].at(0, y) == black_rgb && c.stages[1].at(799, y) == black_rgb) << y;
}

TEST(TruncatedTrihexagonalProgram, StageOneIsTheMotifWithItsLatticeVectors)
{
    // The vectors end at (518, 268) and (431, 181), the centres of the
    // motifs (1, 0) and (0, 1) of stage 2.
    const Image expected = headless([] {
        draw_polygon_motif(400, 300);
        draw_thick_line(400, 300, 518, 268, 1, blue);
        draw_thick_line(400, 300, 431, 181, 1, blue);
    });
    ASSERT_EQ(shown().stages.size(), 2u);
    const Image& stage = shown().stages[0];
    EXPECT_EQ(stage.rgb, expected.rgb);
    EXPECT_EQ(stage.at(518, 268), blue_rgb);
    EXPECT_EQ(stage.at(431, 181), blue_rgb);
}

TEST(TruncatedTrihexagonalProgram, StageTwoCentresEveryVisibleMotifOnTheLattice)
{
    const Image motif = headless([] { draw_polygon_motif(400, 300); });
    ASSERT_EQ(shown().stages.size(), 2u);
    const Image& stage = shown().stages[1];
    set_lattice_vectors();
    int compared = 0;
    constexpr int inside = 47;  // the dodecagon and its own outline
    for (int i = -4; i <= 4; ++i) {
        for (int j = -4; j <= 4; ++j) {
            const window_point p = lattice_centre(i, j);
            if (p.x < inside || p.x > 799 - inside || p.y < inside || p.y > 599 - inside)
                continue;
            EXPECT_LE(disc_differences(stage, p.x, p.y, motif, inside), 4) << "motif at " << p.x << ", " << p.y;
            ++compared;
        }
    }
    EXPECT_GE(compared, 15);
}

TEST(TruncatedTrihexagonalProgram, StageTwoLeavesNoWhiteAndTheRowZeroMotifUnfilled)
{
    ASSERT_EQ(shown().stages.size(), 2u);
    const Image& stage = shown().stages[1];
    EXPECT_EQ(std::count(stage.rgb.begin(), stage.rgb.end(), white_rgb), 0);
    // The dodecagon centred at (700, 0) is drawn but not filled.
    for (int y = 1; y < 45; ++y)
        EXPECT_EQ(stage.at(700, y), light_yellow_rgb) << "row " << y;
    EXPECT_EQ(stage.at(400, 300), light_red_rgb);
}

TEST(TruncatedTrihexagonalProgram, StageTwoPaintsOverTheBlueLines)
{
    // Stage 2 does not clear the window, but the blue lines do not survive:
    // the seeds of the squares on edges 0 and 2 of the central motif and the
    // centres of the motifs (0, 0), (1, 0) and (0, 1) lie on them, so those
    // fills run over every blue pixel, and the outlines cover the rest.
    ASSERT_EQ(shown().stages.size(), 2u);
    const Image& before = shown().stages[0];
    const Image& after = shown().stages[1];
    for (auto [x, y] : {std::pair{459, 284}, {415, 240}, {400, 300}, {518, 268}, {431, 181}})
        EXPECT_EQ(before.at(x, y), blue_rgb) << x << ", " << y;
    EXPECT_EQ(after.at(459, 284), green_rgb);
    EXPECT_EQ(after.at(415, 240), green_rgb);
    EXPECT_EQ(after.at(518, 268), light_red_rgb);
    EXPECT_EQ(after.at(431, 181), light_red_rgb);
    EXPECT_EQ(std::count(after.rgb.begin(), after.rgb.end(), blue_rgb), 0);
}

TEST(TruncatedTrihexagonalProgram, CloseRequestsAndNoiseShowTheSamePictures)
{
    for (Answer answer : {Answer::quit, Answer::noise}) {
        CaptureOptions options;
        options.answer = answer;
        const Capture c = run_program("truncated_trihexagonal_tiling", options);
        EXPECT_EQ(c.status, 0) << c.stderr_text;
        EXPECT_EQ(c.stage_hashes, shown().stage_hashes);
    }
}

TEST(TruncatedTrihexagonalProgram, MatchesItsGoldenPictures)
{
    EXPECT_EQ(compare_with_golden("truncated_trihexagonal_tiling", shown()), "");
}

}  // namespace
