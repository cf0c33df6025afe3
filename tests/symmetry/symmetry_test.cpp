// The symmetry classifier on synthetic wallpapers of all seventeen groups
// (two lattices each), on pictures it must not name (no period, one wrong
// pixel), through a frame, and the command line tool on good and bad files.
#include <capture.h>
#include <launcher.h>
#include "patterns.h"
#include <symmetry.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

struct wallpaper_case {
    const char* group;
    int a[2], b[2];
    int origin2[2];   // twice the lattice origin, in index coordinates
    const char* orbifold;
    const char* centres;  // the orders of the rotation centres listed
};

// Rectangular and square lattices both upright and at 45 degrees,
// rhombic ones about both axes, hexagonal ones with a horizontal and with a
// vertical vector. Odd origins put the centres on pixel corners.
constexpr wallpaper_case cases[] = {
    {"p1", {38, 6}, {10, 44}, {247, 155}, "o", ""},
    {"p1", {52, -8}, {14, 36}, {400, 300}, "o", ""},
    {"p2", {42, 4}, {12, 38}, {247, 155}, "2222", "2 2 2 2"},
    {"p2", {30, -10}, {8, 34}, {400, 300}, "2222", "2 2 2 2"},
    {"pm", {40, 0}, {0, 30}, {247, 155}, "**", ""},
    {"pm", {20, 20}, {-24, 24}, {401, 301}, "**", ""},
    {"pg", {36, 0}, {0, 44}, {247, 155}, "xx", ""},
    {"pg", {22, 22}, {-18, 18}, {400, 300}, "xx", ""},
    {"cm", {24, 36}, {24, -36}, {247, 155}, "*x", ""},
    {"cm", {40, 14}, {14, 40}, {401, 301}, "*x", ""},
    {"pmm", {40, 0}, {0, 28}, {247, 155}, "*2222", "2 2 2 2"},
    {"pmm", {20, 20}, {-30, 30}, {400, 300}, "*2222", "2 2 2 2"},
    {"pmg", {44, 0}, {0, 32}, {247, 155}, "22*", "2 2 2 2"},
    {"pmg", {30, 0}, {0, 46}, {400, 300}, "22*", "2 2 2 2"},
    {"pgg", {40, 0}, {0, 36}, {247, 155}, "22x", "2 2 2 2"},
    {"pgg", {24, 24}, {-16, 16}, {400, 300}, "22x", "2 2 2 2"},
    {"cmm", {30, 40}, {30, -40}, {247, 155}, "2*22", "2 2 2 2"},
    {"cmm", {44, 16}, {16, 44}, {401, 301}, "2*22", "2 2 2 2"},
    {"p4", {48, 0}, {0, 48}, {247, 155}, "442", "4 4 2 2"},
    {"p4", {32, 24}, {-24, 32}, {401, 301}, "442", "4 4 2 2"},
    {"p4m", {40, 0}, {0, 40}, {247, 155}, "*442", "4 4 2 2"},
    {"p4m", {30, 30}, {-30, 30}, {400, 300}, "*442", "4 4 2 2"},
    {"p4g", {40, 0}, {0, 40}, {247, 155}, "4*2", "4 4 2 2"},
    {"p4g", {28, 28}, {-28, 28}, {401, 301}, "4*2", "4 4 2 2"},
    {"p3", {240, 0}, {120, 208}, {621, 473}, "333", "3 3 3"},
    {"p3", {0, 220}, {191, 110}, {640, 480}, "333", "3 3 3"},
    {"p3m1", {240, 0}, {120, 208}, {621, 473}, "*333", "3 3 3"},
    {"p3m1", {0, 220}, {191, 110}, {640, 480}, "*333", "3 3 3"},
    {"p31m", {240, 0}, {120, 208}, {621, 473}, "3*3", "3 3 3"},
    {"p31m", {0, 220}, {191, 110}, {640, 480}, "3*3", "3 3 3"},
    {"p6", {240, 0}, {120, 208}, {621, 473}, "632", "6 3 3 2 2 2"},
    {"p6", {0, 220}, {191, 110}, {640, 480}, "632", "6 3 3 2 2 2"},
    {"p6m", {240, 0}, {120, 208}, {621, 473}, "*632", "6 3 3 2 2 2"},
    {"p6m", {0, 220}, {191, 110}, {640, 480}, "*632", "6 3 3 2 2 2"},
};

bool hexagonal(const wallpaper_case& c) { return c.group[1] == '3' || c.group[1] == '6'; }

