#include "png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool read_picture(const std::string& path, rgb_picture& picture, std::string& reason)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        reason = std::strerror(errno);
        return false;
    }
    unsigned char signature[8];
    const size_t got = std::fread(signature, 1, sizeof signature, file);
    if (got != sizeof signature || png_sig_cmp(signature, 0, sizeof signature)) {
        std::fclose(file);
        reason = "not a PNG file";
        return false;
    }
    std::rewind(file);
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_stdio(&png, file)) {
        std::fclose(file);
        reason = std::string("truncated or damaged: ") + png.message;
        return false;
    }
    if (png.width > largest_side || png.height > largest_side) {
        reason = "too large: " + std::to_string(png.width) + "x" + std::to_string(png.height) + ", at most " +
                 std::to_string(largest_side) + "x" + std::to_string(largest_side);
        png_image_free(&png);
        std::fclose(file);
        return false;
    }
    png.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> bytes(PNG_IMAGE_SIZE(png));
    const bool read = png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr);
    std::fclose(file);
    if (!read) {
        reason = std::string("truncated or damaged: ") + png.message;
        png_image_free(&png);
        return false;
    }
    picture.w = static_cast<int>(png.width);
    picture.h = static_cast<int>(png.height);
    picture.rgb.resize(static_cast<size_t>(picture.w) * picture.h);
    for (size_t i = 0; i < picture.rgb.size(); ++i)
        picture.rgb[i] = (uint32_t(bytes[4 * i]) << 16) | (uint32_t(bytes[4 * i + 1]) << 8) | bytes[4 * i + 2];
    return true;
}

bool write_picture(const std::string& path, const rgb_picture& picture, std::string& reason)
{
    std::vector<uint8_t> bytes(picture.rgb.size() * 3);
    for (size_t i = 0; i < picture.rgb.size(); ++i) {
        bytes[3 * i] = static_cast<uint8_t>(picture.rgb[i] >> 16);
        bytes[3 * i + 1] = static_cast<uint8_t>(picture.rgb[i] >> 8);
        bytes[3 * i + 2] = static_cast<uint8_t>(picture.rgb[i]);
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(picture.w);
    png.height = static_cast<png_uint_32>(picture.h);
    png.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&png, path.c_str(), 0, bytes.data(), 0, nullptr)) {
        reason = png.message;
        return false;
    }
    return true;
}
