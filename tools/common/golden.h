// The golden files, tests/golden/NAME.txt: the hash of every stage
// ("stage K HASH") and, for the programs that show frames in the middle of a
// stage, of every presented frame ("frame N HASH"), as the capture tool logs
// them. One reader, one writer and one comparison for the tests, the capture
// tool's --compare and every platform that checks its pictures.
#pragma once

#include "capture_log.h"

#include <cstdint>
#include <string>
#include <vector>

struct golden_hashes {
    std::vector<uint64_t> stages;
    std::vector<uint64_t> frames;  // empty: the frames are not checked
    std::string error;             // a missing file or a malformed line
};

// Reads `path`; on a missing file or a malformed line (a kind other than
// stage or frame, a hash not of 16 hex digits, numbers out of order) sets
// `error`.
golden_hashes read_golden(const std::string& path);

// Writes the golden file of `program` at `path` from a recorded log; false
// when it cannot be written.
bool write_golden(const std::string& path, const std::string& program, const capture_log& log);

// The first frame (1-based) of `program` drawn in colours from rand(), and
// the first stage that shows them: where the C library's rand() differs from
// glibc's (the browser's), the pictures from there on differ too. 0: the
// program draws nothing at random.
unsigned long first_random_frame(const std::string& program);
unsigned long first_random_stage(const std::string& program);

struct golden_difference {
    unsigned long stage = 0;  // the 1-based stage whose hash differs; 0: not one stage
    uint64_t expected = 0;    // that stage's golden hash
    std::string text;         // what differs, in one line
};

// What differs between a log and the golden hashes of `program`: the number
// of stages, each stage's hash, and, when the golden file lists frames, the
// number of frames and their hashes. With `foreign_rand`, the pictures
// `program` colours at random compare by count alone. Empty: the same.
std::vector<golden_difference> golden_differences(const golden_hashes& golden, const capture_log& log,
                                                  const std::string& program, bool foreign_rand = false);
