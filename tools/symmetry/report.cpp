// The classifier's report: the text the command line prints and the JSON
// that programs and the browser page read.
#include "symmetry.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace {

std::string number(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", x);
    std::string s = text;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string point(real_point p) { return "(" + number(p.x) + ", " + number(p.y) + ")"; }

// A score or confidence with two decimals always ("0.98", "-0.12", "1.00").
std::string share(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", x);
    return std::string(text) == "-0.00" ? "0.00" : text;
}

// An operation as the report names it: "rotation 4", "mirror at 30 degrees".
std::string operation_name(const operation_score& op)
{
    if (op.operation == "mirror" || op.operation == "glide")
        return op.operation + " at " + number(op.axis_degrees) + " degrees";
    return op.operation;
}

// The report's operation scores, and its centres and lines, as JSON arrays.
void add_scores(nlohmann::ordered_json& report, const wallpaper_symmetry& s)
{
    report["scores"] = nlohmann::ordered_json::array();
    for (const operation_score& op : s.scores)
        report["scores"].push_back({{"operation", op.operation}, {"axis_degrees", op.axis_degrees},
                                    {"score", op.score}, {"accepted", op.accepted}});
}

void add_elements(nlohmann::ordered_json& report, const wallpaper_symmetry& s)
{
    report["centres"] = nlohmann::ordered_json::array();
    for (const rotation_centre& c : s.centres)
        report["centres"].push_back({{"x", c.at.x}, {"y", c.at.y}, {"order", c.order}});
    report["lines"] = nlohmann::ordered_json::array();
    for (const reflection_line& line : s.lines)
        report["lines"].push_back(
            {{"from", {line.from.x, line.from.y}}, {"to", {line.to.x, line.to.y}}, {"glide", line.glide}});
}

}  // namespace

// A frieze's or rosette's report after its first line.
std::string describe_other(const wallpaper_symmetry& s)
{
    std::string text = "confidence: " + s.confidence_words + " (" + share(s.confidence) + ")\n";
    text += "method: " + s.method + "\n";
    char lowest[16];
    std::snprintf(lowest, sizeof lowest, "%.1f", 100 * s.lowest_agreement);
    // How the group was checked: `agreeing` says what agreed on the pixels.
    const auto check = [&](const std::string& agreeing) {
        if (s.method == "exact")
            return std::string("check: ") + (s.approximate ? "approximate" : "exact") + ", " + agreeing +
                   " agree on at least 97% of the " + (s.kind == "frieze" ? "strip" : "disc") +
                   "'s compared pixels (lowest " + lowest + "%)\n";
        return "check: robust, every operation of the group scores at least " + share(s.threshold) + "\n";
    };
    if (s.kind == "frieze") {
        text += "period: " + point({s.frieze.period[0], s.frieze.period[1]}) + "\n";
        text += "axis: " + point(s.frieze.axis_from) + " " + point(s.frieze.axis_to) + "\n";
        text += "width: " + number(s.frieze.width) + "\n";
        text += check("the period and the operations that generate the group");
        text += "translations: " + share(s.translation_score) + "\n";
    } else {
        text += "centre: " + point(s.rosette.centre) + "\n";
        text += "radius: " + number(s.rosette.radius) + "\n";
        if (!s.rosette.mirrors.empty()) {
            text += "mirrors:";
            for (const double degrees : s.rosette.mirrors)
                text += " " + number(degrees);
            text += " degrees\n";
        }
        text += check("the turn and the mirror that generate the group");
    }
    for (const operation_score& op : s.scores)
        text += "score: " + operation_name(op) + ": " + share(op.score) + (op.accepted ? " (generator)" : "") + "\n";
    text += "compared: (" + std::to_string(s.compared[0]) + ", " + std::to_string(s.compared[1]) + ") (" +
            std::to_string(s.compared[2]) + ", " + std::to_string(s.compared[3]) + ")\n";
    for (const rotation_centre& c : s.centres)
        text += "rotation " + std::to_string(c.order) + ": " + point(c.at) + "\n";
    if (s.kind == "frieze")
        for (const reflection_line& line : s.lines)
            text += std::string(line.glide ? "glide: " : "mirror: ") + point(line.from) + " " + point(line.to) + "\n";
    return text;
}

