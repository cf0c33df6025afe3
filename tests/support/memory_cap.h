// Test support: make allocations fail soon, to test how a program copes.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

// Caps the process's address space at what it uses now plus `headroom`
// bytes, so that allocating beyond that fails.
inline void cap_address_space(long headroom)
{
    long pages = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(f);
    }
    const rlim_t page_size = static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
    const rlim_t cap = static_cast<rlim_t>(pages) * page_size + static_cast<rlim_t>(headroom);
    const rlimit limit = {cap, cap};
    setrlimit(RLIMIT_AS, &limit);
}
