// Every program in a real X window under Xvfb: each stage on the screen must
// be, pixel for pixel, the stage the capture tool records. Keys come from
// xdotool, screenshots from xwd; the first wait is answered with a close
// request (WM_DELETE_WINDOW) instead, which must advance like a key. The
// tour's announcer is preloaded, so its lines are checked on the way.
#include <capture.h>
#include <captions.h>
#include <golden.h>
#include <launcher.h>
#include <program_list.h>

#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool, ...) would break its templates.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Options that set (NAME=VALUE) or remove (-NAME) these variables.
run_options with_env(std::vector<std::string> env)
{
    run_options options;
    options.env = std::move(env);
    return options;
}

// Reads an XWD dump (header and colour table big-endian, pixels in the
// dump's own byte order) of a true-colour window into 0xRRGGBB values.
rgb_image parse_xwd(const std::string& data)
{
    auto card = [&](size_t i) {
        const auto* b = reinterpret_cast<const unsigned char*>(data.data()) + 4 * i;
        return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
    };
    rgb_image img;
    if (data.size() < 100)
        return img;
    const uint32_t header_size = card(0), width = card(4), height = card(5), byte_order = card(7),
                   bits_per_pixel = card(11), bytes_per_line = card(12), ncolors = card(19);
    const uint32_t masks[3] = {card(14), card(15), card(16)};
    const size_t start = header_size + 12 * static_cast<size_t>(ncolors);
    if (bits_per_pixel != 32 || data.size() < start + static_cast<size_t>(bytes_per_line) * height)
        return img;
    img.w = static_cast<int>(width);
    img.h = static_cast<int>(height);
    img.rgb.resize(static_cast<size_t>(width) * height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const auto* b = reinterpret_cast<const unsigned char*>(data.data()) + start +
                            static_cast<size_t>(y) * bytes_per_line + 4 * x;
            uint32_t v = byte_order == 0 ? uint32_t(b[3]) << 24 | uint32_t(b[2]) << 16 | uint32_t(b[1]) << 8 | b[0]
                                         : uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
            uint32_t rgb = 0;
            for (uint32_t m : masks) {
                int shift = __builtin_ctz(m);
                rgb = rgb << 8 | ((v & m) >> shift & 0xFF);
            }
            img.rgb[static_cast<size_t>(y) * width + x] = rgb;
        }
    return img;
}

// Where two pictures first differ, for the failure message.
std::string first_difference(const rgb_image& a, const rgb_image& b)
{
    if (a.w != b.w || a.h != b.h)
        return "size " + std::to_string(a.w) + "x" + std::to_string(a.h) + " against " + std::to_string(b.w) +
               "x" + std::to_string(b.h);
    long count = 0;
    std::string first;
    for (int y = 0; y < a.h; ++y)
        for (int x = 0; x < a.w; ++x)
            if (a.at(x, y) != b.at(x, y) && count++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "(%d, %d): screen %06x, capture %06x", x, y, a.at(x, y), b.at(x, y));
                first = text;
            }
    return count ? std::to_string(count) + " pixels differ, first at " + first : "";
}

