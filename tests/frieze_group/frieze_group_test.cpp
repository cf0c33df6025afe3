// The seven frieze groups: each row makes the group the chart names, the
// recorded frieze is mapped onto itself pixel for pixel by the row's
// operations and its period, and the command line names the group.
#include <capture.h>
#include <construction.h>
#include <launcher.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The chart: operations modulo the period, a mirror along the middle line,
// mirrors across the strip, a glide along the middle that is no mirror,
// half-turns.
struct frieze_row {
    const char* name;
    int order;
    bool along, across, glide, half_turns;
};
constexpr frieze_row chart[frieze_count] = {
    {"p1", 1, false, false, false, false},  {"p11g", 2, false, false, true, false},
    {"p1m1", 2, false, true, false, false}, {"p2", 2, false, false, false, true},
    {"p2mg", 4, false, true, true, true},   {"p11m", 2, true, false, false, false},
    {"p2mm", 4, true, true, false, true},
};

TEST(FriezeTable, EachRowMakesTheGroupOfTheChart)
{
    for (int i = 0; i < frieze_count; ++i) {
        const wallpaper_group& g = frieze_groups[i];
        const frieze_row& want = chart[i];
        SCOPED_TRACE(g.name);
        ASSERT_STREQ(g.name, want.name) << "not in the usual order";
        EXPECT_EQ(find_frieze(g.name), &g);
        const group_layout layout = lay_out_group(g);
        EXPECT_EQ(layout.home.y, lattice_origin.y) << "the strip is not across the window's middle";

        // One copy of the region per operation, no two a period apart, and
        // together they fill one period of the strip.
        const std::vector<plane_isometry> copies = stage_copies(layout);
        EXPECT_EQ(static_cast<int>(copies.size()), want.order);
        double area = 0;
        for (int k = 0; k < g.region_corners; ++k) {
            const unit_point& p = g.region[k];
            const unit_point& q = g.region[(k + 1) % g.region_corners];
            area += p.x * q.y - q.x * p.y;
        }
        EXPECT_NEAR(std::fabs(area) / 2 * want.order, 1.0, 1e-9);

        const placed_elements e = elements_in_window(layout, 0);
        bool along = false, across = false, glide = false;
        for (const placed_line& line : e.lines) {
            EXPECT_TRUE(line.dy == 0 || line.dx == 0) << "a line neither along nor across the strip";
            if (line.dy == 0) {
                EXPECT_NEAR(line.py, lattice_origin.y, 1e-9) << "a line along the strip off its middle";
                (line.mirror ? along : glide) = true;
            } else {
                EXPECT_TRUE(line.mirror) << "a glide across the strip";
                across = true;
            }
        }
        bool half_turns = false;
        for (const placed_centre& c : e.centres) {
            EXPECT_EQ(c.order, 2);
            EXPECT_NEAR(c.y, lattice_origin.y, 1e-9) << "a centre off the middle line";
            half_turns = true;
        }
        EXPECT_EQ(along, want.along);
        EXPECT_EQ(across, want.across);
        EXPECT_EQ(glide, want.glide);
        EXPECT_EQ(half_turns, want.half_turns);
    }
}

// The stage before the last is the whole frieze: a strip about the window's
// middle that every generating operation and the period map onto itself,
// pixel for pixel, and the last adds the elements.
TEST(FriezeProgram, EveryGroupsFriezeIsMappedOntoItself)
{
    for (const wallpaper_group& g : frieze_groups) {
        SCOPED_TRACE(g.name);
        const captured_run& run = recorded_run(std::string("frieze_group_") + g.name);
        ASSERT_EQ(run.stages.size(), static_cast<size_t>(g.operation_count + 3));
        const rgb_image& whole = run.stages[run.stages.size() - 2];
        EXPECT_NE(run.stages.back().rgb, whole.rgb) << "no elements drawn";
        const group_layout layout = lay_out_group(g);
        std::vector<plane_isometry> maps = {translate_by(g.a[0], g.a[1])};
        for (int i = 0; i < g.operation_count; ++i)
            maps.push_back(operation_isometry(layout, g.operations[i], 1));
        const auto at = [&](int x, int y) { return whole.rgb[static_cast<size_t>(y) * whole.w + x]; };
        int painted = 0;
        for (int y = 0; y < whole.h; ++y)
            for (int x = 0; x < whole.w; ++x) {
                if (at(x, y) == rgb(255, 255, 255))
                    continue;
                ++painted;
                EXPECT_LT(std::abs(y - lattice_origin.y), g.b[1] / 2) << "outside the strip at " << x << "," << y;
                for (const plane_isometry& m : maps) {
                    double px = x + 0.5, py = y + 0.5;
                    map_point(m, px, py);
                    const int mx = static_cast<int>(std::floor(px)), my = static_cast<int>(std::floor(py));
                    if (mx >= 0 && mx < whole.w && my >= 0 && my < whole.h && at(mx, my) != at(x, y)) {
                        ADD_FAILURE() << "pixel " << x << "," << y << " not mapped onto its colour";
                        return;
                    }
                }
            }
        EXPECT_GT(painted, 0);
    }
}

TEST(FriezeProgram, CommandLineNamesTheGroup)
{
    run_options no_display;
    no_display.env = {"-DISPLAY", "-SDL_VIDEODRIVER"};
    const run_result list = run_command({program_path("frieze_group"), "--list"}, no_display);
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "p1\np11g\np1m1\np2\np2mg\np11m\np2mm\n");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"pm"}, {"P11G"}, {""}, {"p1", "p2"}, {"--list", "p1"}}) {
        std::vector<std::string> argv = {program_path("frieze_group")};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const run_result r = run_command(argv, no_display);
        EXPECT_EQ(r.status, 2) << argv.size();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find("p1 p11g p1m1 p2 p2mg p11m p2mm"), std::string::npos) << r.err;
    }
}

}  // namespace
