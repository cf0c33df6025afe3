// Golden comparison: a picture that changes is caught and shown, and a
// missing, empty or broken golden file never passes.
#include <capture.h>
#include <golden.h>
#include <launcher.h>

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const std::string demo = CAPTURE_DEMO;

// Golden files and reference pictures in a scratch folder of this test.
class capture_golden : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::string(CAPTURE_TEST_DIR) + "/golden-" + std::to_string(getpid());
        fs::remove_all(dir);
        fs::create_directories(dir);
        setenv("CAPTURE_GOLDEN_DIR", dir.c_str(), 1);
        setenv("CAPTURE_REFERENCE_DIR", (dir + "/references").c_str(), 1);
        unsetenv("UPDATE_GOLDEN");
    }
    void TearDown() override
    {
        unsetenv("CAPTURE_GOLDEN_DIR");
        unsetenv("CAPTURE_REFERENCE_DIR");
    }
    void write_golden(const std::string& text) { std::ofstream(dir + "/demo.txt") << text; }
    std::string update(const captured_run& c)
    {
        setenv("UPDATE_GOLDEN", "1", 1);
        const std::string message = compare_with_golden("demo", c);
        unsetenv("UPDATE_GOLDEN");
        return message;
    }
    static captured_run run(long t)
    {
        capture_options o;
        o.fixed_time = t;
        return run_program(demo, o);
    }
    std::string dir;
};

TEST_F(capture_golden, MatchesAfterUpdateAndShowsAChangedStage)
{
    const captured_run good = run(42);
    ASSERT_EQ(good.status, 0);
    const std::string missing = compare_with_golden("demo", good);
    EXPECT_NE(missing.find("UPDATE_GOLDEN=1"), std::string::npos) << missing;

    EXPECT_EQ(update(good), "");
    EXPECT_EQ(compare_with_golden("demo", good), "");
    EXPECT_EQ(compare_with_golden("demo", run(42)), "");

    // Another seed changes the square of stage 3 only.
    const captured_run bad = run(43);
    const std::string message = compare_with_golden("demo", bad);
    EXPECT_NE(message.find("stage 3"), std::string::npos) << message;
    EXPECT_EQ(message.find("stage 1"), std::string::npos) << message;
    EXPECT_NE(message.find("10000 pixels changed, first at (500, 350)"), std::string::npos) << message;
    const rgb_image diff = read_png(bad.out_dir + "/diff-" + stage_file_name(3));
    ASSERT_EQ(diff.w, 800);
    EXPECT_EQ(diff.at(500, 350), rgb(255, 0, 255));
    EXPECT_EQ(diff.at(599, 449), rgb(255, 0, 255));
    EXPECT_NE(diff.at(499, 350), rgb(255, 0, 255));
    EXPECT_NE(diff.at(300, 100), bad.stages[2].at(300, 100));  // dimmed
    EXPECT_FALSE(fs::exists(bad.out_dir + "/diff-" + stage_file_name(1)));
}

TEST_F(capture_golden, ChecksFramesWhenTheFileHoldsThem)
{
    const captured_run good = run(5);
    ASSERT_EQ(good.status, 0);
    ASSERT_EQ(update(good), "");

    captured_run changed = good;
    changed.frame_hashes[1] ^= 1;
    const std::string message = compare_with_golden("demo", changed);
    EXPECT_NE(message.find("1 frames differ: 2"), std::string::npos) << message;
    changed.frame_hashes.pop_back();
    EXPECT_NE(compare_with_golden("demo", changed).find("expected 5 frames, got 4"), std::string::npos);

    // A file of stages alone ignores the frames.
    std::ifstream in(dir + "/demo.txt");
    std::string line, stages_only;
    while (std::getline(in, line))
        if (line.rfind("stage ", 0) == 0)
            stages_only += line + "\n";
    write_golden(stages_only);
    EXPECT_EQ(compare_with_golden("demo", changed), "");

    captured_run fewer = good;
    fewer.stage_hashes.pop_back();
    fewer.stages.pop_back();
    EXPECT_NE(compare_with_golden("demo", fewer).find("expected 3 stages, got 2"), std::string::npos);
}

