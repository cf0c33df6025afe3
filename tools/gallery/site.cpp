// The site of the gallery: the index page and the program pages, with the
// style and script of web/.
#include "site.h"

#include <capture_format.h>
#include <captions.h>
#include <golden.h>
#include <plane_groups.h>
#include <program_list.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The kinds, in the order of the index, with what a learner meets there.
struct program_kind {
    const char* id;
    const char* heading;
    const char* explanation;
};

// How to tell the seven frieze groups apart: mirrors along the strip's
// middle line or across it, then half-turns, then a glide.
constexpr const char* frieze_chart =
    "<table class=\"chart\">\n<caption>Which frieze? Look for a mirror along the middle of the strip, then for "
    "mirrors across it, then for half-turns.</caption>\n"
    "<tr><th scope=\"col\">Mirrors</th><th scope=\"col\">No half-turns</th><th scope=\"col\">Half-turns</th></tr>\n"
    "<tr><th scope=\"row\">along the middle line</th><td>p11m, the jump</td>"
    "<td>p2mm, the spinning jump (mirrors across too)</td></tr>\n"
    "<tr><th scope=\"row\">across the strip only</th><td>p1m1, the sidle</td>"
    "<td>p2mg, the spinning sidle (a glide along the middle)</td></tr>\n"
    "<tr><th scope=\"row\">none</th><td>p1, the hop; with a glide along the middle, p11g, the step</td>"
    "<td>p2, the spinning hop</td></tr>\n</table>\n";

// The frieze groups by their short international name: the orbifold name,
// the nickname a teacher uses (the footprints it looks like) and the
// symmetries in one sentence.
struct frieze_group_names {
    const char* name;
    const char* orbifold;
    const char* nickname;
    const char* symmetries;
};

constexpr frieze_group_names frieze_names[] = {
    {"p1", "∞∞", "hop", "Translations only: no mirror, glide or half-turn."},
    {"p11g", "∞x", "step", "A glide reflection along the middle line, and no mirror or half-turn."},
    {"p1m1", "*∞∞", "sidle", "Mirrors across the strip, and nothing along it."},
    {"p2", "22∞", "spinning hop", "Half-turns about centres on the middle line, and no mirror or glide."},
    {"p2mg", "2*∞", "spinning sidle",
     "Mirrors across the strip, half-turns halfway between them, and a glide along the middle line."},
    {"p11m", "∞*", "jump", "A mirror along the middle line, and none across it."},
    {"p2mm", "*22∞", "spinning jump",
     "Mirrors along the middle line and across the strip, with a half-turn where they cross."},
};

const frieze_group_names* names_of_frieze(const std::string& name)
{
    for (const frieze_group_names& f : frieze_names)
        if (name == f.name)
            return &f;
    return nullptr;
}

