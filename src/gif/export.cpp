#include "app/app.h"
#include "document/document.h"
#include "files/files.h"
#include "gif/gif.h"
#include "tools/tools.h"
#include "windows/windows.h"

#include <string>
#include <vector>

namespace
{
constexpr int SCALE = 3;
constexpr int EXPORT_SIZE = FRAME_SIZE * SCALE;
constexpr int EXPORT_DELAY = 33;
constexpr int RESTORE_TO_BACKGROUND = 2;
constexpr int MAX_COLORS = 256;

std::string gif_name()
{
    return with_extension(filename, "gif");
}

// The transparent colour first, then every colour of the preview strip in
// the order it first appears.
std::vector<int> strip_colors()
{
    std::vector<int> colors{transparent_color()};
    for (int y = 0; y < Recolor->h; ++y) {
        for (int x = 0; x < Recolor->w; ++x) {
            const int p = getpixel(Recolor, x, y);
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
// false when a pixel has no palette entry.
bool fill_frame(RawFrame &frame, const RawPalette &palette, int f)
{
    frame.image = create_bitmap_ex(8, EXPORT_SIZE, EXPORT_SIZE);
    frame.x_offset = frame.y_offset = 0;
    frame.delay = EXPORT_DELAY;
    frame.disposal = RESTORE_TO_BACKGROUND;
    frame.transparent = 0;
    for (int y = 0; y < FRAME_SIZE; ++y) {
        for (int x = 0; x < FRAME_SIZE; ++x) {
            const int i = index_of(palette, getpixel(Recolor, x + FRAME_SIZE * f, y));
            if (i < 0) {
                return false;
            }
            rectfill(frame.image, SCALE * x, SCALE * y, SCALE * x + SCALE - 1, SCALE * y + SCALE - 1, i);
        }
    }
    return true;
}

void show_exported(const std::string &name)
{
    BITMAP *replaced = Exported.image;
    Exported = Window("Moltwork", (name + " exported successfully.").c_str(), "Awesome.");
    destroy_bitmap(replaced);
    Exported.process();
}
} // namespace

void save_gif()
{
    const std::string name = gif_name();
    const std::vector<int> colors = strip_colors();
    if (colors.size() > MAX_COLORS) {
        ExportFail.process();
        return;
    }
    RawAnimation *animation = gif_create_raw_animation(2);
    animation->width = animation->height = EXPORT_SIZE;
    animation->loop_count = 0;
    animation->background = 0;
    fill_palette(animation->palette, colors);
    bool mapped = true;
    for (int f = 0; f < 2 && mapped; ++f) {
        mapped = fill_frame(animation->frames[f], animation->palette, f);
    }
    if (mapped && gif_save_raw_animation(("SkinPreviews/" + name).c_str(), animation) == 0) {
        show_exported(name);
    } else {
        ExportFail.process();
    }
    gif_destroy_raw_animation(animation);
}
