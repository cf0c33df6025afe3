// The gallery renderer: stage pictures, the site's pages, and animations whose
// every frame, played back, is the frame the capture tool records.
#include <capture.h>
#include <gif_playback.h>
#include <launcher.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// CTest runs each test in a process of its own, two at a time: one folder each.
const fs::path out = GALLERY_TEST_DIR "-" + std::to_string(getpid());

std::string read_file(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// One gallery run shared by the tests: an animation with random colours,
// one grown tile by tile, a still program of two stages, and an entry that
// runs its program with an argument.
class Gallery : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        fs::remove_all(out);
        fs::create_directories(out);
        const run_result r = run_command({GALLERY_TOOL, "--out", (out / "g").string(), "--thumbs",
                                         (out / "thumbs").string(), "--captions", DRAWKIT_SOURCE_DIR "/docs/captions",
                                         "terdragon_rosette", "recursive_convex_tiling", "p2_wallpaper",
                                         "wallpaper_group_p4g"});
        std::ofstream(out / "log") << r.out << r.err;
        status = r.status;
    }
    // Kept when something failed, to look at.
    static void TearDownTestSuite()
    {
        if (!::testing::UnitTest::GetInstance()->current_test_suite()->Failed())
            fs::remove_all(out);
    }
    static int status;
};
int Gallery::status = -1;

// Every frame of a GIF as the viewer shows it, with its delay.
std::vector<rgb_image> play(const fs::path& path, std::vector<int>& delays)
{
    std::vector<rgb_image> frames;
    rgb_image canvas;
    play_gif(path, canvas.w, canvas.h, [&](int, const std::vector<unsigned char>& bytes, int delay) {
        canvas.rgb.resize(bytes.size() / 3);
        for (size_t i = 0; i < canvas.rgb.size(); ++i)
            canvas.rgb[i] = rgb(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]);
        frames.push_back(canvas);
        delays.push_back(delay);
    });
    return frames;
}

TEST_F(Gallery, WritesEveryStageAndAPageWhoseImagesAllExist)
{
    ASSERT_EQ(status, 0) << read_file(out / "log");
    EXPECT_TRUE(fs::exists(out / "g/p2_wallpaper" / stage_file_name(2)));
    EXPECT_FALSE(fs::exists(out / "g/p2_wallpaper" / stage_file_name(3)));
    EXPECT_FALSE(fs::exists(out / "g/p2_wallpaper/animation.gif")) << "a still program gets no animation";
    EXPECT_TRUE(fs::exists(out / "g/terdragon_rosette/animation.gif"));

    // The index: one card per program; each program page: one picture per
    // stage and per animation. Every picture a page names exists.
    const std::regex source("src=\"([^\"]+)\"");
    auto pictures = [&](const fs::path& page) {
        const std::string text = read_file(page);
        int n = 0;
        for (auto m = std::sregex_iterator(text.begin(), text.end(), source); m != std::sregex_iterator(); ++m, ++n)
            EXPECT_TRUE(fs::exists(page.parent_path() / (*m)[1].str())) << page << ": " << (*m)[1].str();
        return n;
    };
    EXPECT_EQ(pictures(out / "g/index.html"), 4);
    EXPECT_EQ(pictures(out / "g/terdragon_rosette/index.html"), 1 + 1);
    EXPECT_EQ(pictures(out / "g/recursive_convex_tiling/index.html"), 1 + 1);
    EXPECT_EQ(pictures(out / "g/p2_wallpaper/index.html"), 2);
    const std::string page = read_file(out / "g/p2_wallpaper/index.html");
    std::ifstream captions(DRAWKIT_SOURCE_DIR "/docs/captions/p2_wallpaper.txt");
    for (std::string line; std::getline(captions, line);)
        EXPECT_NE(page.find(line), std::string::npos) << "caption missing from the page: " << line;

    for (const char* name : {"terdragon_rosette", "recursive_convex_tiling", "p2_wallpaper", "wallpaper_group_p4g"}) {
        rgb_image thumb = read_png((out / "thumbs" / (std::string(name) + ".png")).string());
        EXPECT_EQ(thumb.w, 400) << name;
        EXPECT_EQ(thumb.h, 300) << name;
    }
}

