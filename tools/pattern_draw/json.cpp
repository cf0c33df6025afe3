// A drawing's file: {"format": "pattern_draw", "version": 1, "group": "p4m",
// ("kind": "frieze" or "rosette" for those groups,) "strokes": [{"tool": "freehand", "colour": "#rrggbb", "width": 5,
// "points": [[x, y], ...]}, ...]}, points in whole canvas pixels. Read with
// nlohmann's parser without exceptions: every value is checked for its type
// and range before it is taken.
#include "drawing.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>

using json = nlohmann::json;

namespace {

constexpr const char* tool_names[] = {"freehand", "line", "disc"};

std::string colour_text(uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xffffff));
    return text;
}

bool parse_colour(const json& value, uint32_t& rgb)
{
    if (!value.is_string())
        return false;
    const std::string& text = value.get_ref<const std::string&>();
    if (text.size() != 7 || text[0] != '#')
        return false;
    rgb = 0;
    for (size_t i = 1; i < 7; ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0)
            return false;
        rgb = rgb << 4 | static_cast<uint32_t>(digit);
    }
    return true;
}

// A whole number within [-limit, limit].
bool parse_whole(const json& value, int limit, int& out)
{
    if (!value.is_number())
        return false;
    const double v = value.get<double>();
    if (!std::isfinite(v) || v != std::floor(v) || std::abs(v) > limit)
        return false;
    out = static_cast<int>(v);
    return true;
}

// One stroke, or a message saying what is wrong with it.
std::string parse_stroke(const json& value, stroke& s, size_t& points_left)
{
    if (!value.is_object())
        return "is not an object";
    const auto tool = value.find("tool");
    if (tool == value.end() || !tool->is_string())
        return "has no \"tool\"";
    int k = 0;
    while (k < 3 && *tool != tool_names[k])
        ++k;
    if (k == 3)
        return "has an unknown tool " + tool->dump() + " (freehand, line or disc)";
    s.tool = static_cast<stroke_tool>(k);
    const auto colour = value.find("colour");
    if (colour == value.end() || !parse_colour(*colour, s.rgb))
        return "needs a \"colour\" as \"#rrggbb\"";
    const auto width = value.find("width");
    if (width == value.end() || !parse_whole(*width, widest_pen, s.width) || s.width < 1)
        return "needs a \"width\" from 1 to " + std::to_string(widest_pen);
    const auto points = value.find("points");
    if (points == value.end() || !points->is_array() || points->empty())
        return "needs \"points\": [[x, y], ...]";
    if (s.tool != stroke_tool::freehand && points->size() != 2)
        return std::string("is a ") + tool_names[k] + " and needs two points";
    if (points->size() > points_left)
        return "has more points than a drawing may hold (" + std::to_string(most_points) + " in all)";
    points_left -= points->size();
    for (const json& p : *points) {
        pixel_point q;
        if (!p.is_array() || p.size() != 2 || !parse_whole(p[0], farthest_point, q.x) ||
            !parse_whole(p[1], farthest_point, q.y))
            return "has a point that is not [x, y] in whole pixels within " + std::to_string(farthest_point);
        s.points.push_back(q);
    }
    if (s.tool == stroke_tool::disc && disc_radius(s) > largest_disc)
        return "is a disc larger than " + std::to_string(largest_disc) + " pixels";
    return "";
}

}  // namespace

std::string drawing_json(const drawing& d)
{
    json strokes = json::array();
    for (const stroke& s : d.strokes) {
        json points = json::array();
        for (pixel_point p : s.points)
            points.push_back({p.x, p.y});
        strokes.push_back({{"tool", tool_names[static_cast<int>(s.tool)]},
                           {"colour", colour_text(s.rgb)},
                           {"width", s.width},
                           {"points", std::move(points)}});
    }
    json file = {{"format", "pattern_draw"}, {"version", 1}, {"group", d.group->name}};
    if (d.group->shape != group_shape::plane)
        file["kind"] = kind_of(*d.group);
    file["strokes"] = std::move(strokes);
    return file.dump() + "\n";
}

std::string parse_drawing(const std::string& text, drawing& d)
{
    const json file = json::parse(text, nullptr, false);
    if (file.is_discarded())
        return "not a drawing: the file is not JSON";
    if (!file.is_object() || file.value("format", json()) != "pattern_draw")
        return "not a drawing: no \"format\": \"pattern_draw\" in the file";
    if (file.value("version", json()) != 1)
        return "not a drawing of this version: \"version\" must be 1";
    // "kind" says which list "group" names: the wallpaper groups when there is none.
    const json kind = file.value("kind", json("wallpaper"));
    const auto group = file.find("group");
    const wallpaper_group* g = group != file.end() && group->is_string() && kind.is_string()
                                   ? find_kind_group(kind.get<std::string>(), group->get<std::string>()) : nullptr;
    if (!g && kind != "wallpaper" && kind != "frieze" && kind != "rosette")
        return "not a drawing: \"kind\" must be \"wallpaper\", \"frieze\" or \"rosette\"";
    if (!g)
        return "not a drawing: \"group\" must name one of the " +
               std::string(kind == "frieze" ? "seven frieze groups" : kind == "rosette" ? "rosette groups C1 to C12, D1 to D12"
                                                                    : "seventeen wallpaper groups");
    const auto strokes = file.find("strokes");
    if (strokes == file.end() || !strokes->is_array())
        return "not a drawing: no \"strokes\" list";
    if (strokes->size() > most_strokes)
        return "too many strokes: a drawing holds at most " + std::to_string(most_strokes);
    drawing read{g, {}};
    size_t points_left = most_points;
    for (size_t i = 0; i < strokes->size(); ++i) {
        stroke s;
        const std::string wrong = parse_stroke((*strokes)[i], s, points_left);
        if (!wrong.empty())
            return "not a drawing: stroke " + std::to_string(i + 1) + " " + wrong;
        read.strokes.push_back(std::move(s));
    }
    d = std::move(read);
    return "";
}
