#include "own_folder.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

std::string own_folder()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) {
        std::fprintf(stderr, "cannot find the folder of this tool: %s\n", std::strerror(errno));
        std::exit(127);
    }
    std::string folder(path, static_cast<size_t>(n));
    folder.erase(folder.find_last_of('/'));
    return folder;
}

std::string library_folder()
{
    return own_folder() + "/../lib";
}
