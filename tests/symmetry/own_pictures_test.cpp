// The README's table of what the symmetry tool says of this project's own
// pictures: every listed entry has a row, and the classifier names each
// row's picture (the recorded run's last stage; for the group programs the
// stage before their elements are drawn) with the row's group.
#include <capture.h>
#include <symmetry.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <string>

namespace {

// The rows of the table: program (or "wallpaper_group NAME" and the like) -> group.
std::map<std::string, std::string> readme_rows()
{
    std::ifstream readme(DRAWKIT_SOURCE_DIR "/README.md");
    const std::regex row("^\\| ([A-Za-z0-9]+|NAME) \\| `([a-z0-9_ A-Z]+)`[^|]*\\|.*");
    std::map<std::string, std::string> rows;
    for (std::string line; std::getline(readme, line);) {
        std::smatch m;
        if (std::regex_match(line, m, row))
            rows[m[2]] = m[1];
    }
    return rows;
}

TEST(OwnPictures, ReadmeTableNamesEveryPeriodicPictureWithTheGroupOfItsColouring)
{
    const std::map<std::string, std::string> rows = readme_rows();
    ASSERT_TRUE(rows.count("wallpaper_group NAME")) << "no row for the seventeen groups";
    for (const std::string& id : listed_programs()) {
        SCOPED_TRACE(id);
        // The group programs have one row for all their entries; a
        // wallpaper group's picture is named by its own name.
        std::string program;
        for (const char* p : {"wallpaper_group", "frieze_group", "rosette_group"})
            if (id.rfind(std::string(p) + "_", 0) == 0)
                program = p;
        const bool group_entry = !program.empty();
        // An entry's own row (frieze_group p2mm) before its program's.
        const std::string command = group_entry ? program + " " + id.substr(program.size() + 1) : id;
        const std::string key = rows.count(command) ? command : group_entry ? program + " NAME" : id;
        ASSERT_TRUE(rows.count(key)) << "no row in the README's table";
        const captured_run& run = recorded_run(id);
        ASSERT_GE(run.stages.size(), group_entry ? 2u : 1u);
        const rgb_image& picture = run.stages[run.stages.size() - (group_entry ? 2 : 1)];
        // A program's row "NAME" means each entry is named by its argument.
        const std::string expected =
            group_entry && key != command && rows.at(key) == "NAME" ? id.substr(program.size() + 1) : rows.at(key);
        const wallpaper_symmetry s = classify(picture.rgb.data(), picture.w, picture.h);
        EXPECT_EQ(s.group, expected) << describe(s);
    }
}

}  // namespace
