// Preloaded into a program run by the capture tool. It interposes SDL_Flip,
// SDL_WaitEvent and time():
//  - every presented frame is counted, hashed and logged (and kept as PNG on
//    request);
//  - every wait logs and keeps the surface as stage-NN.png, then is answered
//    at once with scripted events;
//  - time() can return a fixed value;
//  - every frame can go into an animated GIF (gif_recorder.h).
// Settings come from the environment (see README.md).
#include "gif_recorder.h"

#include <capture_format.h>
#include <preload_core.h>

#include <SDL.h>
#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

// A wait that has not seen a key press or close request after this many
// calls is taken as a program that ignores its answers.
constexpr unsigned long max_calls_per_wait = 10000;
// Every stage is presented before its wait; a program that waits this many
// times in a row without presenting anything does not take its answers.
constexpr unsigned long max_waits_without_frame = 100;

struct capture_settings {
    const char* dir = nullptr;  // where log.txt and the PNGs go; null: nowhere
    wait_answer answer = wait_answer::key;
    bool frames = false;        // keep every frame as PNG
    bool timing = false;        // no hashing, no images
    bool fixed_time = false;
    time_t time_value = 0;
};

capture_settings settings;
int log_fd = -1;
unsigned long frame_count = 0;
wait_tracker waits;
unsigned long calls_in_wait = 0;
unsigned long waits_since_frame = 0;

using flip_fn = int (*)(SDL_Surface*);
using wait_fn = int (*)(SDL_Event*);
using push_fn = int (*)(SDL_Event*);
flip_fn real_flip = nullptr;
wait_fn real_wait = nullptr;
push_fn real_push = nullptr;

[[noreturn]] void fail(const char* what, const char* detail)
{
    std::fprintf(stderr, "capture: %s%s%s\n", what, detail ? ": " : "", detail ? detail : "");
    _exit(125);
}

wait_answer parse_answer(const char* text)
{
    wait_answer answer = wait_answer::key;
    if (text && *text && !parse_wait_answer(text, answer))
        fail("unknown CAPTURE_ANSWER", text);
    return answer;
}

bool flag(const char* name)
{
    const char* v = std::getenv(name);
    return v && *v && std::strcmp(v, "0") != 0;
}

__attribute__((constructor)) void read_settings()
{
    const char* dir = std::getenv("CAPTURE_DIR");
    settings.dir = (dir && *dir) ? dir : nullptr;
    settings.answer = parse_answer(std::getenv("CAPTURE_ANSWER"));
    settings.frames = flag("CAPTURE_FRAMES");
    settings.timing = flag("CAPTURE_TIMING");
    if (const char* t = std::getenv("CAPTURE_TIME"); t && *t) {
        char* end = nullptr;
        errno = 0;
        long long v = std::strtoll(t, &end, 10);
        if (errno || *end)
            fail("CAPTURE_TIME is not a whole number", t);
        settings.fixed_time = true;
        settings.time_value = static_cast<time_t>(v);
    }
    if (const char* gif = std::getenv("CAPTURE_GIF"); gif && *gif) {
        const char* ms = std::getenv("CAPTURE_FRAME_MS");
        gif_start(gif, ms ? std::atoi(ms) : 0);
    }
    if (settings.dir) {
        char path[4096];
        std::snprintf(path, sizeof path, "%s/log.txt", settings.dir);
        log_fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
        if (log_fd < 0)
            fail("cannot create the log", path);
    }
}

__attribute__((destructor)) void write_animation()
{
    gif_finish();
}

// One line per call, written at once so that a crash loses nothing.
void log_line(const char* kind, unsigned long n, const uint64_t* hash)
{
    if (log_fd < 0)
        return;
    char line[64];
    int len = hash ? std::snprintf(line, sizeof line, "%s %lu %016llx\n", kind, n,
                                   static_cast<unsigned long long>(*hash))
                   : std::snprintf(line, sizeof line, "%s %lu\n", kind, n);
    if (write(log_fd, line, static_cast<size_t>(len)) != len)
        fail("cannot write the log", std::strerror(errno));
}

