// The seven frieze groups' recorded runs: the frieze is mapped onto itself
// pixel for pixel by the row's operations and its period; and the command
// line that names the group.
#include <capture.h>
#include <construction.h>
#include <launcher.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

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

// --list: the seven in order; a bad name: one line and status 2.
TEST(FriezeProgram, CommandLineNamesTheGroup)
{
    run_options no_display;
    no_display.env = {"-DISPLAY", "-SDL_VIDEODRIVER"};
    const run_result list = run_command({program_path("frieze_group"), "--list"}, no_display);
    EXPECT_EQ(list.out, "p1\np11g\np1m1\np2\np2mg\np11m\np2mm\n");
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {"pm"}, {"P11G"}, {"p1", "p2"}}) {
        std::vector<std::string> argv = {program_path("frieze_group")};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const run_result r = run_command(argv, no_display);
        EXPECT_EQ(r.status, 2) << argv.size();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find("p1 p11g p1m1 p2 p2mg p11m p2mm"), std::string::npos) << r.err;
    }
}

}  // namespace
