// Test support: runs programs under the capture tool and reads back what
// they showed.
#include "capture.h"

#include "launcher.h"

#include <capture_log.h>
#include <golden.h>
#include <program_list.h>

#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string stage_path(const std::string& dir, size_t stage)
{
    return dir + "/" + stage_file_name(static_cast<long>(stage));
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string fresh_folder(const std::string& name, const capture_options& options)
{
    std::string leaf = fs::path(name).filename().string() + "-" + wait_answer_name(options.answer);
    if (options.frames)
        leaf += "-frames";
    return fresh_dir(leaf);
}

// The folders of the golden files and of the reference pictures; the
// environment may point them elsewhere (the support's own tests do).
std::string setting(const char* variable, const char* built_in)
{
    const char* v = std::getenv(variable);
    return v && *v ? v : built_in;
}

std::string golden_path(const std::string& name)
{
    return setting("CAPTURE_GOLDEN_DIR", CAPTURE_GOLDEN_DIR) + "/" + name + ".txt";
}

std::string reference_dir()
{
    return setting("CAPTURE_REFERENCE_DIR", CAPTURE_REFERENCE_DIR);
}

fs::path reference_path(const std::string& name, uint64_t hash)
{
    return fs::path(reference_dir()) / name / (hash_text(hash) + ".png");
}

// Keeps the stage pictures of a good run, named by hash, so that a later
// difference can be shown pixel by pixel.
void keep_references(const std::string& name, const captured_run& c)
{
    std::error_code ec;
    fs::create_directories(fs::path(reference_dir()) / name, ec);
    for (size_t i = 0; i < c.stage_hashes.size(); ++i) {
        const fs::path ref = reference_path(name, c.stage_hashes[i]);
        const std::string stage = stage_path(c.out_dir, i + 1);
        if (!fs::exists(ref, ec) && fs::exists(stage, ec))
            fs::copy_file(stage, ref, ec);
    }
}

std::string rgb_text(uint32_t c)
{
    char text[32];
    std::snprintf(text, sizeof text, "(%u, %u, %u)", c >> 16, (c >> 8) & 0xFF, c & 0xFF);
    return text;
}

// Describes a changed stage, starting from the comparison's `text`; writes
// diff-stage-NN.png when the expected picture is known.
std::string describe_stage_difference(const std::string& name, const captured_run& c, size_t stage,
                                      uint64_t expected, std::string text)
{
    const rgb_image& actual = c.stages[stage - 1];
    const rgb_image reference = read_png(reference_path(name, expected).string());
    if (reference.w == 0 || image_hash(reference) != expected || actual.w != reference.w ||
        actual.h != reference.h) {
        return text + "; no reference picture for the expected hash (a passing run keeps one in " +
               reference_dir() + "), picture: " + stage_path(c.out_dir, stage);
    }
    // Changed pixels magenta over a dimmed copy of the actual picture.
    rgb_image diff = actual;
    long changed = 0;
    int first_x = -1, first_y = -1;
    for (int y = 0; y < actual.h; ++y) {
        for (int x = 0; x < actual.w; ++x) {
            uint32_t& d = diff.rgb[static_cast<size_t>(y) * actual.w + x];
            if (actual.at(x, y) != reference.at(x, y)) {
                if (changed++ == 0) {
                    first_x = x;
                    first_y = y;
                }
                d = rgb(255, 0, 255);
            } else {
                d = ((d >> 2) & 0x3F3F3F) + 0x808080;
            }
        }
    }
    const std::string diff_path = c.out_dir + "/diff-" + stage_file_name(static_cast<long>(stage));
    write_png(diff_path, diff);
    text += ": " + std::to_string(changed) + " pixels changed, first at (" + std::to_string(first_x) +
            ", " + std::to_string(first_y) + ") expected " + rgb_text(reference.at(first_x, first_y)) +
            " got " + rgb_text(actual.at(first_x, first_y)) + "; diff: " + diff_path;
    return text;
}

}  // namespace

