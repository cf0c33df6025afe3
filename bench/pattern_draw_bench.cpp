// The draw page's core on a drawing of 200 freehand strokes in p6m at
// 800x600 (build/bin/pattern_draw_bench): a pointer move of a freehand
// stroke and of a straight line being dragged (aim: 8 ms with the page's
// copy to its canvas), the whole drawing drawn again (undo, a group
// switch), "Build it" (aim: 100 ms a stage) and a 4096x4096 export.
#include <drawing.h>
#include <session.h>

#include <benchmark/benchmark.h>

#include <random>

namespace {

// 200 strokes of 30 points scribbled over the canvas, widths 1 to 15.
drawing scribbles(const char* group)
{
    std::mt19937 random(200);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    drawing d{find_group(group), {}};
    for (int k = 0; k < 200; ++k) {
        stroke s{stroke_tool::freehand, static_cast<uint32_t>(any(0, 0xffffff)), 2 * any(0, 7) + 1, {}};
        int x = any(0, 799), y = any(0, 599);
        for (int i = 0; i < 30; ++i) {
            s.points.push_back({x, y});
            x += any(-6, 6), y += any(-6, 6);
        }
        d.strokes.push_back(s);
    }
    return d;
}

draw_session& session_of(const char* group, bool overlays)
{
    static draw_session s;
    open_offscreen();
    session_start(s, *find_group(group));
    session_load(s, drawing_json(scribbles(group)));
    session_set_overlays(s, overlays, overlays, overlays);
    return s;
}

void pointer_move(benchmark::State& state)
{
    draw_session& s = session_of("p6m", state.range(1) != 0);
    const stroke_tool tool = state.range(0) == 0 ? stroke_tool::freehand : stroke_tool::line;
    session_begin(s, tool, 0x3050a0, 9, {400, 300});
    int k = 0;
    for (auto _ : state) {
        ++k;
        session_move(s, {400 + k % 97 - 48, 300 + (k / 97) % 61 - 30});
        if (k % 200 == 0) {  // a stroke of 200 moves, as a person draws
            state.PauseTiming();
            session_end(s);
            session_undo(s);
            session_begin(s, tool, 0x3050a0, 9, {400, 300});
            state.ResumeTiming();
        }
    }
    state.SetLabel(std::string(tool == stroke_tool::freehand ? "freehand" : "line") +
                   (state.range(1) ? ", cell, region and elements shown" : ""));
}

void redraw_all(benchmark::State& state)
{
    draw_session& s = session_of("p6m", false);
    for (auto _ : state)
        session_set_group(s, *s.current.group);
}

// From the page's picture of the drawing, as the page builds it.
void build_it(benchmark::State& state)
{
    const draw_session& s = session_of("p6m", false);
    size_t stages = 0;
    for (auto _ : state)
        stages = build_stages(s.current, s.base).size();
    state.SetLabel(std::to_string(stages) + " stages");
}

void export_4096(benchmark::State& state)
{
    open_offscreen();
    const drawing d = scribbles("p6m");
    for (auto _ : state)
        benchmark::DoNotOptimize(render_drawing(d, 4096, 4096).data());
}

}  // namespace

BENCHMARK(pointer_move)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(redraw_all)->Unit(benchmark::kMillisecond);
BENCHMARK(build_it)->Unit(benchmark::kMillisecond);
BENCHMARK(export_4096)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