// programs.json, what the browser tests and the benchmark read: every listed
// program in order, the stills of those rendered, none of the others, and
// the one program coloured at random.
TEST_F(Gallery, ManifestListsEveryProgramAndTheStillsRendered)
{
    ASSERT_EQ(status, 0) << read_file(out / "log");
    const std::string manifest = read_file(out / "g/programs.json");
    const std::regex entry("\\{\"name\": \"([A-Za-z0-9_]+)\", \"program\": \"[a-z0-9_]+\", \"argument\": \"[A-Za-z0-9_]*\", "
                           "\"frame_ms\": [0-9]+, "
                           "\"first_random_frame\": ([0-9]+), \"stills\": \\[([^\\]]*)\\]\\}");
    std::vector<std::string> names;
    for (auto m = std::sregex_iterator(manifest.begin(), manifest.end(), entry); m != std::sregex_iterator(); ++m) {
        const std::string name = (*m)[1], stills = (*m)[3];
        names.push_back(name);
        EXPECT_EQ((*m)[2] != "0", name == "terdragon_rosette") << name;
        if (name == "p2_wallpaper") {
            EXPECT_EQ(stills, "\"" + stage_file_name(1) + "\", \"" + stage_file_name(2) + "\"");
        } else if (name != "terdragon_rosette" && name != "recursive_convex_tiling" && name != "wallpaper_group_p4g") {
            EXPECT_EQ(stills, "") << name << " was not rendered";
        }
    }
    EXPECT_EQ(names, listed_programs());
    EXPECT_NE(manifest.find("{\"name\": \"wallpaper_group_p4g\", \"program\": \"wallpaper_group\", \"argument\": \"p4g\", "),
              std::string::npos);
}

// An entry with an argument: its stills and page under its id, run with its
// argument (its stages are those of its golden file), and its card in the
// section of the wallpaper groups with the group's three names.
TEST_F(Gallery, AnEntryWithAnArgumentHasItsFolderPageAndGroupCard)
{
    ASSERT_EQ(status, 0) << read_file(out / "log");
    const int stages = golden_stage_count("wallpaper_group_p4g");
    ASSERT_GT(stages, 0);
    EXPECT_TRUE(fs::exists(out / "g/wallpaper_group_p4g" / stage_file_name(stages)));
    EXPECT_FALSE(fs::exists(out / "g/wallpaper_group_p4g" / stage_file_name(stages + 1)));
    EXPECT_TRUE(fs::exists(out / "g/wallpaper_group_p4g/index.html"));
    const std::string index = read_file(out / "g/index.html");
    const size_t section = index.find("<section id=\"group\">\n<h2>The seventeen wallpaper groups</h2>");
    ASSERT_NE(section, std::string::npos) << index;
    const size_t card = index.find("href=\"wallpaper_group_p4g/\"", section);
    ASSERT_NE(card, std::string::npos);
    EXPECT_NE(index.find("full name p4gm, orbifold 4*2", card), std::string::npos);
    EXPECT_NE(index.find("<table class=\"chart\">", section), std::string::npos);
}

TEST_F(Gallery, AnimationsPlayBackEveryCapturedFrame)
{
    ASSERT_EQ(status, 0) << read_file(out / "log");
    for (const char* name : {"terdragon_rosette", "recursive_convex_tiling"}) {
        const captured_run& c = recorded_run(name);
        ASSERT_EQ(c.status, 0) << c.stderr_text;
        std::vector<int> delays;
        std::vector<rgb_image> frames = play(out / "g" / name / "animation.gif", delays);
        ASSERT_EQ(frames.size(), c.frame_hashes.size()) << name;
        for (size_t i = 0; i < frames.size(); ++i)
            EXPECT_EQ(image_hash(frames[i]), c.frame_hashes[i]) << name << " frame " << i + 1;
        // Frames in motion show for the list's frame_ms; the last one, a
        // stage, is held.
        EXPECT_EQ(delays.back(), 300) << name;
        EXPECT_EQ(delays.front() * 10, name == std::string("terdragon_rosette") ? 500 : 100) << name;
    }
}

} // namespace
