// capture: runs a program under SDL's dummy video driver with the capture
// preload library, answers its waits at once and records what it shows.
// See README.md.
#include <capture_format.h>
#include <capture_log.h>
#include <golden.h>
#include <own_folder.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr int status_differs = 1;
constexpr int status_usage = 2;
constexpr int status_hung = 124;
constexpr int status_not_started = 127;

struct tool_options {
    std::string out;
    std::string answer = "key";
    bool frames = false;
    std::string time;
    bool timing = false;
    double timeout = 60;
    std::string gif;
    int frame_ms = 0;
    std::string golden;          // --compare: the golden file
    std::string log;             // --log: a log to compare instead of a run
    bool foreign_rand = false;
    std::vector<char*> command;  // program and its arguments
};

const char usage[] =
    "usage: capture [--out DIR] [--answer key|quit|noise|error] [--frames] [--time T]\n"
    "               [--timing] [--timeout SECONDS] [--gif FILE [--frame-ms MS]]\n"
    "               [--compare GOLDEN [--foreign-rand]] PROGRAM [ARGS...]\n"
    "       capture --compare GOLDEN --log LOG [--foreign-rand]\n"
    "Runs PROGRAM headless (SDL dummy video driver), answers every wait at once and\n"
    "records each presented frame and each waiting stage.\n"
    "  --out DIR        write log.txt and stage-NN.png into DIR (default: a new temp folder)\n"
    "  --answer A       key (default): a key press; quit: a close request; noise: mouse\n"
    "                   motion, key release and focus before the key press; error: the\n"
    "                   wait fails\n"
    "  --frames         also write every presented frame as frame-NNNN.png\n"
    "  --time T         time() returns T (with --compare, default: the golden clock)\n"
    "  --timing         no hashes, no images (benchmarks); no folder unless --out\n"
    "  --timeout S      kill the program after S seconds (default 60)\n"
    "  --gif FILE       also write every presented frame into the animated GIF FILE\n"
    "  --frame-ms MS    how long the GIF shows a frame presented in the middle of a\n"
    "                   stage (default 0: the shortest delay)\n"
    "  --compare GOLDEN compare the run's log (or LOG) with the golden file GOLDEN\n"
    "                   (tests/golden/NAME.txt): print what differs, status 1 if anything\n"
    "  --log LOG        compare LOG, a log written elsewhere, instead of running a program\n"
    "  --foreign-rand   the log comes from a C library whose rand() is not glibc's: the\n"
    "                   pictures a program colours at random compare by count alone\n"
    "Exit status: the program's; 128+N when it dies of signal N; 124 when it hangs;\n"
    "127 when it cannot be started; 125 when recording fails; 2 on bad usage; with\n"
    "--compare, 1 when the pictures differ from the golden ones.\n";

[[noreturn]] void usage_error(const char* message, const char* detail = nullptr)
{
    std::fprintf(stderr, "capture: %s%s%s\n%s", message, detail ? " " : "", detail ? detail : "",
                 usage);
    std::exit(status_usage);
}

tool_options parse(int argc, char** argv)
{
    tool_options o;
    int i = 1;
    auto value = [&](const char* name) -> const char* {
        if (i + 1 >= argc)
            usage_error("missing value for", name);
        return argv[++i];
    };
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(usage, stdout);
            std::exit(0);
        } else if (a == "--out") {
            o.out = value("--out");
        } else if (a == "--answer") {
            o.answer = value("--answer");
            wait_answer answer;
            if (!parse_wait_answer(o.answer.c_str(), answer))
                usage_error("unknown answer", o.answer.c_str());
        } else if (a == "--frames") {
            o.frames = true;
        } else if (a == "--time") {
            o.time = value("--time");
            char* end = nullptr;
            errno = 0;
            std::strtoll(o.time.c_str(), &end, 10);
            if (o.time.empty() || errno || *end)
                usage_error("--time needs a whole number, not", o.time.c_str());
        } else if (a == "--timing") {
            o.timing = true;
        } else if (a == "--timeout") {
            const char* v = value("--timeout");
            char* end = nullptr;
            o.timeout = std::strtod(v, &end);
            if (*end || !(o.timeout > 0))
                usage_error("--timeout needs a positive number of seconds, not", v);
        } else if (a == "--gif") {
            o.gif = value("--gif");
        } else if (a == "--frame-ms") {
            const char* v = value("--frame-ms");
            char* end = nullptr;
            const long ms = std::strtol(v, &end, 10);
            if (*end || ms < 0 || ms > 60000)
                usage_error("--frame-ms needs a number of milliseconds, not", v);
            o.frame_ms = static_cast<int>(ms);
        } else if (a == "--compare") {
            o.golden = value("--compare");
        } else if (a == "--log") {
            o.log = value("--log");
        } else if (a == "--foreign-rand") {
            o.foreign_rand = true;
        } else if (a == "--") {
            ++i;
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            usage_error("unknown option", a.c_str());
        } else {
            break;
        }
    }
    if (!o.log.empty()) {
        if (o.golden.empty())
            usage_error("--log needs --compare GOLDEN");
        if (i < argc)
            usage_error("--log compares a log; no program is run:", argv[i]);
        return o;
    }
    if (o.foreign_rand && o.golden.empty())
        usage_error("--foreign-rand needs --compare GOLDEN");
    if (!o.golden.empty() && o.timing)
        usage_error("--timing records no hashes to compare");
    if (!o.golden.empty() && o.time.empty())
        o.time = std::to_string(fixed_clock);
    if (i >= argc)
        usage_error("no program given");
    for (; i < argc; ++i)
        o.command.push_back(argv[i]);
    o.command.push_back(nullptr);
    return o;
}

