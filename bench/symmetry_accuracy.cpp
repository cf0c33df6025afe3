// How often the symmetry classifier names the right group on realistic
// wallpapers (tests/symmetry/realistic.h) under each degradation
// (degrade.h), how often it names a group for a picture of no lattice, what
// it answers instead when wrong, and the CPU time classify takes.
//
// Usage: symmetry_accuracy [--samples N] [--seed S] [--group NAME]
//                          [--degradation NAME] [--kind NAME] [--examples DIR]
#include <degrade.h>
#include <picture_file.h>
#include <realistic.h>
#include <symmetry.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int default_samples = 4;
constexpr int largest_samples = 1000;

// The column headings of the degradations, in degradation_names() order.
constexpr const char* headings[] = {"clean", "jpeg",  "r-near", "r-bilin", "r-bicub", "r-area",  "noise", "blur",
                                    "light", "frame", "crop",   "outline", "scribble", "shear", "persp"};

struct options {
    int samples = default_samples;
    unsigned seed = 1;
    std::string group, degradation, kind, examples;
};

// The CPU time of this thread, in milliseconds.
double cpu_ms()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

bool listed(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string joined(const std::vector<std::string>& names)
{
    std::string s;
    for (const std::string& n : names)
        s += (s.empty() ? "" : ", ") + n;
    return s;
}

// Reads the command line into `o`; false (the reason printed) when it is wrong.
bool parse(int argc, char** argv, options& o)
{
    std::vector<std::string> groups;
    for (const pattern_group_spec& g : pattern_groups())
        groups.push_back(g.name);
    std::vector<std::string> kinds = realistic_kinds();
    kinds.insert(kinds.end(), negative_kinds().begin(), negative_kinds().end());
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--help" || flag == "-h") {
            std::printf("usage: symmetry_accuracy [--samples N] [--seed S] [--group NAME] [--degradation NAME] [--kind NAME] "
                        "[--examples DIR]\n");
            std::exit(0);
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "symmetry_accuracy: %s needs a value (see --help)\n", flag.c_str());
            return false;
        }
        const std::string value = argv[++i];
        if (flag == "--samples" || flag == "--seed") {
            char* end = nullptr;
            const long n = std::strtol(value.c_str(), &end, 10);
            const long top = flag == "--samples" ? largest_samples : 4294967295L;
            if (value.empty() || *end || n < (flag == "--samples" ? 1 : 0) || n > top) {
                std::fprintf(stderr, "symmetry_accuracy: %s must be a whole number from %d to %ld, not '%s'\n", flag.c_str(),
                             flag == "--samples" ? 1 : 0, top, value.c_str());
                return false;
            }
            if (flag == "--samples")
                o.samples = static_cast<int>(n);
            else
                o.seed = static_cast<unsigned>(n);
        } else if (flag == "--group" && listed(groups, value)) {
            o.group = value;
        } else if (flag == "--degradation" && listed(degradation_names(), value)) {
            o.degradation = value;
        } else if (flag == "--kind" && listed(kinds, value)) {
            o.kind = value;
        } else if (flag == "--examples") {
            o.examples = value;
        } else if (flag == "--group" || flag == "--degradation" || flag == "--kind") {
            const std::vector<std::string>& known = flag == "--group" ? groups : flag == "--kind" ? kinds : degradation_names();
            std::fprintf(stderr, "symmetry_accuracy: no %s '%s' (one of %s)\n", flag.c_str() + 2, value.c_str(), joined(known).c_str());
            return false;
        } else {
            std::fprintf(stderr, "symmetry_accuracy: unknown option %s (see --help)\n", flag.c_str());
            return false;
        }
    }
    return true;
}