class RealWindow : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        // -displayfd: Xvfb picks a free display and writes its number.
        ASSERT_TRUE(start_command(xvfb_,
                                  {"Xvfb", "-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp",
                                   "-noreset"},
                                  {}, stderr_to::discard));
        const std::string number = next_line(xvfb_, 20000);
        if (number.empty()) {
            kill(-xvfb_.pid, SIGTERM);
            const int status = finish_command(xvfb_, 5000);
            GTEST_SKIP() << (status == 127 ? "Xvfb is not installed (Debian package xvfb): real-window test not run"
                                           : "Xvfb could not start: real-window test not run");
        }
        display_name_ = ":" + number;
        // A window that goes away while we look at it is no reason to end the test.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        display_ = XOpenDisplay(display_name_.c_str());
        ASSERT_NE(display_, nullptr) << "cannot connect to Xvfb on " << display_name_;
    }

    void TearDown() override
    {
        if (display_)
            XCloseDisplay(display_);
        if (xvfb_.pid > 0) {
            kill(-xvfb_.pid, SIGTERM);  // not SIGKILL: Xvfb removes its lock and socket
            finish_command(xvfb_, 5000);
        }
    }

    // The program's top-level window: the one whose class names the program.
    Window find_window(const std::string& name)
    {
        Window root = DefaultRootWindow(display_), parent, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(display_, root, &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i) {
                XClassHint hint{};
                if (XGetClassHint(display_, children[i], &hint)) {
                    if (hint.res_name && name == hint.res_name)
                        found = children[i];
                    XFree(hint.res_name);
                    XFree(hint.res_class);
                }
            }
            XFree(children);
        }
        return found;
    }

    // Runs an X client (xwd, xdotool) on the display.
    run_result x_command(const std::vector<std::string>& argv)
    {
        run_options options = with_env({"DISPLAY=" + display_name_});
        options.timeout_seconds = 30;
        return run_command(argv, options);
    }

    rgb_image screenshot(Window w)
    {
        return parse_xwd(x_command({"xwd", "-silent", "-id", std::to_string(w)}).out);
    }

    void press_key(Window w)
    {
        ASSERT_EQ(x_command({"xdotool", "windowfocus", std::to_string(w), "key", "space"}).status, 0)
            << "xdotool failed (Debian package xdotool)";
    }

    // What a window manager sends when the user closes the window.
    void request_close(Window w)
    {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, w, False, NoEventMask, &e);
        XSync(display_, False);
    }

    std::string title(Window w)
    {
        char* name = nullptr;
        std::string text;
        if (XFetchName(display_, w, &name) && name) {
            text = name;
            XFree(name);
        }
        return text;
    }

    // Polls for the program's window for up to ten seconds.
    Window await_window(const std::string& name)
    {
        for (int i = 0; i < 500; ++i) {
            if (Window w = find_window(name))
                return w;
            usleep(20000);
        }
        return 0;
    }

    watched_process xvfb_;
    std::string display_name_;
    Display* display_ = nullptr;
};

TEST_P(RealWindow, ShowsEveryCapturedStageAndAdvancesOnKeyAndClose)
{
    const std::string name = GetParam();
    const program_captions captions = read_captions(DRAWKIT_SOURCE_DIR "/docs/captions/" + name + ".txt");
    ASSERT_GE(captions.stages.size(), 1u) << "captions of " << name;
    const size_t stages = captions.stages.size();

    // A sanitized build wants its runtime first; the announcer intercepts none of it.
    std::string asan = "ASAN_OPTIONS=verify_asan_link_order=0";
    if (const char* old = std::getenv("ASAN_OPTIONS"); old && *old)
        asan += std::string(":") + old;
    // An entry with an argument is titled by its command; its window's class
    // names the binary.
    const std::string title = program_title(name), binary = fs::path(program_path(name)).filename();
    const long started = static_cast<long>(std::time(nullptr));
    watched_process child;
    ASSERT_TRUE(start_command(child, program_command(name),
                              with_env({"DISPLAY=" + display_name_, "SDL_VIDEODRIVER=x11",
                                       "LD_PRELOAD=" DRAWKIT_TOUR_PRELOAD, asan, "TOUR_PROGRAM=" + title,
                                       "TOUR_CAPTIONS=" DRAWKIT_SOURCE_DIR "/docs/captions/" + name + ".txt"})));

    std::vector<rgb_image> shown;
    Window window = 0;
    for (size_t stage = 1;; ++stage) {
        std::string line = next_line(child, 60000);
        if (line.empty())
            break;  // the program ended (or hung: finish_command says which)
        // The tour's line: program, stage and its caption.
        std::string expected = title + ", stage " + std::to_string(stage) + " of " + std::to_string(stages);
        if (stage <= stages)
            expected += ": " + captions.stages[stage - 1];
        EXPECT_EQ(line, expected);
        if (!window)
            window = find_window(binary);
        ASSERT_NE(window, 0u) << name << " has no window on " << display_name_;
        shown.push_back(screenshot(window));
        ASSERT_EQ(shown.back().w, 800) << "no screenshot of stage " << stage;
        if (stage == 1)
            request_close(window);
        else
            press_key(window);
    }
    EXPECT_EQ(finish_command(child, 30000), 0) << name << " did not end with status 0 after its last stage";
    const long ended = static_cast<long>(std::time(nullptr));
    ASSERT_EQ(shown.size(), stages) << name << " showed another number of stages than its captions tell";

    // The same program under the capture tool. A program that seeds its
    // colours from the clock gets each second the window run may have read.
    std::string mismatch;
    for (long t = started; t <= ended; ++t) {
        capture_options options;
        options.fixed_time = t;
        captured_run c = run_program(name, options);
        ASSERT_EQ(c.status, 0) << c.stderr_text;
        ASSERT_EQ(c.stages.size(), stages);
        mismatch.clear();
        for (size_t s = 0; s < stages && mismatch.empty(); ++s)
            if (std::string d = first_difference(shown[s], c.stages[s]); !d.empty())
                mismatch = "stage " + std::to_string(s + 1) + ": " + d;
        if (mismatch.empty())
            break;
    }
    EXPECT_EQ(mismatch, "") << name << " in its window differs from its capture";
}

