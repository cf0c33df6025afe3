#include "surface.h"

#include <gtest/gtest.h>

#include <climits>
#include <pthread.h>
#include <unistd.h>

#include <random>
#include <vector>

namespace {

// The scanline fill exactly as defined, one seed at a time, with no
// shortcuts: every seed of every run is tested.
void reference_fill(int x, int y, Uint32 fill, Uint32 border)
{
    std::vector<std::pair<int, int>> seeds{{x, y}};
    while (!seeds.empty()) {
        auto [sx, sy] = seeds.back();
        seeds.pop_back();
        if (sx < 0 || sx > 799)
            continue;
        Uint32 c = get_pixel(sx, sy);
        if (c == border || c == fill)
            continue;
        put_pixel(sx, sy, fill);
        int l = sx - 1;
        while (l > 0 && get_pixel(l, sy) != border)
            put_pixel(l--, sy, fill);
        int r = sx + 1;
        while (r <= 799 && get_pixel(r, sy) != border)
            put_pixel(r++, sy, fill);
        for (int i = r - 1; i >= l; --i) {
            if (sy < 599)
                seeds.push_back({i, sy + 1});
            if (sy > 1)
                seeds.push_back({i, sy - 1});
        }
    }
}

// The four-way fill as defined, stopping at the window edge.
void reference_fill_4way(int x, int y, Uint32 fill, Uint32 border)
{
    std::vector<std::pair<int, int>> seeds{{x, y}};
    while (!seeds.empty()) {
        auto [sx, sy] = seeds.back();
        seeds.pop_back();
        if (sx < 0 || sx > 799 || sy < 0 || sy > 599)
            continue;
        Uint32 c = get_pixel(sx, sy);
        if (c == border || c == fill)
            continue;
        put_pixel(sx, sy, fill);
        seeds.insert(seeds.end(), {{sx, sy - 1}, {sx, sy + 1}, {sx - 1, sy}, {sx + 1, sy}});
    }
}

void restore(const std::vector<Uint32>& all)
{
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            put_pixel(x, y, all[y * SCREEN_WIDTH + x]);
}

// Random closed outlines (polygons drawn with draw_line), stray pixels of
// the fill colour, and no window frame, so runs reach the edges too.
void random_scene(test_surface& s, std::mt19937& random, Uint32 fill)
{
    s.clear();
    std::uniform_int_distribution<int> px(-40, 840), py(-40, 640), count(3, 9);
    for (int shape = 0; shape < 6; ++shape) {
        int n = count(random);
        int fx = px(random), fy = py(random), x = fx, y = fy;
        for (int k = 1; k < n; ++k) {
            int nx = px(random), ny = py(random);
            draw_line(x, y, nx, ny, s.black);
            x = nx;
            y = ny;
        }
        draw_line(x, y, fx, fy, s.black);
    }
    std::uniform_int_distribution<int> cx(0, 799), cy(0, 599);
    for (int k = 0; k < 400; ++k)
        put_pixel(cx(random), cy(random), fill);
}

void* fill_window_interior(void* surface)
{
    auto* s = static_cast<test_surface*>(surface);
    flood_fill(400, 300, s->red, s->black);
    return nullptr;
}

void* fill_comb_4way(void* surface)
{
    auto* s = static_cast<test_surface*>(surface);
    flood_fill_4way(5, 5, s->red, s->black);
    return nullptr;
}

void run_with_small_stack(void* (*job)(void*), test_surface& s)
{
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    // 64 KiB, or the least stack the platform allows (more on some), whole pages.
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    std::size_t size = std::max<std::size_t>(64 * 1024, PTHREAD_STACK_MIN);
    size = (size + page - 1) / page * page;
    ASSERT_EQ(pthread_attr_setstacksize(&attr, size), 0);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attr, job, &s), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

} // namespace

TEST(FloodFill, SeedOnBorderOrFillPaintsNothing)
{
    test_surface s;
    draw_line(10, 10, 50, 10, s.black);
    put_pixel(20, 20, s.red);
    for (auto fill : {flood_fill, flood_fill_4way}) {
        fill(30, 10, s.red, s.black);
        fill(20, 20, s.red, s.black);
        EXPECT_EQ(s.pixels_of(s.red), (pixel_set{{20, 20}}));
    }
}

TEST(FloodFill, FillsTheInsideOfARectangleExactly)
{
    test_surface s;
    for (auto fill : {flood_fill, flood_fill_4way}) {
        s.clear();
        draw_line(100, 100, 200, 100, s.black);
        draw_line(200, 100, 200, 150, s.black);
        draw_line(200, 150, 100, 150, s.black);
        draw_line(100, 150, 100, 100, s.black);
        pixel_set outline = s.pixels_of(s.black);
        fill(150, 120, s.red, s.black);
        pixel_set inside;
        for (int x = 101; x < 200; ++x)
            for (int y = 101; y < 150; ++y)
                inside.insert({x, y});
        EXPECT_EQ(s.pixels_of(s.red), inside);
        EXPECT_EQ(s.pixels_of(s.black), outline);
    }
}

