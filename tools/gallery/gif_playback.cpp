#include "gif_playback.h"

#include <gif_lib.h>

bool play_gif(const std::string& path, int& width, int& height,
              const std::function<void(int index, const std::vector<unsigned char>& rgb, int delay)>& frame)
{
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif)
        return false;
    if (DGifSlurp(gif) == GIF_ERROR) {
        DGifCloseFile(gif, &error);
        return false;
    }
    width = gif->SWidth;
    height = gif->SHeight;
    std::vector<unsigned char> canvas(static_cast<size_t>(width) * height * 3, 0);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& f = gif->SavedImages[i];
        const ColorMapObject* map = f.ImageDesc.ColorMap ? f.ImageDesc.ColorMap : gif->SColorMap;
        for (int y = 0; y < f.ImageDesc.Height; ++y)
            for (int x = 0; x < f.ImageDesc.Width; ++x) {
                const GifColorType& c = map->Colors[f.RasterBits[y * f.ImageDesc.Width + x]];
                unsigned char* at = &canvas[(static_cast<size_t>(f.ImageDesc.Top + y) * width + f.ImageDesc.Left + x) * 3];
                at[0] = c.Red;
                at[1] = c.Green;
                at[2] = c.Blue;
            }
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        frame(i, canvas, control.DelayTime);
    }
    DGifCloseFile(gif, &error);
    return true;
}
