// The README's table of what the symmetry tool says of this project's own
// pictures: every listed entry has a row, and the classifier names each
// row's picture (the recorded run's last stage; for wallpaper_group the
// stage before its elements are drawn) with the row's group.
#include <capture.h>
#include <symmetry.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <string>

namespace {

// The rows of the table: program (or "wallpaper_group NAME") -> group.
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
        const bool group_entry = id.rfind("wallpaper_group_", 0) == 0;
        const std::string key = group_entry ? "wallpaper_group NAME" : id;
        ASSERT_TRUE(rows.count(key)) << "no row in the README's table";
        const captured_run& run = recorded_run(id);
        ASSERT_GE(run.stages.size(), group_entry ? 2u : 1u);
        const rgb_image& picture = run.stages[run.stages.size() - (group_entry ? 2 : 1)];
        const std::string expected = group_entry ? id.substr(std::string("wallpaper_group_").size()) : rows.at(key);
        const wallpaper_symmetry s = classify(picture.rgb.data(), picture.w, picture.h);
        EXPECT_EQ(s.group, expected) << describe(s);
    }
}

}  // namespace
