// program_bench: runs every program binary headless through the capture tool
// in timing mode (no hashing, no images, waits answered at once), several
// times each, and prints CPU seconds (median, min, max), frames per second of
// the programs that present frames mid-stage, and peak memory.
//
// CPU time and peak memory come from wait4 on the capture runner, whose
// figures include the program it ran and waited for.
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
    "usage: program_bench [--runs N] [--bin DIR] [PROGRAM...]\n"
    "Runs each program (default: every one of docs/programs.tsv; a name with a\n"
    "'/' is a path) N\n"
    "times (default 5) under\n"
    "DIR/capture --timing (DIR defaults to the folder of this tool) and prints\n"
    "CPU seconds (median, min, max), frames per second of the programs that\n"
    "present frames mid-stage, and peak memory.\n";

struct bench_run {
    double cpu_seconds = 0;
    long peak_kb = 0;
    int frames = 0;
    int waits = 0;
};

struct bench_result {
    std::string program;
    std::vector<double> cpu;  // sorted
    long peak_kb = 0;
    int frames = 0;
    int waits = 0;

    double median() const
    {
        size_t n = cpu.size();
        return n % 2 ? cpu[n / 2] : (cpu[n / 2 - 1] + cpu[n / 2]) / 2;
    }
    // Frames shown without a wait after them: animation frames, one per
    // generation or per tile.
    int mid_stage_frames() const { return frames - waits; }
};

// One timed run; exits with a message when the program fails.
bench_run run_once(const std::string& bin, const std::string& program, const std::string& out_dir)
{
    std::string capture = bin + "/capture";
    // A name holding a '/' is a path as it is.
    std::string target = program.find('/') == std::string::npos ? bin + "/" + program : program;
    std::remove((out_dir + "/log.txt").c_str());

    pid_t pid = fork();
    if (pid < 0) {
        std::perror("program_bench: fork");
        std::exit(1);
    }
    if (pid == 0) {
        // A fixed time() keeps the random palette of terdragon_rosette the
        // same from run to run.
        const std::string clock = std::to_string(fixed_clock);
        execl(capture.c_str(), "capture", "--timing", "--time", clock.c_str(), "--out", out_dir.c_str(),
              "--", target.c_str(), static_cast<char*>(nullptr));
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
                     program.c_str(), WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        std::exit(1);
    }
    bench_run run;
    run.cpu_seconds = usage_of_run.ru_utime.tv_sec + usage_of_run.ru_utime.tv_usec / 1e6 +
                      usage_of_run.ru_stime.tv_sec + usage_of_run.ru_stime.tv_usec / 1e6;
    run.peak_kb = usage_of_run.ru_maxrss;
    const capture_log log = read_capture_log(out_dir + "/log.txt");
    run.frames = static_cast<int>(log.frames.size());
    run.waits = static_cast<int>(log.waits.size());
    return run;
}

bench_result measure(const std::string& bin, const std::string& program, int runs,
               const std::string& out_dir)
{
    bench_result r;
    r.program = program;
    for (int n = 0; n < runs; ++n) {
        bench_run run = run_once(bin, program, out_dir);
        r.cpu.push_back(run.cpu_seconds);
        r.peak_kb = std::max(r.peak_kb, run.peak_kb);
        r.frames = run.frames;
        r.waits = run.waits;
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
    if (programs.empty()) {
        std::string error;
        for (const listed_program& p : read_program_list(program_list_path(), error))
            programs.push_back(p.name);
        if (programs.empty()) {
            std::fprintf(stderr, "program_bench: %s\n", error.c_str());
            return 1;
        }
    }

    char scratch[] = "/tmp/program_bench-XXXXXX";
    if (mkdtemp(scratch) == nullptr) {
        std::perror("program_bench: mkdtemp");
        return 1;
    }
    std::string out_dir = scratch;

    std::vector<bench_result> results;
    for (const std::string& program : programs)
        results.push_back(measure(bin, program, runs, out_dir));
    // The empty program is built next to this tool.
    bench_result floor = measure(own_folder(), "bench_empty_program", runs, out_dir);
    std::remove((out_dir + "/log.txt").c_str());
    rmdir(out_dir.c_str());

    std::printf("%-30s %8s %8s %8s %7s %9s %8s\n", "program", "median", "min", "max", "frames",
                "frames/s", "peak MB");
    double total_median = 0, total_min = 0, total_max = 0;
    long peak_kb = 0;
    for (const bench_result& r : results) {
        std::string fps = "-";
        if (r.mid_stage_frames() > 0 && r.median() > 0) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.0f", r.frames / r.median());
            fps = buf;
        }
        std::printf("%-30s %8.3f %8.3f %8.3f %7d %9s %8.1f\n", r.program.c_str(), r.median(),
                    r.cpu.front(), r.cpu.back(), r.frames, fps.c_str(), r.peak_kb / 1024.0);
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
    return 0;
}
