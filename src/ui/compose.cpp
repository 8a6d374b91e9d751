#include "app/app.h"
#include "document/document.h"
#include "tools/tools.h"
#include "ui/ui.h"

char preview_items[3] = {0, 0, 0};

namespace {
constexpr int LEFT_CANVAS_X = 285;
constexpr int RIGHT_CANVAS_X = 529;
constexpr int CANVAS_Y = 355;
constexpr int CANVAS_SIZE = 192;
constexpr int THUMBNAIL_Y = 168;

struct Slot {
    int x, y;
};

// Tool slots in the order the static screen fills them.
constexpr Slot STATIC_SLOTS[6] = {{33, 273}, {137, 273}, {85, 273}, {33, 325}, {85, 325}, {137, 325}};

void draw_swatch(int x, int y, int color) { rectfill(StaticBuffer, x, y, x + 15, y + 15, color); }

void draw_palette_swatches()
{
    for (int i = 0; i < 12; ++i) {
        draw_swatch(22 + 18 * i, 449, palette_entry(i));
    }
    draw_swatch(238, 449, transparent_color());
    for (int i = 12; i < PALETTE_COLUMNS; ++i) {
        draw_swatch(22 + 18 * (i - 12), 467, palette_entry(i));
    }
}

void draw_thumbnails()
{
    for (int n = 0; n < FRAME_COUNT; ++n) {
        stretch_blit(frame_bitmap(n), ActiveBuffer, 0, 0, FRAME_SIZE, FRAME_SIZE, 38 + 32 * n, THUMBNAIL_Y, 32, 32);
    }
}

void draw_canvases()
{
    stretch_blit(CurrentFrame, ActiveBuffer, 0, 0, FRAME_SIZE, FRAME_SIZE, LEFT_CANVAS_X, CANVAS_Y, CANVAS_SIZE,
                 CANVAS_SIZE);
    stretch_blit(CurrentFrame2, ActiveBuffer, 0, 0, FRAME_SIZE, FRAME_SIZE, RIGHT_CANVAS_X, CANVAS_Y, CANVAS_SIZE,
                 CANVAS_SIZE);
}

void draw_preview()
{
    make_recolor(CustomRecolor);
    rectfill(ActiveBuffer, 273, 281, 656, 344, transparent_color());
    BITMAP *const overlays[3] = {Cape, Tail, Wings};
    for (int i = 0; i < 3; ++i) {
        if (preview_items[i]) {
            masked_stretch_blit(overlays[i], ActiveBuffer, 0, 0, overlays[i]->w, overlays[i]->h, 273, 281, 384, 64);
        }
    }
    masked_stretch_blit(Recolor, ActiveBuffer, 0, 0, Recolor->w, Recolor->h, 273, 281, 384, 64);
}

void draw_power_up_buttons()
{
    BITMAP *const icons[3] = {I_Cape, I_Tail, I_Wings};
    for (int i = 0; i < 3; ++i) {
        draw_sprite(ActiveBuffer, preview_items[i] ? P_Selected : P_Unselected, 273 + 40 * i, 236);
        masked_blit(icons[i], ActiveBuffer, 0, 0, 275 + 40 * i, 238, 32, 32);
    }
}

void draw_file_name()
{
    textout_centre_ex(ActiveBuffer, Font, filename.c_str(), 138, 208, -1, -1);
    if (!editing_text) {
        return;
    }
    while (counter > old_counter) {
        draw_cursor = !draw_cursor;
        old_counter = old_counter + 1;
    }
    if (draw_cursor) {
        draw_sprite(ActiveBuffer, TextCursor, draw_text_cursor_x, 211);
    }
}

void draw_shape_in_progress()
{
    recolor_floating_graphic(CustomRecolor);
    const bool same_frame = CurrentFrame == CurrentFrame2;
    const int thumbnail_x = canvas == 1 ? drx : drx2;
    masked_stretch_blit(FloatingGraphic, ActiveBuffer, 0, 0, FRAME_SIZE, FRAME_SIZE, thumbnail_x, THUMBNAIL_Y, 32,
                        32);
    const int own_x = canvas == 1 ? LEFT_CANVAS_X : RIGHT_CANVAS_X;
    const int other_x = canvas == 1 ? RIGHT_CANVAS_X : LEFT_CANVAS_X;
    masked_stretch_blit(FloatingGraphic, ActiveBuffer, 0, 0, FRAME_SIZE, FRAME_SIZE, own_x, CANVAS_Y, CANVAS_SIZE,
                        CANVAS_SIZE);
    if (same_frame) {
        masked_stretch_blit(FloatingGraphic, ActiveBuffer, 0, 0, FRAME_SIZE, FRAME_SIZE, other_x, CANVAS_Y,
                            CANVAS_SIZE, CANVAS_SIZE);
    }
}

BITMAP *label_of(BITMAP *frame)
{
    BITMAP *const labels[FRAME_COUNT] = {StandingBar, WalkingBar, JumpingBar, SlidingBar, DeathBar, StompedBar};
    return labels[frame_number(frame)];
}
} // namespace

