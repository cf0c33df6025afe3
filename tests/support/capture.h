// Test support: run a program binary under the capture tool and read back
// what it showed. The binary is the very one in build/bin that users run.
#pragma once

#include <capture_format.h>

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

// An image as 0xRRGGBB values, row-major.
struct rgb_image {
    int w = 0;
    int h = 0;
    std::vector<uint32_t> rgb;
    uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * w + x]; }
};

struct capture_options {
    wait_answer answer = wait_answer::key;  // how each wait is answered
    bool frames = false;        // also keep every presented frame as PNG
    bool timing = false;        // no hashes and no pictures (capture --timing)
    long fixed_time = fixed_clock;  // time() returns this; -1: the real clock
    int timeout_seconds = 120;
    long stack_kib = 0;         // when > 0, the stack limit of the run
    std::vector<std::string> env;      // extra NAME=VALUE settings, -NAME removes
    std::vector<std::string> wrapper;  // run in front of the program (valgrind ...)
    std::string out_dir;        // where the capture goes; empty: a fresh folder
};

struct captured_run {
    int status = -1;                   // exit status of the capture tool
    std::string out_dir;               // where stage-NN.png, frame-NNNN.png, log.txt are
    std::string stderr_text;           // what the program printed on stderr
    std::vector<uint64_t> frame_hashes;  // one per SDL_Flip, in order
    std::vector<uint64_t> stage_hashes;  // one per wait, in order
    std::vector<rgb_image> stages;           // the surface at each wait
    rgb_image frame(int n) const;            // frame n (1-based); needs frames = true
};

// Programs are named by the id of their entry in docs/programs.tsv
// (wallpaper_group_p4m runs build/bin/wallpaper_group p4m), or by the name of
// a built program, or by a path when the name holds a '/' (the capture tests'
// own programs).

// Path of the binary: build/bin/<program>.
std::string program_path(const std::string& name);

// The argument vector that starts it: the binary, then the entry's argument.
std::vector<std::string> program_command(const std::string& name);

// How it names itself, in its window title and its messages: the entry's
// command ("wallpaper_group p4m"), else the binary's name.
std::string program_title(const std::string& name);

// Runs the program under the capture tool into options.out_dir or a
// fresh folder (build/test-output/<name>-<answer>-<pid>-<n>).
captured_run run_program(const std::string& name, const capture_options& options = {});

// The ids of the entries of docs/programs.tsv, in order.
std::vector<std::string> listed_programs();

// The recorded run of a program, made once by the suite's record step
// (tests/programs) for every check that reads it: key answers, the fixed
// clock, a 256 KiB stack, and every frame kept as PNG when the program shows
// frames in the middle of a stage. Tests that read it name the program
// after RECORDED in drawkit_add_test, so that they run after the recording.
std::string recorded_dir(const std::string& name);
const captured_run& recorded_run(const std::string& name);

// Removes a capture's folder (call when its checks passed; a failure's
// pictures stay to be looked at).
void discard(const captured_run& capture);

// Reads a PNG written by the capture tool; an empty rgb_image (w = h = 0) when
// the file is missing or unreadable.
rgb_image read_png(const std::string& path);
// Writes an 8-bit RGB PNG; reports on stderr when it cannot.
void write_png(const std::string& path, const rgb_image& image);

// The capture tool's hash of a picture, as logged: 64-bit FNV-1a over the
// R, G, B bytes of every pixel, row-major.
uint64_t image_hash(const rgb_image& image);

// Compares the stage (and, when recorded, frame) hashes with
// tests/golden/<name>.txt. On a difference it writes a diff image of each
// changed stage into the capture folder and returns a message naming them;
// returns "" when everything matches. With UPDATE_GOLDEN=1 in the
// environment it rewrites the golden file instead, unless `may_update` is
// false (runs that must match the golden pictures whatever is asked).
std::string compare_with_golden(const std::string& name, const captured_run& capture, bool may_update = true);

// The number of stages tests/golden/<name>.txt lists.
int golden_stage_count(const std::string& name);

// True when the one-pixel border of the picture is black.
bool has_black_frame(const rgb_image& image);

// A colour as the capture tool records it, from an RGB triple.
constexpr uint32_t rgb(int r, int g, int b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); }
