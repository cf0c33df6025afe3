// Runs a command as the hardening checks need it: with a given stack limit,
// working folder and environment, a time limit, and stdout and stderr kept.
#pragma once

#include "capture.h"

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

RunResult run_command(const std::vector<std::string>& argv, const RunOptions& options = {});

// The built programs (build/bin), libraries (build/lib) and the capture tool.
std::string bin_path(const std::string& name);
std::string lib_path(const std::string& name);

// Every program of the project, in the README's order.
std::vector<std::string> all_programs();

// The fixed clock given to every program under the capture tool, the one
// its golden hashes were made with (only terdragon_rosette reads it).
constexpr long golden_clock = 1700000000;

// A fresh, empty folder under build/test-output/hardening.
std::string fresh_dir(const std::string& leaf);

// Runs build/bin/<program> under the capture tool into a fresh folder, with
// `wrapper` (e.g. valgrind and its options) in front of the program and the
// given capture options (--answer ..., --timing). The log and the stage
// pictures are read back into a Capture for compare_with_golden.
Capture capture_program(const std::string& program, const std::vector<std::string>& capture_args,
                        const std::vector<std::string>& wrapper = {}, const RunOptions& options = {});

// The number of stages tests/golden/<program>.txt lists.
int golden_stage_count(const std::string& program);

// True when `text` is exactly one line, ended by a newline, that starts
// with "<program>: ".
bool one_line_from(const std::string& program, const std::string& text);

// Removes a capture's folder (call when its checks passed; a failure's
// pictures stay to be looked at).
void discard(const Capture& capture);
