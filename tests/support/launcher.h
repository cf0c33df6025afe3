// Test support: the one way the tests start a process: an argument vector
// (never a shell string), its own process group, a stack limit, working
// folder and environment of its own, a time limit, stdout and stderr kept.
#pragma once

#include <string>
#include <vector>

struct RunOptions {
    std::vector<std::string> env;  // NAME=VALUE to set, or -NAME to remove
    long stack_kib = 0;            // when > 0, the soft and hard stack limit
    std::string cwd;               // when not empty, the working folder
    int timeout_seconds = 600;     // then the process group is killed
};

struct RunResult {
    int status = -1;  // exit status; 128+N after signal N; 124 when killed
    std::string out;  // stdout
    std::string err;  // stderr
};

// Runs argv[0] (searched in PATH when it holds no '/') with the arguments
// that follow, stdin from /dev/null, and waits for it.
RunResult run_command(const std::vector<std::string>& argv, const RunOptions& options = {});

// A fresh, empty folder build/test-output/<leaf>-<pid>-<n>.
std::string fresh_dir(const std::string& leaf);

// True when `text` is exactly one line, ended by a newline, that starts
// with "<program>: ".
bool one_line_from(const std::string& program, const std::string& text);