constexpr program_kind kinds[] = {
    {"lattice", "Tilings by regular polygons",
     "Each of these tilings is drawn by placing one figure at every point of a lattice, a grid of points "
     "reached by whole steps along two fixed directions. Regular polygons meet edge to edge, and every corner "
     "looks the same. A vertex configuration names that corner: walk once round it and list the polygons "
     "by their number of sides. 3.3.4.3.4 means triangle, triangle, square, triangle, square; 4.8.8 means a "
     "square and two octagons. Three of the eleven such tilings use one polygon only: six triangles "
     "(3.3.3.3.3.3), four squares (4.4.4.4) or three hexagons (6.6.6) round every corner. The last five here "
     "are laid down as by hand, one kind of polygon per stage, and then edged."},
    {"wallpaper", "Wallpaper patterns built by copying pixels",
     "A small motif is drawn once and then copied pixel by pixel. A mirror copies the picture across a line, "
     "as in a looking glass. A rotation turns it about a point: in p6m by a sixth, a third and a half of a turn, "
     "in p2 by a half-turn only. A translation slides it along the lattice without turning it. The group p6m "
     "has mirrors and rotations of order six; p2 has half-turns and translations and no mirrors. They are two "
     "of the seventeen wallpaper groups, which the last section shows one by one."},
    {"quadrilateral", "Quadrilateral tilings grown by half-turns",
     "Any quadrilateral, convex or not, tiles the plane. Turn a tile half a turn about the midpoint of one of "
     "its edges and the copy fits exactly against that edge, because its four angles add up to a full turn. "
     "Starting from one seed tile and repeating this, ring by ring through a queue (breadth-first) or down one "
     "branch at a time by recursion (depth-first), covers the window with copies of one tile."},
    {"terdragon", "The terdragon rosette",
     "The terdragon is a curve made by replacing every segment with three segments at 120 degrees to each "
     "other, again and again: each generation has three times the segments of the one before. Six copies, "
     "turned by multiples of 60 degrees about one point, grow into a rosette."},
    {"group", "The seventeen wallpaper groups",
     "A wallpaper group is the set of all the moves that map a repeating pattern of the plane onto itself: "
     "translations, rotations, mirrors and glide reflections (a mirror followed by a slide along it). There are "
     "exactly seventeen such groups, and one program draws each of them, built one operation at a time. Each "
     "card gives the short international name, the full one and the orbifold name, which lists the rotation "
     "orders, a * for mirrors and an x for a glide that no mirror explains."},
    {"frieze", "The seven frieze groups",
     "A frieze repeats along a strip in one direction only, like a border of tiles or a row of footprints in "
     "the sand. The moves that map it onto itself make one of exactly seven frieze groups, and one program "
     "draws each, built one operation at a time as the wallpaper groups are. Each card gives the short "
     "international name, the orbifold name (its infinity is the strip's one direction of translation) and the "
     "nickname of the footprints it looks like."},
    {"rosette", "Rosettes: the symmetries of a point",
     "A rosette keeps one point fixed: its symmetries are the turns about that point, by a whole fraction of a "
     "turn, and perhaps mirrors through it. Cn has the n turns by 360/n degrees and no mirror, as a pinwheel; "
     "Dn has the same turns and n mirrors, as a flower or a snowflake. One program draws each of C1 to C12 and "
     "D1 to D12, from a motif in one sector of the circle."},
};

// The wallpaper groups by short international name: the symmetries in one
// sentence, for the cards of kind "group" (the full and orbifold names come
// from the plane groups' table, plane_groups.h).
struct wallpaper_group_names {
    const char* name;
    const char* symmetries;
};

constexpr wallpaper_group_names group_names[] = {
    {"p1", "Translations only: no rotation, mirror or glide."},
    {"p2", "Half-turns about four kinds of centres, and no mirrors or glides."},
    {"pm", "Parallel mirrors, and no rotations and no glide axes between the mirrors."},
    {"pg", "Parallel glide reflections, and no mirrors or rotations."},
    {"cm", "Parallel mirrors with glide axes halfway between them, and no rotations."},
    {"pmm", "Mirrors in two perpendicular directions, every half-turn centre on two of them."},
    {"pmg", "Mirrors in one direction, glides across them, and half-turn centres off the mirrors."},
    {"pgg", "Glides in two perpendicular directions and half-turns, and no mirrors."},
    {"cmm", "Perpendicular mirrors, with half-turn centres where they cross and between them."},
    {"p4", "Quarter-turns and half-turns, and no mirrors."},
    {"p4m", "Quarter-turns and half-turns, every centre on mirrors in four directions."},
    {"p4g", "Quarter-turns off the mirrors, half-turns where two mirrors cross, and glides."},
    {"p3", "Turns by a third about three kinds of centres, and no mirrors."},
    {"p3m1", "Turns by a third, every centre on mirrors in three directions."},
    {"p31m", "Turns by a third, mirrors in three directions, and some centres off the mirrors."},
    {"p6", "Turns by a sixth, a third and a half, and no mirrors."},
    {"p6m", "Turns by a sixth, a third and a half, every centre on mirrors in six directions."},
};

const wallpaper_group_names* names_of_group(const std::string& name)
{
    for (const wallpaper_group_names& g : group_names)
        if (name == g.name)
            return &g;
    return nullptr;
}

