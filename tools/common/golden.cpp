#include "golden.h"

#include <capture_format.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// The programs that colour with rand(), seeded from the clock: the
// terdragon's generations 5 to 10, and so its one stage.
struct random_colours {
    const char* program;
    unsigned long first_frame;
    unsigned long first_stage;
};
constexpr random_colours random_coloured[] = {{"terdragon_rosette", 5, 1}};

const random_colours* random_colours_of(const std::string& program)
{
    for (const random_colours& r : random_coloured)
        if (program == r.program)
            return &r;
    return nullptr;
}

}  // namespace

golden_hashes read_golden(const std::string& path)
{
    golden_hashes g;
    std::ifstream in(path);
    if (!in) {
        g.error = "no golden file " + path;
        return g;
    }
    std::string line;
    int line_number = 0;
    while (std::getline(in, line)) {
        ++line_number;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string kind, hash, extra;
        long n = 0;
        fields >> kind >> n >> hash;
        std::vector<uint64_t>* list = kind == "stage" ? &g.stages : kind == "frame" ? &g.frames : nullptr;
        char* end = nullptr;
        const uint64_t h = std::strtoull(hash.c_str(), &end, 16);
        if (!list || hash.size() != 16 || *end || (fields >> extra) ||
            n != static_cast<long>(list->size()) + 1) {
            g.error = path + ":" + std::to_string(line_number) + ": malformed line: " + line;
            return g;
        }
        list->push_back(h);
    }
    if (g.stages.empty())
        g.error = path + " holds no stage";
    return g;
}

bool write_golden(const std::string& path, const std::string& program, const capture_log& log)
{
    std::ofstream out(path);
    out << "# Hashes of the pictures " << program
        << " shows, as the capture tool logs them.\n"
           "# Rewrite with UPDATE_GOLDEN=1 after checking the pictures.\n";
    for (size_t i = 0; i < log.waits.size(); ++i)
        out << "stage " << i + 1 << ' ' << hash_text(log.waits[i]) << '\n';
    for (size_t i = 0; i < log.frames.size(); ++i)
        out << "frame " << i + 1 << ' ' << hash_text(log.frames[i]) << '\n';
    out.close();
    return static_cast<bool>(out);
}

unsigned long first_random_frame(const std::string& program)
{
    const random_colours* r = random_colours_of(program);
    return r ? r->first_frame : 0;
}

unsigned long first_random_stage(const std::string& program)
{
    const random_colours* r = random_colours_of(program);
    return r ? r->first_stage : 0;
}

std::vector<golden_difference> golden_differences(const golden_hashes& golden, const capture_log& log,
                                                  const std::string& program, bool foreign_rand)
{
    std::vector<golden_difference> found;
    const random_colours* r = foreign_rand ? random_colours_of(program) : nullptr;
    const size_t fixed_stages = r ? r->first_stage - 1 : golden.stages.size();
    const size_t fixed_frames = r ? r->first_frame - 1 : golden.frames.size();
    if (golden.stages.size() != log.waits.size())
        found.push_back({0, 0, "expected " + std::to_string(golden.stages.size()) + " stages, got " +
                                   std::to_string(log.waits.size())});
    for (size_t i = 0; i < golden.stages.size() && i < log.waits.size() && i < fixed_stages; ++i)
        if (golden.stages[i] != log.waits[i])
            found.push_back({i + 1, golden.stages[i],
                             "stage " + std::to_string(i + 1) + ": expected " + hash_text(golden.stages[i]) +
                                 ", got " + hash_text(log.waits[i])});
    if (golden.frames.empty())
        return found;
    if (golden.frames.size() != log.frames.size())
        found.push_back({0, 0, "expected " + std::to_string(golden.frames.size()) + " frames, got " +
                                   std::to_string(log.frames.size())});
    std::string changed, first;
    int count = 0;
    for (size_t i = 0; i < golden.frames.size() && i < log.frames.size() && i < fixed_frames; ++i) {
        if (golden.frames[i] == log.frames[i])
            continue;
        if (++count == 1)
            first = " (frame " + std::to_string(i + 1) + ": expected " + hash_text(golden.frames[i]) + ", got " +
                    hash_text(log.frames[i]) + ")";
        if (count <= 10)
            changed += (changed.empty() ? "" : ", ") + std::to_string(i + 1);
    }
    if (count > 0)
        found.push_back({0, 0, std::to_string(count) + " frames differ: " + changed + (count > 10 ? ", ..." : "") +
                                   first});
    return found;
}
