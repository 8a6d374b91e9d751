#include "app/app.h"
#include "document/document.h"
#include "layout/layout.h"
#include "tools/tools.h"
#include "ui/ui.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

char preview_items[3] = {0, 0, 0};

namespace
{
void draw_swatch(int x, int y, int color)
{
    rectfill(StaticBuffer, x, y, x + SWATCH_SIZE - 1, y + SWATCH_SIZE - 1, color);
}

void draw_palette_swatches()
{
    const int last = SWATCHES_PER_ROW - 1;
    for (int i = 0; i < last; ++i) {
        draw_swatch(swatch_x(i), SWATCH_ROW_Y[0], palette_entry(i));
    }
    draw_swatch(swatch_x(last), SWATCH_ROW_Y[0], transparent_color());
    for (int i = last; i < PALETTE_COLUMNS; ++i) {
        draw_swatch(swatch_x(i - last), SWATCH_ROW_Y[1], palette_entry(i));
    }
}

// Plain memory bitmaps in 32-bit colour are scaled row by row here; any
// other bitmap goes through the library, which gives the same pixels.
bool direct32(BITMAP *bmp)
{
    return bitmap_color_depth(bmp) == 32 && is_memory_bitmap(bmp);
}

bool fits(BITMAP *dst, int x, int y, int w, int h)
{
    return x >= 0 && y >= 0 && x + w <= dst->w && y + h <= dst->h;
}

uint32_t *row32(BITMAP *bmp, int y)
{
    return reinterpret_cast<uint32_t *>(bmp->line[y]);
}

// One source row enlarged FACTOR times, written FACTOR times.
template <int FACTOR> void scale_rows(BITMAP *src, BITMAP *dst, int x, int y)
{
    const int w = src->w * FACTOR;
    for (int sy = 0; sy < src->h; ++sy) {
        uint32_t *first = row32(dst, y + sy * FACTOR) + x;
        const uint32_t *source = row32(src, sy);
        for (int sx = 0; sx < src->w; ++sx) {
            for (int k = 0; k < FACTOR; ++k) {
                first[sx * FACTOR + k] = source[sx];
            }
        }
        for (int k = 1; k < FACTOR; ++k) {
            std::memcpy(row32(dst, y + sy * FACTOR + k) + x, first, w * sizeof(uint32_t));
        }
    }
}

// An opaque enlargement by a whole factor.
template <int FACTOR> void scale_opaque(BITMAP *src, BITMAP *dst, int x, int y)
{
    if (!direct32(src) || !direct32(dst) || !fits(dst, x, y, src->w * FACTOR, src->h * FACTOR)) {
        stretch_blit(src, dst, 0, 0, src->w, src->h, x, y, src->w * FACTOR, src->h * FACTOR);
        return;
    }
    scale_rows<FACTOR>(src, dst, x, y);
}

void draw_thumbnails()
{
    for (int n = 0; n < FRAME_COUNT; ++n) {
        scale_opaque<2>(frame_bitmap(n), ActiveBuffer, thumbnail_x(n), THUMBNAIL_Y);
    }
}

void draw_canvases()
{
    scale_opaque<CANVAS_ZOOM>(CurrentFrame(), ActiveBuffer, LEFT_CANVAS_X, CANVAS_Y);
    scale_opaque<CANVAS_ZOOM>(CurrentFrame2(), ActiveBuffer, RIGHT_CANVAS_X, CANVAS_Y);
}

// Magenta, the chosen overlay and the recoloured frames, composed one strip
// row at a time; the same picture as filling and stretching them in turn.
bool draw_preview_rows(BITMAP *overlay)
{
    const bool overlay_fits = !overlay || (overlay->w * STRIP_SCALE == STRIP_W &&
                                           overlay->h * STRIP_SCALE == STRIP_H && direct32(overlay));
    if (!overlay_fits || !direct32(Recolor) || !direct32(ActiveBuffer)) {
        return false;
    }
    const uint32_t mask = transparent_color();
    uint32_t row[STRIP_W];
    for (int sy = 0; sy < FRAME_SIZE; ++sy) {
        std::fill_n(row, STRIP_W, mask);
        for (BITMAP *layer : {overlay, Recolor}) {
            if (!layer) {
                continue;
            }
            const uint32_t *source = row32(layer, sy);
            for (int sx = 0; sx < layer->w; ++sx) {
                if (source[sx] != mask) {
                    for (int k = 0; k < STRIP_SCALE; ++k) {
                        row[sx * STRIP_SCALE + k] = source[sx];
                    }
                }
            }
        }
        for (int k = 0; k < STRIP_SCALE; ++k) {
            std::memcpy(row32(ActiveBuffer, STRIP_Y + sy * STRIP_SCALE + k) + STRIP_X, row, sizeof row);
        }
    }
    return true;
}

void draw_preview()
{
    make_recolor(CustomRecolor);
    BITMAP *const overlays[3] = {Cape, Tail, Wings};
    BITMAP *overlay = nullptr;
    for (int i = 0; i < 3; ++i) {
        if (preview_items[i]) {
            overlay = overlays[i];
        }
    }
    if (draw_preview_rows(overlay)) {
        return;
    }
    rectfill(ActiveBuffer, STRIP_X, STRIP_Y, STRIP_X + STRIP_W - 1, STRIP_Y + STRIP_H - 1,
             transparent_color());
    if (overlay) {
        masked_stretch_blit(overlay, ActiveBuffer, 0, 0, overlay->w, overlay->h, STRIP_X, STRIP_Y, STRIP_W,
                            STRIP_H);
    }
    masked_stretch_blit(Recolor, ActiveBuffer, 0, 0, Recolor->w, Recolor->h, STRIP_X, STRIP_Y, STRIP_W,
                        STRIP_H);
}

void draw_power_up_buttons(BITMAP *dst)
{
    BITMAP *const icons[3] = {I_Cape, I_Tail, I_Wings};
    for (int i = 0; i < 3; ++i) {
        draw_sprite(dst, preview_items[i] ? P_Selected : P_Unselected, power_up_x(i), POWER_UP_Y);
        masked_blit(icons[i], dst, 0, 0, power_up_x(i) + POWER_UP_ICON_INSET,
                    POWER_UP_Y + POWER_UP_ICON_INSET, POWER_UP_ICON_SIZE, POWER_UP_ICON_SIZE);
    }
}

void draw_file_name()
{
    // The name sits one pixel right of the centre the caret is reckoned from.
    textout_centre_ex(ActiveBuffer, Font, filename.c_str(), NAME_FIELD_CENTRE_X + 1, NAME_FIELD_Y, -1, -1);
    if (!editing_text) {
        return;
    }
    while (counter > old_counter) {
        draw_cursor = !draw_cursor;
        old_counter = old_counter + 1;
    }
    if (draw_cursor) {
        draw_sprite(ActiveBuffer, TextCursor, draw_text_cursor_x, NAME_FIELD_Y + 3);
    }
}

void draw_shape_in_progress()
{
    recolor_floating_graphic(CustomRecolor);
    const bool same_frame = left_frame == right_frame;
    const int marker_x = thumbnail_x(canvas_frame(canvas));
    masked_stretch_blit(FloatingGraphic, ActiveBuffer, 0, 0, FRAME_SIZE, FRAME_SIZE, marker_x, THUMBNAIL_Y,
                        THUMBNAIL_STEP, THUMBNAIL_STEP);
    const int own_x = canvas_left(canvas);
    const int other_x = canvas_left(3 - canvas);
    masked_stretch_blit(FloatingGraphic, ActiveBuffer, 0, 0, FRAME_SIZE, FRAME_SIZE, own_x, CANVAS_Y,
                        CANVAS_SIZE, CANVAS_SIZE);
    if (same_frame) {
        masked_stretch_blit(FloatingGraphic, ActiveBuffer, 0, 0, FRAME_SIZE, FRAME_SIZE, other_x, CANVAS_Y,
                            CANVAS_SIZE, CANVAS_SIZE);
    }
}

BITMAP *label_of(int frame)
{
    BITMAP *const labels[FRAME_COUNT] = {StandingBar, WalkingBar, JumpingBar,
                                         SlidingBar,  DeathBar,   StompedBar};
    return labels[frame];
}

// The pieces of the screen that change only when the user changes a setting
// (canvas arrows, power-up buttons, colour bars, tools, preview mode, frame
// labels, toolbar) are kept drawn over the static screen in BaseBuffer and
// redrawn only when one of their settings changes. None of them overlaps a
// piece drawn on every pass, so the picture is the one the full order gives.
BITMAP *BaseBuffer;

struct BaseSettings {
    int left, right;
    char items[3];
    int fcolor, bcolor;
    int tool_x, tool_y;
    int mode;

