// The program's icon for the desktop, at the usual theme sizes: the banner's
// emblem, or its 16-pixel redrawing where the emblem would not scale to a
// whole number of pixels. PNG with an alpha channel, magenta left clear.
#include "art.h"

#include <loadpng.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace art
{

namespace
{
const int ICON_SIZES[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The emblem is 30 pixels square and sits in a 32-pixel square with a
// one-pixel margin, so every multiple of 32 draws it at a whole scale.
constexpr int EMBLEM_CELL = 32;
constexpr int SMALL_CELL = 16;

BITMAP *with_alpha(BITMAP *picture)
{
    BITMAP *out = create_bitmap_ex(32, picture->w, picture->h);
    if (!out) {
        return nullptr;
    }
    for (int y = 0; y < picture->h; ++y) {
        for (int x = 0; x < picture->w; ++x) {
            const int c = getpixel(picture, x, y);
            const int rgba =
                c == magenta() ? makeacol32(0, 0, 0, 0) : makeacol32(getr32(c), getg32(c), getb32(c), 255);
            putpixel(out, x, y, rgba);
        }
    }
    return out;
}

BITMAP *icon(int size, BITMAP *emblem, BITMAP *small)
{
    const bool whole_emblem = size % EMBLEM_CELL == 0;
    BITMAP *design = whole_emblem ? emblem : small;
    const int cell = whole_emblem ? EMBLEM_CELL : SMALL_CELL;
    const int scale = size / cell;
    const int at = (size - design->w * scale) / 2;
    BITMAP *out = image(size, size);
    stretch_blit(design, out, 0, 0, design->w, design->h, at, at, design->w * scale, design->h * scale);
    return out;
}

void save_icon(BITMAP *picture, const std::string &path)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    BITMAP *rgba = with_alpha(picture);
    const bool written = rgba && save_png(path.c_str(), rgba, nullptr) == 0;
    if (rgba) {
        destroy_bitmap(rgba);
    }
    if (!written) {
        std::fprintf(stderr, "moltwork_art: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}
} // namespace

void draw_icons(const std::string &icon_root)
{
    BITMAP *emblem = text_art("screen/emblem");
    BITMAP *small = text_art("icon/small");
    for (int size : ICON_SIZES) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        BITMAP *picture = icon(size, emblem, small);
        save_icon(picture, icon_root + "/hicolor/" + name + "/apps/moltwork.png");
        destroy_bitmap(picture);
    }
    destroy_bitmap(emblem);
    destroy_bitmap(small);
}

} // namespace art