// The preload library: CAPTURE_PRELOAD, else build/lib beside build/bin.
std::string preload_path()
{
    if (const char* p = std::getenv("CAPTURE_PRELOAD"); p && *p)
        return p;
    return library_folder() + "/libcapture_preload.so";
}

bool make_dirs(const std::string& path)
{
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            std::string part = path.substr(0, i);
            if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
                return false;
        }
    }
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string signal_name(int sig)
{
    const char* abbrev = sigabbrev_np(sig);
    return abbrev ? std::string("SIG") + abbrev : "unknown signal";
}

void set_environment(const tool_options& o, const std::string& preload)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::string ld = preload;
    if (const char* old = std::getenv("LD_PRELOAD"); old && *old)
        ld += std::string(":") + old;
    setenv("LD_PRELOAD", ld.c_str(), 1);
    // A program built with AddressSanitizer wants its runtime first in
    // line; the preload library comes first but intercepts nothing of it.
    std::string asan = "verify_asan_link_order=0";
    if (const char* old = std::getenv("ASAN_OPTIONS"); old && *old)
        asan = std::string(old) + ":" + asan;
    setenv("ASAN_OPTIONS", asan.c_str(), 1);
    if (o.out.empty())
        unsetenv("CAPTURE_DIR");
    else
        setenv("CAPTURE_DIR", o.out.c_str(), 1);
    setenv("CAPTURE_ANSWER", o.answer.c_str(), 1);
    setenv("CAPTURE_FRAMES", o.frames ? "1" : "0", 1);
    setenv("CAPTURE_TIMING", o.timing ? "1" : "0", 1);
    if (o.gif.empty())
        unsetenv("CAPTURE_GIF");
    else
        setenv("CAPTURE_GIF", o.gif.c_str(), 1);
    setenv("CAPTURE_FRAME_MS", std::to_string(o.frame_ms).c_str(), 1);
    if (o.time.empty())
        unsetenv("CAPTURE_TIME");
    else
        setenv("CAPTURE_TIME", o.time.c_str(), 1);
}

double seconds_since(const timespec& start)
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec - start.tv_sec) + (now.tv_nsec - start.tv_nsec) * 1e-9;
}

