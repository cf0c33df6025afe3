#include "session.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void to_screen(const std::vector<Uint32>& pixels)
{
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        std::memcpy(pixel_row(y), pixels.data() + static_cast<size_t>(y) * SCREEN_WIDTH, SCREEN_WIDTH * sizeof(Uint32));
}

void from_screen(std::vector<Uint32>& pixels)
{
    pixels.resize(static_cast<size_t>(SCREEN_WIDTH) * SCREEN_HEIGHT);
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        std::memcpy(pixels.data() + static_cast<size_t>(y) * SCREEN_WIDTH, pixel_row(y), SCREEN_WIDTH * sizeof(Uint32));
}

void layer_to_screen(const draw_session& s) { to_screen(s.layer); }
void screen_to_layer(draw_session& s) { from_screen(s.layer); }

// The picture shown: the layer, then the overlays asked for: the
// fundamental region's outline, the lattice cell, the symmetry elements,
// drawn once on their own and then set over the layer at every change.
void show(draw_session& s)
{
    if (s.overlay.empty() && (s.region || s.cell || s.elements)) {
        SDL_FillRect(screen, nullptr, no_overlay);
        const group_palette palette = map_group_palette();
        if (s.region)
            outline_region(s.images.layout, palette);
        if (s.cell)
            draw_home_cell(s.images.layout, palette);
        if (s.elements)
            draw_window_elements(s.images.layout, palette);
        from_screen(s.overlay);
    }
    layer_to_screen(s);
    if (!(s.region || s.cell || s.elements))
        return;
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        Uint32* row = pixel_row(y);
        const Uint32* over = s.overlay.data() + static_cast<size_t>(y) * SCREEN_WIDTH;
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            if (over[x] != no_overlay)
                row[x] = over[x];
    }
}

// The pending stroke drawn whole over the strokes before it.
void redraw_pending(draw_session& s)
{
    to_screen(s.base);
    if (s.drawing_now)
        draw_stroke_images(s.images, s.pending, 0, 0);
    screen_to_layer(s);
    show(s);
}

// Every stroke drawn again, the pending one last.
void redraw(draw_session& s)
{
    draw_drawing(s.images, s.current, 0, 0);
    from_screen(s.base);
    redraw_pending(s);
}

void change_drawing(draw_session& s, drawing next)
{
    drawing_change change;
    change.other = std::move(s.current);
    s.current = std::move(next);
    s.undo_list.push_back(std::move(change));
    s.redo_list.clear();
    s.images = images_of(*s.current.group);
    s.overlay.clear();
    redraw(s);
}

}  // namespace

void session_start(draw_session& s, const wallpaper_group& group)
{
    s = draw_session{};
    s.current.group = &group;
    s.images = images_of(group);
    redraw(s);
}

void session_set_group(draw_session& s, const wallpaper_group& group)
{
    s.current.group = &group;
    s.images = images_of(group);
    s.overlay.clear();
    redraw(s);
}

void session_set_overlays(draw_session& s, bool cell, bool region, bool elements)
{
    s.cell = cell, s.region = region, s.elements = elements;
    s.overlay.clear();
    show(s);
}

void session_begin(draw_session& s, stroke_tool tool, uint32_t rgb, int width, pixel_point p)
{
    if (s.drawing_now)
        session_end(s);
    s.drawing_now = true;
    s.pending = stroke{tool, rgb & 0xffffff, std::clamp(width, 1, widest_pen), {p}};
    if (tool != stroke_tool::freehand)
        s.pending.points.push_back(p);
    redraw_pending(s);
}

void session_move(draw_session& s, pixel_point p)
{
    if (!s.drawing_now)
        return;
    p.x = std::clamp(p.x, -farthest_point, farthest_point), p.y = std::clamp(p.y, -farthest_point, farthest_point);
    stroke& pending = s.pending;
    if (pending.tool == stroke_tool::freehand) {
        const pixel_point last = pending.points.back();
        if (last.x == p.x && last.y == p.y)
            return;
        pending.points.push_back(p);
        layer_to_screen(s);
        draw_last_segment_images(s.images, pending, 0, 0);
        screen_to_layer(s);
        show(s);
        return;
    }
    pending.points[1] = p;
    if (pending.tool == stroke_tool::disc && disc_radius(pending) > largest_disc) {
        // The rim point drawn back towards the centre, onto the largest disc.
        const pixel_point c = pending.points[0];
        const double dx = p.x - c.x, dy = p.y - c.y, scale = largest_disc / std::sqrt(dx * dx + dy * dy);
        pending.points[1] = {c.x + static_cast<int>(dx * scale), c.y + static_cast<int>(dy * scale)};
    }
    redraw_pending(s);
}

void session_end(draw_session& s)
{
    if (!s.drawing_now)
        return;
    s.drawing_now = false;
    s.base = s.layer;
    s.current.strokes.push_back(s.pending);
    drawing_change change;
    change.added = true;
    s.undo_list.push_back(std::move(change));
    s.redo_list.clear();
}

void session_cancel(draw_session& s)
{
    if (!s.drawing_now)
        return;
    s.drawing_now = false;
    redraw_pending(s);
}

namespace {

// Takes the last change of `from`, undoes or redoes it, and keeps it in `to`.
bool replay(draw_session& s, std::vector<drawing_change>& from, std::vector<drawing_change>& to, bool undo)
{
    session_end(s);
    if (from.empty())
        return false;
    drawing_change change = std::move(from.back());
    from.pop_back();
    if (change.added && undo) {
        change.added_stroke = std::move(s.current.strokes.back());
        s.current.strokes.pop_back();
    } else if (change.added) {
        s.current.strokes.push_back(std::move(change.added_stroke));
        change.added_stroke = stroke{};
    } else {
        std::swap(change.other, s.current);
        s.images = images_of(*s.current.group);
        s.overlay.clear();
    }
    to.push_back(std::move(change));
    redraw(s);
    return true;
}

}  // namespace

bool session_undo(draw_session& s) { return replay(s, s.undo_list, s.redo_list, true); }
bool session_redo(draw_session& s) { return replay(s, s.redo_list, s.undo_list, false); }

void session_clear(draw_session& s)
{
    session_end(s);
    if (s.current.strokes.empty())
        return;
    change_drawing(s, drawing{s.current.group, {}});
}

std::string session_load(draw_session& s, const std::string& text)
{
    drawing read;
    const std::string wrong = parse_drawing(text, read);
    if (!wrong.empty())
        return wrong;
    session_end(s);
    change_drawing(s, std::move(read));
    return "";
}
