// "Build it": wallpaper_group's construction of the group, with the
// drawing, cut to one fundamental region, for its motif.
#include "drawing.h"

namespace {

struct build_context {
    const drawing* d;
    std::vector<std::vector<uint32_t>> stages;
};

// The motif: the whole drawing, then everything outside the fundamental
// region put back to the background.
void drawing_motif(const group_layout& layout, const group_palette& palette, void* data)
{
    const drawing& d = *static_cast<build_context*>(data)->d;
    draw_drawing(images_of(*d.group), d, 0, 0);
    const std::vector<window_point> corners = region_points(layout);
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            if (!in_region(corners, x, y))
                put_pixel(x, y, palette.background);
}

void keep_stage(void* data)
{
    const window_copy stage = save_window();
    static_cast<build_context*>(data)->stages.push_back(stage.pixels);
}

}  // namespace

std::vector<std::vector<uint32_t>> build_stages(const drawing& d)
{
    build_context context{&d, {}};
    build_group(lay_out_group(*d.group), map_group_palette(), {drawing_motif, &context, keep_stage, &context});
    return context.stages;
}