INSTANTIATE_TEST_SUITE_P(Programs, RealWindow, ::testing::ValuesIn(listed_programs()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// ---- Leaving, titles, exposure and pacing, under each SDL 1.2 ----

using steady_clock = std::chrono::steady_clock;

long ms_since(steady_clock::time_point start)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(steady_clock::now() - start).count());
}

// The folder of sdl12-compat's libSDL-1.2.so.0, unpacked by scripts/sdl12-compat; "" when it cannot be had.
const std::string& sdl12_compat_lib()
{
    static const std::string lib = [] {
        std::string dir = run_command({DRAWKIT_SOURCE_DIR "/scripts/sdl12-compat"}).out;
        while (!dir.empty() && dir.back() == '\n')
            dir.pop_back();
        return dir.empty() ? dir : dir + "/lib";
    }();
    return lib;
}

// The parameter names the SDL 1.2 the programs run on: "classic" (the one
// they are built against) or "sdl12_compat" (the same binaries over SDL2).
class EachSdl : public RealWindow {
protected:
    void SetUp() override
    {
        if (GetParam() == "sdl12_compat" && sdl12_compat_lib().empty())
            GTEST_SKIP() << "sdl12-compat cannot be had (scripts/sdl12-compat failed): not checked";
        RealWindow::SetUp();
    }

    // The environment of a program in the real window, without a video
    // driver named, optionally with the tour's companion.
    std::vector<std::string> env(const std::string& name, int frame_ms = -1)
    {
        std::vector<std::string> e = {"DISPLAY=" + display_name_, "-SDL_VIDEODRIVER", "ASAN_OPTIONS=verify_asan_link_order=0"};
        if (GetParam() == "sdl12_compat") {
            e.push_back("LD_LIBRARY_PATH=" + sdl12_compat_lib());
            // No leak check over SDL2 (sanitizer build only): SDL2 draws through OpenGL, and Mesa's software
            // driver swrast_dri.so keeps a 128-byte realloc'ed table in a static of its own, then is unloaded
            // at SDL_Quit, so LeakSanitizer finds the block referenced by nothing in a module it can no longer
            // name, and no suppression can match it. Classic SDL's runs and valgrind check the programs' leaks.
            e[2] += ":detect_leaks=0";
        }
        if (frame_ms >= 0) {
            e.push_back("LD_PRELOAD=" DRAWKIT_TOUR_PRELOAD);
            e.push_back("TOUR_PROGRAM=" + name);
            e.push_back("TOUR_CAPTIONS=" DRAWKIT_SOURCE_DIR "/docs/captions/" + name + ".txt");
            e.push_back("TOUR_FRAME_MS=" + std::to_string(frame_ms));
        }
        return e;
    }
};

// SIGINT and SIGTERM end a program at once, killed by the signal, whether it
// waits for a key or is in the middle of an animation.
TEST_P(EachSdl, InterruptAndTerminateEndAProgramAtOnce)
{
    for (int sig : {SIGINT, SIGTERM})
        for (bool animating : {false, true}) {
            const std::string name = animating ? "p2_wallpaper_animation" : "p2_wallpaper";
            watched_process child;
            ASSERT_TRUE(start_command(child, {program_path(name)}, with_env(env(name, animating ? 25 : -1))));
            Window w = await_window(name);
            ASSERT_NE(w, 0u) << name << " opened no window";
            if (animating) {
                ASSERT_EQ(next_line(child, 20000).rfind(name + ", stage 1 of 2", 0), 0u);
                w = find_window(name);  // SDL over SDL2 may replace its first window
                press_key(w);
                usleep(1000000);  // 250 frames of 25 ms: well inside the animation
            } else {
                usleep(1000000);
                w = find_window(name);
                EXPECT_EQ(title(w), name);
            }
            const auto sent = steady_clock::now();
            kill(child.pid, sig);
            const int status = finish_command(child, 5000);
            const long took = ms_since(sent);
            EXPECT_EQ(child.signal, sig) << name << ": " << strsignal(sig)
                                         << (animating ? " mid-animation" : " in a wait") << " gave status " << status;
            EXPECT_LT(took, 1000) << strsignal(sig) << " took " << took << " ms";
            std::printf("[ measured ] %s, %s %s: ended in %ld ms\n", GetParam().c_str(), strsignal(sig),
                        animating ? "mid-animation" : "in a wait", took);
        }
}

