// The seventeen recorded runs, measured from the pictures they show, and the
// command line that names the group.
#include <capture.h>
#include <construction.h>
#include <launcher.h>
#include <symmetry.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string entry_of(const wallpaper_group& g) { return std::string("wallpaper_group_") + g.name; }

// The motif, one stage per operation, the translations, the elements; the
// whole pattern has exactly the group named, and the motif of stage 1 lies
// inside its region: every pixel but the white ones and the outline's.
TEST(WallpaperGroupProgram, EveryStageOfEveryGroup)
{
    for (const wallpaper_group& g : wallpaper_groups) {
        SCOPED_TRACE(g.name);
        const captured_run& run = recorded_run(entry_of(g));
        ASSERT_EQ(run.stages.size(), static_cast<size_t>(g.operation_count + 3));
        const rgb_image& whole = run.stages[run.stages.size() - 2];
        const wallpaper_symmetry s = classify(whole.rgb.data(), whole.w, whole.h);
        EXPECT_EQ(s.group, g.name) << describe(s);
        EXPECT_NE(run.stages.back().rgb, whole.rgb) << "no elements drawn";

        const group_layout layout = lay_out_group(g);
        std::vector<window_point> corners;
        for (int k = 0; k < g.region_corners; ++k)
            corners.push_back(lattice_place(layout.home, layout.a, layout.b, g.region[k]));
        const rgb_image& motif = run.stages.front();
        int inside = 0, outside = 0;
        for (int y = 0; y < motif.h; ++y)
            for (int x = 0; x < motif.w; ++x) {
                const uint32_t c = motif.rgb[static_cast<size_t>(y) * motif.w + x];
                if (c == rgb(255, 255, 255) || c == rgb(0, 0, 0))
                    continue;
                int sign = 0;
                bool in = true;
                for (size_t k = 0; k < corners.size(); ++k) {
                    const window_point& p = corners[k];
                    const window_point& q = corners[(k + 1) % corners.size()];
                    const double side = (q.x - p.x) * (y + 0.5 - p.y) - (q.y - p.y) * (x + 0.5 - p.x);
                    const int s = side > 0 ? 1 : -1;
                    in = in && (sign == 0 || s == sign);
                    sign = s;
                }
                (in ? inside : outside) += 1;
            }
        EXPECT_GT(inside, 0);
        EXPECT_EQ(outside, 0) << "motif pixels outside the fundamental region";
    }
}

// --list prints the seventeen names one a line; a missing or unknown name
// gets one line naming the valid ones and status 2, before any window is
// asked for (so also without a display).
TEST(WallpaperGroupProgram, CommandLineNamesTheGroup)
{
    run_options no_display;
    no_display.env = {"-DISPLAY", "-SDL_VIDEODRIVER"};
    const run_result list = run_command({program_path("wallpaper_group"), "--list"}, no_display);
    EXPECT_EQ(list.status, 0);
    std::string names;
    for (const wallpaper_group& g : wallpaper_groups)
        names += std::string(g.name) + "\n";
    EXPECT_EQ(list.out, names);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"p5"}, {"P4M"}, {""}, {"p4m", "p6m"}, {"--list", "p1"}}) {
        std::vector<std::string> argv = {program_path("wallpaper_group")};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const run_result r = run_command(argv, no_display);
        EXPECT_EQ(r.status, 2) << argv.size();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find("p1 p2 pm pg cm pmm pmg pgg cmm p4 p4m p4g p3 p3m1 p31m p6 p6m"), std::string::npos) << r.err;
    }
}

}  // namespace
