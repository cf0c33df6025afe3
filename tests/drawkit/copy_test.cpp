#include "surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

// A pixel-grid isometry by integers: pixel (x, y) goes to m (x, y) + o, m a
// signed permutation; as a map of continuous coordinates its translation is
// o + m' (1/2, 1/2) with m' = I - m.
struct grid_map {
    int xx, xy, yx, yy, ox, oy;
};

plane_isometry continuous(const grid_map& g)
{
    return {double(g.xx), double(g.xy), double(g.yx), double(g.yy), g.ox + 0.5 - 0.5 * (g.xx + g.xy),
            g.oy + 0.5 - 0.5 * (g.yx + g.yy)};
}

// A random figure of three colours on white in `r`, and the same in `figure`.
void draw_random_figure(test_surface& s, std::mt19937& random, SDL_Rect r)
{
    const Uint32 colours[3] = {s.black, s.red, s.green};
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            if (random() % 3 == 0)
                put_pixel(x, y, colours[random() % 3]);
}

// Every isometry that keeps the pixel grid (the eight signed permutations,
// whole offsets: mirrors and glides along rows, columns and diagonals, half-
// and quarter-turns about centres and corners) copies each figure pixel to
// exactly its integer image, keeps what the background would cover, and
// writes nothing else.
TEST(CopyFigure, GridIsometriesCopyEveryPixelExactly)
{
    test_surface s;
    std::mt19937 random(11);
    const int signed_permutations[8][4] = {{1, 0, 0, 1},  {-1, 0, 0, 1}, {1, 0, 0, -1}, {-1, 0, 0, -1},
                                           {0, 1, 1, 0},  {0, -1, 1, 0}, {0, 1, -1, 0}, {0, -1, -1, 0}};
    for (int trial = 0; trial < 64; ++trial) {
        s.clear();
        const SDL_Rect from{Sint16(200 + random() % 300), Sint16(150 + random() % 250), Uint16(1 + random() % 60),
                            Uint16(1 + random() % 60)};
        draw_random_figure(s, random, from);
        // Something already there, which the figure's background must not erase.
        put_pixel(int(random() % 800), int(random() % 600), s.red);
        const window_copy before = save_window();
        const int* m = signed_permutations[trial % 8];
        const grid_map g{m[0], m[1], m[2], m[3], int(random() % 1200) - 400, int(random() % 900) - 300};

        std::vector<Uint32> expected = before.pixels;
        for (int y = from.y; y < from.y + from.h; ++y)
            for (int x = from.x; x < from.x + from.w; ++x) {
                const int tx = g.xx * x + g.xy * y + g.ox, ty = g.yx * x + g.yy * y + g.oy;
                const Uint32 c = before.pixels[y * 800 + x];
                if (c != s.white && inside_window(tx, ty))
                    expected[ty * 800 + tx] = c;
            }
        copy_figure(before, from, continuous(g), s.white);
        EXPECT_EQ(save_window().pixels, expected) << "trial " << trial;
    }
}

// The half-turn, quarter-turn, mirror and glide the table builds from a
// centre or a line give the same maps as their integer forms.
TEST(CopyFigure, TurnsAndReflectionsAboutHalfPixelsAreGridMaps)
{
    const struct { plane_isometry made; grid_map grid; } cases[] = {
        {turn_about(100, 75, 180), {-1, 0, 0, -1, 199, 149}},
        {turn_about(50, 37.5, 180), {-1, 0, 0, -1, 99, 74}},
        {turn_about(80, 80, 90), {0, -1, 1, 0, 159, 0}},
        {reflect_along(80, 0, 0, 120, 0), {-1, 0, 0, 1, 159, 0}},
        {reflect_along(50, 0, 0, 150, 0.5), {-1, 0, 0, 1, 99, 75}},
        {reflect_along(80, 0, -160, 160, 0), {0, -1, -1, 0, 79, 79}},
    };
    for (const auto& c : cases) {
        const plane_isometry want = continuous(c.grid);
        EXPECT_EQ(c.made.xx, want.xx);
        EXPECT_EQ(c.made.xy, want.xy);
        EXPECT_EQ(c.made.yx, want.yx);
        EXPECT_EQ(c.made.yy, want.yy);
        EXPECT_EQ(c.made.tx, want.tx);
        EXPECT_EQ(c.made.ty, want.ty);
    }
}

