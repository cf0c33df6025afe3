// The symmetry tool's input and output: PNG and JPEG read by their bytes,
// bad files and bad arguments refused in one line, the report's scores and
// JSON, --corners undoing a known perspective.
#include <capture.h>
#include <launcher.h>
#include "patterns.h"
#include <picture_file.h>
#include <rectify.h>
#include <symmetry.h>

#include <Eigen/Dense>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <jpeglib.h>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// A smooth colour of no symmetry at (u, v): JPEG and resampling errors stay
// small, and a flipped or turned picture shows.
uint32_t smooth(double u, double v)
{
    const auto channel = [](double c) { return static_cast<uint32_t>(std::lround(std::clamp(c, 0.0, 255.0))); };
    return channel(u * 1.2) << 16 | channel(v * 1.5) << 8 | channel(128 + 100 * std::sin(u / 9) * std::cos(v / 7));
}

// Writes `bytes` of 1, 3 or 4 channels (grey, RGB, CMYK) as a JPEG of quality 95.
void write_jpeg(const std::string& path, const std::vector<uint8_t>& bytes, int w, int h, int channels)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    jpeg_stdio_dest(&info, file);
    info.image_width = w, info.image_height = h, info.input_components = channels;
    info.in_color_space = channels == 1 ? JCS_GRAYSCALE : channels == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    for (JSAMPROW row = const_cast<uint8_t*>(bytes.data()); info.next_scanline < info.image_height; row += w * channels)
        jpeg_write_scanlines(&info, &row, 1);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

// The largest difference of one channel between two pictures' pixels (255 for different sizes).
int largest_difference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    int largest = a.size() == b.size() ? 0 : 255;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        for (int shift = 0; shift <= 16; shift += 8)
            largest = std::max(largest, std::abs(int((a[i] >> shift) & 0xff) - int((b[i] >> shift) & 0xff)));
    return largest;
}

TEST(PictureReading, ReadsColourGreyAndCmykJpegAndGreyPngByTheirBytes)
{
    const std::string dir = fresh_dir("reading");
    std::vector<uint32_t> colour, grey;
    std::vector<uint8_t> grey_bytes, rgb_bytes, cmyk_bytes;  // CMYK inverted as Adobe writes it, no black ink
    for (int i = 0; i < 160 * 120; ++i) {
        const uint32_t c = smooth(i % 160 + 0.5, i / 160 + 0.5);
        colour.push_back(c), grey.push_back((c >> 8 & 0xff) * 0x010101), grey_bytes.push_back(uint8_t(c >> 8));
        rgb_bytes.insert(rgb_bytes.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
        cmyk_bytes.insert(cmyk_bytes.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 255});
    }
    write_jpeg(dir + "/colour.png", rgb_bytes, 160, 120, 3);  // named .png: the bytes decide
    write_jpeg(dir + "/grey.jpg", grey_bytes, 160, 120, 1);
    write_jpeg(dir + "/cmyk.jpg", cmyk_bytes, 160, 120, 4);
    png_image png{};
    png.version = PNG_IMAGE_VERSION, png.width = 160, png.height = 120, png.format = PNG_FORMAT_GRAY;
    ASSERT_TRUE(png_image_write_to_file(&png, (dir + "/grey.png").c_str(), 0, grey_bytes.data(), 0, nullptr));
    // Chroma at half resolution costs colour a little more.
    const struct { const char* file; const std::vector<uint32_t>& expected; int tolerance; } cases[] = {
        {"colour.png", colour, 16}, {"grey.jpg", grey, 6}, {"cmyk.jpg", colour, 16}, {"grey.png", grey, 0}};
    for (const auto& c : cases) {
        rgb_picture picture;
        std::string reason;
        EXPECT_TRUE(read_picture(dir + "/" + c.file, picture, reason)) << c.file << ": " << reason;
        EXPECT_LE(largest_difference(picture.rgb, c.expected), c.tolerance) << c.file;
    }
    fs::remove_all(dir);
}