std::string describe(const wallpaper_symmetry& s)
{
    if (s.kind == "frieze" || s.kind == "rosette")
        return s.kind + ": " + s.group + "\n" + describe_other(s);
    std::string text = "group: " + s.group + "\n";
    if (s.group == "none")
        return text;
    text += "confidence: " + (s.confidence_words.empty() ? "" : s.confidence_words + " ") + "(" + share(s.confidence) +
            ")\n";
    text += "method: " + s.method + "\n";
    text += "lattice: " + point({s.lattice[0][0], s.lattice[0][1]}) + " " + point({s.lattice[1][0], s.lattice[1][1]}) + "\n";
    text += "orbifold: " + s.orbifold + "\n";
    if (s.method == "robust") {
        text += "check: robust, every operation of the group scores at least " + share(s.threshold) + "\n";
    } else if (s.approximate) {
        char lowest[16];
        std::snprintf(lowest, sizeof lowest, "%.1f", 100 * s.lowest_agreement);
        // The generators are held to the threshold; an operation composed of
        // them may agree a little less, and the lowest of all is told.
        text += std::string("check: approximate, ") + (s.approximate_lattice ? "the translations and " : "") +
                "the rotations and mirrors that generate the group agree on at least 97% of compared pixels "
                "(lowest of all its operations " + lowest + "%)\n";
    } else {
        text += "check: exact, every compared pixel agrees\n";
    }
    text += "translations: " + share(s.translation_score) + "\n";
    for (const operation_score& op : s.scores)
        text += "score: " + operation_name(op) + ": " + share(op.score) + (op.accepted ? " (generator)" : "") + "\n";
    if (!s.runner_up.empty())
        text += "runner-up: " + s.runner_up + " (" + share(s.runner_up_score) + ")\n";
    text += "compared: (" + std::to_string(s.compared[0]) + ", " + std::to_string(s.compared[1]) + ") (" +
            std::to_string(s.compared[2]) + ", " + std::to_string(s.compared[3]) + ")\n";
    text += "cell: " + point(s.origin) + "\n";
    for (const rotation_centre& c : s.centres)
        text += "rotation " + std::to_string(c.order) + ": " + point(c.at) + "\n";
    for (const reflection_line& line : s.lines)
        text += std::string(line.glide ? "glide: " : "mirror: ") + point(line.from) + " " + point(line.to) + "\n";
    return text;
}

std::string describe_json(const wallpaper_symmetry& s)
{
    // Ordered: the fields come out in the order given here.
    using json = nlohmann::ordered_json;
    json report;
    // A result made by hand with a group and no kind is a wallpaper.
    const std::string kind = s.group == "none" ? "none" : s.kind == "frieze" || s.kind == "rosette" ? s.kind : "wallpaper";
    report["group"] = s.group;
    report["kind"] = kind;
    if (s.kind == "frieze" || s.kind == "rosette") {
        report["method"] = s.method;
        report["confidence"] = s.confidence;
        report["confidence_words"] = s.confidence_words;
        if (s.kind == "frieze") {
            report["period"] = {s.frieze.period[0], s.frieze.period[1]};
            report["axis"] = {{"from", {s.frieze.axis_from.x, s.frieze.axis_from.y}},
                              {"to", {s.frieze.axis_to.x, s.frieze.axis_to.y}}};
            report["width"] = s.frieze.width;
            report["translation_score"] = s.translation_score;
        } else {
            report["centre"] = {s.rosette.centre.x, s.rosette.centre.y};
            report["order"] = s.rosette.order;
            report["dihedral"] = s.rosette.dihedral;
            report["radius"] = s.rosette.radius;
            report["mirrors"] = s.rosette.mirrors;
        }
        report["compared"] = {s.compared[0], s.compared[1], s.compared[2], s.compared[3]};
        report["threshold"] = s.threshold;
    }
    if (kind == "none") {
        report["method"] = s.method;
        report["confidence"] = s.confidence;
        return report.dump(-1, ' ', false, json::error_handler_t::replace);
    }
    if (kind == "wallpaper") {
        report["orbifold"] = s.orbifold;
        report["method"] = s.method;
        report["confidence"] = s.confidence;
    }
    if (kind != "wallpaper") {
        add_scores(report, s);
        add_elements(report, s);
        return report.dump(-1, ' ', false, json::error_handler_t::replace);
    }
    report["confidence_words"] = s.confidence_words;
    report["lattice"] = {{s.lattice[0][0], s.lattice[0][1]}, {s.lattice[1][0], s.lattice[1][1]}};
    report["cell"] = {s.origin.x, s.origin.y};
    report["compared"] = {s.compared[0], s.compared[1], s.compared[2], s.compared[3]};
    report["translation_score"] = s.translation_score;
    report["threshold"] = s.threshold;
    add_scores(report, s);
    report["runner_up"] = nullptr;
    if (!s.runner_up.empty())
        report["runner_up"] = {{"group", s.runner_up}, {"score", s.runner_up_score}};
    add_elements(report, s);
    // The names are ASCII; were one not valid UTF-8 it would be replaced, not thrown at.
    return report.dump(-1, ' ', false, json::error_handler_t::replace);
}
