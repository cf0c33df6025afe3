#include <capture.h>
#include <drawing.h>
#include <launcher.h>
#include <session.h>
#include <symmetry.h>

#include <gtest/gtest.h>
#include <walk.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

// A motif of no symmetry of its own: a freehand hook, a line and a disc
// near the middle of the canvas, of random colours and widths.
drawing random_drawing(const wallpaper_group& group, std::mt19937& random)
{
    drawing d{&group, {}};
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    stroke hook{stroke_tool::freehand, static_cast<uint32_t>(any(0, 0x7fffff)), 2 * any(1, 4) + 1, {}};
    int x = any(300, 500), y = any(200, 400);
    for (int k = 0; k < 12; ++k) {
        hook.points.push_back({x, y});
        x += any(2, 9), y += k < 6 ? any(-3, 3) : any(3, 8);
    }
    d.strokes.push_back(hook);
    d.strokes.push_back({stroke_tool::line, 0x2050c0, any(1, 3), {{x, y}, {x + any(-40, 40), y + any(10, 50)}}});
    d.strokes.push_back({stroke_tool::disc, 0x20a040, 1, {{any(300, 500), any(200, 400)}, {0, 0}}});
    d.strokes.back().points[1] = {d.strokes.back().points[0].x + any(4, 12), d.strokes.back().points[0].y};
    return d;
}

std::vector<uint32_t> screen_copy() { return save_window().pixels; }

}  // namespace

// Each group's drawing repeats under exactly that group's operations: the
// symmetry tool names it from the pixels, and its kind.
TEST(PatternDraw, DrawingUnderEachGroupIsThatGroup)
{
    open_offscreen();
    std::mt19937 random(29);
    std::vector<const wallpaper_group*> groups;
    for (const wallpaper_group& g : wallpaper_groups)
        groups.push_back(&g);
    for (const wallpaper_group& g : frieze_groups)
        groups.push_back(&g);
    for (int i = 0; i < rosette_count; ++i)
        groups.push_back(&rosette_groups()[i]);
    for (const wallpaper_group* g : groups) {
        const drawing d = random_drawing(*g, random);
        const std::vector<uint32_t> rgb = render_drawing(d, canvas_width, canvas_height);
        const wallpaper_symmetry found = classify(rgb.data(), canvas_width, canvas_height);
        // A motif alone, of no symmetry, is a picture of none.
        const std::string kind = std::string(g->name) == "C1" ? "none" : kind_of(*g);
        EXPECT_EQ(found.kind, kind) << g->name << " " << drawing_json(d);
        EXPECT_EQ(found.group, kind == "none" ? "none" : g->name) << drawing_json(d);
    }
}

// The pen is drawkit's disc set on every pixel of draw_line's walk: the
// reference stamps fill_circle along walk_4connected.
TEST(PatternDraw, PenIsDrawkitsDiscAlongTheWalk)
{
    open_offscreen();
    std::mt19937 random(17);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const Uint32 white = SDL_MapRGB(screen->format, 255, 255, 255);
    for (int r : {0, 1, 2, 3, 7, 12, 15}) {
        for (int trial = 0; trial < 6; ++trial) {
            stroke s{stroke_tool::freehand, 0x102030, 2 * r + 1, {{400, 300}}};
            for (int k = 0; k < any(0, 4); ++k)
                s.points.push_back({s.points.back().x + any(-12, 12), s.points.back().y + any(-12, 12)});
            const group_images images = images_of(*find_group("p1"));  // translates 130 pixels apart at least
            draw_drawing(images, {find_group("p1"), {s}}, 0, 0);
            const std::vector<uint32_t> drawn = screen_copy();
            SDL_FillRect(screen, nullptr, white);
            const Uint32 colour = SDL_MapRGB(screen->format, 0x10, 0x20, 0x30);
            auto stamp = [&](int x, int y) { r == 0 ? put_pixel(x, y, colour) : fill_circle(x, y, r, colour); };
            stamp(s.points[0].x, s.points[0].y);
            for (size_t k = 1; k < s.points.size(); ++k)
                walk_4connected(s.points[k - 1].x, s.points[k - 1].y, s.points[k].x, s.points[k].y, stamp);
            const std::vector<uint32_t> reference = screen_copy();
            int wrong = 0;
            for (int y = 300 - 64; y < 300 + 64; ++y)
                for (int x = 400 - 64; x < 400 + 64; ++x)
                    wrong += drawn[y * SCREEN_WIDTH + x] != reference[y * SCREEN_WIDTH + x];
            EXPECT_EQ(wrong, 0) << "radius " << r << ": " << drawing_json({find_group("p1"), {s}});
        }
    }
}

