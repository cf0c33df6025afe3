// Allocation failures in the queue programs, injected by the failing
// allocator (tools/failalloc), which counts the calls a program makes once
// SDL has started, whatever SDL itself allocates to start. Runs use
// --timing so that the capture tool allocates nothing while the program
// draws. (The checks every program shares are in tests/programs.)
#include <capture.h>
#include <launcher.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class QueueProgram : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
#ifdef HARDENING_SANITIZED
        GTEST_SKIP() << "the sanitizer's allocator cannot be replaced";
#endif
    }

    captured_run run_failing_after(long calls, const std::string& count_file = "")
    {
        capture_options options;
        options.timing = true;
        options.timeout_seconds = 60;
        options.wrapper = {"env", "LD_PRELOAD=" HARDENING_LIB_DIR "/libcapture_preload.so:" HARDENING_LIB_DIR
                                  "/libfailalloc.so"};
        if (calls >= 0)
            options.wrapper.push_back("FAILALLOC_AFTER=" + std::to_string(calls));
        if (!count_file.empty())
            options.wrapper.push_back("FAILALLOC_COUNT=" + count_file);
        captured_run c = run_program(GetParam(), options);
        discard(c);
        return c;
    }

    // The allocation calls of a whole run that fails nothing.
    long calls_of_a_whole_run()
    {
        const std::string dir = fresh_dir(GetParam() + "-count");
        const captured_run c = run_failing_after(-1, dir + "/count");
        std::ifstream in(dir + "/count");
        long calls = -1;
        in >> calls;
        fs::remove_all(dir);
        EXPECT_EQ(c.status, 0) << c.stderr_text;
        return calls;
    }
};

// Wherever the failure falls, the program ends with one line and status 1,
// or runs to the end when it falls after the last allocation. Tiles are
// queued one allocation each: a failure in the middle of the growth gives
// the queue's own message.
TEST_P(QueueProgram, FailureAtAnyAllocationEndsWithOneLineAndStatusOne)
{
    const std::string program = GetParam();
    const long total = calls_of_a_whole_run();
    ASSERT_GT(total, 400);  // hundreds of tiles
    const std::vector<long> growth = {total / 4, total / 2, 3 * total / 4};
    std::vector<long> points = growth;
    for (long after = 0; after <= total + 1; after += after < 32 ? 1 : 32)
        points.push_back(after);
    for (long after : points) {
        const captured_run c = run_failing_after(after);
        if (after >= total) {
            EXPECT_EQ(c.status, 0) << "after " << after << " calls: " << c.stderr_text;
            continue;
        }
        EXPECT_EQ(c.status, 1) << "after " << after << " calls: " << c.stderr_text;
        EXPECT_TRUE(one_line_from(program, c.stderr_text)) << "after " << after << " calls: " << c.stderr_text;
        if (std::find(growth.begin(), growth.end(), after) != growth.end()) {
            EXPECT_EQ(c.stderr_text, program + ": out of memory for the tile queue\n") << "after " << after;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Hardening, QueueProgram, testing::Values("quadrilateral_tiling", "quadrilateral_rings"),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
