// Friezes and rosettes: synthetic strips of the seven frieze groups and
// rosettes Cn and Dn, drawn exactly and degraded (JPEG, noise, resizing);
// wallpapers stay wallpapers, pictures of neither stay "none"; the report
// and its JSON.
#include "degrade.h"
#include "friezes.h"
#include "patterns.h"
#include <overlay.h>
#include <symmetry.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <random>
#include <string>

namespace {

wallpaper_symmetry classified(const rgb_picture& p) { return classify(p.rgb.data(), p.w, p.h); }

// The picture drawn exactly degraded the k-th way (of four, in turn): a
// JPEG file, noise, resized to 70%, blurred.
std::pair<std::string, rgb_picture> degraded(const rgb_picture& p, int k)
{
    switch (k % 4) {
    case 0: return {"jpeg 75", jpeg_round_trip(p, 75)};
    case 1: return {"noise 8", with_noise(p, 8, static_cast<unsigned>(k))};
    case 2: return {"resized 70%", resized(p, 0.7, resize_filter::bilinear)};
    default: return {"blur 1", blurred(p, 1.0)};
    }
}

constexpr const char* frieze_groups[] = {"p1", "p11g", "p1m1", "p2", "p2mg", "p11m", "p2mm"};

// The strip's elements along its axis at y = 180 (x0 = 37, period 76): the
// x of every mirror across it and of every half-turn centre.
std::vector<double> across_at(const wallpaper_symmetry& s)
{
    std::vector<double> xs;
    for (const reflection_line& l : s.lines)
        if (std::fabs(l.from.x - l.to.x) < 1e-6)
            xs.push_back(l.from.x);
    return xs;
}

// Is every x at start + k period / 2?
::testing::AssertionResult every_half_period(const std::vector<double>& xs, double start, double period)
{
    for (const double x : xs) {
        const double k = (x - start) / (period / 2);
        if (std::fabs(k - std::round(k)) * period / 2 > 1)
            return ::testing::AssertionFailure() << x << " is not at " << start << " + k " << period / 2;
    }
    return ::testing::AssertionSuccess();
}

TEST(SymmetryFriezes, EachOfTheSevenGroupsIsNamedExactlyWithItsAxisPeriodAndElements)
{
    for (const char* group : frieze_groups) {
        SCOPED_TRACE(group);
        const std::string g = group;
        const rgb_picture p = frieze_picture(g, 640, 360, 76, 100, 37, 5);
        const wallpaper_symmetry s = classified(p);
        EXPECT_EQ(s.kind, "frieze") << describe(s);
        EXPECT_EQ(s.group, g) << describe(s);
        EXPECT_EQ(s.method, "exact");
        EXPECT_EQ(std::fabs(s.frieze.period[0]), 76);
        EXPECT_EQ(s.frieze.period[1], 0);
        // The axis where the half-turns, mirrors or glides are; for p1 and
        // p1m1 the middle of what repeats.
        const bool placed = g != "p1" && g != "p1m1";
        EXPECT_NEAR(s.frieze.axis_from.y, 180, placed ? 1.01 : 12);
        EXPECT_NEAR(s.frieze.axis_to.y, 180, placed ? 1.01 : 12);
        EXPECT_NEAR(s.frieze.width, 90, 12);
        // Half-turns on the axis every half period, at the mirror across
        // (p2, p2mm) or between two (p2mg, a quarter period on).
        const bool turns = g == "p2" || g == "p2mg" || g == "p2mm", across = g == "p1m1" || g == "p2mg" || g == "p2mm";
        EXPECT_EQ(s.centres.size() >= 8, turns);
        std::vector<double> centres;
        for (const rotation_centre& c : s.centres) {
            EXPECT_EQ(c.order, 2);
            EXPECT_NEAR(c.at.y, 180, 1.01);
            centres.push_back(c.at.x);
        }
        EXPECT_TRUE(every_half_period(centres, g == "p2mg" ? 37 + 19 : 37, 76));
        EXPECT_EQ(across_at(s).size() >= 8, across);
        EXPECT_TRUE(every_half_period(across_at(s), 37, 76));
        // The mirror or glide along the axis.
        int along = 0;
        for (const reflection_line& l : s.lines)
            if (std::fabs(l.from.y - 180) < 1.01 && std::fabs(l.to.y - 180) < 1.01) {
                ++along;
                EXPECT_EQ(l.glide, g == "p11g" || g == "p2mg");
            }
        EXPECT_EQ(along, g == "p11g" || g == "p2mg" || g == "p11m" || g == "p2mm" ? 1 : 0);
    }
    // Upright: the same strip turned a quarter.
    const rgb_picture p = frieze_picture("p2mg", 640, 360, 76, 100, 37, 5);
    rgb_picture upright{p.h, p.w, std::vector<uint32_t>(p.rgb.size())};
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            upright.rgb[static_cast<size_t>(x) * p.h + y] = p.rgb[static_cast<size_t>(y) * p.w + x];
    const wallpaper_symmetry s = classified(upright);
    EXPECT_EQ(s.group, "p2mg") << describe(s);
    EXPECT_EQ(std::fabs(s.frieze.period[1]), 76);
    EXPECT_NEAR(s.frieze.axis_from.x, 180, 1.01);
}

TEST(SymmetryFriezes, StayNamedThroughJpegNoiseResizingAndBlur)
{
    int k = 0;
    for (const char* group : frieze_groups)
        for (int twice = 0; twice < 2; ++twice, ++k) {
            const rgb_picture p = frieze_picture(group, 640, 400, 60 + 7 * k, 90 + 3 * k, 20 + k, 20 + k);
            const auto d = degraded(p, k);
            const wallpaper_symmetry s = classified(d.second);
            EXPECT_EQ(s.group, group) << d.first << "\n" << describe(s);
        }
}

TEST(SymmetryRosettes, CnAndDnAreNamedWithTheirCentreAndMirrors)
{
    const std::pair<int, bool> cases[] = {{1, true}, {2, false}, {3, true}, {5, false}, {6, true}, {7, false}, {8, true}, {11, false}, {12, true}};
    for (const auto& [n, dihedral] : cases) {
        const std::string name = (dihedral ? "D" : "C") + std::to_string(n);
        SCOPED_TRACE(name);
        const rgb_picture p = rosette_picture(n, dihedral, 640, 480, 331, 250.5, 210, n);
        const wallpaper_symmetry s = classified(p);
        EXPECT_EQ(s.kind, "rosette");
        EXPECT_EQ(s.group, name) << describe(s);
        EXPECT_EQ(s.method, "exact");
        EXPECT_EQ(s.rosette.order, n);
        if (n > 1) {  // D1's centre is on its mirror, where its shape's centroid is
            EXPECT_NEAR(s.rosette.centre.x, 331, 0.6);
        }
        EXPECT_NEAR(s.rosette.centre.y, 250.5, 0.6);
        ASSERT_EQ(s.rosette.mirrors.size(), dihedral ? static_cast<size_t>(n) : 0u);
        for (const double got : s.rosette.mirrors)  // one along the x axis, every 180 / n degrees
            EXPECT_NEAR(std::remainder(got, 180.0 / n), 0, 0.3) << got;
        EXPECT_EQ(s.centres.size(), n > 1 ? 1u : 0u);
    }
}

TEST(SymmetryRosettes, StayNamedThroughJpegNoiseResizingAndBlurAndOffCentre)
{
    const std::pair<int, bool> cases[] = {{3, false}, {4, true}, {6, false}, {9, true}, {12, false}, {5, true}, {10, false}, {2, true}};
    int k = 0;
    for (const auto& [n, dihedral] : cases) {
        const std::string name = (dihedral ? "D" : "C") + std::to_string(n);
        const rgb_picture p = rosette_picture(n, dihedral, 640, 480, 300 + 7 * k, 230 + 5 * k, 200, 40 + k);
        const auto d = degraded(p, k);
        const wallpaper_symmetry s = classified(d.second);
        EXPECT_EQ(s.group, name) << d.first << "\n" << describe(s);
        const double scale = d.first == "resized 70%" ? 0.7 : 1;
        EXPECT_NEAR(s.rosette.centre.x, scale * (300 + 7 * k), 2) << name << " " << d.first;
        EXPECT_NEAR(s.rosette.centre.y, scale * (230 + 5 * k), 2) << name << " " << d.first;
        ++k;
    }
}

TEST(SymmetryKinds, WallpapersStayWallpapersAndPicturesOfNeitherAreNone)
{
    for (const char* group : {"p4", "pmg", "p6"}) {
        const realistic_picture p = make_realistic(group, "shapes", 7);
        const wallpaper_symmetry s = classified(jpeg_round_trip(p.picture, 85));
        EXPECT_EQ(s.kind, "wallpaper");
        EXPECT_EQ(s.group, group);
    }
    for (const std::string& kind : negative_kinds())
        for (unsigned seed = 1; seed <= 3; ++seed) {
            const rgb_picture d = degrade(make_negative(kind, seed), seed % 2 ? "jpeg" : "clean", seed);
            const wallpaper_symmetry s = classified(d);
            EXPECT_EQ(s.group, "none") << kind << " " << seed << "\n" << describe(s);
        }
    // A disc and rings: every turn holds, no finite order.
    rgb_picture rings{400, 300, std::vector<uint32_t>(400 * 300, 0xffffff)};
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            if (static_cast<int>(std::hypot(x - 200, y - 150) / 12) % 2)
                rings.rgb[static_cast<size_t>(y) * 400 + x] = 0x3060a0;
    EXPECT_EQ(classified(rings).group, "none");
}

TEST(SymmetryKinds, ReportJsonAndPictureOfAFriezeAndARosette)
{
    rgb_picture p = frieze_picture("p2mm", 640, 360, 76, 100, 37, 5);
    wallpaper_symmetry s = classified(p);
    std::string text = describe(s);
    EXPECT_EQ(text.substr(0, text.find('\n')), "frieze: p2mm");
    for (const char* line : {"\nperiod: (76, 0)\n", "\naxis: (", "\nmethod: exact\n", "\nmirror: (", "\nrotation 2: ("})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    nlohmann::json report = nlohmann::json::parse(describe_json(s));
    EXPECT_EQ(report["kind"], "frieze");
    EXPECT_EQ(report["group"], "p2mm");
    for (const char* field : {"period", "axis", "width", "method", "confidence", "scores", "centres", "lines"})
        EXPECT_TRUE(report.contains(field)) << field;
    EXPECT_FALSE(report.contains("lattice"));
    // Drawn over the picture: a mirror across the strip in the notation's blue.
    const double x = across_at(s).at(2);
    draw_elements(p.rgb.data(), p.w, p.h, s);
    EXPECT_EQ(p.rgb[static_cast<size_t>(200) * p.w + static_cast<int>(x)], notation_rgb.mirror);

    p = rosette_picture(6, true, 640, 480, 320, 240, 210, 6);
    s = classified(p);
    text = describe(s);
    EXPECT_EQ(text.substr(0, text.find('\n')), "rosette: D6");
    for (const char* line : {"\ncentre: (320, 240)\n", "\nmirrors: 0 30 60 90 120 150 degrees\n", "\nrotation 6: (320, 240)\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    report = nlohmann::json::parse(describe_json(s));
    EXPECT_EQ(report["kind"], "rosette");
    EXPECT_EQ(report["order"], 6);
    EXPECT_EQ(report["dihedral"], true);
    EXPECT_EQ(report["mirrors"].size(), 6u);
    EXPECT_EQ(report["centre"], nlohmann::json({320, 240}));
}

// A motif of no symmetry of its own (two bars and a dot) in the 64 x 64
// cell at (x, y), mirrored across the cell's middle column and/or row.
void stamp(rgb_picture& p, int x, int y, bool flip_x, bool flip_y)
{
    struct box { int x0, y0, x1, y1; uint32_t colour; };
    constexpr box parts[] = {{8, 8, 50, 18, 0xd02020}, {8, 18, 18, 52, 0x2040c0}, {30, 30, 42, 42, 0x20a040}};
    for (const box& b : parts)
        for (int j = b.y0; j < b.y1; ++j)
            for (int i = b.x0; i < b.x1; ++i)
                p.rgb[static_cast<size_t>(y + (flip_y ? 63 - j : j)) * p.w + x + (flip_x ? 63 - i : i)] = b.colour;
}

// Copies mirrored both ways in blocks of 2 x 2 cells, `across` x `down`
// blocks about the picture's middle; `ends`: the rows run across the whole picture.
rgb_picture mirrored_blocks(int across, int down, bool ends = false)
{
    rgb_picture p{640, 480, std::vector<uint32_t>(640 * 480, 0xffffff)};
    const int x0 = ends ? 0 : 320 - 64 * across, y0 = 240 - 64 * down;
    for (int b = 0; b < (ends ? 5 : across); ++b)
        for (int d = 0; d < down; ++d)
            for (int k = 0; k < 4; ++k)
                stamp(p, x0 + 128 * b + 64 * (k % 2), y0 + 128 * d + 64 * (k / 2), k % 2, k / 2);
    return p;
}

// A figure on a background of two rows of copies repeats by no lattice:
// four mirrored copies are a rosette, two mirrored rows across the picture
// a strip; a larger patch of the same copies stays a wallpaper.
TEST(SymmetryKinds, TwoRowsOfCopiesAreARosetteOrAStripAndALargerPatchAWallpaper)
{
    for (const int quality : {0, 85}) {
        SCOPED_TRACE(quality);
        auto seen = [&](const rgb_picture& p) { return classified(quality ? jpeg_round_trip(p, quality) : p); };
        wallpaper_symmetry s = seen(mirrored_blocks(1, 1));
        EXPECT_EQ(s.kind + " " + s.group, "rosette D2") << describe(s);
        s = seen(mirrored_blocks(0, 1, true));
        EXPECT_EQ(s.kind + " " + s.group, "frieze p2mm") << describe(s);
        s = seen(mirrored_blocks(2, 1));
        EXPECT_EQ(s.kind + " " + s.group, "rosette D2") << describe(s);
        s = seen(mirrored_blocks(3, 3));
        EXPECT_EQ(s.kind + " " + s.group, "wallpaper pmm") << describe(s);
    }
}

}  // namespace
