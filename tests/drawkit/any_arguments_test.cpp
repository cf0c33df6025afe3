// The clipped primitives against plain per-pixel references for any int
// arguments: each reference runs the literal algorithm on 64-bit integers
// and records the pixels that fall inside the window; for walks too long to
// take step by step it evaluates the walk's exact pixel per window column
// or row instead.
#include "surface.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <vector>

namespace {

using i64 = long long;
using i128 = __int128;

struct bitmap {
    std::vector<char> on = std::vector<char>(SCREEN_WIDTH * SCREEN_HEIGHT, 0);
    void set(i64 x, i64 y)
    {
        if (x >= 0 && x < SCREEN_WIDTH && y >= 0 && y < SCREEN_HEIGHT)
            on[y * SCREEN_WIDTH + x] = 1;
    }
};

// Compares the screen's black pixels with the reference and whitens the screen.
::testing::AssertionResult same_pixels(test_surface& s, const bitmap& expected)
{
    int wrong = 0, first_x = 0, first_y = 0;
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            if ((get_pixel(x, y) == s.black) != (expected.on[y * SCREEN_WIDTH + x] != 0) && wrong++ == 0) {
                first_x = x;
                first_y = y;
            }
    s.clear();
    if (wrong == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ, first at " << first_x << "," << first_y;
}

// draw_line: the five cases step by step for short lines; for long ones the
// closed form of the walk at every window column (x-major) or row.
void reference_line(bitmap& b, i64 x0, i64 y0, i64 x1, i64 y1)
{
    if (std::max(x0, x1) < 0 || std::min(x0, x1) >= SCREEN_WIDTH || std::max(y0, y1) < 0 ||
        std::min(y0, y1) >= SCREEN_HEIGHT)
        return;
    i64 dx = x1 - x0, dy = y1 - y0, sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
    i64 adx = std::abs(dx), ady = std::abs(dy), x = x0, y = y0, e = 0;
    b.set(x, y);
    if (std::max(adx, ady) <= 100000) {
        if (dx == 0)
            for (i64 i = 0; i < ady; ++i)
                b.set(x, y += sy);
        else if (dy == 0)
            for (i64 i = 0; i < adx; ++i)
                b.set(x += sx, y);
        else if (adx == ady)
            for (i64 i = 0; i < adx; ++i) {
                b.set(x += sx, y);
                b.set(x, y += sy);
            }
        else if (adx > ady)
            for (i64 i = 0; i < adx; ++i) {
                b.set(x += sx, y);
                if ((e += ady) >= adx) {
                    e -= adx;
                    b.set(x, y += sy);
                }
            }
        else
            for (i64 i = 0; i < ady; ++i) {
                b.set(x, y += sy);
                if ((e += adx) >= ady) {
                    e -= ady;
                    b.set(x += sx, y);
                }
            }
        return;
    }
    bool x_major = adx >= ady;
    i64 major = x_major ? adx : ady, minor = x_major ? ady : adx;
    for (i64 c = 0; c < (x_major ? SCREEN_WIDTH : SCREEN_HEIGHT); ++c) {
        i64 i = x_major ? (c - x0) * sx : (c - y0) * sy;
        if (i < 1 || i > major)
            continue;
        for (i64 k : {i - 1, i}) {
            i64 m = static_cast<i64>(static_cast<i128>(k) * minor / major);
            if (x_major)
                b.set(c, y0 + sy * m);
            else
                b.set(x0 + sx * m, c);
        }
    }
}

// The circle walk, step by step up to a radius of 100,000; beyond, the
// column where the walk leaves row v, found per row by bisection on the
// walk's own rule (step up once |e1| < |e2| fails).
i64 leaves_row(i64 r, i64 v)
{
    auto up = [&](i64 u) {
        i128 e = static_cast<i128>(u) * u + static_cast<i128>(v) * v - static_cast<i128>(r) * r;
        i128 e1 = e + 2 * u + 1, e2 = e - 2 * v + 1;
        return !((e1 < 0 ? -e1 : e1) < (e2 < 0 ? -e2 : e2));
    };
    i64 low = 0, high = r + 1;
    while (low < high) {
        i64 mid = low + (high - low) / 2;
        if (up(mid))
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

void reference_circle(bitmap& b, bool fill, i64 cx, i64 cy, i64 r)
{
    if (r < 0)
        return;
    auto plot = [&](i64 x, i64 y) {  // the step's pixel and its mirrors, or its spans
        for (i64 py : {y, 2 * cy - y}) {
            if (py < 0 || py >= SCREEN_HEIGHT)
                continue;
            if (!fill)
                b.set(x, py), b.set(2 * cx - x, py);
            else
                for (i64 px = std::max<i64>(2 * cx - x, 0); px <= std::min<i64>(x, SCREEN_WIDTH - 1); ++px)
                    b.set(px, py);
        }
    };
    b.set(cx, cy + r), b.set(cx, cy - r), b.set(cx + r, cy), b.set(cx - r, cy);
    if (r <= 100000) {
        i64 x = cx, y = cy + r, e = 0;
        while (y > cy) {
            i64 e1 = e + 2 * (x - cx) + 1, e2 = e - 2 * (y - cy) + 1;
            if (std::abs(e1) < std::abs(e2))
                ++x, e = e1;
            else
                --y, e = e2;
            plot(x, y);
        }
        return;
    }
    for (i64 y = std::max<i64>(cy - r, 0); y <= std::min<i64>(cy + r, SCREEN_HEIGHT - 1); ++y) {
        i64 v = std::abs(y - cy);
        if (v == 0) {
            plot(cx + leaves_row(r, 1), cy);
            continue;
        }
        i64 from = v == r ? 0 : leaves_row(r, v + 1), to = leaves_row(r, v);
        if (fill)
            plot(cx + to, cy + v);
        else  // only the columns inside the window can matter
            for (i64 u = from; u <= to; ++u) {
                if (u > from && cx + u >= SCREEN_WIDTH && cx - u < 0)
                    break;
                plot(cx + u, cy + v);
            }
    }
}

// draw_thick_line sample by sample until t passes 1 or stops advancing;
// a stroke equal to the previous sample's is the same pixels again.
void reference_thick_line(bitmap& b, int x0, int y0, int x1, int y1, int w)
{
    reference_line(b, x0, y0, x1, y1);
    i64 dx = static_cast<i64>(x1) - x0, dy = static_cast<i64>(y1) - y0;
    float len = static_cast<float>(std::sqrt(static_cast<double>(static_cast<i128>(dx) * dx + static_cast<i128>(dy) * dy)));
    if (len == 0.0f)
        return;
    float a = static_cast<float>(static_cast<double>(w) * static_cast<double>(dy) / len);
    double bb = static_cast<double>(w) * static_cast<double>(dx) / len;
    const double theta = static_cast<float>(M_PI / 2);
    float p = static_cast<float>(std::cos(theta) * bb - std::sin(theta) * a);
    float q = static_cast<float>(std::sin(theta) * bb + std::cos(theta) * a);
    float r = static_cast<float>(std::cos(-theta) * bb - std::sin(-theta) * a);
    float s = static_cast<float>(std::cos(-theta) * a + std::sin(-theta) * bb);
    i64 last[8] = {};
    for (float t = 0.0f; t <= 1.0f;) {
        float xf = static_cast<float>(x0 * (1.0 - t) + static_cast<double>(x1) * t);
        float yf = static_cast<float>(y0 * (1.0 - t) + static_cast<double>(y1) * t);
        i64 xi = static_cast<i64>(xf), yi = static_cast<i64>(yf);
        i64 now[8] = {xi, yi, static_cast<i64>(xf - static_cast<double>(p)), static_cast<i64>(yf - static_cast<double>(q)),
                      xi, yi, static_cast<i64>(xf - static_cast<double>(r)), static_cast<i64>(yf - static_cast<double>(s))};
        for (int k : {0, 4})
            if (t == 0.0f || !std::equal(now + k, now + k + 4, last + k))
                reference_line(b, now[k], now[k + 1], now[k + 2], now[k + 3]);
        std::copy(now, now + 8, last);
        float next = static_cast<float>(t + 0.1 / len);
        if (next == t)
            break;
        t = next;
    }
}

// Coordinates near the window, far from it, and at the ends of int.
int any_coordinate(std::mt19937& random, int kind)
{
    std::uniform_int_distribution<int> near(-60, 860), far(-6000, 6000), all(INT_MIN, INT_MAX), small(0, 1000);
    switch (kind) {
    case 0: return near(random);
    case 1: return far(random);
    case 2: return small(random) % 2 ? INT_MIN + small(random) % 4 : INT_MAX - small(random) % 4;
    default: return all(random);
    }
}

// An end point, and with probability 1/3 the other end placed so that the
// line crosses the window, however far the end points are.
void any_segment(std::mt19937& random, int (&p)[4])
{
    std::uniform_int_distribution<int> kind(0, 3), through(0, 2);
    for (int& c : p)
        c = any_coordinate(random, kind(random));
    if (through(random) == 0) {
        i64 mx = any_coordinate(random, 0), my = any_coordinate(random, 0);
        p[2] = static_cast<int>(std::clamp<i64>(2 * mx - p[0], INT_MIN, INT_MAX));
        p[3] = static_cast<int>(std::clamp<i64>(2 * my - p[1], INT_MIN, INT_MAX));
    }
}

} // namespace

TEST(AnyArguments, LinesMatchTheReference)
{
    test_surface s;
    std::mt19937 random(90210);
    for (int n = 0; n < 800; ++n) {
        int p[4];
        any_segment(random, p);
        draw_line(p[0], p[1], p[2], p[3], s.black);
        bitmap expected;
        reference_line(expected, p[0], p[1], p[2], p[3]);
        ASSERT_TRUE(same_pixels(s, expected)) << p[0] << "," << p[1] << " -> " << p[2] << "," << p[3];
    }
}

TEST(AnyArguments, CirclesMatchTheReference)
{
    test_surface s;
    std::mt19937 random(31337);
    std::uniform_int_distribution<int> kind(0, 3), radius_kind(0, 4), near_radius(-3, 1200);
    std::uniform_int_distribution<int> big_radius(2000, 250000), any_radius(INT_MIN, INT_MAX);
    for (int n = 0; n < 400; ++n) {
        int cx = any_coordinate(random, kind(random)), cy = any_coordinate(random, kind(random));
        int r = radius_kind(random) == 0 ? any_radius(random) : radius_kind(random) < 3 ? near_radius(random) : big_radius(random);
        if (n % 5 == 0 && r > 0) {  // a rim that crosses the window
            cx = static_cast<int>(std::clamp<i64>(static_cast<i64>(any_coordinate(random, 0)) - r, INT_MIN, INT_MAX));
            cy = any_coordinate(random, 0);
        }
        for (bool fill : {true, false}) {
            (fill ? fill_circle : draw_circle)(cx, cy, r, s.black);
            bitmap expected;
            reference_circle(expected, fill, cx, cy, r);
            ASSERT_TRUE(same_pixels(s, expected)) << (fill ? "fill " : "rim ") << cx << "," << cy << " r " << r;
        }
    }
}

TEST(AnyArguments, ThickLinesMatchTheReference)
{
    test_surface s;
    std::mt19937 random(8086);
    std::uniform_int_distribution<int> width_kind(0, 5), small_width(-3, 8), any_width(INT_MIN, INT_MAX);
    std::uniform_int_distribution<int> offset(-3000, 3000);
    for (int n = 0; n < 200; ++n) {
        int p[4];
        any_segment(random, p);
        // Mostly short enough for the reference to take every sample quickly.
        if (n % 100 != 0 && std::hypot(double(p[2]) - p[0], double(p[3]) - p[1]) > 20000) {
            p[2] = static_cast<int>(std::clamp<i64>(static_cast<i64>(p[0]) + offset(random), INT_MIN, INT_MAX));
            p[3] = static_cast<int>(std::clamp<i64>(static_cast<i64>(p[1]) + offset(random), INT_MIN, INT_MAX));
        }
        int kind = width_kind(random);
        int w = kind < 4 ? small_width(random) : kind == 4 ? offset(random) : any_width(random);
        draw_thick_line(p[0], p[1], p[2], p[3], w, s.black);
        bitmap expected;
        reference_thick_line(expected, p[0], p[1], p[2], p[3], w);
        ASSERT_TRUE(same_pixels(s, expected)) << p[0] << "," << p[1] << " -> " << p[2] << "," << p[3] << " w " << w;
    }
}

// Lines long enough that t stops advancing, half-widths near the ends of
// int, and bands whose rectangle overflows int.
TEST(AnyArguments, ExtremeThickLinesMatchTheReference)
{
    test_surface s;
    const int cases[][5] = {
        {INT_MIN, INT_MIN, INT_MIN + 102, INT_MIN + 102, INT_MAX - 2},
        {-838861, 300, 838861, 300, 1},            // 1,677,722 px: t stalls short of 1
        {400, 300, INT_MAX, INT_MAX, 5},           // stalls while the samples are still near the window
        {INT_MIN, INT_MIN + 5, INT_MAX, INT_MAX - 3, 3},
        {100, 300, 700, 320, 1500000000},          // strokes far longer than the window
        {-2000, -1500, 2600, 2100, INT_MIN},
        {INT_MAX, 300, INT_MIN, 300, 2},
        {400, INT_MIN, 401, INT_MAX, -7},
    };
    for (const auto& c : cases) {
        draw_thick_line(c[0], c[1], c[2], c[3], c[4], s.black);
        bitmap expected;
        reference_thick_line(expected, c[0], c[1], c[2], c[3], c[4]);
        ASSERT_TRUE(same_pixels(s, expected)) << c[0] << "," << c[1] << " -> " << c[2] << "," << c[3] << " w " << c[4];
    }
}

// The fills and the frame take any seed: one outside the window paints nothing.
TEST(AnyArguments, FillsIgnoreSeedsOutsideTheWindow)
{
    test_surface s;
    draw_window_frame(s.black);
    for (int x : {INT_MIN, -1, 800, INT_MAX, 400})
        for (int y : {INT_MIN, -1, 600, INT_MAX, 300}) {
            if (x == 400 && y == 300)
                continue;
            flood_fill(x, y, s.red, s.black);
            flood_fill_4way(x, y, s.red, s.black);
            guarded_fill(x, y, s.red, s.black);
        }
    EXPECT_TRUE(s.pixels_of(s.red).empty());
    EXPECT_EQ(s.pixels_of(s.black).size(), 2u * 800 + 2u * 598);
}
