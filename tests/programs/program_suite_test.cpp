// The program suite: every program of docs/programs.tsv, run as users run
// it, checked the same way. Each property is checked once per program:
// - the recorded run (key answers, the fixed clock, a 256 KiB stack) ends
//   with status 0, prints nothing, and shows the golden stages and frames;
//   frames shown in the middle of a stage exactly when the list paces some;
// - a close request, noise before the key, or a failing event wait at every
//   wait shows the same pictures and ends with status 0;
// - with no usable display: one line, status 1, nothing written.
// The README's table names the entries of the list, in order.
#include <captions.h>
#include <capture.h>
#include <launcher.h>
#include <program_list.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace fs = std::filesystem;

namespace {

class EveryProgram : public testing::TestWithParam<std::string> {};

TEST_P(EveryProgram, RecordedRunShowsTheGoldenPicturesOnA256KiBStack)
{
    const std::string program = GetParam();
    const captured_run& c = recorded_run(program);
    ASSERT_EQ(c.status, 0) << c.stderr_text;
    EXPECT_EQ(c.stderr_text, "");
    EXPECT_EQ(compare_with_golden(program, c), "");

    std::string error;
    const std::vector<listed_program> list = read_program_list(program_list_path(), error);
    const listed_program* listed = find_program(list, program);
    ASSERT_NE(listed, nullptr) << error;
    EXPECT_EQ(listed->frame_ms > 0, c.frame_hashes.size() > c.stage_hashes.size())
        << "frame_ms " << listed->frame_ms << " in the list, " << c.frame_hashes.size() << " frames for "
        << c.stage_hashes.size() << " stages";
}

// Hashes only: the recorded run holds the pictures.
TEST_P(EveryProgram, EveryOtherAnswerShowsTheSamePictures)
{
    const std::string program = GetParam();
    for (wait_answer answer : {wait_answer::quit, wait_answer::noise, wait_answer::error}) {
        capture_options options;
        options.answer = answer;
        const captured_run c = run_program(program, options);
        const int kind = static_cast<int>(answer);
        ASSERT_EQ(c.status, 0) << "answer " << kind << ": " << c.stderr_text;
        EXPECT_EQ(c.stderr_text, "") << "answer " << kind;
        EXPECT_EQ(c.stage_hashes, recorded_run(program).stage_hashes) << "answer " << kind;
        EXPECT_EQ(c.frame_hashes, recorded_run(program).frame_hashes) << "answer " << kind;
        if (!HasFailure())
            discard(c);
    }
}

// No display and no dummy driver: one line on stderr, status 1, nothing on
// stdout and no file written anywhere the program could write.
TEST_P(EveryProgram, WithoutADisplayPrintsOneLineAndEndsWithStatusOne)
{
    const std::string program = GetParam();
    const std::string home = fresh_dir(program + "-nodisplay");
    run_options options;
    options.cwd = home;
    options.timeout_seconds = 60;
    options.env = {"SDL_VIDEODRIVER=nosuchdriver", "-DISPLAY", "HOME=" + home, "TMPDIR=" + home};
    const run_result r = run_command(program_command(program), options);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(one_line_from(program_title(program), r.err)) << r.err;
    EXPECT_EQ(r.err.rfind(program_title(program) + ": cannot ", 0), 0u) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(fs::is_empty(home)) << "files written in " << home;
    if (!HasFailure())
        fs::remove_all(home);
}

INSTANTIATE_TEST_SUITE_P(Programs, EveryProgram, testing::ValuesIn(listed_programs()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

// The README's table lists the entries of the list, in order, each with the
// stage count of its golden pictures and of its captions, and its picture:
// a program listed once per argument has a row per entry.
TEST(ProgramList, ReadmeTableNamesEveryProgramInOrderWithItsStages)
{
    std::string error;
    const std::vector<listed_program> list = read_program_list(program_list_path(), error);
    ASSERT_FALSE(list.empty()) << error;
    std::ifstream readme(DRAWKIT_SOURCE_DIR "/README.md");
    const std::regex row("^\\| `([a-z0-9_ A-Z]+)` \\|[^|]*\\| ([^|]*) \\|.*");
    std::vector<std::string> rows;
    for (std::string line; std::getline(readme, line);) {
        std::smatch m;
        if (!std::regex_match(line, m, row))
            continue;
        const std::string name = std::regex_replace(m[1].str(), std::regex(" "), "_");
        rows.push_back(name);
        if (!find_program(list, name))
            continue;  // a name the comparison below reports
        const std::string stages = m[2];
        ASSERT_TRUE(std::regex_match(stages, std::regex("[0-9]+"))) << name << ": stages " << stages;
        const program_captions captions = read_captions(DRAWKIT_SOURCE_DIR "/docs/captions/" + name + ".txt");
        EXPECT_EQ(static_cast<int>(captions.stages.size()), std::stoi(stages))
            << name << ": stages in the table against stage captions";
        EXPECT_EQ(golden_stage_count(name), std::stoi(stages)) << name << ": stages in the table against golden";
        EXPECT_TRUE(fs::exists(DRAWKIT_SOURCE_DIR "/docs/pictures/" + name + ".png")) << name << " has no picture";
    }
    EXPECT_EQ(rows, listed_programs());
}

// The list's two readers, scripts/programs (the build and the scripts) and
// tools/common (the tools and the tests), give the same programs and columns.
TEST(ProgramList, ScriptsAndToolsReadTheSameList)
{
    std::string error;
    const std::vector<listed_program> list = read_program_list(program_list_path(), error);
    ASSERT_FALSE(list.empty()) << error;
    std::string names;
    for (const listed_program& p : list) {
        names += p.id + "\n";
        const run_result r = run_command({DRAWKIT_SOURCE_DIR "/scripts/programs", "frame_ms", p.id}, {});
        EXPECT_EQ(r.out, std::to_string(p.frame_ms) + "\n") << p.id << ": " << r.err;
        const run_result command = run_command({DRAWKIT_SOURCE_DIR "/scripts/programs", "name", p.id}, {});
        EXPECT_EQ(command.out, command_of(p) + "\n") << p.id << ": " << command.err;
    }
    const run_result all = run_command({DRAWKIT_SOURCE_DIR "/scripts/programs"}, {});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out, names);
}

}  // namespace
