// program_bench: runs every entry of the program list headless through the
// capture tool in timing mode (no hashing, no images, waits answered at once),
// several times each, and prints CPU seconds (median, min, max), frames per
// second of the programs that present frames mid-stage, peak memory and the
// CPU time of the slowest stage.
//
// CPU time and peak memory come from wait4 on the capture runner, whose
// figures include the program it ran and waited for. The stage times come
// from the stage clock (stage_cpu_preload.cpp) inside the program.
#include <capture_format.h>
#include <capture_log.h>
#include <own_folder.h>
#include <program_list.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char usage[] =
    "usage: program_bench [--runs N] [--bin DIR] [ID...]\n"
    "Runs each entry (default: every one of docs/programs.tsv, by id, such as\n"
    "wallpaper_group_p4m; a name with a '/' is a path) N times (default 5) under\n"
    "DIR/capture --timing (DIR defaults to the folder of this tool) and prints\n"
    "CPU seconds (median, min, max), frames per second of the programs that\n"
    "present frames mid-stage, peak memory, and the CPU milliseconds of the\n"
    "slowest stage (each stage's median over the runs) and its number.\n";

// The budget of the group programs (wallpaper, frieze and rosette groups):
// every stage at most this much CPU.
constexpr double group_stage_limit_ms = 5;

// What to run: an entry of the list, or a program given by its path.
struct bench_target {
    std::string label;              // the entry's id, or the path
    std::vector<std::string> argv;  // the binary and its argument
    std::string kind;               // the entry's kind; empty for a path
};

struct bench_run {
    double cpu_seconds = 0;
    long peak_kb = 0;
    int frames = 0;
    int waits = 0;
    std::vector<long> stage_us;  // the CPU time of each stage
};

struct bench_result {
    bench_target target;
    std::vector<double> cpu;  // sorted
    long peak_kb = 0;
    int frames = 0;
    int waits = 0;
    std::vector<std::vector<long>> stage_us;  // per stage, every run's time

    double median() const
    {
        size_t n = cpu.size();
        return n % 2 ? cpu[n / 2] : (cpu[n / 2 - 1] + cpu[n / 2]) / 2;
    }
    // Frames shown without a wait after them: animation frames, one per
    // generation or per tile.
    int mid_stage_frames() const { return frames - waits; }
    // The slowest stage by its median over the runs (1-based; 0: no stage
    // timed) and that median in milliseconds.
    int slowest_stage(double& ms) const
    {
        int slowest = 0;
        ms = 0;
        for (size_t k = 0; k < stage_us.size(); ++k) {
            std::vector<long> t = stage_us[k];
            std::sort(t.begin(), t.end());
            const double median_ms = (t.size() % 2 ? t[t.size() / 2] : (t[t.size() / 2 - 1] + t[t.size() / 2]) / 2.0) / 1000;
            if (slowest == 0 || median_ms > ms) {
                slowest = static_cast<int>(k + 1);
                ms = median_ms;
            }
        }
        return slowest;
    }
};

// The stage times the stage clock wrote: "stage K MICROSECONDS" lines.
std::vector<long> read_stage_times(const std::string& path)
{
    std::vector<long> us;
    std::ifstream in(path);
    std::string word;
    long stage = 0, time = 0;
    while (in >> word >> stage >> time)
        if (word == "stage" && stage == static_cast<long>(us.size()) + 1)
            us.push_back(time);
    return us;
}

// One timed run; exits with a message when the program fails.
bench_run run_once(const std::string& bin, const bench_target& target, const std::string& out_dir)
{
    std::string capture = bin + "/capture";
    const std::string stages_file = out_dir + "/stages.txt", stage_clock = bin + "/../lib/libstage_cpu_preload.so";
    std::remove((out_dir + "/log.txt").c_str());
    std::remove(stages_file.c_str());

    pid_t pid = fork();
    if (pid < 0) {
        std::perror("program_bench: fork");
        std::exit(1);
    }
    if (pid == 0) {
        // A fixed time() keeps the random palette of terdragon_rosette the
        // same from run to run.
        const std::string clock = std::to_string(fixed_clock);
        // The capture tool puts its own library ahead of the stage clock.
        if (access(stage_clock.c_str(), R_OK) == 0) {
            const char* old = std::getenv("LD_PRELOAD");
            setenv("LD_PRELOAD", (stage_clock + (old && *old ? std::string(":") + old : "")).c_str(), 1);
            setenv("STAGE_CPU_FILE", stages_file.c_str(), 1);
        }
        std::vector<const char*> argv = {"capture", "--timing", "--time", clock.c_str(), "--out", out_dir.c_str(), "--"};
        for (const std::string& word : target.argv)
            argv.push_back(word.c_str());
        argv.push_back(nullptr);
        execv(capture.c_str(), const_cast<char* const*>(argv.data()));
        std::fprintf(stderr, "program_bench: cannot run %s: %s\n", capture.c_str(),
                     std::strerror(errno));
        _exit(127);
    }
    int status = 0;
    rusage usage_of_run{};
    if (wait4(pid, &status, 0, &usage_of_run) < 0) {
        std::perror("program_bench: wait4");
        std::exit(1);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "program_bench: %s failed under capture (status %d)\n",
                     target.label.c_str(), WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        std::exit(1);
    }
    bench_run run;
    run.cpu_seconds = usage_of_run.ru_utime.tv_sec + usage_of_run.ru_utime.tv_usec / 1e6 +
                      usage_of_run.ru_stime.tv_sec + usage_of_run.ru_stime.tv_usec / 1e6;
    run.peak_kb = usage_of_run.ru_maxrss;
    const capture_log log = read_capture_log(out_dir + "/log.txt");
    run.frames = static_cast<int>(log.frames.size());
    run.waits = static_cast<int>(log.waits.size());
    run.stage_us = read_stage_times(stages_file);
    std::remove(stages_file.c_str());
    return run;
}