// A larger canvas is drawn window by window and repeats exactly by the
// seamless cell; its first 800x600 are the page's canvas, and a picture of
// one cell tiles it.
TEST(PatternDraw, LargerCanvasRepeatsExactly)
{
    open_offscreen();
    std::mt19937 random(7);
    for (const char* name : {"p6m", "cmm", "p2", "p31m"}) {
        const drawing d = random_drawing(*find_group(name), random);
        int cw = 0, ch = 0;
        seamless_cell(*d.group, cw, ch);
        const int w = 1900, h = 1500;
        const std::vector<uint32_t> big = render_drawing(d, w, h), page = render_drawing(d, 800, 600),
                                    cell = render_drawing(d, cw, ch);
        size_t wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint32_t p = big[static_cast<size_t>(y) * w + x];
                wrong += x + cw < w && big[static_cast<size_t>(y) * w + x + cw] != p;
                wrong += y + ch < h && big[static_cast<size_t>(y + ch) * w + x] != p;
                wrong += x < 800 && y < 600 && page[static_cast<size_t>(y) * 800 + x] != p;
                wrong += cell[static_cast<size_t>(y % ch) * cw + x % cw] != p;
            }
        EXPECT_EQ(wrong, 0u) << name << " cell " << cw << "x" << ch;
    }
    EXPECT_TRUE(render_drawing({find_group("p1"), {}}, 4097, 10).empty());
}

// Undo gives back the picture before, pixel for pixel, and redo the one
// after; a clear and a load are undone the same way; a failed load changes
// nothing.
TEST(PatternDraw, UndoRestoresThePictureExactly)
{
    open_offscreen();
    std::mt19937 random(3);
    draw_session s;
    session_start(s, *find_group("p4g"));
    session_set_overlays(s, true, true, true);
    std::vector<std::vector<uint32_t>> seen = {screen_copy()};
    for (const stroke& k : random_drawing(*find_group("p4g"), random).strokes) {
        session_begin(s, k.tool, k.rgb, k.width, k.points[0]);
        for (size_t i = 1; i < k.points.size(); ++i)
            session_move(s, k.points[i]);
        session_end(s);
        seen.push_back(screen_copy());
    }
    session_clear(s);
    EXPECT_EQ(screen_copy(), seen[0]);
    EXPECT_TRUE(session_undo(s));
    EXPECT_EQ(screen_copy(), seen.back());
    for (size_t k = seen.size() - 1; k-- > 0;) {
        EXPECT_TRUE(session_undo(s));
        EXPECT_EQ(screen_copy(), seen[k]) << "after undo back to " << k << " strokes";
    }
    EXPECT_FALSE(session_undo(s));
    for (size_t k = 1; k < seen.size(); ++k) {
        EXPECT_TRUE(session_redo(s));
        EXPECT_EQ(screen_copy(), seen[k]) << "after redo to " << k << " strokes";
    }
    // Drawn incrementally or at once: the same pixels.
    session_set_overlays(s, false, false, false);
    const std::vector<uint32_t> drawn = screen_copy();
    draw_drawing(s.images, s.current, 0, 0);
    EXPECT_EQ(screen_copy(), drawn);

    session_set_overlays(s, true, true, true);
    EXPECT_FALSE(session_load(s, "{\"format\": \"pattern_draw\", \"version\": 1}").empty());
    EXPECT_EQ(screen_copy(), seen.back());
    const std::string other = drawing_json(random_drawing(*find_group("p3"), random));
    EXPECT_EQ(session_load(s, other), "");
    EXPECT_STREQ(s.current.group->name, "p3");
    EXPECT_TRUE(session_undo(s));
    EXPECT_EQ(screen_copy(), seen.back());
    EXPECT_TRUE(session_redo(s));
    EXPECT_STREQ(s.current.group->name, "p3");
    EXPECT_FALSE(session_redo(s));
}