std::vector<uint32_t> picture_of(const wallpaper_case& c, int& w, int& h, unsigned seed = 7)
{
    w = hexagonal(c) ? 640 : 480;
    h = hexagonal(c) ? 480 : 360;
    return make_pattern(pattern_group(c.group), c.a, c.b, c.origin2, w, h, seed);
}

std::string centre_orders(const wallpaper_symmetry& s)
{
    std::string text;
    for (const rotation_centre& c : s.centres)
        text += (text.empty() ? "" : " ") + std::to_string(c.order);
    return text;
}

template <typename T>
double area(const T a[2], const T b[2]) { return std::fabs(double(a[0]) * b[1] - double(a[1]) * b[0]); }

TEST(Symmetry, NamesTheWholeGroupOfEachSyntheticWallpaper)
{
    for (const wallpaper_case& c : cases) {
        SCOPED_TRACE(std::string(c.group) + " on (" + std::to_string(c.a[0]) + ", " + std::to_string(c.a[1]) + ") (" +
                     std::to_string(c.b[0]) + ", " + std::to_string(c.b[1]) + ")");
        int w = 0, h = 0;
        const std::vector<uint32_t> picture = picture_of(c, w, h);
        const wallpaper_symmetry s = classify(picture.data(), w, h);
        EXPECT_EQ(s.group, c.group) << describe(s);
        EXPECT_EQ(s.orbifold, c.orbifold);
        EXPECT_NEAR(area(s.lattice[0], s.lattice[1]), area(c.a, c.b), 1e-6) << "not the lattice of the pattern";
        EXPECT_EQ(centre_orders(s), c.centres);
        EXPECT_EQ(s.approximate, hexagonal(c));
        if (s.approximate) {
            EXPECT_GE(s.lowest_agreement, hexagonal_agreement);
        }
        const bool reflections = std::string(c.orbifold).find_first_of("*x") != std::string::npos;
        EXPECT_EQ(!s.lines.empty(), reflections);
    }
}

TEST(Symmetry, NamesHexagonalGroupsOnALatticeOfNoWholePixels)
{
    const struct { double side; bool turned; const char* group; } hexagonal_cases[] = {
        {80 * std::sqrt(3.0), false, "p6m"},
        {97.3, true, "p6"},
    };
    for (const auto& c : hexagonal_cases) {
        const std::vector<uint32_t> picture = make_real_hexagonal_pattern(c.side, c.turned, 640, 480);
        const wallpaper_symmetry s = classify(picture.data(), 640, 480);
        EXPECT_EQ(s.group, c.group) << describe(s);
        EXPECT_TRUE(s.approximate_lattice);
        EXPECT_NEAR(area(s.lattice[0], s.lattice[1]), c.side * c.side * std::sqrt(3.0) / 2, c.side) << describe(s);
        EXPECT_GE(s.lowest_agreement, hexagonal_agreement);
    }
}

