// Test support: the one way the tests start a process: an argument vector
// (never a shell string), its own process group, a stack limit, working
// folder and environment of its own, a time limit, stdout and stderr kept;
// or started to be watched while it runs, its stdout read line by line.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct run_options {
    std::vector<std::string> env;  // NAME=VALUE to set, or -NAME to remove
    long stack_kib = 0;            // when > 0, the soft and hard stack limit
    std::string cwd;               // when not empty, the working folder
    int timeout_seconds = 600;     // then the process group is killed
};

struct run_result {
    int status = -1;  // exit status; 128+N after signal N; 124 when killed
    std::string out;  // stdout
    std::string err;  // stderr
};

// Runs argv[0] (searched in PATH when it holds no '/') with the arguments
// that follow, stdin from /dev/null, and waits for it.
run_result run_command(const std::vector<std::string>& argv, const run_options& options = {});

// Where a watched process's stderr goes.
enum class stderr_to { inherit, stdout_pipe, discard };

// A process started by start_command and watched while it runs. When it
// goes out of scope still running, its process group is killed.
struct watched_process {
    pid_t pid = -1;        // also its process group
    int out = -1;          // read end of its stdout
    std::string pending;   // read but not yet returned by next_line
    int signal = 0;        // the signal that ended it, once finished by one
    watched_process() = default;
    watched_process(const watched_process&) = delete;
    watched_process& operator=(const watched_process&) = delete;
    ~watched_process();
};

// Starts argv as run_command does (its own process group, stdin from
// /dev/null, options.env, cwd and stack_kib; options.timeout_seconds is
// not used) with stdout into a pipe. False when it cannot be started.
bool start_command(watched_process& process, const std::vector<std::string>& argv, const run_options& options = {},
                   stderr_to stderr_to = stderr_to::inherit);

// The next line of its stdout without the newline; "" when none comes
// within timeout_ms or its stdout ends. Output left after it ended can
// still be read.
std::string next_line(watched_process& process, int timeout_ms);

// Waits up to timeout_ms for it to end and returns its status as
// run_command does: 128+N after signal N (process.signal is then N), 124
// when the time ran out and its process group was killed.
int finish_command(watched_process& process, int timeout_ms);

// A fresh, empty folder build/test-output/<leaf>-<pid>-<n>.
std::string fresh_dir(const std::string& leaf);

// True when `text` is exactly one line, ended by a newline, that starts
// with "<program>: ".
bool one_line_from(const std::string& program, const std::string& text);