// Row y of the surface as R, G, B bytes.
void surface_rgb_row(const SDL_Surface* s, int y, uint8_t* out)
{
    const SDL_PixelFormat* f = s->format;
    const uint8_t* src = static_cast<const uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
    if (f->BytesPerPixel == 4 && f->Rloss == 0 && f->Gloss == 0 && f->Bloss == 0) {
        // Format fields in locals: stores through `out` may alias them.
        const uint32_t* p = reinterpret_cast<const uint32_t*>(src);
        const int w = s->w;
        const unsigned rs = f->Rshift, gs = f->Gshift, bs = f->Bshift;
        for (int x = 0; x < w; ++x) {
            const uint32_t v = p[x];
            out[0] = static_cast<uint8_t>(v >> rs);
            out[1] = static_cast<uint8_t>(v >> gs);
            out[2] = static_cast<uint8_t>(v >> bs);
            out += 3;
        }
        return;
    }
    const int bpp = f->BytesPerPixel;
    for (int x = 0; x < s->w; ++x, src += bpp) {
        uint32_t v = 0;
        switch (bpp) {
        case 1: v = *src; break;
        case 2: v = *reinterpret_cast<const uint16_t*>(src); break;
        case 3: v = SDL_BYTEORDER == SDL_LIL_ENDIAN ? src[0] | src[1] << 8 | src[2] << 16
                                                    : src[2] | src[1] << 8 | src[0] << 16; break;
        default: v = *reinterpret_cast<const uint32_t*>(src); break;
        }
        SDL_GetRGB(v, const_cast<SDL_PixelFormat*>(f), out, out + 1, out + 2);
        out += 3;
    }
}

// The surface's RGB rows, one at a time, into a buffer kept between calls.
struct row_store {
    uint8_t* data = nullptr;
    size_t size = 0;
    uint8_t* get(size_t n)
    {
        if (n > size) {
            std::free(data);
            data = static_cast<uint8_t*>(std::malloc(n));
            if (!data)
                fail("out of memory", nullptr);
            size = n;
        }
        return data;
    }
};
row_store row_buffer;

uint64_t hash_surface(SDL_Surface* s)
{
    uint8_t* row = row_buffer.get(static_cast<size_t>(s->w) * 3);
    uint64_t h = fnv_offset;
    for (int y = 0; y < s->h; ++y) {
        surface_rgb_row(s, y, row);
        h = fnv1a(h, row, static_cast<size_t>(s->w) * 3);
    }
    return h;
}

void png_error_exit(png_structp, png_const_charp message)
{
    fail("cannot write a PNG", message);
}

void png_warning_ignore(png_structp, png_const_charp) {}

// Writes the surface as 8-bit RGB PNG and returns the hash of its pixels.
uint64_t write_surface_png(SDL_Surface* s, const char* path)
{
    FILE* f = std::fopen(path, "wb");
    if (!f)
        fail("cannot create", path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, png_error_exit,
                                              png_warning_ignore);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info)
        fail("cannot start a PNG", path);
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(s->w), static_cast<png_uint_32>(s->h), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    // Speed over size: about 1,500 frames make a gallery.
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_write_info(png, info);

    uint8_t* row = row_buffer.get(static_cast<size_t>(s->w) * 3);
    uint64_t h = fnv_offset;
    for (int y = 0; y < s->h; ++y) {
        surface_rgb_row(s, y, row);
        h = fnv1a(h, row, static_cast<size_t>(s->w) * 3);
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(f) != 0)
        fail("cannot write", path);
    return h;
}

// Hashes the surface and, when a path is given, keeps it as PNG.
uint64_t record(SDL_Surface* s, const char* png_path)
{
    const bool lock = SDL_MUSTLOCK(s);
    if (lock && SDL_LockSurface(s) != 0)
        fail("cannot lock the surface", SDL_GetError());
    uint64_t h = png_path ? write_surface_png(s, png_path) : hash_surface(s);
    if (lock)
        SDL_UnlockSurface(s);
    return h;
}

void push(SDL_Event& e)
{
    if (real_push(&e) != 0)
        fail("cannot queue an answer event", SDL_GetError());
}

