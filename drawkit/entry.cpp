// Process entry: SDL 1.2 on this platform leaves main() to the program, so
// drawkit calls the program's SDL_main, shuts SDL down and returns its status.
#include "drawkit.h"

#include <cstdio>
#include <cstring>
#include <new>

int main(int argc, char** argv)
{
    int status = 1;
    try {
        status = SDL_main(argc, argv);
    } catch (const std::bad_alloc&) {
        // A work stack or table that cannot grow: one line, as for every
        // other failure, named after the program binary.
        const char* program = argc > 0 && argv[0] ? argv[0] : "drawkit";
        if (const char* slash = std::strrchr(program, '/'))
            program = slash + 1;
        std::fprintf(stderr, "%s: out of memory\n", program);
    }
    SDL_Quit();
    return status;
}
