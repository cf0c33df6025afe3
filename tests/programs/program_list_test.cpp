// The program list's two readers, tools/common (the tools and the tests) and
// scripts/programs (the build and the scripts), on lists of their own: an
// entry's command may carry one argument, its id is the command with the
// space as '_', and both readers reject the same malformed lines with the
// same message. And what scripts/show makes of a name.
#include <launcher.h>
#include <program_list.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A list holding `lines`, in a fresh folder.
std::string list_of(const std::string& lines)
{
    const std::string path = fresh_dir("program-list") + "/programs.tsv";
    std::ofstream(path) << "# a comment\n" << lines;
    return path;
}

// scripts/programs ARGS on the list at `path`.
run_result scripts_programs(const std::string& path, std::vector<std::string> args)
{
    args.insert(args.begin(), DRAWKIT_SOURCE_DIR "/scripts/programs");
    run_options options;
    options.env = {"PROGRAM_LIST=" + path};
    return run_command(args, options);
}

TEST(ProgramListReaders, ACommandWithOneArgumentIsAnEntryNamedByItsId)
{
    const std::string path = list_of("square_tiling\tlattice\t0\tSquare tiling\t4.4.4.4\n"
                                     "wallpaper_group p4m\tgroup\t0\tWallpaper group p4m\tp4m\n"
                                     "wallpaper_group p31m\tgroup\t0\tWallpaper group p31m\tp31m\n");
    std::string error;
    const std::vector<listed_program> list = read_program_list(path, error);
    ASSERT_EQ(list.size(), 3u) << error;
    const listed_program& p4m = list[1];
    EXPECT_EQ(p4m.id, "wallpaper_group_p4m");
    EXPECT_EQ(p4m.program, "wallpaper_group");
    EXPECT_EQ(p4m.argument, "p4m");
    EXPECT_EQ(command_of(p4m), "wallpaper_group p4m");
    EXPECT_EQ(command_argv(p4m, "/bin"), (std::vector<std::string>{"/bin/wallpaper_group", "p4m"}));
    EXPECT_EQ(command_argv(list[0], "/bin"), (std::vector<std::string>{"/bin/square_tiling"}));
    EXPECT_EQ(list[0].id, "square_tiling");
    EXPECT_EQ(find_program(list, "wallpaper_group_p31m"), &list[2]);
    EXPECT_EQ(find_program(list, "wallpaper_group p31m"), nullptr) << "entries are found by id";

    EXPECT_EQ(scripts_programs(path, {}).out, "square_tiling\nwallpaper_group_p4m\nwallpaper_group_p31m\n");
    EXPECT_EQ(scripts_programs(path, {"--folders"}).out, "square_tiling\nwallpaper_group\n");
    EXPECT_EQ(scripts_programs(path, {"program"}).out, "square_tiling\nwallpaper_group\nwallpaper_group\n");
    EXPECT_EQ(scripts_programs(path, {"name", "wallpaper_group_p4m"}).out, "wallpaper_group p4m\n");
    EXPECT_EQ(scripts_programs(path, {"argument", "wallpaper_group_p31m"}).out, "p31m\n");
    EXPECT_EQ(scripts_programs(path, {"argument", "square_tiling"}).out, "\n");
    EXPECT_EQ(scripts_programs(path, {"title", "wallpaper_group_p4m"}).out, "Wallpaper group p4m\n");
    EXPECT_EQ(scripts_programs(path, {"kind", "wallpaper_group p4m"}).status, 1) << "entries are found by id";
}

// Each line is rejected by both readers, naming the file and line.
TEST(ProgramListReaders, BothRejectAMalformedCommandOrARepeatedId)
{
    struct bad_list {
        std::string lines;
        std::string message;  // what follows "PATH:LINE: "
    };
    const std::string expected = "expected name, kind, frame_ms, title and pattern separated by tabs: ";
    const std::vector<bad_list> cases = {
        {"a  b\tk\t0\tt\tp\n", expected + "a  b\tk\t0\tt\tp"},        // two spaces
        {"a b c\tk\t0\tt\tp\n", expected + "a b c\tk\t0\tt\tp"},      // two arguments
        {" a\tk\t0\tt\tp\n", expected + " a\tk\t0\tt\tp"},            // no program
        {"a \tk\t0\tt\tp\n", expected + "a \tk\t0\tt\tp"},            // an empty argument
        {"a -x\tk\t0\tt\tp\n", expected + "a -x\tk\t0\tt\tp"},        // an option
        {"a B/c\tk\t0\tt\tp\n", expected + "a B/c\tk\t0\tt\tp"},      // not a word
        {"Ab\tk\t0\tt\tp\n", expected + "Ab\tk\t0\tt\tp"},
        {"a b\tk\t0\tt\tp\na_b\tk\t0\tt\tp\n", "the id a_b is listed twice: a_b\tk\t0\tt\tp"},
        {"a\tk\t0\tt\tp\na\tk\t1\tt\tp\n", "the id a is listed twice: a\tk\t1\tt\tp"},
    };
    for (const bad_list& c : cases) {
        const std::string path = list_of(c.lines);
        const std::string line = c.lines.find('\n') + 1 == c.lines.size() ? "2" : "3";  // after the comment
        std::string error;
        EXPECT_TRUE(read_program_list(path, error).empty()) << c.lines;
        EXPECT_EQ(error, path + ":" + line + ": " + c.message);
        const run_result r = scripts_programs(path, {});
        EXPECT_EQ(r.status, 1) << c.lines;
        EXPECT_EQ(r.err, path + ":" + line + ": " + c.message + "\n");
        fs::remove_all(fs::path(path).parent_path());
    }
}

// scripts/show --check: an entry by id or by its command, or a program
// listed once per argument alone, gives the binary to build; any other
// name the valid ones and status 2.
TEST(ProgramListReaders, ShowTakesAnIdACommandOrAProgramWithArguments)
{
    auto check = [](std::vector<std::string> name) {
        name.insert(name.begin(), {DRAWKIT_SOURCE_DIR "/scripts/show", "--check"});
        return run_command(name);
    };
    for (const std::vector<std::string>& name : std::vector<std::vector<std::string>>{
             {"wallpaper_group_p4m"}, {"wallpaper_group", "p4m"}, {"wallpaper_group"}}) {
        const run_result r = check(name);
        EXPECT_EQ(r.status, 0) << name[0] << ": " << r.err;
        EXPECT_EQ(r.out, "wallpaper_group\n") << name[0];
    }
    EXPECT_EQ(check({"p2_wallpaper"}).out, "p2_wallpaper\n");
    for (const std::vector<std::string>& name : std::vector<std::vector<std::string>>{
             {"wallpaper_group", "p5"}, {"wallpaper_group_p5"}, {"p2_wallpaper", "p2"}, {"wallpaper"}}) {
        const run_result r = check(name);
        EXPECT_EQ(r.status, 2) << name[0];
        EXPECT_EQ(r.out, "") << name[0];
        EXPECT_NE(r.err.find("No program named"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("\n  wallpaper_group_p31m\n"), std::string::npos) << r.err;
    }
}

}  // namespace