// The file round-trips; anything else is refused with a message that says
// what is wrong, and the drawing is left as it was.
TEST(PatternDraw, FileRoundTripsAndBadFilesAreRefused)
{
    std::mt19937 random(11);
    const drawing d = random_drawing(*find_group("pmg"), random);
    drawing back;
    ASSERT_EQ(parse_drawing(drawing_json(d), back), "");
    EXPECT_EQ(drawing_json(back), drawing_json(d));

    const std::string stroke_head = R"({"format": "pattern_draw", "version": 1, "group": "p2", "strokes": [)";
    const struct {
        std::string text, says;
    } bad[] = {
        {"", "not JSON"},
        {"{\"format\": \"pattern_draw\", \"version\": 1, \"group\": \"p2\", \"strokes\": [", "not JSON"},
        {"[1, 2]", "format"},
        {R"({"format": "other", "version": 1})", "format"},
        {R"({"format": "pattern_draw", "version": 2, "group": "p2", "strokes": []})", "version"},
        {R"({"format": "pattern_draw", "version": 1, "group": "p5", "strokes": []})", "group"},
        {R"({"format": "pattern_draw", "version": 1, "group": "p2"})", "strokes"},
        {stroke_head + R"({"tool": "spray", "colour": "#000000", "width": 1, "points": [[1, 2]]}]})", "stroke 1"},
        {stroke_head + R"({"tool": "line", "colour": "#00000g", "width": 1, "points": [[1, 2], [3, 4]]}]})", "colour"},
        {stroke_head + R"({"tool": "line", "colour": "#000000", "width": 0, "points": [[1, 2], [3, 4]]}]})", "width"},
        {stroke_head + R"({"tool": "disc", "colour": "#000000", "width": 1, "points": [[1, 2]]}]})", "two points"},
        {stroke_head + R"({"tool": "freehand", "colour": "#000000", "width": 1, "points": [[1, 2.5]]}]})", "point"},
        {stroke_head + R"({"tool": "freehand", "colour": "#000000", "width": 1, "points": [[1, 1e300]]}]})", "point"},
        {stroke_head + R"({"tool": "freehand", "colour": "#000000", "width": 1, "points": []}]})", "points"},
        {stroke_head + R"({"tool": "disc", "colour": "#000000", "width": 1, "points": [[0, 0], [1000, 1000]]}]})", "disc"},
    };
    for (const auto& b : bad) {
        drawing kept = d;
        const std::string message = parse_drawing(b.text, kept);
        EXPECT_NE(message.find(b.says), std::string::npos) << b.text << " -> " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        EXPECT_EQ(drawing_json(kept), drawing_json(d));
    }
}

// The command line renders what the page shows and refuses a bad file or
// bad arguments in one line with status 2.
TEST(PatternDraw, CommandLine)
{
    open_offscreen();
    const std::string dir = fresh_dir("pattern_draw");
    std::mt19937 random(5);
    const drawing d = random_drawing(*find_group("p6"), random);
    std::ofstream(dir + "/d.json") << drawing_json(d);
    std::ofstream(dir + "/bad.json") << "{\"format\": \"pattern_draw\"";
    const std::string tool = program_path("pattern_draw");
    run_result r = run_command({tool, dir + "/d.json", "-o", dir + "/d.png", "--cell", "--svg", dir + "/d.svg",
                                "--stages", dir});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const char* file : {"/d.png", "/d.svg", "/stage-1.png", "/stage-4.png"})
        EXPECT_TRUE(std::ifstream(dir + file).good()) << file;
    std::ifstream svg(dir + "/d.svg");
    const std::string text((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("<svg", 0), 0u);
    EXPECT_NE(text.find("<use"), std::string::npos);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{tool, dir + "/bad.json", "-o", dir + "/x.png"},
          {tool, dir + "/missing.json", "-o", dir + "/x.png"},
          {tool, dir + "/d.json", "-o", dir + "/x.png", "--group", "p7"},
          {tool, dir + "/d.json", "-o", dir + "/x.png", "--size", "5000x10"},
          {tool, dir + "/d.json"}}) {
        r = run_command(args);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_TRUE(one_line_from("pattern_draw", r.err) || r.err.rfind("usage:", 0) == 0) << r.err;
        EXPECT_FALSE(std::ifstream(dir + "/x.png").good());
    }
    std::filesystem::remove_all(dir);
}

// "Build it" makes wallpaper_group's stages: the motif alone inside the
// fundamental region, and before the elements a pattern of the group.
TEST(PatternDraw, BuildItMakesTheGroupsStages)
{
    open_offscreen();
    std::mt19937 random(13);
    for (const char* name : {"pg", "p4m", "p3"}) {
        const drawing d = random_drawing(*find_group(name), random);
        const std::vector<std::vector<uint32_t>> stages = build_stages(d);
        ASSERT_EQ(static_cast<int>(stages.size()), group_stage_count(*d.group)) << name;
        const std::vector<uint32_t>& whole = stages[stages.size() - 2];
        EXPECT_EQ(classify(whole.data(), SCREEN_WIDTH, SCREEN_HEIGHT).group, name);
    }
}