// How to tell the seventeen apart, as the usual chart: the highest order of
// rotation, then whether there are mirrors, then glides and where the
// rotation centres lie.
constexpr const char* group_chart =
    "<table class=\"chart\">\n<caption>Which group? Find the smallest turn that maps the pattern onto itself, "
    "then look for mirrors.</caption>\n"
    "<tr><th scope=\"col\">Highest rotation</th><th scope=\"col\">No mirrors</th><th scope=\"col\">Mirrors</th></tr>\n"
    "<tr><th scope=\"row\">none</th><td>p1; with glides, pg</td>"
    "<td>pm; with glides between the mirrors, cm</td></tr>\n"
    "<tr><th scope=\"row\">half-turn</th><td>p2; with glides, pgg</td>"
    "<td>mirrors in one direction: pmg; in two: pmm when every half-turn centre is on a mirror, else cmm</td></tr>\n"
    "<tr><th scope=\"row\">third</th><td>p3</td>"
    "<td>p3m1 when every centre is on a mirror, else p31m</td></tr>\n"
    "<tr><th scope=\"row\">quarter</th><td>p4</td>"
    "<td>p4m when the quarter-turn centres are on mirrors, p4g when they are off them</td></tr>\n"
    "<tr><th scope=\"row\">sixth</th><td>p6</td><td>p6m</td></tr>\n</table>\n";

std::string html(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// A JSON string literal.
std::string json(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '<') { out += "\\u003c"; continue; }
        out += c;
    }
    return out + "\"";
}

// programs.json, for the site's scripts and the browser tests: every entry
// of the list in order (its id as "name", its binary and argument), its pacing, the first frame it colours at random
// (0: none) and the stills the gallery left of it (none when it was not
// rendered).
std::string manifest(const std::vector<listed_program>& listing, const std::vector<site_program>& programs)
{
    std::string s = "{\"programs\": [\n";
    for (size_t i = 0; i < listing.size(); ++i) {
        const listed_program& l = listing[i];
        std::string stills;
        for (const site_program& p : programs)
            for (int k = 1; p.name == l.id && p.ok && k <= p.stages; ++k)
                stills += (k > 1 ? ", " : "") + json(stage_file_name(k));
        s += "  {\"name\": " + json(l.id) + ", \"program\": " + json(l.program) + ", \"argument\": " +
             json(l.argument) + ", \"frame_ms\": " + std::to_string(l.frame_ms) +
             ", \"first_random_frame\": " + std::to_string(first_random_frame(l.id)) + ", \"stills\": [" + stills +
             "]}" + (i + 1 < listing.size() ? ",\n" : "\n");
    }
    return s + "]}\n";
}

// The page's head; `extra` goes at its end.
std::string head(const std::string& title, const std::string& root, const std::string& extra = "")
{
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
           html(title) + "</title>\n<link rel=\"icon\" href=\"data:,\">\n<link rel=\"stylesheet\" href=\"" + root +
           "site.css\">\n" + extra + "</head>\n<body>\n";
}