// A sixth-turn takes each pixel from the source pixel nearest its preimage:
// a disc turned about its own centre stays that disc but for a few pixels
// on its rim.
TEST(CopyFigure, SixthTurnsCopyByTheNearestPixel)
{
    test_surface s;
    fill_circle(400, 300, 40, s.red);
    const window_copy disc = save_window();
    const SDL_Rect from = figure_bounds(disc, s.white);
    s.clear();
    copy_figure(disc, from, turn_about(400.5, 300.5, 60), s.white);
    const window_copy turned = save_window();
    int differ = 0;
    for (size_t i = 0; i < disc.pixels.size(); ++i)
        differ += disc.pixels[i] != turned.pixels[i];
    EXPECT_GT(differ, 0) << "a sixth-turn of pixels cannot be exact";
    EXPECT_LT(differ, 2 * 3.1416 * 40 / 4) << "more than a quarter of the rim moved";
}

// Nothing is written for a rectangle outside the window, an empty one, a
// picture that is not a window copy, an isometry that is not finite or one
// that moves the figure far away.
TEST(CopyFigure, OutOfRangeArgumentsWriteNothing)
{
    test_surface s;
    fill_circle(100, 100, 20, s.red);
    const window_copy before = save_window();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    copy_figure(before, {-500, -500, 100, 100}, translate_by(600, 600), s.white);
    copy_figure(before, {80, 80, 0, 40}, translate_by(300, 0), s.white);
    copy_figure(window_copy{}, {80, 80, 40, 40}, translate_by(300, 0), s.white);
    copy_figure(before, {80, 80, 40, 40}, {nan, 0, 0, 1, 0, 0}, s.white);
    copy_figure(before, {80, 80, 40, 40}, translate_by(1e300, -1e300), s.white);
    EXPECT_EQ(save_window().pixels, before.pixels);
    restore_window(window_copy{});
    EXPECT_EQ(save_window().pixels, before.pixels);
    const SDL_Rect none = figure_bounds(save_window(), s.red);
    EXPECT_EQ(none.w, 800);  // everything but the disc is white, not red
    s.clear();
    EXPECT_EQ(figure_bounds(save_window(), s.white).w, 0);
}

// A figure saved alone (the smallest rectangle about it) is the picture the
// whole window's copy is: the same bounds, the same copies under turns,
// mirrors and translations, from any rectangle; put back on a white window,
// the same window. Its storage is kept from one save to the next.
TEST(CopyFigure, FigureSavedAloneCopiesAsTheWholeWindow)
{
    test_surface s;
    std::mt19937 random(23);
    window_copy part;
    for (int trial = 0; trial < 24; ++trial) {
        s.clear();
        const SDL_Rect r{Sint16(random() % 700), Sint16(random() % 500), Uint16(1 + random() % 100),
                         Uint16(1 + random() % 100)};
        draw_random_figure(s, random, r);
        const window_copy whole = save_window();
        save_figure(part, s.white);
        EXPECT_LE(part.pixels.size(), whole.pixels.size());
        const SDL_Rect bounds = figure_bounds(whole, s.white), part_bounds = figure_bounds(part, s.white);
        EXPECT_EQ(std::vector<int>({bounds.x, bounds.y, bounds.w, bounds.h}),
                  std::vector<int>({part_bounds.x, part_bounds.y, part_bounds.w, part_bounds.h}));
        const double angle = std::uniform_real_distribution<double>(0, 6.283)(random);
        const plane_isometry moves[3] = {turn_about(r.x + 0.3 * r.w, r.y + 0.7 * r.h, std::cos(angle), std::sin(angle)),
                                         reflect_along(r.x + r.w / 2.0, r.y, std::cos(angle), std::sin(angle), 0),
                                         translate_by(double(random() % 200) - 100, double(random() % 200) - 100)};
        const SDL_Rect froms[2] = {bounds, {Sint16(r.x - 20), Sint16(r.y + r.h / 2), 60, 60}};
        for (const plane_isometry& g : moves)
            for (const SDL_Rect& from : froms) {
                restore_window(whole);
                copy_figure(whole, from, g, s.white);
                const std::vector<Uint32> expected = save_window().pixels;
                restore_window(whole);
                copy_figure(part, from, g, s.white);
                EXPECT_EQ(save_window().pixels, expected) << "trial " << trial;
            }
        s.clear();
        restore_window(part);
        EXPECT_EQ(save_window().pixels, whole.pixels);
    }
}

}  // namespace
