// The capture tool on its own small program: what it records, how it
// answers the waits, and how it reports programs that fail.
#include <capture.h>
#include <drawkit.h>
#include <launcher.h>

#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const std::string demo = CAPTURE_DEMO;

capture_options fixed(long t, wait_answer answer = wait_answer::key)
{
    capture_options o;
    o.answer = answer;
    o.fixed_time = t;
    o.timeout_seconds = 30;
    return o;
}

// The colour the demo draws in stage 3 after srand(seed).
uint32_t demo_colour(unsigned seed)
{
    srand(seed);
    const int r = rand() % 256;
    const int g = rand() % 256;
    const int b = rand() % 256;
    return rgb(r, g, b);
}

// Runs the capture tool with these arguments; returns its exit status and
// leaves its stdout and stderr in `output`.
int run_tool(const std::vector<std::string>& args, std::string& output, const run_options& options = {})
{
    std::vector<std::string> argv = {CAPTURE_TOOL};
    argv.insert(argv.end(), args.begin(), args.end());
    const run_result r = run_command(argv, options);
    output = r.out + r.err;
    return r.status;
}

// The names the capture format gives its files and answers, as documented
// (tools/capture/README.md) and as scripts and pages expect them.
TEST(capture_format, NamesFilesAndAnswersAsDocumented)
{
    EXPECT_EQ(stage_file_name(1), "stage-01.png");
    EXPECT_EQ(stage_file_name(12), "stage-12.png");
    EXPECT_EQ(stage_file_name(100), "stage-100.png");
    EXPECT_EQ(frame_file_name(7), "frame-0007.png");
    EXPECT_EQ(hash_text(0x64d84f55e93b9825ull), "64d84f55e93b9825");
    EXPECT_EQ(hash_text(1), "0000000000000001");
    for (const wait_answer a : {wait_answer::key, wait_answer::quit, wait_answer::noise, wait_answer::error}) {
        wait_answer parsed = wait_answer::key;
        EXPECT_TRUE(parse_wait_answer(wait_answer_name(a), parsed)) << wait_answer_name(a);
        EXPECT_EQ(parsed, a) << wait_answer_name(a);
    }
    wait_answer unchanged = wait_answer::quit;
    EXPECT_FALSE(parse_wait_answer("keys", unchanged));
    EXPECT_EQ(unchanged, wait_answer::quit);
}

TEST(capture_run, RecordsEveryStageAndFrame)
{
    capture_options o = fixed(42);
    o.frames = true;
    const captured_run c = run_program(demo, o);
    ASSERT_EQ(c.status, 0) << c.stderr_text;
    EXPECT_EQ(c.stderr_text, "");
    ASSERT_EQ(c.stage_hashes.size(), 3u);
    ASSERT_EQ(c.frame_hashes.size(), 5u);
    ASSERT_EQ(c.stages.size(), 3u);

    // Each stage is the frame presented just before its wait.
    EXPECT_EQ(c.stage_hashes[0], c.frame_hashes[0]);
    EXPECT_EQ(c.stage_hashes[1], c.frame_hashes[3]);
    EXPECT_EQ(c.stage_hashes[2], c.frame_hashes[4]);
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(c.stages[i].w, 800);
        ASSERT_EQ(c.stages[i].h, 600);
        EXPECT_EQ(image_hash(c.stages[i]), c.stage_hashes[i]) << "stage " << i + 1;
    }
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(image_hash(c.frame(n)), c.frame_hashes[n - 1]) << "frame " << n;

    const rgb_image& s1 = c.stages[0];
    EXPECT_EQ(s1.at(0, 0), rgb(0, 0, 0));
    EXPECT_EQ(s1.at(799, 300), rgb(0, 0, 0));
    EXPECT_EQ(s1.at(1, 1), rgb(255, 255, 255));
    EXPECT_EQ(s1.at(100, 100), rgb(255, 0, 0));
    EXPECT_EQ(s1.at(199, 199), rgb(255, 0, 0));
    EXPECT_EQ(s1.at(200, 199), rgb(255, 255, 255));
    EXPECT_EQ(s1.at(300, 100), rgb(255, 255, 255));

    // The mid-stage frames show the bars one by one.
    const rgb_image f2 = c.frame(2);
    const rgb_image f3 = c.frame(3);
    EXPECT_EQ(f2.at(300, 100), rgb(0, 0, 205));
    EXPECT_EQ(f2.at(340, 100), rgb(255, 255, 255));
    EXPECT_EQ(f3.at(340, 100), rgb(0, 0, 205));
    EXPECT_EQ(f3.at(380, 100), rgb(255, 255, 255));
    EXPECT_EQ(c.stages[1].at(409, 299), rgb(0, 0, 205));

    EXPECT_EQ(c.stages[2].at(500, 350), demo_colour(42));
    EXPECT_EQ(c.stages[2].at(599, 449), demo_colour(42));
}