TEST_F(capture_golden, NeverPassesOnABadFileOrAFailedRun)
{
    const captured_run good = run(5);
    ASSERT_EQ(good.status, 0);

    write_golden("# nothing but a comment\n");
    EXPECT_NE(compare_with_golden("demo", good).find("holds no stage"), std::string::npos);
    write_golden("stage 1 12345\n");
    EXPECT_NE(compare_with_golden("demo", good).find("malformed"), std::string::npos);
    write_golden("stage 2 0123456789abcdef\n");
    EXPECT_NE(compare_with_golden("demo", good).find("malformed"), std::string::npos);

    ASSERT_EQ(update(good), "");
    captured_run failed = good;
    failed.status = 134;
    EXPECT_NE(compare_with_golden("demo", failed).find("status 134"), std::string::npos);
    EXPECT_NE(update(failed), "");  // a failed run never becomes golden
    EXPECT_EQ(compare_with_golden("demo", good), "");

    // A changed stage without a kept reference picture is still reported.
    fs::remove_all(dir + "/references");
    captured_run changed = good;
    changed.stage_hashes[0] ^= 1;
    const std::string message = compare_with_golden("demo", changed);
    EXPECT_NE(message.find("stage 1"), std::string::npos) << message;
    EXPECT_NE(message.find("no reference picture"), std::string::npos) << message;
}

// capture --compare: the demo's own run, or a log written elsewhere, against
// a golden file; status 0 alike, 1 on a difference, 2 on bad usage.
TEST_F(capture_golden, CompareModeChecksARunOrAGivenLog)
{
    const captured_run good = run(fixed_clock);
    ASSERT_EQ(update(good), "");
    const std::string golden = dir + "/demo.txt", log = good.out_dir + "/log.txt";
    std::ofstream(dir + "/changed.txt") << "wait 1 0000000000000001\n";
    struct compare_case {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {{"--compare", golden, "--out", dir + "/run", demo}, 0, "same pictures as"},
        {{"--compare", golden, "--log", log}, 0, "(3 stages, 5 frames)"},
        {{"--compare", golden, "--time", "43", "--out", dir + "/run", demo}, 1, "stage 3: expected"},
        {{"--compare", golden, "--log", dir + "/changed.txt"}, 1, "expected 3 stages, got 1"},
        {{"--compare", golden, "--log", dir + "/missing.txt"}, 1, "cannot read the log"},
        {{"--compare", dir + "/none.txt", "--log", log}, 1, "no golden file"},
        {{"--compare", golden, "--out", dir + "/run", "/bin/false"}, 1, "nothing compared"},
        {{"--log", log}, 2, "--log needs --compare"},
        {{"--compare", golden, "--log", log, demo}, 2, "no program is run"},
        {{"--compare", golden, "--timing", demo}, 2, "--timing records no hashes"},
    };
    for (const compare_case& c : cases) {
        std::vector<std::string> argv = {CAPTURE_TOOL};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const run_result r = run_command(argv, {});
        EXPECT_EQ(r.status, c.status) << c.says << ": " << r.out << r.err;
        EXPECT_NE((r.out + r.err).find(c.says), std::string::npos) << c.says << ": " << r.out << r.err;
    }
}

// Where rand() is not glibc's, the terdragon's random generations compare by
// count alone; everything else, and every other program, still by hash.
TEST(golden_comparison, ForeignRandSparesOnlyTheRandomColours)
{
    golden_hashes golden;
    golden.stages = {100};
    golden.frames = {1, 2, 3, 4, 5, 6};
    capture_log random;
    random.waits = {900};
    random.frames = {1, 2, 3, 4, 50, 60};
    EXPECT_TRUE(golden_differences(golden, random, "terdragon_rosette", true).empty());
    EXPECT_EQ(golden_differences(golden, random, "terdragon_rosette", false).size(), 2u);
    EXPECT_EQ(golden_differences(golden, random, "p2_wallpaper", true).size(), 2u);

    capture_log early = random;
    early.frames[3] = 40;
    ASSERT_EQ(golden_differences(golden, early, "terdragon_rosette", true).size(), 1u);
    EXPECT_EQ(golden_differences(golden, early, "terdragon_rosette", true)[0].text.find("1 frames differ: 4"), 0u);
    capture_log fewer = random;
    fewer.frames.pop_back();
    EXPECT_EQ(golden_differences(golden, fewer, "terdragon_rosette", true)[0].text, "expected 6 frames, got 5");
}

}  // namespace
