// The draw page's core (web/draw.js): one drawing session, driven by the
// page's pointer events and buttons. Strings returned stay valid until the
// next call of the same function; pixels are 800x600 R, G, B, A bytes.
#include "session.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <string>

namespace {

draw_session session;
std::vector<uint32_t> exported;
std::vector<std::vector<uint32_t>> stages;

// A pointer position in canvas pixels, to its pixel.
pixel_point pixel_of(double x, double y)
{
    const double limit = farthest_point;
    return {static_cast<int>(std::floor(std::isfinite(x) ? std::fmax(-limit, std::fmin(limit, x)) : 0)),
            static_cast<int>(std::floor(std::isfinite(y) ? std::fmax(-limit, std::fmin(limit, y)) : 0))};
}

const char* kept(std::string& store, std::string text)
{
    store = std::move(text);
    return store.c_str();
}

}  // namespace

extern "C" {

int draw_init()
{
    open_offscreen();
    session_start(session, *find_group("p4m"));
    return 1;
}

// Every group the page offers: the seventeen wallpaper groups, the seven
// frieze groups, C1 to C12 and D1 to D12, with their kind, names and the
// number of Build it's stages.
const char* draw_groups()
{
    static std::string text;
    nlohmann::json list = nlohmann::json::array();
    auto add = [&](const wallpaper_group& g) {
        const plane_group_names* names = g.shape == group_shape::plane ? find_plane_group(g.name) : nullptr;
        list.push_back({{"kind", kind_of(g)},
                        {"name", g.name},
                        {"full", names ? names->full : g.name},
                        {"orbifold", names ? names->orbifold : ""},
                        {"stages", group_stage_count(g)}});
    };
    for (const wallpaper_group& g : wallpaper_groups)
        add(g);
    for (const wallpaper_group& g : frieze_groups)
        add(g);
    for (int k = 0; k < rosette_count; ++k)
        add(rosette_groups()[k]);
    return kept(text, list.dump());
}

int draw_set_kind_group(const char* kind, const char* name)
{
    const wallpaper_group* g = find_kind_group(kind ? kind : "", name ? name : "");
    if (!g)
        return 0;
    session_set_group(session, *g);
    return 1;
}

int draw_set_group(const char* name) { return draw_set_kind_group("wallpaper", name); }
const char* draw_group() { return session.current.group->name; }
const char* draw_kind() { return kind_of(*session.current.group); }

void draw_set_overlays(int cell, int region, int elements)
{
    session_set_overlays(session, cell != 0, region != 0, elements != 0);
}

void draw_begin(int tool, int rgb, int width, double x, double y)
{
    const stroke_tool t = tool == 1 ? stroke_tool::line : tool == 2 ? stroke_tool::disc : stroke_tool::freehand;
    session_begin(session, t, static_cast<uint32_t>(rgb), width, pixel_of(x, y));
}

void draw_move(double x, double y) { session_move(session, pixel_of(x, y)); }
void draw_end() { session_end(session); }
void draw_cancel() { session_cancel(session); }
int draw_undo() { return session_undo(session); }
int draw_redo() { return session_redo(session); }
void draw_clear() { session_clear(session); }
int draw_can_undo() { return !session.undo_list.empty() || session.drawing_now; }
int draw_can_redo() { return !session.redo_list.empty(); }
int draw_stroke_count() { return static_cast<int>(session.current.strokes.size()); }
uint8_t* draw_pixels() { return static_cast<uint8_t*>(screen->pixels); }

const char* draw_save()
{
    static std::string text;
    return kept(text, drawing_json(session.current));
}

const char* draw_load(const char* json)
{
    static std::string text;
    return kept(text, session_load(session, json ? json : ""));
}

int draw_build()
{
    session_end(session);
    stages = build_stages(session.current, session.base);
    draw_set_overlays(session.cell, session.region, session.elements);  // the canvas as it was
    return static_cast<int>(stages.size());
}

uint8_t* draw_build_stage(int k)
{
    if (k < 1 || k > static_cast<int>(stages.size()))
        return nullptr;
    return reinterpret_cast<uint8_t*>(stages[k - 1].data());
}

int draw_cell_width()
{
    int w, h;
    seamless_cell(*session.current.group, w, h);
    return w;
}

int draw_cell_height()
{
    int w, h;
    seamless_cell(*session.current.group, w, h);
    return h;
}

int draw_export(int w, int h)
{
    exported = render_drawing(session.current, w, h);
    draw_set_overlays(session.cell, session.region, session.elements);
    return exported.empty() ? 0 : 1;
}

uint8_t* draw_export_pixels() { return reinterpret_cast<uint8_t*>(exported.data()); }

const char* draw_svg(int w, int h)
{
    static std::string text;
    return kept(text, drawing_svg(session.current, w, h));
}

const char* draw_relation(const char* kind, const char* found)
{
    static std::string text;
    std::string relation, sentence;
    group_relation(*session.current.group, kind ? kind : "none", found ? found : "none", relation, sentence);
    return kept(text, nlohmann::json{{"relation", relation}, {"sentence", sentence}}.dump());
}

}  // extern "C"