// Writes the example pictures into `dir` and lists them; false when one
// cannot be written.
bool write_examples(const std::string& dir, unsigned seed)
{
    struct example {
        const char* group;
        const char* kind;
        const char* degradation;
        bool jpeg;  // written as the JPEG file itself
    };
    constexpr example examples[] = {
        {"p4g", "shapes", "jpeg", false},     {"p6m", "tiling", "clean", false},      {"cmm", "waves", "lighting", false},
        {"pg", "noise", "noise", false},      {"p31m", "shapes", "perspective", false}, {"pmg", "tiling", "scribble", false},
        {"p3", "waves", "resize-bicubic", false}, {"p2", "shapes", "frame", false},  {"p4m", "waves", "clean", true},
        {"p6", "shapes", "clean", true},
    };
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "symmetry_accuracy: cannot make %s: %s\n", dir.c_str(), error.message().c_str());
        return false;
    }
    std::printf("%-32s %-6s %-7s %s\n", "file", "group", "kind", "degradation");
    for (const example& e : examples) {
        const realistic_picture p = make_realistic(e.group, e.kind, seed);
        std::string detail;
        const std::string name = std::string(e.group) + "-" + e.kind + "-" + e.degradation + (e.jpeg ? ".jpg" : ".png");
        const std::string path = (std::filesystem::path(dir) / name).string();
        std::string reason;
        bool written;
        if (e.jpeg) {
            constexpr int quality = 85;
            const std::vector<uint8_t> bytes = encode_jpeg(degrade(p, e.degradation, seed, &detail), quality);
            std::ofstream out(path, std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            written = !bytes.empty() && out.good();
            reason = bytes.empty() ? "JPEG encoder failed" : "cannot write the file";
            detail = "JPEG quality " + std::to_string(quality);
        } else {
            written = write_picture(path, degrade(p, e.degradation, seed, &detail), reason);
        }
        if (!written) {
            std::fprintf(stderr, "symmetry_accuracy: cannot write %s: %s\n", path.c_str(), reason.c_str());
            return false;
        }
        std::printf("%-32s %-6s %-7s %s%s%s\n", name.c_str(), e.group, e.kind, e.degradation, detail.empty() ? "" : ", ",
                    detail.c_str());
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    options o;
    if (!parse(argc, argv, o))
        return 2;
    if (!o.examples.empty())
        return write_examples(o.examples, o.seed) ? 0 : 1;

    std::vector<std::string> groups, degradations, kinds = realistic_kinds(), negatives = negative_kinds();
    for (const pattern_group_spec& g : pattern_groups())
        if (o.group.empty() || g.name == o.group)
            groups.push_back(g.name);
    for (const std::string& d : degradation_names())
        if (o.degradation.empty() || d == o.degradation)
            degradations.push_back(d);
    if (!o.kind.empty()) {
        kinds = listed(kinds, o.kind) ? std::vector<std::string>{o.kind} : std::vector<std::string>{};
        negatives = listed(negatives, o.kind) ? std::vector<std::string>{o.kind} : std::vector<std::string>{};
    }
    if (!o.group.empty())
        negatives.clear();
    if (kinds.empty())
        groups.clear();

    std::printf("symmetry accuracy: %d picture%s per group (or kind of no lattice) and degradation; kinds %s; no lattice %s; seed %u\n",
                o.samples, o.samples == 1 ? "" : "s", groups.empty() ? "none" : joined(kinds).c_str(),
                negatives.empty() ? "none" : joined(negatives).c_str(), o.seed);
    // right[g][d], and the wrong answers per true group.
    std::vector<std::vector<int>> right(groups.size(), std::vector<int>(degradations.size(), 0));
    std::vector<std::map<std::string, int>> wrong(groups.size());
    double time_sum = 0, time_max = 0;
    long classified = 0;
    const auto timed_classify = [&](const rgb_picture& picture) {
        const double start = cpu_ms();
        const std::string group = classify(picture.rgb.data(), picture.w, picture.h).group;
        const double ms = cpu_ms() - start;
        time_sum += ms;
        time_max = std::max(time_max, ms);
        ++classified;
        return group;
    };
    // The same picture of a group and sample under every degradation; the
    // kinds in turn over the samples.
    for (size_t g = 0; g < groups.size(); ++g)
        for (int s = 0; s < o.samples; ++s) {
            const std::string& kind = kinds[(s + g) % kinds.size()];
            const realistic_picture p = make_realistic(groups[g], kind, o.seed * 7919u + static_cast<unsigned>(s));
            for (size_t d = 0; d < degradations.size(); ++d) {
                const rgb_picture picture = degrade(p, degradations[d], o.seed * 104729u + static_cast<unsigned>(s * 31 + d));
                const std::string given = timed_classify(picture);
                if (given == groups[g])
                    ++right[g][d];
                else
                    ++wrong[g][given];
            }
        }

    if (!groups.empty()) {
        std::printf("\n%% named right (rows: true group; columns: degradation)\n%-6s", "group");
        for (const std::string& d : degradations)
            std::printf(" %8s", headings[std::find(degradation_names().begin(), degradation_names().end(), d) - degradation_names().begin()]);
        std::printf(" %8s\n", "all");
        std::vector<int> column(degradations.size(), 0);
        int total = 0;
        for (size_t g = 0; g < groups.size(); ++g) {
            std::printf("%-6s", groups[g].c_str());
            int row = 0;
            for (size_t d = 0; d < degradations.size(); ++d) {
                std::printf(" %8.0f", 100.0 * right[g][d] / o.samples);
                row += right[g][d];
                column[d] += right[g][d];
            }
            total += row;
            std::printf(" %8.0f\n", 100.0 * row / (o.samples * degradations.size()));
        }
        std::printf("%-6s", "all");
        for (size_t d = 0; d < degradations.size(); ++d)
            std::printf(" %8.1f", 100.0 * column[d] / (o.samples * groups.size()));
        const long pictures = static_cast<long>(o.samples) * groups.size() * degradations.size();
        std::printf(" %8.1f\n", 100.0 * total / pictures);
        std::printf("overall: %d of %ld named right (%.1f%%)\n", total, pictures, 100.0 * total / pictures);

        std::printf("\nwrong answers (true group: given group x count)\n");
        bool any = false;
        for (size_t g = 0; g < groups.size(); ++g) {
            if (wrong[g].empty())
                continue;
            std::vector<std::pair<int, std::string>> given;
            for (const auto& [name, count] : wrong[g])
                given.push_back({-count, name});
            std::sort(given.begin(), given.end());
            std::printf("  %-5s:", groups[g].c_str());
            for (const auto& [count, name] : given)
                std::printf(" %s x%d", name.c_str(), -count);
            std::printf("\n");
            any = true;
        }
        if (!any)
            std::printf("  none\n");
    }

    if (!negatives.empty()) {
        std::printf("\npictures of no lattice given a group (must be 0)\n");
        for (size_t k = 0; k < negatives.size(); ++k) {
            int named = 0, count = 0;
            std::map<std::string, int> given;
            for (int s = 0; s < o.samples; ++s) {
                const realistic_picture p = make_negative(negatives[k], o.seed * 7919u + static_cast<unsigned>(s));
                for (size_t d = 0; d < degradations.size(); ++d) {
                    const std::string group = timed_classify(degrade(p, degradations[d], o.seed * 104729u + static_cast<unsigned>(s * 31 + d)));
                    ++count;
                    if (group != "none") {
                        ++named;
                        ++given[group];
                    }
                }
            }
            std::printf("  %-12s %d of %d", negatives[k].c_str(), named, count);
            for (const auto& [name, n] : given)
                std::printf(" %s x%d", name.c_str(), n);
            std::printf("\n");
        }
    }
    if (classified > 0)
        std::printf("\nclassify CPU time per picture: mean %.1f ms, max %.1f ms (%ld pictures)\n", time_sum / classified, time_max,
                    classified);
    return 0;
}
