#include "runner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// These runs are checked against the golden hashes and must never rewrite
// them, whatever the environment says.
const bool golden_read_only = (unsetenv("UPDATE_GOLDEN"), true);

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void redirect(int fd, const std::string& path, int flags)
{
    const int f = open(path.c_str(), flags, 0644);
    if (f >= 0) {
        dup2(f, fd);
        close(f);
    }
}

}  // namespace

RunResult run_command(const std::vector<std::string>& argv, const RunOptions& options)
{
    (void)golden_read_only;
    RunResult result;
    const std::string io = fresh_dir("io");
    const std::string out_path = io + "/stdout.txt";
    const std::string err_path = io + "/stderr.txt";
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid < 0)
        return result;
    if (pid == 0) {
        setpgid(0, 0);
        redirect(0, "/dev/null", O_RDONLY);
        redirect(1, out_path, O_WRONLY | O_CREAT | O_TRUNC);
        redirect(2, err_path, O_WRONLY | O_CREAT | O_TRUNC);
        if (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0)
            _exit(126);
        for (const auto& setting : options.env) {
            if (!setting.empty() && setting[0] == '-') {
                unsetenv(setting.c_str() + 1);
                continue;
            }
            const size_t eq = setting.find('=');
            if (eq != std::string::npos)
                setenv(setting.substr(0, eq).c_str(), setting.c_str() + eq + 1, 1);
        }
        if (options.stack_kib > 0) {
            const rlim_t bytes = static_cast<rlim_t>(options.stack_kib) * 1024;
            const rlimit limit{bytes, bytes};
            if (setrlimit(RLIMIT_STACK, &limit) != 0)
                _exit(126);
        }
        execvp(args[0], args.data());
        std::fprintf(stderr, "cannot run %s: %s\n", args[0], std::strerror(errno));
        _exit(127);
    }
    setpgid(pid, pid);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.timeout_seconds);
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(-pid, SIGKILL);
            waitpid(pid, &status, 0);
            result.status = 124;
            result.err = read_file(err_path) + "(killed after " +
                         std::to_string(options.timeout_seconds) + " s)\n";
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.status = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    result.out = read_file(out_path);
    result.err = read_file(err_path);
    std::error_code ec;
    fs::remove_all(io, ec);
    return result;
}

std::string bin_path(const std::string& name)
{
    return std::string(HARDENING_BIN_DIR) + "/" + name;
}

std::string lib_path(const std::string& name)
{
    return std::string(HARDENING_LIB_DIR) + "/" + name;
}

std::vector<std::string> all_programs()
{
    std::vector<std::string> names;
    std::istringstream list(HARDENING_PROGRAMS);
    std::string name;
    while (std::getline(list, name, ','))
        if (!name.empty())
            names.push_back(name);
    return names;
}

std::string fresh_dir(const std::string& leaf)
{
    static int counter = 0;
    const fs::path dir = fs::path(HARDENING_OUTPUT_DIR) /
                         (leaf + "-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir);
    return dir.string();
}

Capture capture_program(const std::string& program, const std::vector<std::string>& capture_args,
                        const std::vector<std::string>& wrapper, const RunOptions& options)
{
    Capture c;
    c.out_dir = fresh_dir(program);
    std::vector<std::string> argv = {bin_path("capture"), "--out", c.out_dir, "--time",
                                     std::to_string(golden_clock), "--timeout",
                                     std::to_string(options.timeout_seconds)};
    argv.insert(argv.end(), capture_args.begin(), capture_args.end());
    argv.push_back("--");
    argv.insert(argv.end(), wrapper.begin(), wrapper.end());
    argv.push_back(bin_path(program));
    RunOptions outer = options;
    outer.timeout_seconds = options.timeout_seconds + 30;  // the tool's own limit comes first
    const RunResult r = run_command(argv, outer);
    c.status = r.status;
    c.stderr_text = r.err;

    std::ifstream log(c.out_dir + "/log.txt");
    std::string line;
    while (std::getline(log, line)) {
        std::istringstream fields(line);
        std::string kind, hash;
        long n = 0;
        fields >> kind >> n >> hash;
        const uint64_t h = std::strtoull(hash.c_str(), nullptr, 16);
        if (kind == "frame")
            c.frame_hashes.push_back(h);
        else if (kind == "wait")
            c.stage_hashes.push_back(h);
    }
    for (size_t i = 0; i < c.stage_hashes.size(); ++i) {
        char leaf[32];
        std::snprintf(leaf, sizeof leaf, "/stage-%02zu.png", i + 1);
        c.stages.push_back(read_png(c.out_dir + leaf));
    }
    return c;
}

int golden_stage_count(const std::string& program)
{
    std::ifstream in(std::string(HARDENING_GOLDEN_DIR) + "/" + program + ".txt");
    std::string line;
    int stages = 0;
    while (std::getline(in, line))
        stages += line.rfind("stage ", 0) == 0;
    return stages;
}

bool one_line_from(const std::string& program, const std::string& text)
{
    const std::string prefix = program + ": ";
    return text.size() > prefix.size() + 1 && text.compare(0, prefix.size(), prefix) == 0 &&
           text.find('\n') == text.size() - 1;
}

void discard(const Capture& capture)
{
    std::error_code ec;
    fs::remove_all(capture.out_dir, ec);
}