    bool operator==(const BaseSettings &o) const
    {
        return left == o.left && right == o.right && std::equal(items, items + 3, o.items) &&
               fcolor == o.fcolor && bcolor == o.bcolor && tool_x == o.tool_x && tool_y == o.tool_y &&
               mode == o.mode;
    }
};

BaseSettings drawn_base;
bool base_drawn = false;

BaseSettings current_base()
{
    return {left_frame,  right_frame, {preview_items[0], preview_items[1], preview_items[2]},
            Fcolor,      Bcolor,      selected[1],
            selected[2], preview_mode};
}

void draw_tools_into(BITMAP *dst)
{
    blit(SelectedTool, dst, 0, 0, selected[1], selected[2], SelectedTool->w, SelectedTool->h);
    for (const ToolEntry &tool : TOOLS) {
        const SlotPosition slot = tool_slot(tool.slot);
        draw_sprite(dst, *tool.icon, slot.x + TOOL_ICON_INSET, slot.y + TOOL_ICON_INSET);
    }
}

struct Band {
    int y1, y2;
    int x1, x2;
};

// After composition, nothing draws over the screen outside these areas but
// the pointer: the toolbar menus, the file name and its caret, the help and
// option panel, the preview and frame choosers with their buttons, and the
// brush's target marker. Each pass copies the base back over them and over
// the pointer's last place; everywhere else the buffer still holds the base.
// (The thumbnails, canvases and preview strip are drawn opaque anyway.)
constexpr Band DRAWN_OVER[] = {
    {132, 262, 18, 257},
    {NAME_FIELD_Y, NAME_FIELD_BOTTOM, 0, 799},
    {HELP_PAGE_Y, HELP_PAGE_Y + HELP_PAGE_HEIGHT - 1, HELP_PAGE_X, HELP_PAGE_X + HELP_PAGE_WIDTH - 1},
    {249, 464, 436, 769},
    {403, 546, 373, 757},
    {555, 570, 300, 720},
};

bool active_holds_base = false;
Band last_pointer = {0, -1, 0, -1};

void copy_base(const Band &b)
{
    const int x1 = std::max(b.x1, 0), x2 = std::min(b.x2, 799);
    const int y1 = std::max(b.y1, 0), y2 = std::min(b.y2, 599);
    if (x2 >= x1 && y2 >= y1) {
        blit(BaseBuffer, ActiveBuffer, x1, y1, x1, y1, x2 - x1 + 1, y2 - y1 + 1);
    }
}

void restore_base()
{
    if (!active_holds_base) {
        copy_base({0, 599, 0, 799});
        active_holds_base = true;
        return;
    }
    for (const Band &b : DRAWN_OVER) {
        copy_base(b);
    }
    copy_base(last_pointer);
}

void draw_base()
{
    blit(StaticBuffer, BaseBuffer, 0, 0, 0, 0, 800, 600);
    draw_sprite(BaseBuffer, FirstCanvasArrow, drx(), LEFT_MARKER_Y);
    draw_sprite(BaseBuffer, SecondCanvasArrow, drx2(), RIGHT_MARKER_Y);
    draw_power_up_buttons(BaseBuffer);
    rectfill(BaseBuffer, 22, 429, 136, 444, Fcolor);
    rectfill(BaseBuffer, 139, 429, 253, 444, Bcolor);
    draw_tools_into(BaseBuffer);
    draw_sprite(BaseBuffer, PreviewModes[preview_mode], 659, 283);
    for (int c = 1; c <= 2; ++c) {
        draw_sprite(BaseBuffer, label_of(canvas_frame(c)), canvas_left(c) + CANVAS_SIZE + FRAME_LABEL_INSET,
                    CANVAS_Y + FRAME_LABEL_INSET);
    }
    draw_sprite(BaseBuffer, Toolbar, 18, 132);
    draw_sprite(BaseBuffer, ToolbarText, 18, 132);
}
} // namespace