TEST(capture_run, EveryAnswerGivesTheSamePictures)
{
    const captured_run key = run_program(demo, fixed(7));
    ASSERT_EQ(key.status, 0) << key.stderr_text;
    ASSERT_EQ(key.stage_hashes.size(), 3u);
    for (wait_answer a : {wait_answer::quit, wait_answer::noise, wait_answer::error}) {
        const captured_run c = run_program(demo, fixed(7, a));
        EXPECT_EQ(c.status, 0) << c.stderr_text;
        EXPECT_EQ(c.stage_hashes, key.stage_hashes) << "answer " << static_cast<int>(a);
        EXPECT_EQ(c.frame_hashes, key.frame_hashes) << "answer " << static_cast<int>(a);
    }
    // Without --frames only the stages are kept as pictures.
    EXPECT_FALSE(std::filesystem::exists(key.out_dir + "/frame-0001.png"));
}

TEST(capture_run, FixedTimeFixesTheRandomColours)
{
    const captured_run a = run_program(demo, fixed(1000));
    const captured_run b = run_program(demo, fixed(1000));
    const captured_run other = run_program(demo, fixed(1001));
    ASSERT_EQ(a.stages.size(), 3u);
    ASSERT_EQ(other.stages.size(), 3u);
    EXPECT_EQ(a.stage_hashes, b.stage_hashes);
    EXPECT_EQ(a.stages[2].at(550, 400), demo_colour(1000));
    EXPECT_EQ(other.stages[2].at(550, 400), demo_colour(1001));
    EXPECT_NE(a.stage_hashes[2], other.stage_hashes[2]);
    EXPECT_EQ(a.stage_hashes[1], other.stage_hashes[1]);
}

TEST(capture_run, ReportsACrashWithItsSignal)
{
    capture_options o = fixed(1);
    o.env = {"CAPTURE_DEMO_MODE=crash"};
    const captured_run c = run_program(demo, o);
    EXPECT_EQ(c.status, 128 + SIGABRT);
    EXPECT_NE(c.stderr_text.find("capture: " + demo + " crashed: signal 6 (SIGABRT)"), std::string::npos)
        << c.stderr_text;
    // What was shown before the crash is kept.
    EXPECT_EQ(c.stage_hashes.size(), 1u);
    EXPECT_EQ(c.frame_hashes.size(), 1u);
}

TEST(capture_run, KillsAHangingProgramWithItsChildren)
{
    const std::string pid_file = std::string(CAPTURE_TEST_DIR) + "/hang-child.pid";
    std::filesystem::create_directories(CAPTURE_TEST_DIR);
    std::filesystem::remove(pid_file);
    capture_options o = fixed(1);
    o.timeout_seconds = 1;
    o.env = {"CAPTURE_DEMO_MODE=hang", "CAPTURE_DEMO_PIDFILE=" + pid_file};
    const captured_run c = run_program(demo, o);
    EXPECT_EQ(c.status, 124);
    EXPECT_NE(c.stderr_text.find("capture: " + demo + " hung: killed after 1 s"), std::string::npos)
        << c.stderr_text;

    int child = 0;
    std::ifstream(pid_file) >> child;
    ASSERT_GT(child, 0);
    // Gone, or a zombie waiting to be reaped: never still running.
    std::ifstream stat("/proc/" + std::to_string(child) + "/stat");
    std::string pid, comm, state;
    if (stat >> pid >> comm >> state) {
        EXPECT_EQ(state, "Z");
    }
}