void push_answer()
{
    SDL_Event e;
    if (settings.answer == wait_answer::quit) {
        std::memset(&e, 0, sizeof e);
        e.type = SDL_QUIT;
        push(e);
        return;
    }
    if (settings.answer == wait_answer::noise) {
        std::memset(&e, 0, sizeof e);
        e.motion.type = SDL_MOUSEMOTION;
        e.motion.x = 400;
        e.motion.y = 300;
        e.motion.xrel = 3;
        e.motion.yrel = -2;
        push(e);

        std::memset(&e, 0, sizeof e);
        e.key.type = SDL_KEYUP;
        e.key.state = SDL_RELEASED;
        e.key.keysym.sym = SDLK_SPACE;
        push(e);

        std::memset(&e, 0, sizeof e);
        e.active.type = SDL_ACTIVEEVENT;
        e.active.gain = 1;
        e.active.state = SDL_APPINPUTFOCUS;
        push(e);

        std::memset(&e, 0, sizeof e);
        e.expose.type = SDL_VIDEOEXPOSE;
        push(e);
    }
    std::memset(&e, 0, sizeof e);
    e.key.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = SDLK_SPACE;
    push(e);
}

// settings.dir/NAME, NAME the picture `n` of a capture_format file format,
// into `path` without allocating.
void picture_path(char (&path)[4096], const char* format, unsigned long n)
{
    const int len = std::snprintf(path, sizeof path, "%s/", settings.dir);
    if (len < 0 || static_cast<size_t>(len) >= sizeof path)
        fail("path too long", settings.dir);
    std::snprintf(path + len, sizeof path - static_cast<size_t>(len), format, static_cast<long>(n));
}

// The start of a wait: record what the program shows.
void begin_wait()
{
    const unsigned long wait_count = waits.waits;
    gif_hold_last_frame();
    if (++waits_since_frame > max_waits_without_frame) {
        std::fprintf(stderr,
                     "capture: %lu waits without a frame presented; the program ignores key "
                     "presses and close requests\n",
                     max_waits_without_frame);
        std::abort();
    }
    SDL_Surface* s = SDL_GetVideoSurface();
    if (settings.timing || !s) {
        log_line("wait", wait_count, nullptr);
        return;
    }
    char path[4096];
    const char* png_path = nullptr;
    if (settings.dir) {
        picture_path(path, stage_file_format, wait_count);
        png_path = path;
    }
    uint64_t h = record(s, png_path);
    log_line("wait", wait_count, &h);
}

}  // namespace

#define INTERPOSED extern "C" __attribute__((visibility("default")))

INTERPOSED int SDL_Flip(SDL_Surface* s)
{
    if (!real_flip)
        real_flip = reinterpret_cast<flip_fn>(real_symbol("capture", "SDL_Flip"));
    ++frame_count;
    gif_add_frame(s);
    waits_since_frame = 0;
    if (settings.timing || !s) {
        log_line("frame", frame_count, nullptr);
    } else {
        char path[4096];
        const char* png_path = nullptr;
        if (settings.frames && settings.dir) {
            picture_path(path, frame_file_format, frame_count);
            png_path = path;
        }
        // Recorded before the real flip: a double buffer may swap pixels.
        uint64_t h = record(s, png_path);
        log_line("frame", frame_count, &h);
    }
    return real_flip(s);
}

INTERPOSED int SDL_WaitEvent(SDL_Event* event)
{
    if (!real_wait) {
        real_wait = reinterpret_cast<wait_fn>(real_symbol("capture", "SDL_WaitEvent"));
        real_push = reinterpret_cast<push_fn>(real_symbol("capture", "SDL_PushEvent"));
    }
    if (wait_begins(waits)) {
        begin_wait();
        if (settings.answer == wait_answer::error) {
            wait_returned(waits, 0, event);
            return 0;  // the event is left untouched
        }
        calls_in_wait = 0;
        push_answer();
    }
    if (++calls_in_wait > max_calls_per_wait) {
        std::fprintf(stderr,
                     "capture: wait %lu not ended after %lu events; the program ignores key "
                     "presses and close requests\n",
                     waits.waits, max_calls_per_wait);
        std::abort();
    }
    const int result = real_wait(event);
    wait_returned(waits, result, event);
    return result;
}

INTERPOSED time_t time(time_t* t) noexcept
{
    time_t v;
    if (settings.fixed_time) {
        v = settings.time_value;
    } else {
        timespec ts;
        clock_gettime(CLOCK_REALTIME, &ts);
        v = ts.tv_sec;
    }
    if (t)
        *t = v;
    return v;
}
