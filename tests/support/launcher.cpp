#include "launcher.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

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

// Output folders of test processes that have ended are removed after an
// hour, so that repeated runs do not fill the disk and a failure's pictures
// stay for a while to be looked at.
void sweep_old_output(const fs::path& base)
{
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (const auto& entry : fs::directory_iterator(base, ec)) {
        const std::string leaf = entry.path().filename().string();
        const size_t last = leaf.rfind('-');
        const size_t before = last == std::string::npos || last == 0 ? std::string::npos : leaf.rfind('-', last - 1);
        if (before == std::string::npos)
            continue;
        const long pid = std::strtol(leaf.c_str() + before + 1, nullptr, 10);
        if (pid <= 0 || kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
            continue;  // still running, or not ours to judge
        const auto age = now - fs::last_write_time(entry.path(), ec);
        if (!ec && age > std::chrono::hours(1))
            fs::remove_all(entry.path(), ec);
    }
}

// argv as execvp wants it.
std::vector<char*> arg_pointers(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    return args;
}

// Forks; the child leads its own process group, reads /dev/null, lets
// `outputs` point stdout and stderr, takes the options and runs args.
// Returns the child's pid (its group too), or -1.
template <typename Outputs>
pid_t fork_command(const std::vector<char*>& args, const run_options& options, Outputs outputs)
{
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid != 0) {
        if (pid > 0)
            setpgid(pid, pid);  // before the caller signals the group, whichever runs first
        return pid;
    }
    setpgid(0, 0);
    redirect(0, "/dev/null", O_RDONLY);
    outputs();
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
    execvp(args[0], const_cast<char* const*>(args.data()));
    std::fprintf(stderr, "cannot run %s: %s\n", args[0], std::strerror(errno));
    _exit(127);
}

}  // namespace

std::string fresh_dir(const std::string& leaf)
{
    static int counter = 0;
    const fs::path base = CAPTURE_OUTPUT_DIR;
    fs::create_directories(base);
    if (counter == 0)
        sweep_old_output(base);
    const fs::path dir = base / (leaf + "-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir);
    return dir.string();
}

run_result run_command(const std::vector<std::string>& argv, const run_options& options)
{
    run_result result;
    const std::string io = fresh_dir("io");
    const std::string out_path = io + "/stdout.txt";
    const std::string err_path = io + "/stderr.txt";
    const std::vector<char*> args = arg_pointers(argv);

    const pid_t pid = fork_command(args, options, [&] {
        redirect(1, out_path, O_WRONLY | O_CREAT | O_TRUNC);
        redirect(2, err_path, O_WRONLY | O_CREAT | O_TRUNC);
    });
    if (pid < 0)
        return result;

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
            result.err = read_file(err_path) + "(killed after " + std::to_string(options.timeout_seconds) + " s)\n";
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    result.status = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    result.out = read_file(out_path);
    result.err = read_file(err_path);
    std::error_code ec;
    fs::remove_all(io, ec);
    return result;
}

bool one_line_from(const std::string& program, const std::string& text)
{
    const std::string prefix = program + ": ";
    return text.size() > prefix.size() + 1 && text.compare(0, prefix.size(), prefix) == 0 &&
           text.find('\n') == text.size() - 1;
}

bool start_command(watched_process& process, const std::vector<std::string>& argv, const run_options& options,
                   stderr_to stderr_to)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return false;
    const std::vector<char*> args = arg_pointers(argv);
    process.pid = fork_command(args, options, [&] {
        dup2(fds[1], STDOUT_FILENO);
        if (stderr_to == stderr_to::stdout_pipe)
            dup2(fds[1], STDERR_FILENO);
        else if (stderr_to == stderr_to::discard)
            redirect(2, "/dev/null", O_WRONLY);
    });
    close(fds[1]);
    if (process.pid < 0) {
        close(fds[0]);
        return false;
    }
    process.out = fds[0];
    process.pending.clear();
    process.signal = 0;
    return true;
}

std::string next_line(watched_process& process, int timeout_ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        if (const size_t nl = process.pending.find('\n'); nl != std::string::npos) {
            std::string line = process.pending.substr(0, nl);
            process.pending.erase(0, nl + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now()).count();
        pollfd p{process.out, POLLIN, 0};
        if (process.out < 0 || left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0)
            return "";
        char buf[4096];
        const ssize_t n = read(process.out, buf, sizeof buf);
        if (n <= 0)
            return "";
        process.pending.append(buf, static_cast<size_t>(n));
    }
}

int finish_command(watched_process& process, int timeout_ms)
{
    if (process.pid <= 0)
        return -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(process.pid, &status, WNOHANG);
        if (done == process.pid || (done < 0 && errno != EINTR))
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(-process.pid, SIGKILL);
            waitpid(process.pid, nullptr, 0);
            process.pid = -1;
            return 124;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    process.pid = -1;
    process.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

watched_process::~watched_process()
{
    if (pid > 0) {
        kill(-pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (out >= 0)
        close(out);
}