TEST(Symmetry, ReadsThroughAFrameAndCutEdges)
{
    for (const wallpaper_case& c : {cases[21], cases[33]}) {
        int w = 0, h = 0;
        std::vector<uint32_t> picture = picture_of(c, w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (x < 3 || y < 3 || x >= w - 2 || y >= h - 4)
                    picture[static_cast<size_t>(y) * w + x] = 0;
        EXPECT_EQ(classify(picture.data(), w, h).group, c.group);
        // Tiles cut by the edges drawn otherwise: a band of noise 6 pixels wide.
        std::mt19937 random(5);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (x < 6 || y < 6 || x >= w - 6 || y >= h - 6)
                    picture[static_cast<size_t>(y) * w + x] = random() & 0xffffff;
        const wallpaper_symmetry s = classify(picture.data(), w, h);
        EXPECT_EQ(s.group, c.group) << "with noise at the edges";
        EXPECT_EQ(s.compared[0], 8);
    }
}

TEST(Symmetry, FindsNoGroupWithoutTwoPeriodsOrWithOneWrongPixel)
{
    std::mt19937 random(3);
    std::vector<uint32_t> noise(320 * 240);
    for (uint32_t& p : noise)
        p = random() & 0xffffff;
    EXPECT_EQ(classify(noise.data(), 320, 240).group, "none");
    EXPECT_EQ(describe(classify(noise.data(), 320, 240)), "group: none\n");

    // Stripes: one period only.
    std::vector<uint32_t> stripes(320 * 240);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            stripes[static_cast<size_t>(y) * 320 + x] = noise[static_cast<size_t>(y) * 320 + x % 29];
    EXPECT_EQ(classify(stripes.data(), 320, 240).group, "none");

    // One wrong pixel: the exact analysis of the twelve groups that must
    // hold pixel for pixel gives up, the robust one still names the group;
    // a hexagonal one, accepted at 97% agreement, stays exact.
    for (const wallpaper_case& c : {cases[20], cases[10], cases[32]}) {
        int w = 0, h = 0;
        std::vector<uint32_t> picture = picture_of(c, w, h);
        picture[static_cast<size_t>(h / 2 + 5) * w + w / 2 + 3] ^= 0x010101;
        const wallpaper_symmetry s = classify(picture.data(), w, h);
        EXPECT_EQ(s.group, c.group) << c.group << " with one wrong pixel";
        EXPECT_EQ(s.method, hexagonal(c) ? "exact" : "robust") << c.group << " with one wrong pixel";
    }
}

TEST(Symmetry, ReportsEveryElementOfTheCell)
{
    int w = 0, h = 0;
    const std::vector<uint32_t> picture = picture_of(cases[22], w, h);  // p4g on (40, 0) (0, 40)
    const std::string text = describe(classify(picture.data(), w, h));
    EXPECT_EQ(text.substr(0, text.find('\n')), "group: p4g");
    EXPECT_NE(text.find("\nlattice: (40, 0) (0, 40)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\norbifold: 4*2\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\ncheck: exact"), std::string::npos) << text;
    // p4g, the cell's corner on a 4-fold centre: mirrors on the diagonal
    // lines through the 2-fold centres (four segments in the cell), glides
    // along the axes halfway between (four) and on the cell's diagonals (two).
    int mirrors = 0, glides = 0;
    for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; ++at) {
        mirrors += text.compare(at + 1, 7, "mirror:") == 0;
        glides += text.compare(at + 1, 6, "glide:") == 0;
    }
    EXPECT_EQ(mirrors, 4) << text;
    EXPECT_EQ(glides, 6) << text;
}

void write_rgb_png(const std::string& path, const std::vector<uint32_t>& rgb, int w, int h)
{
    rgb_image image;
    image.w = w;
    image.h = h;
    image.rgb = rgb;
    write_png(path, image);
}

TEST(SymmetryTool, PrintsTheGroupAndDrawsTheElements)
{
    const std::string dir = fresh_dir("symmetry");
    int w = 0, h = 0;
    const std::vector<uint32_t> picture = picture_of(cases[12], w, h);
    write_rgb_png(dir + "/pmg.png", picture, w, h);
    const run_result r = run_command({program_path("symmetry"), dir + "/pmg.png", "--picture", dir + "/out.png"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "group: pmg");
    const rgb_image drawn = read_png(dir + "/out.png");
    ASSERT_EQ(drawn.w, w);
    const rgb_image plain = read_png(dir + "/pmg.png");
    EXPECT_NE(drawn.rgb, plain.rgb) << "no element drawn";
    fs::remove_all(dir);
}

TEST(SymmetryTool, RejectsBadInputWithOneLineAndStatusTwo)
{
    const std::string dir = fresh_dir("symmetry-bad");
    int w = 0, h = 0;
    const std::vector<uint32_t> picture = picture_of(cases[0], w, h);
    write_rgb_png(dir + "/good.png", picture, w, h);
    std::ofstream(dir + "/text.png") << "not a picture\n";
    {
        std::ifstream in(dir + "/good.png", std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream(dir + "/cut.png", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    }
    write_rgb_png(dir + "/large.png", std::vector<uint32_t>(4097 * 2, 0xffffff), 4097, 2);
    const struct { const char* file; const char* reason; } bad[] = {
        {"missing.png", "No such file"},
        {"text.png", "not a PNG file"},
        {"cut.png", "truncated or damaged"},
        {"large.png", "too large: 4097x2"},
    };
    for (const auto& b : bad) {
        const std::string path = dir + "/" + b.file;
        const run_result r = run_command({program_path("symmetry"), path, "--picture", dir + "/out.png"});
        EXPECT_EQ(r.status, 2) << b.file;
        EXPECT_TRUE(one_line_from("symmetry", r.err)) << r.err;
        EXPECT_NE(r.err.find(path + ": " + b.reason), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << b.file;
        EXPECT_FALSE(fs::exists(dir + "/out.png")) << b.file;
    }
    EXPECT_EQ(run_command({program_path("symmetry")}).status, 2);
    fs::remove_all(dir);
}

}  // namespace
