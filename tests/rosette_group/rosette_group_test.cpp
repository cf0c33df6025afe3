// The rosette groups: the literal cosines and sines of the turns, the
// rows' sectors and copies, the recorded rosettes and the command line.
#include <capture.h>
#include <construction.h>
#include <launcher.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace {

// Every k/n of a turn for n up to 24: within an ulp of the library's long
// double value, exactly cos_sin_degrees' where that is exact (the turns of the
// wallpaper groups keep their pixels), and the n-th power of the turn by
// 1/n is the identity.
TEST(RosetteTurns, LiteralsAreTheCosinesAndSinesOfEveryFraction)
{
    for (int n = 1; n <= 24; ++n)
        for (int k = -n; k <= 2 * n; ++k) {
            SCOPED_TRACE(std::to_string(k) + "/" + std::to_string(n));
            double c, s;
            cos_sin_turn(k, n, c, s);
            const long double angle = 2 * std::acos(-1.0L) * (((k % n) + n) % n) / n;
            EXPECT_NEAR(c, static_cast<double>(std::cos(angle)), 2e-16);
            EXPECT_NEAR(s, static_cast<double>(std::sin(angle)), 2e-16);
            if (360 * k % n == 0 && (360 * k / n % 30 == 0 || 360 * k / n % 45 == 0)) {
                double dc, ds;
                cos_sin_degrees(360 * k / n, dc, ds);
                EXPECT_EQ(c, dc);
                EXPECT_EQ(s, ds);
            }
        }
    for (int n = 2; n <= 24; ++n) {
        double c, s;
        cos_sin_turn(1, n, c, s);
        plane_isometry power = translate_by(0, 0);
        for (int k = 0; k < n; ++k)
            power = compose(turn_about(400, 300, c, s), power);
        EXPECT_NEAR(power.xx, 1, 1e-14) << n;
        EXPECT_NEAR(power.yx, 0, 1e-14) << n;
        EXPECT_NEAR(power.tx, 0, 1e-11) << n;
    }
}

// Every row: C1 to C12 then D1 to D12, a sector of the right angle at the
// window's centre, and one copy per element of the group, each the sector
// turned to a place of its own.
TEST(RosetteTable, EachRowCopiesItsSectorOncePerOperation)
{
    const wallpaper_group* rows = rosette_groups();
    for (int r = 0; r < rosette_count; ++r) {
        const wallpaper_group& g = rows[r];
        const int n = r % rosette_order_limit + 1;
        const bool dihedral = r >= rosette_order_limit;
        SCOPED_TRACE(g.name);
        EXPECT_EQ(std::string(g.name), std::string(dihedral ? "D" : "C") + std::to_string(n));
        EXPECT_EQ(find_rosette(g.name), &g);
        EXPECT_EQ(rosette_order(g), n);
        EXPECT_EQ(rosette_dihedral(g), dihedral);
        const group_layout layout = lay_out_group(g);
        EXPECT_EQ(layout.home.x, lattice_origin.x);
        EXPECT_EQ(layout.home.y, lattice_origin.y);

        // The region's area times the copies is the polygon its copies make.
        const std::vector<window_point> corners = region_points(layout);
        double area = 0, mx = 0, my = 0;
        for (size_t k = 0; k < corners.size(); ++k) {
            const window_point& p = corners[k];
            const window_point& q = corners[(k + 1) % corners.size()];
            area += (p.x * q.y - q.x * p.y) / 2;
            mx += p.x / corners.size(), my += p.y / corners.size();
        }
        const std::vector<plane_isometry> copies = stage_copies(layout);
        const size_t count = dihedral ? 2 * n : n;
        ASSERT_EQ(copies.size(), count);
        EXPECT_GT(std::fabs(area) * count, 0.6 * M_PI * 260 * 260);
        EXPECT_LE(std::fabs(area) * count, M_PI * 260 * 260);
        // The region's mean point under each copy: all at one distance from
        // the centre, no two alike.
        std::vector<window_point> images;
        for (const plane_isometry& copy : copies) {
            window_point p{mx, my};
            map_point(copy, p.x, p.y);
            EXPECT_NEAR(std::hypot(p.x - 400, p.y - 300), std::hypot(mx - 400, my - 300), 1e-9);
            for (const window_point& q : images)
                EXPECT_GT(std::hypot(p.x - q.x, p.y - q.y), 1) << "two copies in one place";
            images.push_back(p);
        }
    }
}

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

TEST(RosetteProgram, CommandLineNamesTheGroup)
{
    run_options no_display;
    no_display.env = {"-DISPLAY", "-SDL_VIDEODRIVER"};
    const run_result list = run_command({program_path("rosette_group"), "--list"}, no_display);
    EXPECT_EQ(list.status, 0);
    std::string names;
    for (const char* kind : {"C", "D"})
        for (int n = 1; n <= 12; ++n)
            names += kind + std::to_string(n) + "\n";
    EXPECT_EQ(list.out, names);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"C13"}, {"c6"}, {"D0"}, {""}, {"C6", "D6"}}) {
        std::vector<std::string> argv = {program_path("rosette_group")};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const run_result r = run_command(argv, no_display);
        EXPECT_EQ(r.status, 2) << argv.size();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find("C1 C2 C3 C4 C5 C6 C7 C8 C9 C10 C11 C12 D1 D2"), std::string::npos) << r.err;
    }
}

}  // namespace
