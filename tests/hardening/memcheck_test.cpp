// Every program under valgrind's memcheck, through the capture tool: no
// memory error and no byte definitely or indirectly lost, on the normal run
// and on the no-display failure path.
#include <capture.h>
#include <launcher.h>
#include <program_list.h>

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
    const std::vector<std::string> command = program_command(program);
    argv.insert(argv.end(), command.begin(), command.end());
    const run_result r = run_command(argv, options);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(one_line_from(program_title(program), r.err)) << r.err;
}

// Every entry of the list, but of the seventeen wallpaper groups (kind
// "group", one program) only three that between them use every kind of
// operation its construction has: p4g (quarter-turns, mirrors and glides off
// the centres), p31m (thirds, mirrors through some centres only) and p6m
// (sixths, mirrors through every centre). Memcheck makes a run some fifty
// times slower, the other fourteen run the same construction on other rows
// of its table of groups, and the sanitizer build checks all seventeen. The
// frieze and rosette groups run that construction too: of them only p2mg
// (a strip, a half-turn, a mirror, glides among its elements) and D7 (turns
// off the pixel grid, mirrors, a centre of order 7).
std::vector<std::string> memchecked_programs()
{
    std::string error;
    std::vector<std::string> ids;
    for (const listed_program& p : read_program_list(program_list_path(), error))
        if ((p.kind != "group" && p.kind != "frieze" && p.kind != "rosette") || p.argument == "p4g" ||
            p.argument == "p31m" || p.argument == "p6m" || p.id == "frieze_group_p2mg" || p.id == "rosette_group_D7")
            ids.push_back(p.id);
    return ids;
}

INSTANTIATE_TEST_SUITE_P(Hardening, Memcheck, testing::ValuesIn(memchecked_programs()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