TEST(FloodFill, LeftEdgeColumnIsPaintedOnlyByADirectSeed)
{
    test_surface s;
    draw_line(0, 50, 60, 50, s.black);
    draw_line(0, 60, 60, 60, s.black);
    draw_line(60, 50, 60, 60, s.black);
    flood_fill(30, 55, s.red, s.black);
    // The run reaches the edge without painting column 0; the rows it seeds
    // start in column 0, so their seed lands there and paints it.
    EXPECT_EQ(get_pixel(0, 55), s.red);
    EXPECT_EQ(get_pixel(1, 55), s.red);

    s.clear();
    draw_line(0, 50, 60, 50, s.black);
    draw_line(0, 52, 60, 52, s.black);
    draw_line(60, 50, 60, 52, s.black);
    flood_fill(30, 51, s.red, s.black);
    EXPECT_EQ(get_pixel(0, 51), s.white);
    EXPECT_EQ(get_pixel(1, 51), s.red);
    flood_fill(0, 51, s.green, s.black);
    EXPECT_EQ(get_pixel(0, 51), s.green);
    EXPECT_EQ(get_pixel(59, 51), s.green);
}

TEST(FloodFill, RowZeroIsReachedOnlyFromASeedInIt)
{
    test_surface s;
    draw_line(0, 2, 799, 2, s.black);
    flood_fill(400, 1, s.red, s.black);
    for (int x = 1; x < 800; ++x)
        ASSERT_EQ(get_pixel(x, 0), s.white) << x;
    flood_fill(400, 0, s.green, s.black);
    EXPECT_EQ(get_pixel(1, 0), s.green);
    EXPECT_EQ(get_pixel(799, 0), s.green);
    EXPECT_EQ(get_pixel(5, 1), s.green); // row 1 is seeded from row 0
}

TEST(FloodFill, RunsPaintAcrossTheFillColour)
{
    test_surface s;
    draw_line(10, 10, 10, 12, s.black);
    draw_line(30, 10, 30, 12, s.black);
    draw_line(10, 10, 30, 10, s.black);
    draw_line(10, 12, 30, 12, s.black);
    put_pixel(20, 11, s.red);
    flood_fill(15, 11, s.red, s.black);
    EXPECT_EQ(get_pixel(29, 11), s.red);

    s.clear();
    draw_line(10, 10, 10, 12, s.black);
    draw_line(30, 10, 30, 12, s.black);
    draw_line(10, 10, 30, 10, s.black);
    draw_line(10, 12, 30, 12, s.black);
    put_pixel(20, 11, s.red);
    flood_fill_4way(15, 11, s.red, s.black);
    EXPECT_EQ(get_pixel(29, 11), s.white);
}

TEST(FloodFill, FourWayHeldByAThinDiamond)
{
    test_surface s;
    draw_line_thin(300, 200, 340, 240, s.black);
    draw_line_thin(340, 240, 300, 280, s.black);
    draw_line_thin(300, 280, 260, 240, s.black);
    draw_line_thin(260, 240, 300, 200, s.black);
    flood_fill_4way(300, 240, s.red, s.black);
    pixel_set red = s.pixels_of(s.red);
    for (auto [x, y] : red)
        ASSERT_LT(std::abs(x - 300) + std::abs(y - 240), 40) << x << "," << y;
    // Exactly the pixels with |dx| + |dy| < 40.
    EXPECT_EQ(red.size(), 2u * 40 * 40 - 2u * 40 + 1u);
}

TEST(FloodFill, MatchesTheDefinitionOnRandomScenes)
{
    test_surface s;
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> cx(-2, 801), cy(0, 599);
    for (int scene = 0; scene < 40; ++scene) {
        random_scene(s, random, s.red);
        auto before = screen_pixels();
        int x = cx(random), y = cy(random);
        flood_fill(x, y, s.red, s.black);
        auto ours = screen_pixels();
        restore(before);
        reference_fill(x, y, s.red, s.black);
        ASSERT_TRUE(ours == screen_pixels()) << "scene " << scene << " seed " << x << "," << y;

        restore(before);
        int x4 = std::clamp(x, 0, 799);
        flood_fill_4way(x4, y, s.red, s.black);
        ours = screen_pixels();
        restore(before);
        reference_fill_4way(x4, y, s.red, s.black);
        ASSERT_TRUE(ours == screen_pixels()) << "4-way scene " << scene << " seed " << x4 << "," << y;
    }
}

TEST(FloodFill, LargeRegionsNeedNoLargeStack)
{
    test_surface s;
    // The window interior inside a frame: 798 x 598 = 477,204 pixels.
    draw_line(0, 0, 799, 0, s.black);
    draw_line(0, 0, 0, 599, s.black);
    draw_line(799, 0, 799, 599, s.black);
    draw_line(0, 599, 799, 599, s.black);
    run_with_small_stack(fill_window_interior, s);
    EXPECT_EQ(s.pixels_of(s.red).size(), 798u * 598u);

    // A comb of long teeth, filled four-way: about 365,000 pixels in one
    // winding region.
    s.clear();
    for (int x = 10; x < 790; x += 4)
        draw_line(x, (x / 4) % 2 ? 0 : 10, x, (x / 4) % 2 ? 589 : 599, s.black);
    run_with_small_stack(fill_comb_4way, s);
    EXPECT_GT(s.pixels_of(s.red).size(), 360000u);
}

TEST(FloodFill, GuardedFillStartsOnlyInsideTheWindowFrame)
{
    test_surface s;
    draw_window_frame(s.black);
    EXPECT_EQ(s.pixels_of(s.black).size(), 2u * 800 + 2u * 598);
    for (auto [x, y] : {std::pair{0, 300}, {799, 300}, {400, 0}, {400, 599}, {-5, 300}, {400, 700}})
        guarded_fill(x, y, s.red, s.black);
    EXPECT_TRUE(s.pixels_of(s.red).empty());
    guarded_fill(1, 598, s.red, s.black);
    EXPECT_EQ(s.pixels_of(s.red).size(), 798u * 598u);
}