// Runs the command; returns the exit status to pass on.
int run(const tool_options& o)
{
    const char* program = o.command[0];

    // SIGCHLD and termination requests are taken synchronously below.
    sigset_t handled, old_mask;
    sigemptyset(&handled);
    sigaddset(&handled, SIGCHLD);
    sigaddset(&handled, SIGINT);
    sigaddset(&handled, SIGTERM);
    sigaddset(&handled, SIGHUP);
    sigprocmask(SIG_BLOCK, &handled, &old_mask);

    // A close-on-exec pipe tells whether exec succeeded.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        std::fprintf(stderr, "capture: cannot create a pipe: %s\n", std::strerror(errno));
        return status_not_started;
    }
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid < 0) {
        std::fprintf(stderr, "capture: cannot fork: %s\n", std::strerror(errno));
        return status_not_started;
    }
    if (pid == 0) {
        setpgid(0, 0);
        sigprocmask(SIG_SETMASK, &old_mask, nullptr);
        close(report[0]);
        execvp(program, o.command.data());
        int err = errno;
        ssize_t ignored = write(report[1], &err, sizeof err);
        (void)ignored;
        _exit(status_not_started);
    }
    setpgid(pid, pid);  // also here, so that the group exists before any kill
    close(report[1]);
    int exec_errno = 0;
    ssize_t got;
    do
        got = read(report[0], &exec_errno, sizeof exec_errno);
    while (got < 0 && errno == EINTR);
    close(report[0]);
    if (got == sizeof exec_errno) {
        waitpid(pid, nullptr, 0);
        std::fprintf(stderr, "capture: cannot start %s: %s\n", program, std::strerror(exec_errno));
        return status_not_started;
    }

    timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    int status = 0;
    for (;;) {
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        const double left = o.timeout - seconds_since(start);
        if (left <= 0) {
            kill(-pid, SIGKILL);
            waitpid(pid, &status, 0);
            std::fprintf(stderr, "capture: %s hung: killed after %g s\n", program, o.timeout);
            return status_hung;
        }
        timespec wait_for;
        wait_for.tv_sec = static_cast<time_t>(left);
        wait_for.tv_nsec = static_cast<long>((left - static_cast<double>(wait_for.tv_sec)) * 1e9);
        int sig = sigtimedwait(&handled, nullptr, &wait_for);
        if (sig == SIGINT || sig == SIGTERM || sig == SIGHUP)
            kill(-pid, sig);  // pass an interruption on to the program
    }
    if (WIFSIGNALED(status)) {
        const int sig = WTERMSIG(status);
        std::fprintf(stderr, "capture: %s crashed: signal %d (%s)\n", program, sig,
                     signal_name(sig).c_str());
        return 128 + sig;
    }
    return WEXITSTATUS(status);
}

// The program a golden file is of: its file name without ".txt".
std::string program_of(const std::string& golden)
{
    std::string leaf = golden.substr(golden.find_last_of('/') + 1);
    if (leaf.size() > 4 && leaf.ends_with(".txt"))
        leaf.resize(leaf.size() - 4);
    return leaf;
}

// Compares the log at `log_path` with the golden file; prints the outcome
// on stdout and returns 0 when the pictures are the same, status_differs
// otherwise (a broken golden file or a missing log never pass).
int compare(const std::string& log_path, const tool_options& o)
{
    const golden_hashes golden = read_golden(o.golden);
    if (!golden.error.empty()) {
        std::printf("capture: %s; nothing compared\n", golden.error.c_str());
        return status_differs;
    }
    if (access(log_path.c_str(), R_OK) != 0) {
        std::printf("capture: cannot read the log %s: %s\n", log_path.c_str(), std::strerror(errno));
        return status_differs;
    }
    const capture_log log = read_capture_log(log_path);
    const std::vector<golden_difference> found =
        golden_differences(golden, log, program_of(o.golden), o.foreign_rand);
    if (found.empty()) {
        std::printf("capture: same pictures as %s (%zu stages, %zu frames)\n", o.golden.c_str(),
                    log.waits.size(), log.frames.size());
        return 0;
    }
    std::printf("capture: %s differs from %s:\n", log_path.c_str(), o.golden.c_str());
    for (const golden_difference& d : found)
        std::printf("  %s\n", d.text.c_str());
    return status_differs;
}

}  // namespace

int main(int argc, char** argv)
{
    tool_options o = parse(argc, argv);
    if (!o.log.empty())
        return compare(o.log, o);
    const std::string preload = preload_path();
    if (access(preload.c_str(), R_OK) != 0) {
        std::fprintf(stderr, "capture: cannot read the preload library %s: %s\n", preload.c_str(),
                     std::strerror(errno));
        return status_not_started;
    }
    if (o.out.empty() && !o.timing) {
        char temp[] = "/tmp/capture-XXXXXX";
        if (!mkdtemp(temp)) {
            std::fprintf(stderr, "capture: cannot create a temp folder: %s\n", std::strerror(errno));
            return status_not_started;
        }
        o.out = temp;
        std::printf("capture: writing into %s\n", temp);
        std::fflush(stdout);
    } else if (!o.out.empty() && !make_dirs(o.out)) {
        std::fprintf(stderr, "capture: cannot create %s: %s\n", o.out.c_str(), std::strerror(errno));
        return status_not_started;
    }
    set_environment(o, preload);
    const int status = run(o);
    if (o.golden.empty())
        return status;
    std::fflush(stdout);
    if (status != 0) {
        std::printf("capture: %s ended with status %d; nothing compared with %s\n", o.command[0], status,
                    o.golden.c_str());
        return status;
    }
    return compare(o.out + "/log.txt", o);
}
