// The truncated square tiling program as users run it, through the capture
// tool: its three stages, the motif centres and the final recolouring.
#include "lattice.h"
#include "polygon_motif.h"

#include <capture.h>
#include <drawkit.h>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t white_rgb = rgb(255, 255, 255);
constexpr uint32_t black_rgb = rgb(0, 0, 0);
constexpr uint32_t light_red_rgb = rgb(255, 50, 50);
constexpr uint32_t blue_rgb = rgb(0, 0, 205);

const Capture& shown()
{
    static const Capture c = run_program("truncated_square_tiling");
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
    light_yellow = rgb(250, 250, 100);
    green = rgb(0, 205, 0);
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
// differ in a pixel or two; one moved by a pixel differs in 25 or more.
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

bool frame_is_black(const Image& image)
{
    for (int x = 0; x < 800; ++x)
        if (image.at(x, 0) != black_rgb || image.at(x, 599) != black_rgb)
            return false;
    for (int y = 0; y < 600; ++y)
        if (image.at(0, y) != black_rgb || image.at(799, y) != black_rgb)
            return false;
    return true;
}

TEST(TruncatedSquareProgram, ShowsThreeStagesAndEndsWithStatusZero)
{
    const Capture& c = shown();
    EXPECT_EQ(c.status, 0) << c.stderr_text;
    ASSERT_EQ(c.stages.size(), 3u);
    EXPECT_EQ(c.frame_hashes.size(), 3u);
    for (const Image& stage : c.stages)
        EXPECT_TRUE(frame_is_black(stage));
}

TEST(TruncatedSquareProgram, StageOneIsTheMotifWithItsLatticeVectors)
{
    // The vectors end at (435, 214) and (314, 264), the centres of the
    // motifs (1, 0) and (0, 1) of stage 2.
    const Image expected = headless([] {
        draw_polygon_motif(400, 300);
        draw_thick_line(400, 300, 435, 214, 1, blue);
        draw_thick_line(400, 300, 314, 264, 1, blue);
    });
    ASSERT_EQ(shown().stages.size(), 3u);
    const Image& stage = shown().stages[0];
    EXPECT_EQ(stage.rgb, expected.rgb);
    EXPECT_EQ(stage.at(435, 214), blue_rgb);
    EXPECT_EQ(stage.at(314, 264), blue_rgb);
}

TEST(TruncatedSquareProgram, StageTwoClearsAndCentresEveryVisibleMotifOnTheLattice)
{
    const Image motif = headless([] { draw_polygon_motif(400, 300); });
    ASSERT_EQ(shown().stages.size(), 3u);
    const Image& stage = shown().stages[1];
    set_lattice_vectors();
    int compared = 0;
    constexpr int inside = 47;  // the octagon and its own outline
    for (int i = -4; i <= 4; ++i) {
        for (int j = -4; j <= 4; ++j) {
            const window_point p = lattice_centre(i, j);
            if (p.x < inside || p.x > 799 - inside || p.y < inside || p.y > 599 - inside)
                continue;
            EXPECT_LE(disc_differences(stage, p.x, p.y, motif, inside), 4) << "motif at " << p.x << ", " << p.y;
            ++compared;
        }
    }
    EXPECT_GE(compared, 20);
    // No blue is left from stage 1.
    EXPECT_EQ(std::count(stage.rgb.begin(), stage.rgb.end(), blue_rgb), 0);
}

TEST(TruncatedSquareProgram, StageThreeTurnsOnlyWhiteIntoLightRed)
{
    ASSERT_EQ(shown().stages.size(), 3u);
    const Image& before = shown().stages[1];
    const Image& after = shown().stages[2];
    long recoloured = 0;
    for (size_t k = 0; k < before.rgb.size(); ++k) {
        if (before.rgb[k] == white_rgb) {
            ASSERT_EQ(after.rgb[k], light_red_rgb) << "pixel " << k;
            ++recoloured;
        } else {
            ASSERT_EQ(after.rgb[k], before.rgb[k]) << "pixel " << k;
        }
    }
    EXPECT_GT(recoloured, 100000);
}

TEST(TruncatedSquareProgram, CloseRequestsAndNoiseShowTheSamePictures)
{
    for (Answer answer : {Answer::quit, Answer::noise}) {
        CaptureOptions options;
        options.answer = answer;
        const Capture c = run_program("truncated_square_tiling", options);
        EXPECT_EQ(c.status, 0) << c.stderr_text;
        EXPECT_EQ(c.stage_hashes, shown().stage_hashes);
    }
}

TEST(TruncatedSquareProgram, MatchesItsGoldenPictures)
{
    EXPECT_EQ(compare_with_golden("truncated_square_tiling", shown()), "");
}

}  // namespace
