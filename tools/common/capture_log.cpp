#include "capture_log.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

capture_log read_capture_log(const std::string& path)
{
    capture_log log;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string kind, hash;
        long n = 0;
        if (!(fields >> kind >> n))
            continue;
        fields >> hash;
        const uint64_t h = std::strtoull(hash.c_str(), nullptr, 16);
        if (kind == "frame")
            log.frames.push_back(h);
        else if (kind == "wait")
            log.waits.push_back(h);
    }
    return log;
}
