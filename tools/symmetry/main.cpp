// symmetry FILE [--json] [--picture OUT.png] [--corners x1,y1,...,x4,y4]:
// names the wallpaper group of a PNG or JPEG picture and prints its lattice,
// symmetry elements and scores (--json: as one JSON object); --corners
// first rectifies the quadrilateral with those corners (top-left,
// top-right, bottom-right, bottom-left), a rectangle of the pattern seen in
// perspective; --picture writes the picture classified with the elements
// drawn over it.
#include "overlay.h"
#include "picture_file.h"
#include "rectify.h"
#include "symmetry.h"

#include <cstdio>
#include <string>
#include <utility>

namespace {

constexpr const char* usage = "usage: symmetry FILE [--json] [--picture OUT.png] [--corners x1,y1,x2,y2,x3,y3,x4,y4]\n";

}  // namespace

int main(int argc, char** argv)
{
    std::string input, output;
    bool json = false, corners_given = false, bad = argc < 2;
    real_point corners[4];
    for (int i = 1; i < argc && !bad; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json" && !json)
            json = true;
        else if (arg == "--picture" && i + 1 < argc && output.empty() && argv[i + 1][0] != '\0')
            output = argv[++i];
        else if (arg == "--corners" && i + 1 < argc && !corners_given)
            corners_given = true, bad = !parse_corners(argv[++i], corners) || !convex_quadrilateral(corners);
        else if (input.empty() && !arg.empty() && arg[0] != '-')
            input = arg;
        else
            bad = true;
    }
    if (bad || input.empty()) {
        std::fputs(usage, stderr);
        return 2;
    }
    rgb_picture picture;
    std::string reason;
    if (!read_picture(input, picture, reason)) {
        std::fprintf(stderr, "symmetry: %s: %s\n", input.c_str(), reason.c_str());
        return 2;
    }
    if (corners_given) {
        rgb_picture rectified;
        if (!rectify(picture, corners, rectified, reason)) {
            std::fprintf(stderr, "symmetry: %s: --corners: %s\n", input.c_str(), reason.c_str());
            return 2;
        }
        picture = std::move(rectified);
    }
    const wallpaper_symmetry symmetry = classify(picture.rgb.data(), picture.w, picture.h);
    std::fputs(json ? (describe_json(symmetry) + "\n").c_str() : describe(symmetry).c_str(), stdout);
    if (!output.empty()) {
        draw_elements(picture.rgb.data(), picture.w, picture.h, symmetry);
        if (!write_picture(output, picture, reason)) {
            std::fprintf(stderr, "symmetry: %s: cannot write: %s\n", output.c_str(), reason.c_str());
            return 1;
        }
    }
    return 0;
}
