// Reading and writing the symmetry tool's pictures: PNG files as 0xRRGGBB
// pixels, with the reason when a file cannot be read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The largest picture read, in each dimension.
constexpr int largest_side = 4096;

struct rgb_picture {
    int w = 0;
    int h = 0;
    std::vector<uint32_t> rgb;  // row-major, 0xRRGGBB
};

// Reads the PNG at `path` (any PNG colour type; alpha is dropped). On
// failure returns false and says why in `reason` ("no such file", "not a
// PNG file", "truncated or damaged: ...", "too large: ...").
bool read_picture(const std::string& path, rgb_picture& picture, std::string& reason);

// Writes an 8-bit RGB PNG; false with the reason when it cannot.
bool write_picture(const std::string& path, const rgb_picture& picture, std::string& reason);
