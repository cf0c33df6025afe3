#include "surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

pixel_set thick_pixels(test_surface& s, int x0, int y0, int x1, int y1, int w)
{
    s.clear();
    draw_thick_line(x0, y0, x1, y1, w, s.black);
    return s.pixels_of(s.black);
}

// The thick line with every intermediate sum carried in extended precision
// before its rounding to float. Both widths must give the same pixels.
void thick_line_extended(int x0, int y0, int x1, int y1, int w, Uint32 colour)
{
    using wide = long double;
    draw_line(x0, y0, x1, y1, colour);
    int dx = x1 - x0, dy = y1 - y0;
    float len = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    if (len == 0.0f)
        return;
    float a = static_cast<float>(static_cast<wide>(w * dy) / len);
    double b = static_cast<double>(w * dx) / len;
    const double theta = static_cast<float>(M_PI / 2);
    float p = static_cast<float>(std::cos(theta) * static_cast<wide>(b) - std::sin(theta) * static_cast<wide>(a));
    float q = static_cast<float>(std::sin(theta) * static_cast<wide>(b) + std::cos(theta) * static_cast<wide>(a));
    float r = static_cast<float>(std::cos(-theta) * static_cast<wide>(b) - std::sin(-theta) * static_cast<wide>(a));
    float s = static_cast<float>(std::cos(-theta) * static_cast<wide>(a) + std::sin(-theta) * static_cast<wide>(b));
    for (float t = 0.0f; t <= 1.0f; t = static_cast<float>(t + static_cast<wide>(0.1 / len))) {
        float xf = static_cast<float>(x0 * (1.0L - t) + static_cast<wide>(x1) * t);
        float yf = static_cast<float>(y0 * (1.0L - t) + static_cast<wide>(y1) * t);
        int xi = static_cast<int>(xf), yi = static_cast<int>(yf);
        draw_line(xi, yi, static_cast<int>(static_cast<wide>(xf) - p), static_cast<int>(static_cast<wide>(yf) - q), colour);
        draw_line(xi, yi, static_cast<int>(static_cast<wide>(xf) - r), static_cast<int>(static_cast<wide>(yf) - s), colour);
    }
}

} // namespace

TEST(ThickLine, ZeroLengthSetsOnePoint)
{
    test_surface s;
    EXPECT_EQ(thick_pixels(s, 30, 40, 30, 40, 3), (pixel_set{{30, 40}}));
}

TEST(ThickLine, HorizontalBandEndsAtTheLastSample)
{
    test_surface s;
    pixel_set band{{20, 10}};
    for (int x = 10; x <= 19; ++x)
        for (int y = 8; y <= 12; ++y)
            band.insert({x, y});
    EXPECT_EQ(thick_pixels(s, 10, 10, 20, 10, 2), band);
}

TEST(ThickLine, StrokesGoToTheStatedSides)
{
    test_surface s;
    // Running down: first stroke right, second left, by w columns.
    pixel_set down = thick_pixels(s, 100, 100, 100, 110, 1);
    EXPECT_TRUE(down.count({101, 105}) && down.count({99, 105}));
    EXPECT_FALSE(down.count({102, 105}) || down.count({98, 105}));
    EXPECT_EQ(down.size(), 3u * 10 + 1);
}

TEST(ThickLine, HalfWidthZeroAddsOnlyTheSamplePoints)
{
    test_surface s;
    for (auto [x0, y0, x1, y1] : {std::array{400, 300, 454, 300}, std::array{469, 260, 447, 272},
                                  std::array{-5, 3, 40, 17}}) {
        s.clear();
        draw_line(x0, y0, x1, y1, s.black);
        int dx = x1 - x0, dy = y1 - y0;
        float len = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
        for (float t = 0.0f; t <= 1.0f; t = static_cast<float>(t + 0.1 / len)) {
            int xi = static_cast<int>(static_cast<float>(x0 * (1.0 - t) + static_cast<double>(x1) * t));
            int yi = static_cast<int>(static_cast<float>(y0 * (1.0 - t) + static_cast<double>(y1) * t));
            if (xi >= 0 && yi >= 0)
                put_pixel(xi, yi, s.black);
        }
        pixel_set expected = s.pixels_of(s.black);
        EXPECT_EQ(thick_pixels(s, x0, y0, x1, y1, 0), expected);
    }
}

TEST(ThickLine, ClipsStrokesAtTheEdges)
{
    test_surface s;
    // A band along row 0 keeps only its lower half; one across the corner
    // draws only what is inside.
    pixel_set top = thick_pixels(s, 100, 0, 200, 0, 2);
    for (auto [x, y] : top)
        EXPECT_TRUE(y >= 0 && y <= 2);
    EXPECT_TRUE(top.count({150, 2}));
    pixel_set corner = thick_pixels(s, -20, -20, 30, 30, 3);
    EXPECT_TRUE(corner.count({0, 0}) && corner.count({29, 29}));
}

TEST(ThickLine, DoubleAndExtendedIntermediatesAgree)
{
    test_surface s;
    std::mt19937 random(777);
    std::uniform_int_distribution<int> coord(-100, 900);
    std::uniform_int_distribution<int> width(0, 3);
    for (int n = 0; n < 200; ++n) {
        int x0 = coord(random), y0 = coord(random) - 100, x1 = coord(random), y1 = coord(random) - 100;
        int w = width(random);
        pixel_set drawn = thick_pixels(s, x0, y0, x1, y1, w);
        s.clear();
        thick_line_extended(x0, y0, x1, y1, w, s.black);
        ASSERT_EQ(drawn, s.pixels_of(s.black)) << x0 << "," << y0 << " -> " << x1 << "," << y1 << " w " << w;
    }
}

