// The symmetry classifier on 800x600 synthetic wallpapers drawn exactly and
// on realistic ones (a JPEG file of an anti-aliased pattern at a random
// angle), and on a realistic 4096x4096 picture (build/bin/symmetry_bench).
// A realistic 800x600 picture must take at most 150 ms of CPU, a 4096x4096
// one at most 1.5 s. Friezes, rosettes and a picture of neither, 800x600.
#include <degrade.h>
#include <friezes.h>
#include <patterns.h>
#include <realistic.h>
#include <symmetry.h>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

struct bench_case {
    const char* group;
    int a[2], b[2];
};

constexpr bench_case bench_cases[] = {
    {"p1", {38, 6}, {10, 44}},     {"p2", {42, 4}, {12, 38}},   {"pgg", {40, 0}, {0, 36}},
    {"cmm", {30, 40}, {30, -40}},  {"p4m", {40, 0}, {0, 40}},   {"p4g", {96, 0}, {0, 96}},
    {"p3", {160, 0}, {80, 139}},   {"p31m", {160, 0}, {80, 139}}, {"p6m", {160, 0}, {80, 139}},
};

void classify_800x600(benchmark::State& state)
{
    const bench_case& c = bench_cases[state.range(0)];
    const int origin2[2] = {401, 301};
    const std::vector<uint32_t> picture = make_pattern(pattern_group(c.group), c.a, c.b, origin2, 800, 600, 11);
    std::string group;
    for (auto _ : state) {
        const wallpaper_symmetry s = classify(picture.data(), 800, 600);
        group = s.group;
        benchmark::DoNotOptimize(group);
    }
    state.SetLabel(std::string(c.group) + " -> " + group);
}
BENCHMARK(classify_800x600)->DenseRange(0, sizeof bench_cases / sizeof bench_cases[0] - 1)->Unit(benchmark::kMillisecond);

// p6m and p6 on hexagonal lattices of no whole-pixel period: the lattice
// found approximately.
void classify_real_hexagonal_800x600(benchmark::State& state)
{
    const bool turned = state.range(0) == 1;
    const std::vector<uint32_t> picture = make_real_hexagonal_pattern(turned ? 97.3 : 80 * std::sqrt(3.0), turned, 800, 600);
    std::string group;
    for (auto _ : state) {
        group = classify(picture.data(), 800, 600).group;
        benchmark::DoNotOptimize(group);
    }
    state.SetLabel(std::string(turned ? "p6" : "p6m") + " -> " + group);
}
BENCHMARK(classify_real_hexagonal_800x600)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// A picture of no group: the search for periods finds none.
void classify_noise_800x600(benchmark::State& state)
{
    std::vector<uint32_t> picture(800 * 600);
    uint32_t x = 12345;
    for (uint32_t& p : picture)
        p = (x = x * 1664525u + 1013904223u) >> 8;
    for (auto _ : state)
        benchmark::DoNotOptimize(classify(picture.data(), 800, 600).group);
}
BENCHMARK(classify_noise_800x600)->Unit(benchmark::kMillisecond);

// The realistic picture of `group` (shapes, seed 5) scaled so that its
// shorter side is `side`, cut to side x side (or 800x600), as a JPEG file of
// quality 80 gives it back.
rgb_picture realistic_bench_picture(const char* group, int w, int h)
{
    const realistic_picture p = make_realistic(group, "shapes", 5);
    const double scale = std::max(static_cast<double>(w) / p.picture.w, static_cast<double>(h) / p.picture.h);
    const rgb_picture big = scale > 1 ? resized(p.picture, scale, resize_filter::bilinear) : p.picture;
    return jpeg_round_trip(cropped(big, 0, 0, w, h), 80);
}

constexpr const char* realistic_groups[] = {"p2", "pgg", "p4m", "p31m", "p6m"};

void classify_realistic_800x600(benchmark::State& state)
{
    const char* group = realistic_groups[state.range(0)];
    const rgb_picture picture = realistic_bench_picture(group, 800, 600);
    std::string given;
    for (auto _ : state) {
        given = classify(picture.rgb.data(), picture.w, picture.h).group;
        benchmark::DoNotOptimize(given);
    }
    state.SetLabel(std::string(group) + " -> " + given);
}
BENCHMARK(classify_realistic_800x600)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// Pictures with no lattice: a frieze (p2mg, a strip across the window) and
// a rosette (D7), drawn exactly and as JPEG files of quality 80; a picture
// of one object on a smooth scene (neither).
void classify_kinds_800x600(benchmark::State& state)
{
    const int which = static_cast<int>(state.range(0));
    rgb_picture picture = which < 2 ? frieze_picture("p2mg", 800, 600, 84, 120, 40, 3)
                                    : which < 4 ? rosette_picture(7, true, 800, 600, 400, 300, 260, 3)
                                                : make_negative("photo", 3).picture;
    if (which == 1 || which == 3)
        picture = jpeg_round_trip(picture, 80);
    std::string given;
    for (auto _ : state) {
        given = classify(picture.rgb.data(), picture.w, picture.h).group;
        benchmark::DoNotOptimize(given);
    }
    constexpr const char* names[] = {"p2mg", "p2mg jpeg", "D7", "D7 jpeg", "photo"};
    state.SetLabel(std::string(names[which]) + " -> " + given);
}
BENCHMARK(classify_kinds_800x600)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void classify_realistic_4096x4096(benchmark::State& state)
{
    const rgb_picture picture = realistic_bench_picture("p4m", 4096, 4096);
    std::string given;
    for (auto _ : state) {
        given = classify(picture.rgb.data(), picture.w, picture.h).group;
        benchmark::DoNotOptimize(given);
    }
    state.SetLabel("p4m -> " + given);
}
BENCHMARK(classify_realistic_4096x4096)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
