// The capture format, in one place: the hash of a picture, the names of the
// files a capture writes, the answers a wait can get and the clock of
// recorded runs. The capture tool writes it; drawkit's web frame, the
// gallery, the benchmark and the tests read or reproduce it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

// 64-bit FNV-1a, the picture hash: fed the R, G, B bytes of every pixel,
// row-major, starting from fnv_offset. Logged as 16 lower-case hex digits.
constexpr uint64_t fnv_offset = 0xcbf29ce484222325ull;
constexpr uint64_t fnv_prime = 0x100000001b3ull;

// Folds `n` bytes into the hash `h`; the same bytes in pieces or at once
// give the same hash.
inline uint64_t fnv1a(uint64_t h, const uint8_t* bytes, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        h ^= bytes[i];
        h *= fnv_prime;
    }
    return h;
}

// A hash as logged: 16 lower-case hex digits.
inline std::string hash_text(uint64_t h)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

// The pictures a capture keeps, as printf formats of a long: stage n
// (1-based) as "stage-NN.png", presented frame n as "frame-NNNN.png". The
// preloaded recorder formats them into buffers of its own (it allocates
// nothing while it records); everything else calls the functions below.
constexpr const char stage_file_format[] = "stage-%02ld.png";
constexpr const char frame_file_format[] = "frame-%04ld.png";

// The picture of stage `n` (1-based): "stage-NN.png", two digits at least.
inline std::string stage_file_name(long n)
{
    char name[32];
    std::snprintf(name, sizeof name, stage_file_format, n);
    return name;
}

// The picture of presented frame `n` (1-based): "frame-NNNN.png".
inline std::string frame_file_name(long n)
{
    char name[32];
    std::snprintf(name, sizeof name, frame_file_format, n);
    return name;
}

// How the capture tool answers each wait: a key press, a close request,
// noise (mouse motion, key release, focus and expose) before the key press,
// or a failing SDL_WaitEvent.
enum class wait_answer { key, quit, noise, error };

constexpr const char* wait_answer_names[] = {"key", "quit", "noise", "error"};

// The answer's name, as --answer and CAPTURE_ANSWER take it.
constexpr const char* wait_answer_name(wait_answer a)
{
    return wait_answer_names[static_cast<int>(a)];
}

// The answer named `name`; false when there is none of that name.
inline bool parse_wait_answer(const char* name, wait_answer& answer)
{
    for (int i = 0; i < 4; ++i) {
        if (std::string(name) == wait_answer_names[i]) {
            answer = static_cast<wait_answer>(i);
            return true;
        }
    }
    return false;
}

// The clock of recorded runs: time() returns this, so a program that seeds
// its colours from the clock (terdragon_rosette) shows the same pictures on
// every run. The golden pictures were recorded with it.
constexpr time_t fixed_clock = 1700000000;
