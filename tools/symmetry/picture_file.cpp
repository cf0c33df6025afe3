#include "picture_file.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>
#include <jerror.h>

namespace {

// The reason given for a picture beyond largest_side.
std::string too_large(unsigned long w, unsigned long h)
{
    return "too large: " + std::to_string(w) + "x" + std::to_string(h) + ", at most " + std::to_string(largest_side) +
           "x" + std::to_string(largest_side);
}

// Reads the PNG `file` (rewound, its signature checked) into `picture`;
// false with the reason when it is damaged, truncated or too large.
bool read_png_file(std::FILE* file, rgb_picture& picture, std::string& reason)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_stdio(&png, file)) {
        reason = std::string("truncated or damaged: ") + png.message;
        return false;
    }
    if (png.width > largest_side || png.height > largest_side) {
        reason = too_large(png.width, png.height);
        png_image_free(&png);
        return false;
    }
    png.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> bytes(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr)) {
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

// The state of one JPEG decoding. libjpeg reports errors by calling back;
// ours jump back to decode_jpeg with the message instead of exiting, so
// everything that must outlive the jump lives here, in the caller's frame.
struct jpeg_reading {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
    bool unsupported = false;  // a valid file of a kind not handled, not a damaged one
    std::vector<uint8_t> row;
};

// libjpeg's error exit: keeps the message and jumps back; never returns.
[[noreturn]] void jpeg_failed(j_common_ptr info)
{
    jpeg_reading& reading = *static_cast<jpeg_reading*>(info->client_data);
    info->err->format_message(info, reading.message);
    const int code = info->err->msg_code;
    reading.unsupported = code == JERR_BAD_PRECISION || code == JERR_CONVERSION_NOTIMPL ||
                          code == JERR_NOT_COMPILED || code == JERR_ARITH_NOTIMPL;
    std::longjmp(reading.jump, 1);
}

// libjpeg's messages: a file that ends early or whose data is corrupt is a
// failure (libjpeg itself would go on with grey or garbled rows); other
// warnings and trace messages are ignored.
void jpeg_message(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    const int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_MUST_RESYNC)
        jpeg_failed(info);
    ++info->err->num_warnings;
}

// An 8-bit channel times another, over 255, rounded.
uint32_t product(unsigned a, unsigned b) { return (a * b + 127) / 255; }

// Decodes the JPEG `file` into `picture` through `reading`; false with the
// reason when it fails. Grey and colour come out as RGB; CMYK (and YCCK)
// are converted, as inverted CMYK when the file has Adobe's marker, as
// Adobe's programs write it.
bool decode_jpeg(jpeg_reading& reading, std::FILE* file, rgb_picture& picture, std::string& reason)
{
    jpeg_decompress_struct& info = reading.info;
    info.err = jpeg_std_error(&reading.errors);
    reading.errors.error_exit = jpeg_failed;
    reading.errors.emit_message = jpeg_message;
    if (setjmp(reading.jump)) {
        jpeg_destroy_decompress(&info);
        reason = std::string(reading.unsupported ? "not supported: " : "truncated or damaged: ") + reading.message;
        return false;
    }
    jpeg_create_decompress(&info);
    info.client_data = &reading;
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    if (info.image_width > largest_side || info.image_height > largest_side) {
        reason = too_large(info.image_width, info.image_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    const int channels = info.output_components;
    const bool inverted = info.saw_Adobe_marker;
    picture.w = static_cast<int>(info.output_width);
    picture.h = static_cast<int>(info.output_height);
    picture.rgb.resize(static_cast<size_t>(picture.w) * picture.h);
    reading.row.resize(static_cast<size_t>(picture.w) * channels);
    while (info.output_scanline < info.output_height) {
        const size_t y = info.output_scanline;
        JSAMPROW row = reading.row.data();
        jpeg_read_scanlines(&info, &row, 1);
        uint32_t* out = picture.rgb.data() + y * picture.w;
        for (int x = 0; x < picture.w; ++x) {
            const uint8_t* p = reading.row.data() + static_cast<size_t>(x) * channels;
            if (!cmyk) {
                out[x] = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
                continue;
            }
            // Inverted CMYK holds 255 - ink, so each colour is kept * kept.
            const unsigned c = inverted ? p[0] : 255 - p[0], m = inverted ? p[1] : 255 - p[1],
                           yellow = inverted ? p[2] : 255 - p[2], k = inverted ? p[3] : 255 - p[3];
            out[x] = (product(c, k) << 16) | (product(m, k) << 8) | product(yellow, k);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

bool read_picture(const std::string& path, rgb_picture& picture, std::string& reason)
{
    picture = rgb_picture{};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        reason = std::strerror(errno);
        return false;
    }
    unsigned char head[8];
    const size_t got = std::fread(head, 1, sizeof head, file);
    bool read = false;
    if (got < sizeof head && std::ferror(file))
        reason = std::strerror(errno);  // a folder, for one
    else if (got == 0)
        reason = "empty file";
    else if (got == sizeof head && !png_sig_cmp(head, 0, sizeof head))
        std::rewind(file), read = read_png_file(file, picture, reason);
    else if (got >= 3 && head[0] == 0xff && head[1] == 0xd8 && head[2] == 0xff) {
        std::rewind(file);
        jpeg_reading reading;
        read = decode_jpeg(reading, file, picture, reason);
    } else
        reason = "not a PNG file or a JPEG file";
    std::fclose(file);
    if (!read)
        picture = rgb_picture{};
    return read;
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