// A window covered by another, or unmapped and mapped again, at a wait shows
// its stage again; the tour titles it with the stage.
TEST_P(EachSdl, CoveredOrUnmappedWindowShowsItsStageAgain)
{
    const std::string name = "snub_hexagonal_tiling";
    watched_process child;
    ASSERT_TRUE(start_command(child, {program_path(name)}, with_env(env(name, 0))));
    ASSERT_EQ(next_line(child, 30000).rfind(name + ", stage 1 of 1", 0), 0u);
    Window w = find_window(name);
    ASSERT_NE(w, 0u);
    EXPECT_EQ(title(w), name + ", stage 1 of 1");
    usleep(300000);
    const rgb_image stage = screenshot(w);
    ASSERT_EQ(stage.w, 800);

    XSetWindowAttributes a{};
    a.override_redirect = True;
    a.background_pixel = BlackPixel(display_, DefaultScreen(display_));
    Window cover = XCreateWindow(display_, DefaultRootWindow(display_), 0, 0, 800, 600, 0, CopyFromParent,
                                 InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
    XMapRaised(display_, cover);
    XSync(display_, False);
    usleep(300000);
    XDestroyWindow(display_, cover);
    XSync(display_, False);
    usleep(500000);
    EXPECT_EQ(first_difference(screenshot(w), stage), "") << "after being covered";

    const std::string id = std::to_string(w);
    ASSERT_EQ(x_command({"xdotool", "windowunmap", "--sync", id, "windowmap", "--sync", id}).status, 0);
    usleep(500000);
    EXPECT_EQ(first_difference(screenshot(w), stage), "") << "after being unmapped and mapped";

    int status = 0;
    ASSERT_EQ(waitpid(child.pid, &status, WNOHANG), 0) << "the exposures ended the wait";
    press_key(w);
    EXPECT_EQ(finish_command(child, 10000), 0) << "the exposures must not have ended the wait";
}

// Without a display (and no driver named) a program says so in one line and
// ends with status 1 at once, as it does when the display cannot be reached.
TEST_P(EachSdl, NoDisplayGivesOneLineAndStatusOne)
{
    const std::string name = "p2_wallpaper";
    for (const std::string& display : {std::string("-DISPLAY"), std::string("DISPLAY=:4093")}) {
        std::vector<std::string> e = env(name);
        e[0] = display;
        e.push_back("-WAYLAND_DISPLAY");
        watched_process child;
        const auto started = steady_clock::now();
        ASSERT_TRUE(start_command(child, {program_path(name)}, with_env(e), stderr_to::stdout_pipe));
        EXPECT_EQ(finish_command(child, 5000), 1) << display;
        const long took = ms_since(started);
        std::string text = next_line(child, 1000);
        EXPECT_EQ(text.rfind(name + ": cannot open a window: ", 0), 0u) << text;
        if (display == "-DISPLAY") {
            EXPECT_NE(text.find("DISPLAY is not set"), std::string::npos) << text;
        }
        EXPECT_EQ(next_line(child, 100), "") << "more than one line";
        EXPECT_LT(took, 1000) << display << ": took " << took << " ms";
        std::printf("[ measured ] %s, %s: \"%s\" in %ld ms\n", GetParam().c_str(), display.c_str(), text.c_str(),
                    took);
    }
}

INSTANTIATE_TEST_SUITE_P(Sdl, EachSdl, ::testing::Values("classic", "sdl12_compat"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// The tour as a person meets it: scripts/show in a terminal's foreground job.
class Tour : public EachSdl {
protected:
    // In a process group of its own, as a terminal's foreground job.
    void show(watched_process& child, const std::string& name)
    {
        std::vector<std::string> e = env(name);
        e.push_back("DRAWKIT_BUILD_DIR=" DRAWKIT_BUILD_DIR);
        ASSERT_TRUE(start_command(child, {DRAWKIT_SOURCE_DIR "/scripts/show", name}, with_env(e)));
    }

    // Reads the tour's lines until one starts with `prefix`; "" when none comes.
    std::string line_starting(watched_process& child, const std::string& prefix, int timeout_ms = 30000)
    {
        // The tour prints empty lines too: read on until the time is up.
        for (const auto start = steady_clock::now(); ms_since(start) < timeout_ms;)
            if (std::string line = next_line(child, static_cast<int>(timeout_ms - ms_since(start)));
                !line.empty() && line.rfind(prefix, 0) == 0)
                return line;
        return "";
    }
};

// The programs that show frames in the middle of a stage, with their period.
std::vector<listed_program> animated_programs()
{
    std::string error;
    std::vector<listed_program> animated;
    for (const listed_program& p : read_program_list(program_list_path(), error))
        if (p.frame_ms > 0)
            animated.push_back(p);
    return animated;
}

// The tour of one animated program under classic SDL: one test per program,
// so that ctest runs these long, mostly idle tests side by side.
class TourPacing : public Tour {};

// Every animated program shows each frame in the middle of a stage for its
// frame_ms: the time to its last wait is the held frames times the period.
TEST_P(TourPacing, HoldsEveryMidStageFrameForItsPeriod)
{
    const std::string name = GetParam();
    long frame_ms = 0;
    for (const listed_program& p : animated_programs())
        if (p.id == name)
            frame_ms = p.frame_ms;
    ASSERT_GT(frame_ms, 0) << name;
    const golden_hashes golden = read_golden(DRAWKIT_SOURCE_DIR "/tests/golden/" + name + ".txt");
    ASSERT_EQ(golden.error, "");
    const long flips = static_cast<long>(golden.frames.size()), stages = static_cast<long>(golden.stages.size());
    const long held_ms = (flips - stages) * frame_ms;  // the last flip of a stage waits for the key
    watched_process child;
    const auto started = steady_clock::now();
    show(child, name);
    if (HasFatalFailure())
        return;
    long took = 0;
    for (long s = 1; s <= stages; ++s) {
        ASSERT_NE(line_starting(child, name + ", stage " + std::to_string(s) + " of", held_ms + 30000), "");
        took = ms_since(started);
        press_key(await_window(name));
    }
    EXPECT_EQ(finish_command(child, 10000), 0);
    EXPECT_GE(took, held_ms) << name;
    EXPECT_LT(took, held_ms + 4000) << name;
    std::printf("[ measured ] %s: %ld frames held %ld ms each, on screen %ld ms to its last wait\n",
                name.c_str(), flips - stages, frame_ms, took);
}

INSTANTIATE_TEST_SUITE_P(Tour, TourPacing,
                         ::testing::ValuesIn([] {
                             std::vector<std::string> names;
                             for (const listed_program& p : animated_programs())
                                 names.push_back(p.id);
                             return names;
                         }()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// Escape at a wait, q in the middle of an animation and Ctrl-C (SIGINT to the
// whole foreground job) each end the tour at once and say so.
TEST_P(Tour, EscapeQAndCtrlCEndTheTour)
{
    const std::string name = "p2_wallpaper_animation";
    for (const std::string& how : {std::string("Escape"), std::string("q"), std::string("Ctrl-C")}) {
        watched_process child;
        show(child, name);
        if (HasFatalFailure())
            return;
        ASSERT_NE(line_starting(child, "Press a key or close the window to go on; Escape or q leaves the tour"), "");
        ASSERT_NE(line_starting(child, name + ", stage 1 of 2"), "");
        Window w = find_window(name);
        ASSERT_NE(w, 0u);
        if (how != "Escape") {
            press_key(w);
            usleep(1000000);
            EXPECT_EQ(title(w), name + ", stage 2 of 2");
        }
        const auto asked = steady_clock::now();
        if (how == "Ctrl-C")
            kill(-child.pid, SIGINT);
        else
            ASSERT_EQ(x_command({"xdotool", "windowfocus", std::to_string(w), "key", how}).status, 0);
        const int status = finish_command(child, 5000);
        const long took = ms_since(asked);
        EXPECT_EQ(status, how == "Ctrl-C" ? 130 : 0) << how;
        EXPECT_NE(line_starting(child, how == "Ctrl-C" ? "Tour interrupted (Ctrl-C)." : "Tour left (Escape or q).", 1000),
                  "")
            << how;
        EXPECT_LT(took, 1500) << how << " took " << took << " ms";
        std::printf("[ measured ] tour, %s: ended in %ld ms\n", how.c_str(), took);
    }
}

INSTANTIATE_TEST_SUITE_P(Sdl, Tour, ::testing::Values("classic"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

} // namespace
