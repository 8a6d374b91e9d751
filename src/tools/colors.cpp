#include "app/app.h"
#include "document/document.h"
#include "tools/tools.h"

#include <cstdint>

int Fcolor, Bcolor;
int ColorPalette[PALETTE_COLUMNS * PALETTE_ROWS];

namespace
{
// Swatch order: the palette's columns 0..11, then the transparent swatch,
// then columns 12..24.
constexpr int LAST_OF_FIRST_ROW = 11;
constexpr int FIRST_OF_SECOND_ROW = 12;
constexpr int LAST_COLUMN = PALETTE_COLUMNS - 1;

int lowest_column_of(int color)
{
    for (int c = 0; c < PALETTE_COLUMNS; ++c) {
        if (palette_entry(c) == color) {
            return c;
        }
    }
    return -1;
}

// Pixel (x, y) of frame n in the preview strip.
void fill_preview_block(int x, int y, int n, int color)
{
    const int left = STRIP_X + STRIP_SCALE * (FRAME_SIZE * n + x);
    const int top = STRIP_Y + STRIP_SCALE * y;
    rectfill(ActiveBuffer, left, top, left + STRIP_SCALE - 1, top + STRIP_SCALE - 1, color);
}
} // namespace

int visible_transparent_color()
{
    return makecol(255, 0, 254);
}

int preview_color(int color)
{
    return color == transparent_color() ? visible_transparent_color() : color;
}

int palette_entry(int column, int row)
{
    return ColorPalette[column * PALETTE_ROWS + row];
}

void read_color_table(BITMAP *palette)
{
    for (int y = 0; y < PALETTE_ROWS; ++y) {
        for (int x = 0; x < PALETTE_COLUMNS; ++x) {
            ColorPalette[x * PALETTE_ROWS + y] = getpixel(palette, x, y);
        }
    }
}

int recolor_pixel(int pixel, int k)
{
    const int column = lowest_column_of(pixel);
    return column < 0 ? pixel : palette_entry(column, k);
}

namespace
{
// Frames hold few colours: one rebuild of the strip looks each up once.
class RecolorMemo
{
  public:
    explicit RecolorMemo(int k) : k_(k) {}

    int operator()(int pixel)
    {
        Slot &slot = slots_[static_cast<unsigned>(pixel * 2654435761u) >> 26];
        if (!slot.used || slot.pixel != pixel) {
            slot = {true, pixel, recolor_pixel(pixel, k_)};
        }
        return slot.result;
    }

  private:
    struct Slot {
        bool used;
        int pixel;
        int result;
    };
    int k_;
    Slot slots_[64] = {};
};

void recolor_into_strip(RecolorMemo &memo, BITMAP *src, int x_offset)
{
    if (bitmap_color_depth(src) == 32 && bitmap_color_depth(Recolor) == 32 && is_memory_bitmap(src) &&
        is_memory_bitmap(Recolor)) {
        for (int y = 0; y < FRAME_SIZE; ++y) {
            const uint32_t *from = reinterpret_cast<const uint32_t *>(src->line[y]);
            uint32_t *to = reinterpret_cast<uint32_t *>(Recolor->line[y]) + x_offset;
            for (int x = 0; x < FRAME_SIZE; ++x) {
                to[x] = memo(from[x]);
            }
        }
        return;
    }
    for (int y = 0; y < FRAME_SIZE; ++y) {
        for (int x = 0; x < FRAME_SIZE; ++x) {
            putpixel(Recolor, x + x_offset, y, memo(getpixel(src, x, y)));
        }
    }
}
} // namespace

void make_recolor(int k, BITMAP *src, int x_offset)
{
    RecolorMemo memo(k);
    recolor_into_strip(memo, src, x_offset);
}

void make_recolor(int k)
{
    RecolorMemo memo(k);
    for (int f = 0; f < FRAME_COUNT; ++f) {
        recolor_into_strip(memo, frame_bitmap(f), FRAME_SIZE * f);
    }
}

void recolor_floating_graphic(int k)
{
    if (canvas == 0) {
        return;
    }
    const int n = canvas_frame(canvas);
    for (int y = 0; y < FRAME_SIZE; ++y) {
        for (int x = 0; x < FRAME_SIZE; ++x) {
            const int p = getpixel(FloatingGraphic, x, y);
            if (lowest_column_of(p) >= 0) {
                fill_preview_block(x, y, n, recolor_pixel(p, k));
            } else if (p != transparent_color()) {
                fill_preview_block(x, y, n, p);
            }
        }
    }
}

void swap()
{
    BITMAP *left = CurrentFrame(), *right = CurrentFrame2();
    if (left == right) {
        return;
    }
    BITMAP *temporary = create_bitmap(left->w, left->h);
    if (!temporary) {
        return;
    }
    blit(left, temporary, 0, 0, 0, 0, temporary->w, temporary->h);
    blit(right, left, 0, 0, 0, 0, temporary->w, temporary->h);
    blit(temporary, right, 0, 0, 0, 0, temporary->w, temporary->h);
    destroy_bitmap(temporary);
    exchange_step_frames(left, right);
    note_change();
}

int step_color_forward(int color)
{
    const int c = lowest_column_of(color);
    const bool at_row_end = color == palette_entry(LAST_OF_FIRST_ROW) || color == palette_entry(LAST_COLUMN);
    if (c >= 0 && color != transparent_color() && !at_row_end) {
        return palette_entry(c + 1);
    }
    if (color == transparent_color()) {
        return palette_entry(FIRST_OF_SECOND_ROW);
    }
    if (color == palette_entry(LAST_OF_FIRST_ROW)) {
        return transparent_color();
    }
    if (color == palette_entry(LAST_COLUMN)) {
        return palette_entry(0);
    }
    return color;
}

int step_color_backward(int color)
{
    const int c = lowest_column_of(color);
    const bool at_row_start = color == palette_entry(FIRST_OF_SECOND_ROW) || color == palette_entry(0);
    if (c >= 0 && color != transparent_color() && !at_row_start) {
        return palette_entry(c - 1);
    }
    if (color == transparent_color()) {
        return palette_entry(LAST_OF_FIRST_ROW);
    }
    if (color == palette_entry(FIRST_OF_SECOND_ROW)) {
        return transparent_color();
    }
    if (color == palette_entry(0)) {
        return palette_entry(LAST_COLUMN);
    }
    return color;
}
