// The rosette groups' recorded runs and the command line.
#include <capture.h>
#include <construction.h>
#include <launcher.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace {

// The recorded rosettes: the motif's stage has each colour once, the whole
// rosette (the stage before the last) each colour as many times over as the
// group has operations, to within the pixels a turn off the pixel grid
// gains or loses; a D rosette is its own mirror image, pixel for pixel, and
// the elements come last.
TEST(RosetteProgram, EveryRosetteHasItsMotifOncePerOperation)
{
    const wallpaper_group* rows = rosette_groups();
    for (int r = 0; r < rosette_count; ++r) {
        const wallpaper_group& g = rows[r];
        SCOPED_TRACE(g.name);
        const captured_run& run = recorded_run(std::string("rosette_group_") + g.name);
        ASSERT_EQ(run.stages.size(), static_cast<size_t>(g.operation_count + 3));
        const rgb_image& whole = run.stages[run.stages.size() - 2];
        EXPECT_NE(run.stages.back().rgb, whole.rgb) << "no elements drawn";
        std::map<uint32_t, long> motif, all;
        for (uint32_t c : run.stages.front().rgb)
            ++motif[c];
        for (uint32_t c : whole.rgb)
            ++all[c];
        const long copies = rosette_dihedral(g) ? 2 * rosette_order(g) : rosette_order(g);
        for (const uint32_t colour : {rgb(220, 40, 40), rgb(40, 170, 70), rgb(50, 90, 220)}) {
            ASSERT_GT(motif[colour], 0);
            EXPECT_NEAR(static_cast<double>(all[colour]) / (motif[colour] * copies), 1.0, 0.05) << std::hex << colour;
        }
        if (rosette_dihedral(g))
            for (int y = 0; y < whole.h; ++y)
                for (int x = 0; x < whole.w; ++x)
                    if (whole.rgb[static_cast<size_t>(y) * whole.w + x] !=
                        whole.rgb[static_cast<size_t>(599 - y) * whole.w + x]) {
                        ADD_FAILURE() << "not its own mirror image at " << x << "," << y;
                        y = whole.h;
                        break;
                    }
    }
}

// --list: C1 to C12, then D1 to D12; a bad name: one line and status 2.
TEST(RosetteProgram, CommandLineNamesTheGroup)
{
    run_options no_display;
    no_display.env = {"-DISPLAY", "-SDL_VIDEODRIVER"};
    std::string names;
    for (const char* kind : {"C", "D"})
        for (int n = 1; n <= 12; ++n)
            names += kind + std::to_string(n) + "\n";
    EXPECT_EQ(run_command({program_path("rosette_group"), "--list"}, no_display).out, names);
    for (const char* bad : {"C13", "c6", "D0", ""}) {
        const run_result r = run_command({program_path("rosette_group"), bad}, no_display);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find("C11 C12 D1 D2"), std::string::npos) << r.err;
    }
}

}  // namespace
