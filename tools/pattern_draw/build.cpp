// "Build it": wallpaper_group's construction of the group, with the
// drawing, cut to one fundamental region, for its motif.
#include "drawing.h"

namespace {

struct build_context {
    const std::vector<uint32_t>* drawn;
    std::vector<std::vector<uint32_t>> stages;
};

// The motif: what the drawing has inside the fundamental region, on the
// background.
void drawing_motif(const group_layout& layout, const group_palette& palette, void* data)
{
    const std::vector<uint32_t>& drawn = *static_cast<build_context*>(data)->drawn;
    const std::vector<window_point> corners = region_points(layout);
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            put_pixel(x, y, in_region(corners, x, y) ? drawn[static_cast<size_t>(y) * SCREEN_WIDTH + x] : palette.background);
}

void keep_stage(void* data)
{
    const window_copy stage = save_window();
    static_cast<build_context*>(data)->stages.push_back(stage.pixels);
}

}  // namespace

std::vector<std::vector<uint32_t>> build_stages(const drawing& d)
{
    return build_stages(d, render_drawing(d, SCREEN_WIDTH, SCREEN_HEIGHT));
}

std::vector<std::vector<uint32_t>> build_stages(const drawing& d, const std::vector<uint32_t>& drawn)
{
    build_context context{&drawn, {}};
    build_group(lay_out_group(*d.group), map_group_palette(), {drawing_motif, &context, keep_stage, &context});
    return context.stages;
}
