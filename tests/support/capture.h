// Test support: run a program binary under the capture tool and read back
// what it showed. The binary is the very one in build/bin that users run.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

// An image as 0xRRGGBB values, row-major.
struct Image {
    int w = 0;
    int h = 0;
    std::vector<uint32_t> rgb;
    uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * w + x]; }
};

// How each wait is answered.
enum class Answer { key, quit, noise, error };

struct CaptureOptions {
    Answer answer = Answer::key;
    bool frames = false;        // also keep every presented frame as PNG
    long fixed_time = -1;       // when >= 0, time() returns this value
    int timeout_seconds = 120;
    std::vector<std::string> env;  // extra NAME=VALUE settings
};

struct Capture {
    int status = -1;                   // exit status of the capture tool
    std::string out_dir;               // where stage-NN.png, frame-NNNN.png, log.txt are
    std::string stderr_text;           // what the program printed on stderr
    std::vector<uint64_t> frame_hashes;  // one per SDL_Flip, in order
    std::vector<uint64_t> stage_hashes;  // one per wait, in order
    std::vector<Image> stages;           // the surface at each wait
    Image frame(int n) const;            // frame n (1-based); needs frames = true
};

// Path of a built program: build/bin/<name>. A name holding a '/' is
// taken as a path as it is (the capture tests' own programs).
std::string program_path(const std::string& name);

// Runs build/bin/<name> under the capture tool into a fresh folder
// (build/test-output/<name>-<answer>-<pid>-<n>).
Capture run_program(const std::string& name, const CaptureOptions& options = {});

// Reads a PNG written by the capture tool; an empty Image (w = h = 0) when
// the file is missing or unreadable.
Image read_png(const std::string& path);
// Writes an 8-bit RGB PNG; reports on stderr when it cannot.
void write_png(const std::string& path, const Image& image);

// The capture tool's hash of a picture, as logged: 64-bit FNV-1a over the
// R, G, B bytes of every pixel, row-major.
uint64_t image_hash(const Image& image);

// Compares the stage (and, when recorded, frame) hashes with
// tests/golden/<name>.txt. On a difference it writes a diff image of each
// changed stage into the capture folder and returns a message naming them;
// returns "" when everything matches. With UPDATE_GOLDEN=1 in the
// environment it rewrites the golden file instead.
std::string compare_with_golden(const std::string& name, const Capture& capture);

// Runs the program again with each other answer (close request, noise
// before every key, an error from the event wait), on top of `base`, and
// checks that every run ends with status 0 showing exactly the frames and
// stages of `reference`. Returns "" when they all agree, else what differs.
std::string same_pictures_for_every_answer(const std::string& name, const Capture& reference,
                                           const CaptureOptions& base = {});

// True when the one-pixel border of the picture is black.
bool has_black_frame(const Image& image);

// A colour as the capture tool records it, from an RGB triple.
constexpr uint32_t rgb(int r, int g, int b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); }