rgb_image captured_run::frame(int n) const
{
    return read_png(out_dir + "/" + frame_file_name(n));
}

namespace {

// The entry of docs/programs.tsv whose id is `name`, or null.
const listed_program* listed_entry(const std::string& name)
{
    static const std::vector<listed_program> list = [] {
        std::string error;
        return read_program_list(program_list_path(), error);
    }();
    return find_program(list, name);
}

}  // namespace

std::string program_path(const std::string& name)
{
    if (name.find('/') != std::string::npos)
        return name;
    const listed_program* p = listed_entry(name);
    return std::string(CAPTURE_BIN_DIR) + "/" + (p ? p->program : name);
}

std::vector<std::string> program_command(const std::string& name)
{
    const listed_program* p = name.find('/') == std::string::npos ? listed_entry(name) : nullptr;
    return p ? command_argv(*p, CAPTURE_BIN_DIR) : std::vector<std::string>{program_path(name)};
}

std::string program_title(const std::string& name)
{
    const listed_program* p = name.find('/') == std::string::npos ? listed_entry(name) : nullptr;
    return p ? command_of(*p) : fs::path(name).filename().string();
}

captured_run run_program(const std::string& name, const capture_options& options)
{
    captured_run c;
    if (options.out_dir.empty()) {
        c.out_dir = fresh_folder(name, options);
    } else {
        c.out_dir = options.out_dir;
        std::error_code ec;
        fs::remove_all(c.out_dir, ec);
        fs::create_directories(c.out_dir);
    }
    std::vector<std::string> args = {std::string(CAPTURE_BIN_DIR) + "/capture", "--out", c.out_dir,
                                     "--answer", wait_answer_name(options.answer), "--timeout",
                                     std::to_string(options.timeout_seconds)};
    if (options.frames)
        args.push_back("--frames");
    if (options.timing)
        args.push_back("--timing");
    if (options.fixed_time >= 0) {
        args.push_back("--time");
        args.push_back(std::to_string(options.fixed_time));
    }
    args.push_back("--");
    args.insert(args.end(), options.wrapper.begin(), options.wrapper.end());
    const std::vector<std::string> command = program_command(name);
    args.insert(args.end(), command.begin(), command.end());
    run_options run;
    run.env = options.env;
    run.stack_kib = options.stack_kib;
    run.timeout_seconds = options.timeout_seconds + 30;  // the tool's own limit comes first
    const run_result r = run_command(args, run);
    c.status = r.status;
    c.stderr_text = r.err;
    const capture_log log = read_capture_log(c.out_dir + "/log.txt");
    c.frame_hashes = log.frames;
    c.stage_hashes = log.waits;
    if (!options.timing)
        for (size_t i = 0; i < c.stage_hashes.size(); ++i)
            c.stages.push_back(read_png(stage_path(c.out_dir, i + 1)));
    return c;
}

std::vector<std::string> listed_programs()
{
    std::string error;
    std::vector<std::string> names;
    for (const listed_program& p : read_program_list(program_list_path(), error))
        names.push_back(p.id);
    if (names.empty())
        std::fprintf(stderr, "%s\n", error.c_str());
    return names;
}

std::string recorded_dir(const std::string& name)
{
    return std::string(CAPTURE_RECORDED_DIR) + "/" + name;
}

const captured_run& recorded_run(const std::string& name)
{
    static std::map<std::string, captured_run> runs;
    auto found = runs.find(name);
    if (found != runs.end())
        return found->second;
    captured_run& c = runs[name];
    c.out_dir = recorded_dir(name);
    c.status = -1;
    std::ifstream(c.out_dir + "/status.txt") >> c.status;
    c.stderr_text = read_file(c.out_dir + "/stderr.txt");
    const capture_log log = read_capture_log(c.out_dir + "/log.txt");
    c.frame_hashes = log.frames;
    c.stage_hashes = log.waits;
    for (size_t i = 0; i < c.stage_hashes.size(); ++i)
        c.stages.push_back(read_png(stage_path(c.out_dir, i + 1)));
    return c;
}

