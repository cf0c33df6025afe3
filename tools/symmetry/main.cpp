// symmetry FILE.png [--picture OUT.png]: names the wallpaper group of a
// picture and prints its lattice and symmetry elements; --picture writes
// the picture with the elements drawn over it.
#include "overlay.h"
#include "png_file.h"
#include "symmetry.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    std::string input, output;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--picture" && i + 1 < argc)
            output = argv[++i];
        else if (input.empty() && !arg.empty() && arg[0] != '-')
            input = arg;
        else
            input.clear(), argc = 0;
    }
    if (input.empty()) {
        std::fprintf(stderr, "usage: symmetry FILE.png [--picture OUT.png]\n");
        return 2;
    }
    rgb_picture picture;
    std::string reason;
    if (!read_picture(input, picture, reason)) {
        std::fprintf(stderr, "symmetry: %s: %s\n", input.c_str(), reason.c_str());
        return 2;
    }
    const wallpaper_symmetry symmetry = classify(picture.rgb.data(), picture.w, picture.h);
    std::fputs(describe(symmetry).c_str(), stdout);
    if (!output.empty()) {
        draw_elements(picture.rgb.data(), picture.w, picture.h, symmetry);
        if (!write_picture(output, picture, reason)) {
            std::fprintf(stderr, "symmetry: %s: cannot write: %s\n", output.c_str(), reason.c_str());
            return 1;
        }
    }
    return 0;
}