bool write_file(const fs::path& path, const std::string& text)
{
    std::ofstream f(path, std::ios::binary);
    f << text;
    f.close();
    if (!f) {
        std::fprintf(stderr, "gallery: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// A card of the index: the picture, the title, the pattern and one sentence.
// A wallpaper group's card names the group three ways and says what
// symmetries it has.
std::string card(const site_program& p, const listed_program& l, const std::string& sentence)
{
    std::string pattern = html(l.pattern), text = html(sentence);
    if (const wallpaper_group_names* g = l.kind == "group" ? names_of_group(l.pattern) : nullptr) {
        if (const plane_group_names* names = find_plane_group(g->name))
            pattern += " <span class=\"names\">full name " + html(names->full) + ", orbifold " + html(names->orbifold) + "</span>";
        text = html(g->symmetries);
    }
    if (const frieze_group_names* f = l.kind == "frieze" ? names_of_frieze(l.pattern) : nullptr) {
        pattern += " <span class=\"names\">orbifold " + html(f->orbifold) + ", the " + html(f->nickname) + "</span>";
        text = html(f->symmetries);
    }
    return "<a class=\"card\" href=\"" + p.name + "/\"><img src=\"" + p.name +
           "/card.png\" loading=\"lazy\" width=\"400\" height=\"300\" alt=\"" + html(l.title) + "\">\n<h3>" +
           html(l.title) + "</h3>\n<p class=\"pattern\">" + pattern + "</p>\n<p>" + text + "</p></a>\n";
}

// `draw`: the site has the drawing page, which a wallpaper group's page links
// to, opened in that group.
std::string program_page(const site_program& p, const listed_program& l, const program_captions& text, bool live,
                         bool draw)
{
    const std::string& sentence = text.picture;
    std::vector<std::string> captions = text.stages;
    captions.resize(static_cast<size_t>(p.stages));
    // The program's files are fetched while the page is read; program.js sets
    // up the hooks, and the command line, before the program starts. The
    // entries of a program listed once per argument share one copy, in the
    // folder named after the program, so the browser fetches it once.
    std::string scripts;
    const std::string files = (l.argument.empty() ? "" : "../" + l.program + "/") + l.program;
    if (live) {
        scripts = "<link rel=\"preload\" href=\"" + files + ".wasm\" as=\"fetch\" type=\"application/wasm\" crossorigin>\n"
                  "<script>window.programPage = {name: " + json(p.name) + ", arguments: [" +
                  (l.argument.empty() ? "" : json(l.argument)) + "], frameMs: " + std::to_string(l.frame_ms) + ", captions: [";
        for (size_t k = 0; k < captions.size(); ++k)
            scripts += (k ? ", " : "") + json(captions[k]);
        scripts += "]};</script>\n<script src=\"../program.js\" defer></script>\n<script src=\"" + files +
                   ".js\" defer></script>\n";
    }
    std::string s = head(l.title, "../", scripts);
    s += "<div class=\"program\"><a href=\"../\">All programs</a>\n<div><h1>" + html(l.title) +
         "</h1> <p class=\"pattern\">" + html(l.pattern) + "</p></div>\n<p class=\"intro\">" + html(sentence) +
         "</p>\n";
    if (draw && !l.argument.empty() && (l.kind == "group" || l.kind == "frieze" || l.kind == "rosette"))
        s += "<p class=\"intro\"><a href=\"../draw.html?" +
             (l.kind == "group" ? std::string() : "kind=" + l.kind + "&amp;") + "group=" + html(l.argument) +
             "\">Draw your own pattern in this group</a></p>\n";
    s += "</div>\n";
    if (live) {
        s += "<div class=\"controls\"><span id=\"status\" aria-live=\"polite\"></span>"
             "<button id=\"restart\" type=\"button\">Start again</button>"
             "<button id=\"fullscreen\" type=\"button\">Fullscreen</button></div>\n"
             "<p id=\"caption\"></p>\n"
             "<div id=\"screen\"><canvas id=\"canvas\" width=\"800\" height=\"600\" tabindex=\"0\"></canvas></div>\n"
             "<p>Press a key, click or tap the picture to go on to the next stage.</p>\n";
    }
    if (!p.ok) {
        s += "<p>The stills of this program could not be rendered.</p>\n";
    } else {
        s += "<h2>Every stage</h2>\n<div class=\"stills\">\n";
        for (int k = 1; k <= p.stages; ++k)
            s += "<figure><a href=\"" + stage_file_name(k) + "\"><img src=\"" + stage_file_name(k) +
                 "\" loading=\"lazy\" width=\"800\" height=\"600\" alt=\"Stage " + std::to_string(k) +
                 "\"></a><figcaption>Stage " + std::to_string(k) + " of " + std::to_string(p.stages) + ": " +
                 html(captions[static_cast<size_t>(k - 1)]) + "</figcaption></figure>\n";
        if (p.animated)
            s += "<figure><img src=\"animation.gif\" loading=\"lazy\" width=\"800\" height=\"600\" alt=\"Every frame\">"
                 "<figcaption>All " + std::to_string(p.frames) + " frames, as an animation.</figcaption></figure>\n";
        s += "</div>\n";
    }
    return s + "</body>\n</html>\n";
}

} // namespace

bool write_site(const fs::path& out, const std::vector<site_program>& programs, const fs::path& list,
                const fs::path& captions, const fs::path& pictures, const fs::path& wasm)
{
    std::string error;
    const std::vector<listed_program> listing = read_program_list(list.string(), error);
    if (listing.empty()) {
        std::fprintf(stderr, "gallery: %s\n", error.c_str());
        return false;
    }
    // The pages' style and script are the files of web/, beside docs/.
    const fs::path front_end = list.parent_path().parent_path() / "web";
    bool ok = true;
    for (const char* file : {"site.css", "program.js"}) {
        std::error_code error;
        fs::copy_file(front_end / file, out / file, fs::copy_options::overwrite_existing, error);
        if (error) {
            std::fprintf(stderr, "gallery: cannot copy %s: %s\n", (front_end / file).c_str(), error.message().c_str());
            ok = false;
        }
    }
    // A program listed once per argument draws a picture per entry.
    std::vector<std::string> binaries;
    for (const listed_program& l : listing)
        if (std::find(binaries.begin(), binaries.end(), l.program) == binaries.end())
            binaries.push_back(l.program);
    std::string index = head("Tilings and wallpapers", "");
    index += "<h1>Tilings and wallpapers, pixel by pixel</h1>\n<p>" + std::to_string(binaries.size()) +
             " small programs, each drawing one picture of a tiling or a symmetry pattern of the plane, stage by "
             "stage" +
             (binaries.size() < listing.size()
                  ? ", " + std::to_string(listing.size()) + " pictures in all: one program draws the picture its "
                    "argument names"
                  : std::string()) +
             ". Choose one to watch it being built and to see every stage.</p>\n";
    if (!wasm.empty() && fs::exists(wasm / "symmetry_web.js"))  // the symmetry page, copied by scripts/web
        index += "<p><a href=\"symmetry.html\">Which wallpaper group is this picture?</a> Name the group of any "
                 "picture of yours, in this browser.</p>\n";
    // The drawing page, copied by scripts/web with the core's wasm build.
    const bool draw = !wasm.empty() && fs::exists(wasm / "pattern_draw_web.js");
    if (draw)
        index += "<p><a href=\"draw.html\">Draw your own pattern</a> in any of the seventeen wallpaper groups, the seven "
                 "frieze groups or the rosette groups: every stroke is copied by all the group's moves as you draw.</p>\n";
    for (const program_kind& kind : kinds) {
        std::string cards;
        for (const site_program& p : programs) {
            const listed_program* listed = find_program(listing, p.name);
            if (!listed || listed->kind != kind.id)
                continue;
            const fs::path dir = out / p.name;
            const program_captions text = read_captions((captions / (p.name + ".txt")).string());
            std::error_code error;
            fs::create_directories(dir, error);
            fs::path still = pictures / (p.name + ".png");
            if (!fs::exists(still))
                still = dir / stage_file_name(p.stages);
            if (fs::exists(still))
                fs::copy_file(still, dir / "card.png", fs::copy_options::overwrite_existing, error);
            bool live = false;
            const std::string& binary = listed->program;
            if (!wasm.empty() && fs::exists(wasm / (binary + ".js")) && fs::exists(wasm / (binary + ".wasm"))) {
                const fs::path files = listed->argument.empty() ? dir : out / binary;
                fs::create_directories(files, error);
                for (const char* ext : {".js", ".wasm"})
                    if (!error)
                        fs::copy_file(wasm / (binary + ext), files / (binary + ext),
                                      fs::copy_options::overwrite_existing, error);
                live = !error;
            }
            ok = write_file(dir / "index.html", program_page(p, *listed, text, live, draw)) && ok;
            cards += card(p, *listed, text.picture);
        }
        if (!cards.empty())
            index += "<section id=\"" + std::string(kind.id) + "\">\n<h2>" + kind.heading + "</h2>\n<p>" +
                     kind.explanation + "</p>\n" +
                     (kind.id == std::string("group")    ? group_chart
                      : kind.id == std::string("frieze") ? frieze_chart
                                                         : "") +
                     "<div class=\"cards\">\n" + cards + "</div>\n</section>\n";
    }
    index += "</body>\n</html>\n";
    ok = write_file(out / "programs.json", manifest(listing, programs)) && ok;
    return write_file(out / "index.html", index) && ok;
}