void discard(const captured_run& capture)
{
    std::error_code ec;
    fs::remove_all(capture.out_dir, ec);
}

rgb_image read_png(const std::string& path)
{
    rgb_image image;
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        return image;
    png.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> bytes(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr)) {
        png_image_free(&png);
        return image;
    }
    image.w = static_cast<int>(png.width);
    image.h = static_cast<int>(png.height);
    image.rgb.resize(static_cast<size_t>(image.w) * image.h);
    for (size_t i = 0; i < image.rgb.size(); ++i)
        image.rgb[i] = rgb(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]);
    return image;
}

void write_png(const std::string& path, const rgb_image& image)
{
    std::vector<uint8_t> bytes(image.rgb.size() * 3);
    for (size_t i = 0; i < image.rgb.size(); ++i) {
        bytes[3 * i] = static_cast<uint8_t>(image.rgb[i] >> 16);
        bytes[3 * i + 1] = static_cast<uint8_t>(image.rgb[i] >> 8);
        bytes[3 * i + 2] = static_cast<uint8_t>(image.rgb[i]);
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.w);
    png.height = static_cast<png_uint_32>(image.h);
    png.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&png, path.c_str(), 0, bytes.data(), 0, nullptr))
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), png.message);
}

uint64_t image_hash(const rgb_image& image)
{
    uint64_t h = fnv_offset;
    for (uint32_t c : image.rgb) {
        const uint8_t bytes[3] = {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                  static_cast<uint8_t>(c)};
        h = fnv1a(h, bytes, 3);
    }
    return h;
}

std::string compare_with_golden(const std::string& name, const captured_run& c, bool may_update)
{
    const std::string path = golden_path(name);
    if (c.status != 0)
        return "the capture of " + name + " ended with status " + std::to_string(c.status) +
               " (" + c.stderr_text + "); nothing compared with " + path;
    if (c.stage_hashes.empty())
        return "the capture of " + name + " recorded no stage; nothing compared with " + path;

    capture_log log;
    log.frames = c.frame_hashes;
    log.waits = c.stage_hashes;
    const char* update = std::getenv("UPDATE_GOLDEN");
    if (may_update && update && std::strcmp(update, "1") == 0) {
        std::error_code ec;
        fs::create_directories(fs::path(path).parent_path(), ec);
        if (!write_golden(path, name, log))
            return "cannot write " + path;
        keep_references(name, c);
        std::fprintf(stderr, "updated %s\n", path.c_str());
        return "";
    }

    if (!fs::exists(path))
        return "no golden file " + path + "; run the test with UPDATE_GOLDEN=1 in the environment " +
               "to create it, check the pictures in " + c.out_dir + " and commit it";
    const golden_hashes g = read_golden(path);
    if (!g.error.empty())
        return g.error;
    const std::vector<golden_difference> found = golden_differences(g, log, name);
    if (found.empty()) {
        keep_references(name, c);
        return "";
    }
    std::string message = name + " differs from " + path + ":";
    for (const golden_difference& d : found)
        message += "\n  " + (d.stage > 0 ? describe_stage_difference(name, c, d.stage, d.expected, d.text) : d.text);
    return message;
}

int golden_stage_count(const std::string& name)
{
    return static_cast<int>(read_golden(golden_path(name)).stages.size());
}

bool has_black_frame(const rgb_image& image)
{
    for (int x = 0; x < image.w; ++x)
        if (image.at(x, 0) != 0 || image.at(x, image.h - 1) != 0)
            return false;
    for (int y = 0; y < image.h; ++y)
        if (image.at(0, y) != 0 || image.at(image.w - 1, y) != 0)
            return false;
    return image.w > 0;
}