bool create_static()
{
    blit(Background, StaticBuffer, 0, 0, 0, 0, 800, 600);
    draw_sprite(StaticBuffer, Banner, 18, 24);
    for (int slot = 0; slot < TOOL_SLOT_COUNT; ++slot) {
        blit(Tool, StaticBuffer, 0, 0, tool_slot(slot).x, tool_slot(slot).y, Tool->w, Tool->h);
    }
    for (int x : {LEFT_CANVAS_X, RIGHT_CANVAS_X}) {
        blit(FrameToggleBar, StaticBuffer, 0, 0, x + CANVAS_SIZE, CANVAS_Y, FrameToggleBar->w,
             FrameToggleBar->h);
    }
    blit(PreviewToggleBar, StaticBuffer, 0, 0, PREVIEW_BAR_X, STRIP_Y, PreviewToggleBar->w,
         PreviewToggleBar->h);
    draw_palette_swatches();
    if (!BaseBuffer) {
        BaseBuffer = create_bitmap(800, 600);
    }
    base_drawn = false;
    active_holds_base = false;
    return BaseBuffer != nullptr;
}

void draw_everything()
{
    const BaseSettings settings = current_base();
    if (!base_drawn || !(settings == drawn_base)) {
        draw_base();
        drawn_base = settings;
        base_drawn = true;
        active_holds_base = false;
    }
    restore_base();
    draw_thumbnails();
    draw_canvases();
    draw_preview();
    draw_file_name();
    if (drawing > 0) {
        draw_shape_in_progress();
    }
    show_helps();
    draw_grids();
}

void pointer_drawn_at(int x, int y, int w, int h)
{
    last_pointer = {y, y + h - 1, x, x + w - 1};
}
