// The capture tool's animation recorder (see gif_recorder.h).
#include "gif_recorder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace {

const char* gif_path = nullptr;
int moving_delay = 2;                // hundredths of a second
GifFileType* gif = nullptr;
std::vector<uint8_t> bytes;          // the GIF so far
std::vector<size_t> delay_at;        // offset of each frame's delay field
std::vector<bool> held;              // the frame was shown at a wait
std::vector<uint32_t> previous, current;  // 0xRRGGBB per pixel
int width = 0, height = 0;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "capture: %s\n", what);
    std::_Exit(125);
}

int append(GifFileType* g, const GifByteType* data, int n)
{
    auto* out = static_cast<std::vector<uint8_t>*>(g->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}

void read_surface(SDL_Surface* s)
{
    const SDL_PixelFormat* f = s->format;
    const unsigned rs = f->Rshift, gs = f->Gshift, bs = f->Bshift;
    for (int y = 0; y < height; ++y) {
        const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const uint8_t*>(s->pixels) +
                                                            static_cast<size_t>(y) * s->pitch);
        uint32_t* out = &current[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            const Uint32 v = row[x];
            out[x] = (v >> rs & 0xFF) << 16 | (v >> gs & 0xFF) << 8 | (v >> bs & 0xFF);
        }
    }
}

void start(SDL_Surface* s)
{
    width = s->w;
    height = s->h;
    previous.assign(static_cast<size_t>(width) * height, 0);
    current = previous;
    int error = 0;
    gif = EGifOpen(&bytes, append, &error);
    if (!gif)
        fail(GifErrorString(error));
    EGifSetGifVersion(gif, true);
    if (EGifPutScreenDesc(gif, width, height, 8, 0, nullptr) == GIF_ERROR)
        fail("cannot start the GIF");
    // Loop for ever.
    static const GifByteType app[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType loop[] = {1, 0, 0};
    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif, sizeof app, app);
    EGifPutExtensionBlock(gif, sizeof loop, loop);
    EGifPutExtensionTrailer(gif);
}

// Appends the surface as one frame: the changed rectangle (one pixel when
// nothing changed), exact colours while it has at most 256 of them.
void add_frame(SDL_Surface* s)
{
    if (!gif)
        start(s);
    if (s->w != width || s->h != height || s->format->BytesPerPixel != 4 || s->format->Rloss ||
        s->format->Gloss || s->format->Bloss)
        fail("the window changed size or depth");
    read_surface(s);
    int x0 = width, y0 = height, x1 = -1, y1 = -1;
    for (int y = 0; y < height; ++y) {
        const uint32_t* now = &current[static_cast<size_t>(y) * width];
        const uint32_t* before = &previous[static_cast<size_t>(y) * width];
        int first = 0, end = width;
        if (!delay_at.empty()) {  // the first frame is drawn whole
            while (first < width && now[first] == before[first])
                ++first;
            if (first == width)
                continue;
            while (now[end - 1] == before[end - 1])
                --end;
        }
        x0 = std::min(x0, first);
        x1 = std::max(x1, end - 1);
        y0 = std::min(y0, y);
        y1 = y;
    }
    if (x1 < 0)
        x0 = x1 = y0 = y1 = 0;
    const int w = x1 - x0 + 1, h = y1 - y0 + 1;

    // Colour table; neighbouring pixels mostly share a colour, so the last
    // one found is tried before the table.
    std::unordered_map<uint32_t, int> index;
    std::vector<uint32_t> colours;
    uint32_t last = 0;
    int last_index = -1;
    auto lookup = [&](uint32_t c) {
        if (last_index < 0 || c != last) {
            last = c;
            last_index = index.emplace(c, static_cast<int>(colours.size())).first->second;
            if (last_index == static_cast<int>(colours.size()))
                colours.push_back(c);
        }
        return last_index;
    };
    bool exact = true;
    for (int y = y0; y <= y1 && exact; ++y)
        for (int x = x0; x <= x1 && exact; ++x) {
            lookup(current[static_cast<size_t>(y) * width + x]);
            exact = colours.size() <= 256;
        }
    // Too many colours: 3 bits of red and green, 2 of blue.
    auto reduced = [](uint32_t c) { return (c >> 16 & 0xE0) | (c >> 11 & 0x1C) | (c >> 6 & 0x03); };
    const int count = exact ? static_cast<int>(colours.size()) : 256;
    ColorMapObject* map = GifMakeMapObject(1 << GifBitSize(std::max(count, 2)), nullptr);
    if (!map)
        fail("out of memory");
    for (int i = 0; i < count; ++i) {
        uint32_t c = exact ? colours[i] : uint32_t(i & 0xE0) << 16 | uint32_t(i << 3 & 0xE0) << 8 | uint32_t(i << 6 & 0xC0);
        map->Colors[i] = {GifByteType(c >> 16), GifByteType(c >> 8), GifByteType(c)};
    }

    delay_at.push_back(bytes.size() + 4);  // '!', 0xF9, 4, flags, delay...
    held.push_back(false);
    const GifByteType control[] = {1 << 2, 0, 0, 0};  // keep the frame under the next
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof control, control) == GIF_ERROR ||
        EGifPutImageDesc(gif, x0, y0, w, h, false, map) == GIF_ERROR)
        fail("cannot add a frame to the GIF");
    std::vector<GifPixelType> line(static_cast<size_t>(w));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            uint32_t c = current[static_cast<size_t>(y) * width + x];
            line[x - x0] = static_cast<GifPixelType>(exact ? lookup(c) : reduced(c));
        }
        if (EGifPutLine(gif, line.data(), w) == GIF_ERROR)
            fail("cannot add a frame to the GIF");
    }
    GifFreeMapObject(map);
    previous.swap(current);
}

}  // namespace

void gif_start(const char* path, int frame_ms)
{
    gif_path = path;
    moving_delay = std::clamp(frame_ms / 10, 2, 6000);
}

void gif_add_frame(SDL_Surface* s)
{
    if (gif_path && s)
        add_frame(s);
}

void gif_hold_last_frame()
{
    if (!held.empty())
        held.back() = true;
}

void gif_finish()
{
    if (!gif || !gif_path)
        return;
    int error = 0;
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        fail(GifErrorString(error));
    gif = nullptr;
    const size_t frames = delay_at.size();
    for (size_t i = 0; i < frames; ++i) {
        int delay = i + 1 == frames ? 300 : held[i] ? 150 : moving_delay;
        bytes[delay_at[i]] = static_cast<uint8_t>(delay & 0xFF);
        bytes[delay_at[i] + 1] = static_cast<uint8_t>(delay >> 8);
    }
    FILE* f = std::fopen(gif_path, "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0)
        fail("cannot write the GIF");
}
