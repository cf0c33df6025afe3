// gallery: renders every stage of the given programs as PNG under one folder,
// each animated program also as one GIF of all its frames, and the site that
// shows them (site.h): an index page and a page per program. Programs run
// headless under the capture tool, once each, two at a time; the capture tool
// also records the animation, pacing its frames by the program list's frame_ms.
//
//   gallery [--out DIR] [--captions DIR] [--thumbs DIR] [--web DIR] [--jobs N] [ID...]
//
// Without ids, every entry of docs/programs.tsv; an entry's id names its
// folder, its page and its thumbnail (wallpaper_group_p4m runs
// wallpaper_group p4m).
// --thumbs DIR also writes each program's last stage at half size as
// DIR/ID.png (the README's pictures; see choose_picture). --web DIR
// names the browser build (PROGRAM.js, PROGRAM.wasm): its pages run the programs.
// The program list and the card pictures are found beside the captions
// (CAPTIONS/../programs.tsv, CAPTIONS/../pictures/).
#include "gif_playback.h"
#include "site.h"

#include <capture_format.h>
#include <capture_log.h>
#include <own_folder.h>
#include <program_list.h>

#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct gallery_program {
    std::string name;                   // the entry's id: its folder and page
    std::vector<std::string> command;   // the binary and its argument
    int frame_ms = 0;                   // the pace of its mid-stage frames
    int stages = 0, frames = 0;
    bool animated = false;
    bool ok = false;
    double seconds = 0;
};

struct gallery_options {
    fs::path out = "gallery", captions = "docs/captions", thumbs, web;
    int jobs = 2;
    std::vector<std::string> names;
};

[[noreturn]] void usage(const char* why)
{
    std::fprintf(stderr, "gallery: %s\nusage: gallery [--out DIR] [--captions DIR] [--thumbs DIR] [--web DIR] [--jobs N] [ID...]\n", why);
    std::exit(2);
}

gallery_options parse(int argc, char** argv)
{
    gallery_options o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                usage(("missing value of " + a).c_str());
            return argv[++i];
        };
        if (a == "--out") o.out = value();
        else if (a == "--captions") o.captions = value();
        else if (a == "--thumbs") o.thumbs = value();
        else if (a == "--web") o.web = value();
        else if (a == "--jobs") o.jobs = std::max(1, std::atoi(value().c_str()));
        else if (a.starts_with("--")) usage(("unknown option " + a).c_str());
        else o.names.push_back(a);
    }
    return o;
}

// Starts the capture of one program, its animation recorded alongside.
pid_t start_capture(const gallery_program& p, const fs::path& bin, const fs::path& dir)
{
    const std::string capture = bin / "capture", out = dir, gif = dir / "animation.gif",
                      clock = std::to_string(fixed_clock), frame_ms = std::to_string(p.frame_ms);
    std::vector<const char*> argv = {"capture", "--out", out.c_str(), "--time", clock.c_str(), "--gif", gif.c_str(),
                                     "--frame-ms", frame_ms.c_str(), "--"};
    for (const std::string& word : p.command)
        argv.push_back(word.c_str());
    argv.push_back(nullptr);
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid < 0) {
        std::perror("gallery: fork");
        std::exit(1);
    }
    if (pid == 0) {
        execv(capture.c_str(), const_cast<char* const*>(argv.data()));
        std::perror("gallery: cannot start the capture tool");
        _exit(127);
    }
    return pid;
}

// Counts frames and waits in the capture log.
void read_log(gallery_program& p, const capture_log& log)
{
    p.frames = static_cast<int>(log.frames.size());
    p.stages = static_cast<int>(log.waits.size());
    p.animated = p.frames > p.stages;
}

struct rgb_pixels {
    int w = 0, h = 0;
    std::vector<png_byte> rgb;
};

bool read_png(const fs::path& path, rgb_pixels& image)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        return false;
    png.format = PNG_FORMAT_RGB;
    image.w = static_cast<int>(png.width);
    image.h = static_cast<int>(png.height);
    image.rgb.resize(PNG_IMAGE_SIZE(png));
    return png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr) != 0;
}

bool plain(const rgb_pixels& image)
{
    for (size_t i = 3; i < image.rgb.size(); ++i)
        if (image.rgb[i] != image.rgb[i % 3])
            return false;
    return true;
}

// The last frame of the animation that is not one plain colour, played back
// from the GIF and checked against the frame's hash in the capture log.
bool last_coloured_frame(const fs::path& gif_path, const capture_log& log, rgb_pixels& picture)
{
    rgb_pixels canvas;
    bool found = false;
    int count = 0;
    const bool read = play_gif(gif_path, canvas.w, canvas.h, [&](int i, const std::vector<unsigned char>& rgb, int) {
        count = i + 1;
        canvas.rgb.assign(rgb.begin(), rgb.end());
        if (!plain(canvas) && i < static_cast<int>(log.frames.size())) {
            picture = canvas;
            found = fnv1a(fnv_offset, canvas.rgb.data(), canvas.rgb.size()) == log.frames[i];
        }
    });
    return read && found && count == static_cast<int>(log.frames.size());
}