TEST(ThickLine, ThinFormUsesEightConnectedStrokes)
{
    test_surface s;
    draw_thick_line_thin(100, 100, 140, 120, 1, s.black);
    pixel_set thin = s.pixels_of(s.black);
    pixel_set thick = thick_pixels(s, 100, 100, 140, 120, 1);
    for (auto p : thin)
        EXPECT_TRUE(thick.count(p));
    s.clear();
    draw_line_thin(100, 100, 140, 120, s.black);
    for (auto p : s.pixels_of(s.black))
        EXPECT_TRUE(thin.count(p));
}

namespace {

// The routine as first written: every sample draws both strokes, nothing is
// skipped and nothing is culled. The fast form must set exactly these pixels.
void thick_line_every_stroke(void (*line)(int, int, int, int, Uint32), int x0, int y0, int x1, int y1,
                             int w, Uint32 colour)
{
    line(x0, y0, x1, y1, colour);
    int dx = x1 - x0, dy = y1 - y0;
    float len = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    if (len == 0.0f)
        return;
    float a = static_cast<float>(static_cast<double>(w) * dy / len);
    double b = static_cast<double>(w) * dx / len;
    const double theta = static_cast<float>(M_PI / 2);
    float p = static_cast<float>(std::cos(theta) * b - std::sin(theta) * a);
    float q = static_cast<float>(std::sin(theta) * b + std::cos(theta) * a);
    float r = static_cast<float>(std::cos(-theta) * b - std::sin(-theta) * a);
    float s = static_cast<float>(std::cos(-theta) * a + std::sin(-theta) * b);
    for (float t = 0.0f; t <= 1.0f; t = static_cast<float>(t + 0.1 / len)) {
        float xf = static_cast<float>(x0 * (1.0 - t) + static_cast<double>(x1) * t);
        float yf = static_cast<float>(y0 * (1.0 - t) + static_cast<double>(y1) * t);
        int xi = static_cast<int>(xf), yi = static_cast<int>(yf);
        line(xi, yi, static_cast<int>(static_cast<double>(xf) - p), static_cast<int>(static_cast<double>(yf) - q), colour);
        line(xi, yi, static_cast<int>(static_cast<double>(xf) - r), static_cast<int>(static_cast<double>(yf) - s), colour);
    }
}

// Black pixels within `margin` of the rectangle spanned by the end points
// (no stroke reaches further), which are then made white again: cheaper than
// scanning and clearing the whole surface for thousands of cases.
pixel_set take_pixels_near(const test_surface& s, int x0, int y0, int x1, int y1, int margin)
{
    int left = std::max(std::min(x0, x1) - margin, 0), right = std::min(std::max(x0, x1) + margin, 799);
    int top = std::max(std::min(y0, y1) - margin, 0), bottom = std::min(std::max(y0, y1) + margin, 599);
    pixel_set set;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (get_pixel(x, y) == s.black) {
                set.insert({x, y});
                put_pixel(x, y, s.white);
            }
    return set;
}

} // namespace

// Skipping repeated strokes and bands wholly outside the window changes no
// pixel: short segments like the rosette's, long ones, wide ones, segments
// that straddle or just miss an edge.
TEST(ThickLine, SkippingWorkMatchesDrawingEveryStroke)
{
    test_surface s;
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> anywhere(-60, 860), offset(-12, 12), width(0, 6), kind(0, 2);
    int drawn_outside_cases = 0;
    for (int n = 0; n < 4000; ++n) {
        int x0 = anywhere(random), y0 = anywhere(random) - 130;
        if (kind(random) == 0) {  // near an edge, often just outside it
            x0 = (n % 2) ? -8 + offset(random) / 2 : 807 + offset(random) / 2;
            y0 = ((n / 2) % 2) ? -8 + offset(random) / 2 : 607 + offset(random) / 2;
        }
        int x1 = x0 + offset(random), y1 = y0 + offset(random);
        if (n % 20 == 0) {  // a long one
            x1 = anywhere(random);
            y1 = anywhere(random) - 130;
        }
        int w = width(random);
        int margin = w + 4;

        draw_thick_line(x0, y0, x1, y1, w, s.black);
        pixel_set fast = take_pixels_near(s, x0, y0, x1, y1, margin);
        thick_line_every_stroke(draw_line, x0, y0, x1, y1, w, s.black);
        ASSERT_EQ(fast, take_pixels_near(s, x0, y0, x1, y1, margin))
            << x0 << "," << y0 << " -> " << x1 << "," << y1 << " w " << w;
        if (fast.empty())
            ++drawn_outside_cases;

        // The thin form, with every stroke inside the window.
        int a = std::clamp(x0, 10, 789), b = std::clamp(y0, 10, 589);
        int c = std::clamp(x1, 10, 789), d = std::clamp(y1, 10, 589);
        draw_thick_line_thin(a, b, c, d, w, s.black);
        pixel_set thin = take_pixels_near(s, a, b, c, d, margin);
        thick_line_every_stroke(draw_line_thin, a, b, c, d, w, s.black);
        ASSERT_EQ(thin, take_pixels_near(s, a, b, c, d, margin)) << a << "," << b << " -> " << c << "," << d << " w " << w;
    }
    // Nothing was drawn beyond the margins, and the culling was exercised.
    EXPECT_TRUE(s.pixels_of(s.black).empty());
    EXPECT_GT(drawn_outside_cases, 100);  // the culling was exercised
}
