// The classifier for the browser page (web/symmetry.js): the page passes the
// RGBA pixels its canvas decoded and reads back the report of describe().
#include "symmetry.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" const char* symmetry_classify(const uint8_t* rgba, int w, int h)
{
    static std::string report;
    std::vector<uint32_t> rgb(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = (uint32_t(rgba[4 * i]) << 16) | (uint32_t(rgba[4 * i + 1]) << 8) | rgba[4 * i + 2];
    report = describe(classify(rgb.data(), w, h));
    return report.c_str();
}
