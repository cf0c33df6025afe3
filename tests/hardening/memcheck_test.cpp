// Every program under valgrind's memcheck, through the capture tool: no
// memory error and no byte definitely or indirectly lost, on the normal run
// and on the no-display failure path.
#include <capture.h>
#include <launcher.h>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> memcheck()
{
    return {"valgrind", "--tool=memcheck", "--quiet", "--error-exitcode=99", "--leak-check=full",
            "--show-leak-kinds=definite,indirect", "--errors-for-leak-kinds=definite,indirect",
            "--suppressions=" HARDENING_SUPPRESSIONS};
}

class Memcheck : public testing::TestWithParam<std::string> {};

// Timing mode: the capture tool hashes nothing, which under valgrind would
// take most of the time; the pictures are checked by the other runs.
TEST_P(Memcheck, WholeRunIsClean)
{
    const std::string program = GetParam();
    capture_options options;
    options.timing = true;
    options.timeout_seconds = 900;
    options.wrapper = memcheck();
    const captured_run c = run_program(program, options);
    EXPECT_EQ(c.status, 0) << c.stderr_text;
    EXPECT_EQ(c.stderr_text, "");
    EXPECT_EQ(static_cast<int>(c.stage_hashes.size()), golden_stage_count(program));
    if (!HasFailure())
        discard(c);
}

TEST_P(Memcheck, NoDisplayPathIsClean)
{
    const std::string program = GetParam();
    run_options options;
    options.timeout_seconds = 120;
    options.env = {"SDL_VIDEODRIVER=nosuchdriver", "-DISPLAY"};
    std::vector<std::string> argv = memcheck();
    argv.push_back(program_path(program));
    const run_result r = run_command(argv, options);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(one_line_from(program, r.err)) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Hardening, Memcheck, testing::ValuesIn(listed_programs()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