bench_result measure(const std::string& bin, const bench_target& target, int runs,
               const std::string& out_dir)
{
    bench_result r;
    r.target = target;
    for (int n = 0; n < runs; ++n) {
        bench_run run = run_once(bin, target, out_dir);
        r.cpu.push_back(run.cpu_seconds);
        r.peak_kb = std::max(r.peak_kb, run.peak_kb);
        r.frames = run.frames;
        r.waits = run.waits;
        if (n == 0)
            r.stage_us.assign(run.stage_us.size(), {});
        for (size_t k = 0; k < run.stage_us.size() && k < r.stage_us.size(); ++k)
            r.stage_us[k].push_back(run.stage_us[k]);
    }
    std::sort(r.cpu.begin(), r.cpu.end());
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    std::string bin = own_folder();
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (arg == "--bin" && i + 1 < argc) {
            bin = argv[++i];
        } else if (arg == "-h" || arg == "--help") {
            std::fputs(usage, stdout);
            return 0;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "program_bench: unknown option %s\n%s", arg.c_str(), usage);
            return 2;
        } else {
            programs.push_back(arg);
        }
    }
    if (runs < 1) {
        std::fprintf(stderr, "program_bench: --runs needs a positive count\n%s", usage);
        return 2;
    }
    std::string error;
    const std::vector<listed_program> list = read_program_list(program_list_path(), error);
    if (list.empty()) {
        std::fprintf(stderr, "program_bench: %s\n", error.c_str());
        return 1;
    }
    if (programs.empty())
        for (const listed_program& p : list)
            programs.push_back(p.id);
    std::vector<bench_target> targets;
    for (const std::string& name : programs) {
        // A name holding a '/' is a path as it is; any other names an entry.
        const listed_program* p = find_program(list, name);
        if (name.find('/') != std::string::npos) {
            targets.push_back({name, {name}, ""});
        } else if (p) {
            targets.push_back({p->id, command_argv(*p, bin), p->kind});
        } else {
            std::fprintf(stderr, "program_bench: no entry %s in %s\n%s", name.c_str(), program_list_path().c_str(),
                         usage);
            return 2;
        }
    }

    char scratch[] = "/tmp/program_bench-XXXXXX";
    if (mkdtemp(scratch) == nullptr) {
        std::perror("program_bench: mkdtemp");
        return 1;
    }
    std::string out_dir = scratch;

    std::vector<bench_result> results;
    for (const bench_target& target : targets)
        results.push_back(measure(bin, target, runs, out_dir));
    // The empty program is built next to this tool.
    const std::string empty = own_folder() + "/bench_empty_program";
    bench_result floor = measure(own_folder(), {empty, {empty}, ""}, runs, out_dir);
    std::remove((out_dir + "/log.txt").c_str());
    rmdir(out_dir.c_str());

    std::printf("%-30s %8s %8s %8s %7s %9s %8s %14s\n", "program", "median", "min", "max", "frames",
                "frames/s", "peak MB", "slowest stage");
    double total_median = 0, total_min = 0, total_max = 0;
    long peak_kb = 0;
    // The slowest stage of each kind of group program, in this order.
    struct slowest_of_kind {
        const char* kind;
        const char* heading;
        const bench_result* result = nullptr;
        int stage = 0;
        double ms = -1;
    };
    slowest_of_kind slowest_groups[] = {
        {"group", "Wallpaper groups"}, {"frieze", "Frieze groups"}, {"rosette", "Rosette groups"}};
    for (const bench_result& r : results) {
        double stage_ms = 0;
        const int stage = r.slowest_stage(stage_ms);
        char stage_text[32] = "-";
        if (stage > 0)
            std::snprintf(stage_text, sizeof stage_text, "%.2f ms (%d)", stage_ms, stage);
        for (slowest_of_kind& k : slowest_groups)
            if (r.target.kind == k.kind && stage > 0 && stage_ms > k.ms)
                k.result = &r, k.stage = stage, k.ms = stage_ms;
        std::string fps = "-";
        if (r.mid_stage_frames() > 0 && r.median() > 0) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.0f", r.frames / r.median());
            fps = buf;
        }
        std::printf("%-30s %8.3f %8.3f %8.3f %7d %9s %8.1f %14s\n", r.target.label.c_str(), r.median(),
                    r.cpu.front(), r.cpu.back(), r.frames, fps.c_str(), r.peak_kb / 1024.0, stage_text);
        total_median += r.median();
        total_min += r.cpu.front();
        total_max += r.cpu.back();
        peak_kb = std::max(peak_kb, r.peak_kb);
    }
    std::printf("%-30s %8.3f %8.3f %8.3f %7s %9s %8.1f\n", "total", total_median, total_min,
                total_max, "", "", peak_kb / 1024.0);
    std::printf("%-30s %8.3f %8.3f %8.3f\n", "start-up floor (empty program)", floor.median(),
                floor.cpu.front(), floor.cpu.back());
    std::printf("CPU seconds (user + system), %d runs each, start-up under capture included.\n",
                runs);
    std::printf("Slowest stage: the CPU milliseconds of the stage (its number in brackets) whose median over the "
                "runs is highest,\nfrom the window's opening or the wait before it to its own wait.\n");
    for (const slowest_of_kind& k : slowest_groups)
        if (k.result)
            std::printf("%s: slowest stage %.2f ms, %s stage %d; every stage at most %.0f ms: %s.\n", k.heading,
                        k.ms, k.result->target.label.c_str(), k.stage, group_stage_limit_ms,
                        k.ms <= group_stage_limit_ms ? "yes" : "NO");
    return 0;
}
