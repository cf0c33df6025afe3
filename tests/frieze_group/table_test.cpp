// The seven frieze rows checked without drawing: each makes the group the
// frieze chart names (no recording needed, so it runs on every platform).
#include <construction.h>

#include <gtest/gtest.h>

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
        EXPECT_EQ(static_cast<int>(stage_copies(layout).size()), want.order) << "not one copy per operation";
        const placed_elements e = elements_in_window(layout, 0);
        bool along = false, across = false, glide = false, half_turns = false;
        for (const placed_line& line : e.lines)
            if (line.dy == 0) {
                EXPECT_NEAR(line.py, lattice_origin.y, 1e-9) << "a line along the strip off its middle";
                (line.mirror ? along : glide) = true;
            } else {
                across = across || (line.dx == 0 && line.mirror);
            }
        for (const placed_centre& c : e.centres) {
            EXPECT_NEAR(c.y, lattice_origin.y, 1e-9) << "a centre off the middle line";
            half_turns = half_turns || c.order == 2;
        }
        EXPECT_EQ(along, want.along);
        EXPECT_EQ(across, want.across);
        EXPECT_EQ(glide, want.glide);
        EXPECT_EQ(half_turns, want.half_turns);
    }
}

}  // namespace