// The picture that stands for a program: its last stage, or, when that is
// one plain colour (an animation that ends by clearing the window), the last
// frame before it that is not.
bool choose_picture(const gallery_program& p, const fs::path& dir, const capture_log& log, rgb_pixels& picture)
{
    if (!read_png(dir / stage_file_name(p.stages), picture))
        return false;
    if (!plain(picture) || !p.animated)
        return true;
    return last_coloured_frame(dir / "animation.gif", log, picture);
}

// Half size, each pixel the mean of a 2x2 block.
bool write_thumbnail(const rgb_pixels& big, const fs::path& to)
{
    const int w = big.w / 2, h = big.h / 2;
    std::vector<png_byte> small(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                auto at = [&](int dx, int dy) {
                    return big.rgb[(static_cast<size_t>(2 * y + dy) * big.w + 2 * x + dx) * 3 + c];
                };
                small[(static_cast<size_t>(y) * w + x) * 3 + c] =
                    static_cast<png_byte>((at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1) + 2) / 4);
            }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(w);
    png.height = static_cast<png_uint_32>(h);
    png.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&png, to.c_str(), 0, small.data(), 0, nullptr) != 0;
}

} // namespace

int main(int argc, char** argv)
{
    gallery_options o = parse(argc, argv);
    const fs::path bin = own_folder();
    std::string error;
    const std::vector<listed_program> list = read_program_list(program_list_path(), error);
    if (list.empty())
        usage(error.c_str());
    if (o.names.empty())
        for (const listed_program& p : list)
            o.names.push_back(p.id);
    std::vector<gallery_program> programs;
    for (const std::string& name : o.names) {
        const listed_program* listed = find_program(list, name);
        if (!listed)
            usage(("no program " + name + " in " + program_list_path()).c_str());
        if (!fs::exists(bin / listed->program))
            usage(("no program " + listed->program + " in " + bin.string()).c_str());
        programs.emplace_back();
        programs.back().name = name;
        programs.back().command = command_argv(*listed, bin);
        programs.back().frame_ms = listed->frame_ms;
    }
    fs::create_directories(o.out);
    if (!o.thumbs.empty())
        fs::create_directories(o.thumbs);

    using clock = std::chrono::steady_clock;
    std::map<pid_t, std::pair<size_t, clock::time_point>> running;
    size_t next = 0, done = 0;
    int failures = 0;
    while (done < programs.size()) {
        while (next < programs.size() && static_cast<int>(running.size()) < o.jobs) {
            fs::path dir = o.out / programs[next].name;
            fs::remove_all(dir);
            fs::create_directories(dir);
            running[start_capture(programs[next], bin, dir)] = {next, clock::now()};
            ++next;
        }
        int status = 0;
        pid_t pid = wait(&status);
        if (pid < 0)
            break;
        auto it = running.find(pid);
        if (it == running.end())
            continue;
        gallery_program& p = programs[it->second.first];
        p.seconds = std::chrono::duration<double>(clock::now() - it->second.second).count();
        running.erase(it);
        ++done;
        const fs::path dir = o.out / p.name;
        const capture_log log = read_capture_log(dir / "log.txt");
        read_log(p, log);
        fs::remove(dir / "log.txt");
        if (!p.animated)
            fs::remove(dir / "animation.gif");
        p.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && p.stages > 0;
        if (rgb_pixels picture; p.ok && !o.thumbs.empty() &&
                            !(choose_picture(p, dir, log, picture) && write_thumbnail(picture, o.thumbs / (p.name + ".png"))))
            p.ok = false;
        if (!p.ok)
            ++failures;
        std::printf("  [%zu/%zu] %-30s %s", done, programs.size(), p.name.c_str(), p.ok ? "" : "FAILED ");
        std::printf("%d stage%s", p.stages, p.stages == 1 ? "" : "s");
        if (p.animated)
            std::printf(", animation of %d frames", p.frames);
        std::printf(" (%.1f s)\n", p.seconds);
        std::fflush(stdout);
    }
    std::vector<site_program> pages;
    for (const gallery_program& p : programs)
        pages.push_back({p.name, p.stages, p.frames, p.animated, p.ok});
    const fs::path docs = (o.captions / "..").lexically_normal();
    if (!write_site(o.out, pages, docs / "programs.tsv", o.captions, docs / "pictures", o.web))
        ++failures;
    std::printf("Gallery: %s\n", fs::absolute(o.out / "index.html").lexically_normal().c_str());
    return failures ? 1 : 0;
}