void create_static()
{
    blit(Background, StaticBuffer, 0, 0, 0, 0, 800, 600);
    draw_sprite(StaticBuffer, Banner, 18, 24);
    for (const Slot &slot : STATIC_SLOTS) {
        blit(Tool, StaticBuffer, 0, 0, slot.x, slot.y, Tool->w, Tool->h);
    }
    blit(FrameToggleBar, StaticBuffer, 0, 0, 477, 355, FrameToggleBar->w, FrameToggleBar->h);
    blit(FrameToggleBar, StaticBuffer, 0, 0, 721, 355, FrameToggleBar->w, FrameToggleBar->h);
    blit(PreviewToggleBar, StaticBuffer, 0, 0, 657, 281, PreviewToggleBar->w, PreviewToggleBar->h);
    // Only the static screen uses these.
    for (BITMAP **used_once : {&Background, &Banner, &Tool, &FrameToggleBar, &PreviewToggleBar}) {
        destroy_bitmap(*used_once);
        *used_once = nullptr;
    }
    draw_palette_swatches();
}

void draw_tools()
{
    blit(SelectedTool, ActiveBuffer, 0, 0, selected[1], selected[2], SelectedTool->w, SelectedTool->h);
    draw_sprite(ActiveBuffer, PencilTool, 35, 275);
    draw_sprite(ActiveBuffer, BrushTool, 139, 275);
    draw_sprite(ActiveBuffer, FillTool, 87, 275);
    draw_sprite(ActiveBuffer, ElipseTool, 35, 327);
    draw_sprite(ActiveBuffer, RectangleTool, 87, 327);
    draw_sprite(ActiveBuffer, LineTool, 139, 327);
}

void draw_everything()
{
    blit(StaticBuffer, ActiveBuffer, 0, 0, 0, 0, 800, 600);
    draw_sprite(ActiveBuffer, FirstCanvasArrow, drx, 156);
    draw_sprite(ActiveBuffer, SecondCanvasArrow, drx2, 202);
    draw_thumbnails();
    draw_canvases();
    draw_preview();
    draw_power_up_buttons();
    rectfill(ActiveBuffer, 22, 429, 136, 444, Fcolor);
    rectfill(ActiveBuffer, 139, 429, 253, 444, Bcolor);
    draw_file_name();
    if (drawing > 0) {
        draw_shape_in_progress();
    }
    draw_tools();
    show_helps();
    draw_grids();
    draw_sprite(ActiveBuffer, PreviewModes[preview_mode], 659, 283);
    draw_sprite(ActiveBuffer, label_of(CurrentFrame), 480, 358);
    draw_sprite(ActiveBuffer, label_of(CurrentFrame2), 724, 358);
    draw_sprite(ActiveBuffer, Toolbar, 18, 132);
    draw_sprite(ActiveBuffer, ToolbarText, 18, 132);
}
