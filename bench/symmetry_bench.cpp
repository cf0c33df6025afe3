// The symmetry classifier on 800x600 synthetic wallpapers: each must take
// at most 100 ms of CPU (build/bin/symmetry_bench).
#include <patterns.h>
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

}  // namespace

BENCHMARK_MAIN();
