// The capture tool's log.txt: one line per presented frame ("frame N HASH")
// and one per wait ("wait N HASH"); timing runs leave the hash out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct capture_log {
    std::vector<uint64_t> frames;  // one per SDL_Flip, in order (0 without hashes)
    std::vector<uint64_t> waits;   // the picture at each wait, in order
};

// Reads `path`; a missing file gives an empty log.
capture_log read_capture_log(const std::string& path);
