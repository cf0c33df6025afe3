// Benchmarks of the raster primitives on a headless 800x600 surface.
#include <drawkit.h>

#include <benchmark/benchmark.h>

#include <climits>
#include <cmath>

namespace {

Uint32 white, black, red, green;

void make_surface()
{
    if (screen != nullptr)
        return;
    screen = SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, 32, 0xFF0000, 0xFF00,
                                  0xFF, 0);
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
}

void frame_window()
{
    SDL_FillRect(screen, nullptr, white);
    draw_line(0, 0, 799, 0, black);
    draw_line(0, 0, 0, 599, black);
    draw_line(799, 0, 799, 599, black);
    draw_line(0, 599, 799, 599, black);
}

void BM_flood_fill_window(benchmark::State& state)
{
    make_surface();
    frame_window();
    bool flip = false;
    for (auto _ : state) {
        flood_fill(400, 300, flip ? red : green, black);
        flip = !flip;
    }
    state.SetItemsProcessed(state.iterations() * 798 * 598);
}
BENCHMARK(BM_flood_fill_window)->Unit(benchmark::kMillisecond);

void BM_flood_fill_4way_square(benchmark::State& state)
{
    make_surface();
    SDL_FillRect(screen, nullptr, white);
    draw_line_thin(299, 199, 500, 199, black);
    draw_line_thin(500, 199, 500, 400, black);
    draw_line_thin(500, 400, 299, 400, black);
    draw_line_thin(299, 400, 299, 199, black);
    bool flip = false;
    for (auto _ : state) {
        flood_fill_4way(400, 300, flip ? red : green, black);
        flip = !flip;
    }
    state.SetItemsProcessed(state.iterations() * 200 * 200);
}
BENCHMARK(BM_flood_fill_4way_square)->Unit(benchmark::kMicrosecond);

// End points of 100-pixel segments from (400, 300) in every octant.
template <typename Draw>
void segments_in_all_octants(Draw draw)
{
    for (int k = 0; k < 16; ++k) {
        double a = k * M_PI / 8 + 0.1;
        draw(400, 300, 400 + static_cast<int>(100 * std::cos(a)), 300 + static_cast<int>(100 * std::sin(a)));
    }
}

void BM_draw_line(benchmark::State& state)
{
    make_surface();
    for (auto _ : state)
        segments_in_all_octants([](int x0, int y0, int x1, int y1) { draw_line(x0, y0, x1, y1, black); });
    state.SetItemsProcessed(state.iterations() * 16);
}
BENCHMARK(BM_draw_line)->Unit(benchmark::kMicrosecond);

void BM_draw_thick_line(benchmark::State& state)
{
    make_surface();
    for (auto _ : state)
        segments_in_all_octants(
            [](int x0, int y0, int x1, int y1) { draw_thick_line(x0, y0, x1, y1, 1, black); });
    state.SetItemsProcessed(state.iterations() * 16);
}
BENCHMARK(BM_draw_thick_line)->Unit(benchmark::kMicrosecond);

// The rosette's case: many segments of about 4 pixels, half-width 1, in
// the six directions of the triangular lattice, some beyond the window.
void BM_draw_thick_line_short(benchmark::State& state)
{
    make_surface();
    const int ends[6][2] = {{4, 0}, {2, -3}, {-2, -3}, {-4, 0}, {-2, 3}, {2, 3}};
    const int x0 = static_cast<int>(state.range(0));
    for (auto _ : state)
        for (const auto& e : ends)
            draw_thick_line(x0, 300, x0 + e[0], 300 + e[1], 1, black);
    state.SetItemsProcessed(state.iterations() * 6);
}
BENCHMARK(BM_draw_thick_line_short)->Arg(400)->Arg(-50)->Unit(benchmark::kNanosecond);

void BM_fill_circle(benchmark::State& state)
{
    make_surface();
    for (auto _ : state)
        fill_circle(400, 300, 100, red);
}
BENCHMARK(BM_fill_circle)->Unit(benchmark::kMicrosecond);

// Extreme arguments, one call per iteration: every call's cost is bounded
// by the window, whatever the length, radius or half-width.
void BM_draw_line_extreme(benchmark::State& state)
{
    make_surface();
    const int cases[][4] = {
        {INT_MIN, 300, INT_MAX, 301},         // spans the int range across the window
        {INT_MIN, INT_MIN + 7, INT_MAX, INT_MAX - 3},
        {400, INT_MIN, 401, INT_MAX},
        {INT_MIN, INT_MIN, INT_MIN + 5, INT_MAX},  // never meets the window
    };
    const auto& c = cases[state.range(0)];
    for (auto _ : state)
        draw_line(c[0], c[1], c[2], c[3], black);
}
BENCHMARK(BM_draw_line_extreme)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_circle_extreme(benchmark::State& state)
{
    make_surface();
    const int cases[][3] = {
        {400, 300, INT_MAX},                // covers the window
        {INT_MIN + 1, 300, INT_MAX},        // rim through the window
        {400, 1000000300, 1000000000},      // rim through the window
        {INT_MIN, INT_MIN, INT_MAX},        // rim far outside
    };
    const auto& c = cases[state.range(0) / 2];
    bool fill = state.range(0) % 2 == 0;
    for (auto _ : state)
        (fill ? fill_circle : draw_circle)(c[0], c[1], c[2], black);
}
BENCHMARK(BM_circle_extreme)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

void BM_draw_thick_line_extreme(benchmark::State& state)
{
    make_surface();
    const int cases[][5] = {
        {INT_MIN, INT_MIN, INT_MIN + 102, INT_MIN + 102, INT_MAX - 2},  // overflowing band
        {-838861, 300, 838861, 300, 1},                  // t stalls short of 1
        {INT_MIN, INT_MIN + 5, INT_MAX, INT_MAX - 3, 3},  // spans the int range
        {400, 300, INT_MAX, INT_MAX, 5},                 // stalls near the window
        {100, 300, 700, 320, 1500000000},                // strokes far longer than the window
        {-3034, 300, 3534, 924, 10680},                  // wide band across the window
        {0, 0, 799, 599, 2000},                          // wide band along the diagonal
        {-1000, 1300, 1800, -700, 600},
    };
    const auto& c = cases[state.range(0)];
    for (auto _ : state)
        draw_thick_line(c[0], c[1], c[2], c[3], c[4], black);
}
BENCHMARK(BM_draw_thick_line_extreme)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

// A 200 x 200 figure copied: by a whole translation (the row-by-row path),
// a quarter-turn about a pixel corner (exact, a floor per pixel) and a
// sixth-turn (nearest pixel). Arg 0, 1, 2.
void BM_copy_figure(benchmark::State& state)
{
    make_surface();
    SDL_FillRect(screen, nullptr, white);
    fill_circle(400, 300, 100, red);
    const window_copy figure = save_window();
    const SDL_Rect from = figure_bounds(figure, white);
    const plane_isometry g = state.range(0) == 0   ? translate_by(-150, 40)
                             : state.range(0) == 1 ? turn_about(300, 300, 90)
                                                   : turn_about(300.5, 300.5, 60);
    for (auto _ : state)
        copy_figure(figure, from, g, white);
    state.SetItemsProcessed(state.iterations() * from.w * from.h);
}
BENCHMARK(BM_copy_figure)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
