// The 64-bit picture hash of the capture tool: FNV-1a over the R, G, B bytes
// of every pixel, row-major. Shared by the preload library and the test
// support so that a hash from the log can be checked against a PNG.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint64_t fnv_offset = 0xcbf29ce484222325ull;
constexpr uint64_t fnv_prime = 0x100000001b3ull;

inline uint64_t fnv1a(uint64_t h, const uint8_t* bytes, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        h ^= bytes[i];
        h *= fnv_prime;
    }
    return h;
}
