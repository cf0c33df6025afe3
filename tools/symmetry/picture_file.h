// Reading and writing the symmetry tool's pictures: PNG and JPEG files as
// 0xRRGGBB pixels, with the reason when a file cannot be read.
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

// Reads the PNG or JPEG at `path`, told apart by the file's first bytes,
// not its name: any PNG colour type (alpha is dropped), grey, colour and
// CMYK JPEG (converted to RGB). On failure returns false, leaves `picture`
// empty and says why in `reason` ("No such file or directory", "empty
// file", "not a PNG file or a JPEG file", "truncated or damaged: ...",
// "too large: WxH, at most 4096x4096", "not supported: ...").
bool read_picture(const std::string& path, rgb_picture& picture, std::string& reason);

// Writes an 8-bit RGB PNG; false with the reason when it cannot.
bool write_picture(const std::string& path, const rgb_picture& picture, std::string& reason);
