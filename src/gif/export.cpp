#include "gif/gif.h"

#include <string>
#include <vector>

namespace
{
constexpr int SCALE = 3;
constexpr int EXPORT_FRAMES = 2;
constexpr int EXPORT_DELAY = 33;
constexpr int RESTORE_TO_BACKGROUND = 2;
constexpr int MAX_COLORS = 256;

// The transparent colour first, then every colour of the preview strip in
// the order it first appears.
std::vector<int> strip_colors(BITMAP *strip, int transparent)
{
    std::vector<int> colors{transparent};
    for (int y = 0; y < strip->h; ++y) {
        for (int x = 0; x < strip->w; ++x) {
            const int p = getpixel(strip, x, y);
            bool known = false;
            for (int c : colors) {
                known = known || c == p;
            }
            if (!known) {
                colors.push_back(p);
            }
        }
    }
    return colors;
}

int palette_size(size_t colors)
{
    int size = 2;
    while (static_cast<size_t>(size) < colors) {
        size *= 2;
    }
    return size;
}

// The palette entry that shows a pixel, or -1 when its value is more than
// red, green and blue and no entry can show it.
int index_of(const RawPalette &palette, int pixel)
{
    for (int i = 0; i < palette.count; ++i) {
        const RawPaletteEntry &e = palette.entries[i];
        if (makecol(e.r, e.g, e.b) == pixel) {
            return i;
        }
    }
    return -1;
}

void fill_palette(RawPalette &palette, const std::vector<int> &colors)
{
    palette.count = palette_size(colors.size());
    for (int i = 0; i < palette.count; ++i) {
        const int c = i < static_cast<int>(colors.size()) ? colors[i] : makecol(0, 0, 0);
        palette.entries[i] = {static_cast<unsigned char>(getr(c)), static_cast<unsigned char>(getg(c)),
                              static_cast<unsigned char>(getb(c)), 0};
    }
}

// Frame f of the export is the strip's frame f magnified three times;
// false when a pixel has no palette entry or the image cannot be made.
bool fill_frame(RawFrame &frame, const RawPalette &palette, BITMAP *strip, int f)
{
    const int size = strip->h;
    frame.image = create_bitmap_ex(8, SCALE * size, SCALE * size);
    if (!frame.image) {
        return false;
    }
    frame.x_offset = frame.y_offset = 0;
    frame.delay = EXPORT_DELAY;
    frame.disposal = RESTORE_TO_BACKGROUND;
    frame.transparent = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int i = index_of(palette, getpixel(strip, x + size * f, y));
            if (i < 0) {
                return false;
            }
            rectfill(frame.image, SCALE * x, SCALE * y, SCALE * x + SCALE - 1, SCALE * y + SCALE - 1, i);
        }
    }
    return true;
}

} // namespace

bool save_strip_gif(BITMAP *strip, int transparent, const std::string &path)
{
    const std::vector<int> colors = strip_colors(strip, transparent);
    if (colors.size() > MAX_COLORS) {
        return false;
    }
    RawAnimation *animation = gif_create_raw_animation(EXPORT_FRAMES);
    if (!animation) {
        return false;
    }
    animation->width = animation->height = SCALE * strip->h;
    animation->loop_count = 0;
    animation->background = 0;
    fill_palette(animation->palette, colors);
    bool mapped = true;
    for (int f = 0; f < EXPORT_FRAMES && mapped; ++f) {
        mapped = fill_frame(animation->frames[f], animation->palette, strip, f);
    }
    const bool written = mapped && gif_save_raw_animation(path.c_str(), animation) == 0;
    gif_destroy_raw_animation(animation);
    return written;
}