TEST(capture_run, StopsAProgramThatIgnoresItsAnswers)
{
    capture_options o = fixed(1);
    o.env = {"CAPTURE_DEMO_MODE=deaf"};
    const captured_run c = run_program(demo, o);
    EXPECT_EQ(c.status, 128 + SIGABRT);
    EXPECT_NE(c.stderr_text.find("ignores"), std::string::npos) << c.stderr_text;
    EXPECT_LE(c.stage_hashes.size(), 110u);
}

TEST(capture_run, FailedStartUpGivesOneLineAndStatusOne)
{
    capture_options o = fixed(1);
    o.env = {"SDL_VIDEODRIVER=nosuchdriver"};
    const captured_run c = run_program(demo, o);
    EXPECT_EQ(c.status, 1);
    EXPECT_EQ(c.stderr_text.rfind("capture_demo: cannot ", 0), 0u) << c.stderr_text;
    ASSERT_FALSE(c.stderr_text.empty());
    EXPECT_EQ(c.stderr_text.find('\n'), c.stderr_text.size() - 1) << c.stderr_text;
    EXPECT_TRUE(c.stage_hashes.empty());
}

TEST(capture_tool, CommandLine)
{
    std::string out;
    EXPECT_EQ(run_tool({"--help"}, out), 0);
    EXPECT_NE(out.find("usage: capture"), std::string::npos);
    EXPECT_EQ(run_tool({"--answer", "maybe", "/bin/true"}, out), 2);
    EXPECT_NE(out.find("unknown answer"), std::string::npos);
    EXPECT_EQ(run_tool({"--time", "soon", "/bin/true"}, out), 2);
    EXPECT_EQ(run_tool({"--bogus", "/bin/true"}, out), 2);
    EXPECT_EQ(run_tool({"--timing"}, out), 2);

    // The program's own status passes through; arguments reach it.
    EXPECT_EQ(run_tool({"--timing", "/bin/sh", "-c", "exit 7"}, out), 7);
    EXPECT_EQ(run_tool({"--timing", "/nonexistent/program"}, out), 127);
    EXPECT_NE(out.find("capture: cannot start /nonexistent/program"), std::string::npos) << out;
    EXPECT_EQ(run_tool({"--timing", "/bin/sh", "-c", "kill -SEGV $$"}, out), 128 + SIGSEGV);
    EXPECT_NE(out.find("signal 11 (SIGSEGV)"), std::string::npos) << out;
    EXPECT_EQ(run_tool({"--timing", "--timeout", "0.2", "/bin/sleep", "5"}, out), 124);
    run_options missing_preload;
    missing_preload.env = {"CAPTURE_PRELOAD=/nonexistent.so"};
    EXPECT_EQ(run_tool({"--timing", "/bin/true"}, out, missing_preload), 127);
}

TEST(capture_tool, TimingModeKeepsNoPictures)
{
    const std::string dir = std::string(CAPTURE_TEST_DIR) + "/timing";
    std::filesystem::remove_all(dir);
    std::string out;
    ASSERT_EQ(run_tool({"--timing", "--out", dir, demo}, out), 0) << out;
    std::ifstream log(dir + "/log.txt");
    std::ostringstream text;
    text << log.rdbuf();
    EXPECT_EQ(text.str(), "frame 1\nwait 1\nframe 2\nframe 3\nframe 4\nwait 2\nframe 5\nwait 3\n");
    EXPECT_FALSE(std::filesystem::exists(dir + "/" + stage_file_name(1)));
}

// The key wait discards everything but a key press or a close request,
// which is what the noise answer relies on.
TEST(capture_wait_for_key, SkipsOtherEventsAndConsumesThem)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Event e;
    const Uint8 noise[] = {SDL_KEYUP, SDL_MOUSEMOTION, SDL_ACTIVEEVENT, SDL_KEYDOWN};
    for (Uint8 type : noise) {
        std::memset(&e, 0, sizeof e);
        e.type = type;
        ASSERT_EQ(SDL_PushEvent(&e), 0);
    }
    EXPECT_EQ(wait_for_key(), 0);
    EXPECT_EQ(SDL_PollEvent(&e), 0);

    std::memset(&e, 0, sizeof e);
    e.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    EXPECT_EQ(wait_for_key(), 1);
    SDL_Quit();
}

}  // namespace
