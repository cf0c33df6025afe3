// Hardening checks of every program, run as users run them: a small stack,
// noisy and closing answers at every wait, no usable display, and (in the
// queue programs) allocations that fail.
#include "runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class EveryProgram : public testing::TestWithParam<std::string> {};

// Every fill and growth works on heap stacks: 256 KiB of thread stack is
// plenty, and the pictures are the golden ones.
TEST_P(EveryProgram, SamePicturesOnA256KiBStack)
{
    const std::string program = GetParam();
    RunOptions options;
    options.stack_kib = 256;
    const Capture c = capture_program(program, {}, {}, options);
    ASSERT_EQ(c.status, 0) << c.stderr_text;
    EXPECT_EQ(compare_with_golden(program, c), "");
    if (!HasFailure())
        discard(c);
}

// Mouse motion, key release, focus and expose events before the key at
// every wait change nothing; a close request at every wait still leads
// through every stage to status 0.
TEST_P(EveryProgram, NoiseAndCloseRequestsAtEveryWaitKeepThePictures)
{
    const std::string program = GetParam();
    for (const char* answer : {"noise", "quit"}) {
        const Capture c = capture_program(program, {"--answer", answer});
        ASSERT_EQ(c.status, 0) << answer << ": " << c.stderr_text;
        EXPECT_EQ(c.stderr_text, "") << answer;
        EXPECT_EQ(compare_with_golden(program, c), "") << answer;
        if (!HasFailure())
            discard(c);
    }
}

// No display and no dummy driver: one line on stderr, status 1, nothing on
// stdout and no file written anywhere the program could write.
TEST_P(EveryProgram, UnknownVideoDriverGivesOneLineAndStatusOne)
{
    const std::string program = GetParam();
    const std::string home = fresh_dir(program + "-nodisplay");
    RunOptions options;
    options.cwd = home;
    options.timeout_seconds = 60;
    options.env = {"SDL_VIDEODRIVER=nosuchdriver", "-DISPLAY", "HOME=" + home, "TMPDIR=" + home};
    const RunResult r = run_command({bin_path(program)}, options);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(one_line_from(program, r.err)) << r.err;
    EXPECT_EQ(r.err.rfind(program + ": cannot ", 0), 0u) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(fs::is_empty(home)) << "files written in " << home;
    if (!HasFailure())
        fs::remove_all(home);
}

INSTANTIATE_TEST_SUITE_P(Hardening, EveryProgram, testing::ValuesIn(all_programs()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

// Allocation failures injected by the failing allocator, preloaded after
// the capture tool's library. Runs use --timing so that the capture tool
// itself allocates nothing while the program draws.
class QueueProgram : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
#ifdef HARDENING_SANITIZED
        GTEST_SKIP() << "the sanitizer's allocator cannot be replaced";
#endif
    }

    RunResult run_failing_after(long calls, const std::string& count_file = "")
    {
        std::string env_preload = "LD_PRELOAD=" + lib_path("libcapture_preload.so") + ":" +
                                  lib_path("libfailalloc.so");
        std::vector<std::string> argv = {bin_path("capture"), "--timing", "--timeout", "60", "--",
                                         "env", env_preload};
        if (calls >= 0)
            argv.push_back("FAILALLOC_AFTER=" + std::to_string(calls));
        if (!count_file.empty())
            argv.push_back("FAILALLOC_COUNT=" + count_file);
        argv.push_back(bin_path(GetParam()));
        RunOptions options;
        options.timeout_seconds = 90;
        return run_command(argv, options);
    }

    // The allocation calls of a whole run that fails nothing.
    long calls_of_a_whole_run()
    {
        const std::string dir = fresh_dir(GetParam() + "-count");
        const RunResult r = run_failing_after(-1, dir + "/count");
        std::ifstream in(dir + "/count");
        long calls = -1;
        in >> calls;
        fs::remove_all(dir);
        EXPECT_EQ(r.status, 0) << r.err;
        return calls;
    }
};

// Tiles are queued one allocation each: a failure in the middle of the
// growth ends the program with the queue's own message.
TEST_P(QueueProgram, FailureWhileGrowingTheQueueGivesItsMessageAndStatusOne)
{
    const std::string program = GetParam();
    const long total = calls_of_a_whole_run();
    ASSERT_GT(total, 400);  // hundreds of tiles
    for (long after : {total / 4, total / 2, 3 * total / 4}) {
        const RunResult r = run_failing_after(after);
        EXPECT_EQ(r.status, 1) << "after " << after << " calls: " << r.err;
        EXPECT_EQ(r.err, program + ": out of memory for the tile queue\n") << "after " << after;
    }
}

// Wherever the failure falls, the program ends with one line and status 1
// (or runs to the end when it falls after the last allocation). Only SDL's
// own start-up, before it has opened anything, may crash: it cleans up
// badly after its video start-up fails; no code of ours runs then.
TEST_P(QueueProgram, FailureAtAnyAllocationEndsWithOneLine)
{
    const std::string program = GetParam();
    const long total = calls_of_a_whole_run();
    ASSERT_GT(total, 0);
    long first_window_failure = -1;
    std::vector<long> crashes;
    for (long after = 0; after <= total + 1; after += after < 64 ? 1 : 16) {
        const RunResult r = run_failing_after(after);
        if (after >= total) {
            EXPECT_EQ(r.status, 0) << "after " << after << " calls: " << r.err;
            continue;
        }
        if (r.status >= 128) {
            crashes.push_back(after);
            continue;
        }
        EXPECT_EQ(r.status, 1) << "after " << after << " calls: " << r.err;
        EXPECT_TRUE(one_line_from(program, r.err)) << "after " << after << " calls: " << r.err;
        if (first_window_failure < 0 && r.err.find("cannot open the 800x600 window") != std::string::npos)
            first_window_failure = after;
    }
    ASSERT_GE(first_window_failure, 0) << "no failure hit the window's allocations";
    for (long after : crashes)
        EXPECT_LT(after, first_window_failure) << "crash with a failure after " << after << " calls";
}

INSTANTIATE_TEST_SUITE_P(Hardening, QueueProgram,
                         testing::Values("quadrilateral_tiling", "quadrilateral_rings"),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
