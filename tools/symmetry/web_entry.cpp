// The classifier for the browser page (web/symmetry.js): the page passes the
// RGBA pixels its canvas decoded and reads back the JSON of describe_json().
#include "symmetry.h"

#include <cstdint>
#include <cstring>
#include <string>

// Classifies the w x h RGBA picture at `rgba` (4 bytes a pixel, row-major)
// and returns its report as one JSON object, valid until the next call. The
// buffer is reused in place for the RGB pixels the classifier reads, so a
// 4096 x 4096 picture needs no second copy; its contents are lost. A size
// that is no picture gives {"error": "..."}.
extern "C" const char* symmetry_classify(uint8_t* rgba, int w, int h)
{
    static std::string report;
    if (!rgba || w <= 0 || h <= 0) {
        report = "{\"error\": \"no picture to classify\"}";
        return report.c_str();
    }
    const size_t n = static_cast<size_t>(w) * h;
    // Pixel i's four bytes are read before its word is written, and no later
    // pixel's bytes lie below it, so the conversion can run in place.
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* p = rgba + 4 * i;
        const uint32_t rgb = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
        std::memcpy(rgba + 4 * i, &rgb, sizeof rgb);
    }
    uint32_t* pixels = reinterpret_cast<uint32_t*>(rgba);  // malloc'd by the page: aligned for words
    report = describe_json(classify(pixels, w, h));
    return report.c_str();
}