TEST(SymmetryTool, RefusesBadArgumentsAndBadFilesInOneLineWithStatusTwo)
{
    const std::string dir = fresh_dir("symmetry-bad"), file = dir + "/plain.png", usage = "usage: symmetry FILE ";
    std::string reason;
    ASSERT_TRUE(write_picture(file, {100, 80, std::vector<uint32_t>(100 * 80, 0)}, reason));
    std::vector<uint8_t> noise(200 * 100);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = uint8_t(i * i * 7 % 251);
    write_jpeg(dir + "/cut.jpg", noise, 200, 100, 1);
    fs::resize_file(dir + "/cut.jpg", fs::file_size(dir + "/cut.jpg") / 2);
    write_jpeg(dir + "/wide.jpg", std::vector<uint8_t>(4097 * 8, 200), 4097, 8, 1);
    std::ofstream(dir + "/picture.gif", std::ios::binary) << "GIF89a\x10\x00\x10\x00";
    const struct { std::vector<std::string> args; std::string err; } bad[] = {
        {{}, usage}, {{file, file}, usage}, {{file, "--picture"}, usage}, {{file, "--bogus"}, usage},
        {{file, "--corners", "1,2,3,4,5,6,7"}, usage}, {{file, "--corners", "1,2,3,4,5,6,7,x"}, usage},
        {{file, "--corners", "0,0,10,10,10,0,0,10"}, usage},  // crossed: not convex
        {{file, "--corners", "0,0,50,0,50,90,0,90"}, "symmetry: " + file + ": --corners: corner (50, 90) lies outside the 100x80 picture\n"},
        {{dir + "/cut.jpg"}, "symmetry: " + dir + "/cut.jpg: truncated or damaged: Premature end of JPEG file\n"},
        {{dir + "/wide.jpg"}, "symmetry: " + dir + "/wide.jpg: too large: 4097x8, at most 4096x4096\n"},
        {{dir + "/picture.gif"}, "symmetry: " + dir + "/picture.gif: not a PNG file or a JPEG file\n"}};
    for (const auto& b : bad) {
        std::vector<std::string> args = b.args;
        args.insert(args.begin(), program_path("symmetry"));
        const run_result r = run_command(args);
        EXPECT_EQ(r.status, 2) << b.err;
        EXPECT_EQ(r.err.rfind(b.err, 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_EQ(r.out, "");
    }
    fs::remove_all(dir);
}

TEST(SymmetryReport, TellsTheScoresGeneratorsAndRunnerUp)
{
    wallpaper_symmetry s;
    s.group = "p4", s.method = "robust", s.confidence = 0.874, s.confidence_words = "high", s.translation_score = 0.991;
    s.threshold = 0.8;
    s.scores = {{"rotation 4", 0, 0.981, true}, {"mirror", 30, 0.412, false}, {"glide", 0, -0.001, false}};
    s.runner_up = "p4m", s.runner_up_score = 0.412;
    const std::string text = describe(s);
    for (const char* line : {"\nconfidence: high (0.87)\nmethod: robust\n", "\ncheck: robust, every operation of the group scores at least 0.80\n",
                             "\ntranslations: 0.99\nscore: rotation 4: 0.98 (generator)\nscore: mirror at 30 degrees: 0.41\n"
                             "score: glide at 0 degrees: 0.00\nrunner-up: p4m (0.41)\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " missing from\n" << text;
    EXPECT_EQ(json::parse(describe_json(s))["runner_up"], json({{"group", "p4m"}, {"score", 0.412}}));
}

TEST(SymmetryTool, PrintsValidJsonWithEveryFieldAndOnlyFourForNone)
{
    const std::string dir = fresh_dir("symmetry-json");
    const int a[2] = {44, 0}, b[2] = {0, 32}, origin2[2] = {247, 155};
    std::string reason;
    ASSERT_TRUE(write_picture(dir + "/pmg.png", {480, 360, make_pattern(pattern_group("pmg"), a, b, origin2, 480, 360, 7)}, reason));
    ASSERT_TRUE(write_picture(dir + "/plain.png", {100, 80, std::vector<uint32_t>(100 * 80, 0x336699)}, reason));
    json report = json::parse(run_command({program_path("symmetry"), "--json", dir + "/pmg.png"}).out);
    EXPECT_EQ(report["group"], "pmg");
    for (const char* field : {"orbifold", "method", "confidence", "confidence_words", "lattice", "cell", "compared",
                              "translation_score", "threshold", "scores", "runner_up", "centres", "lines"})
        EXPECT_TRUE(report.contains(field)) << field;
    const json& l = report["lattice"];
    EXPECT_EQ(std::fabs(l[0][0].get<double>() * l[1][1].get<double>() - l[0][1].get<double>() * l[1][0].get<double>()), 44 * 32);
    EXPECT_EQ(report["centres"].size(), 4u);
    report = json::parse(run_command({program_path("symmetry"), dir + "/plain.png", "--json"}).out);
    EXPECT_EQ(report, json({{"group", "none"}, {"kind", "none"}, {"method", report["method"]}, {"confidence", report["confidence"]}}));
    fs::remove_all(dir);
}

TEST(SymmetryTool, RectifiesThePatternWarpedByAKnownHomography)
{
    // A 200x150 picture seen in perspective: (u, v) -> H (u, v, 1) on a 400x300 canvas.
    Eigen::Matrix3d h;
    h << 1.1, 0.25, 50, -0.1, 1.0, 40, 0.0006, 0.0009, 1;
    rgb_picture canvas{400, 300, std::vector<uint32_t>(400 * 300, 0)};
    for (int i = 0; i < 400 * 300; ++i) {
        const Eigen::Vector3d p = h.inverse() * Eigen::Vector3d(i % 400 + 0.5, i / 400 + 0.5, 1);
        if (p.x() / p.z() >= -2 && p.x() / p.z() <= 202 && p.y() / p.z() >= -2 && p.y() / p.z() <= 152)
            canvas.rgb[i] = smooth(p.x() / p.z(), p.y() / p.z());
    }
    real_point corners[4];
    std::string list, reason;
    double area = 0;  // by the shoelace formula
    for (int i = 0; i < 4; ++i) {
        const Eigen::Vector3d p = h * Eigen::Vector3d(i == 1 || i == 2 ? 200 : 0, i >= 2 ? 150 : 0, 1);
        corners[i] = {p.x() / p.z(), p.y() / p.z()};
        list += (i ? "," : "") + std::to_string(corners[i].x) + "," + std::to_string(corners[i].y);
        area += i ? (corners[i - 1].x * corners[i].y - corners[i].x * corners[i - 1].y) / 2 : 0;
    }
    area += (corners[3].x * corners[0].y - corners[0].x * corners[3].y) / 2;
    rgb_picture rectified;
    ASSERT_TRUE(rectify(canvas, corners, rectified, reason)) << reason;
    EXPECT_NEAR(double(rectified.w) * rectified.h, area, area * 0.03);
    std::vector<uint32_t> original;
    for (int i = 0; i < rectified.w * rectified.h; ++i)
        original.push_back(smooth((i % rectified.w + 0.5) * 200 / rectified.w, (i / rectified.w + 0.5) * 150 / rectified.h));
    EXPECT_LE(largest_difference(rectified.rgb, original), 6);

    // The tool classifies and draws the rectified picture.
    const std::string dir = fresh_dir("rectify");
    ASSERT_TRUE(write_picture(dir + "/seen.png", canvas, reason));
    const run_result r = run_command({program_path("symmetry"), dir + "/seen.png", "--corners", list, "--picture", dir + "/out.png"});
    EXPECT_EQ(r.out.rfind("group: ", 0), 0u) << r.err;
    EXPECT_EQ(read_png(dir + "/out.png").w, rectified.w);
    fs::remove_all(dir);
}

}  // namespace
