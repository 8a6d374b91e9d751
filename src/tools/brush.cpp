#include "app/app.h"
#include "document/document.h"
#include "tools/tools.h"

#include <algorithm>

BITMAP *BrushCursor, *BrushCursor2;
int BrushSelected = 0;
int T_Canvas = 1;
int T_x1 = LEFT_CANVAS_X, T_y1 = CANVAS_Y, T_x2 = LEFT_CANVAS_X + CANVAS_SIZE - 1,
    T_y2 = CANVAS_Y + CANVAS_SIZE - 1;

namespace
{
// Brushes are walked column by column through their 3 x 8 grid.
int next_brush(int b)
{
    return b <= 15 ? b + 8 : (b == 23 ? 0 : b - 15);
}
int previous_brush(int b)
{
    return b > 7 ? b - 8 : (b == 0 ? 23 : b + 15);
}

// Pixels of this colour in a brush picture lie outside the brush's shape.
int outside_brush_color()
{
    return makecol(128, 0, 255);
}

bool in_brush(int x, int y)
{
    return getpixel(Brush[BrushSelected], x, y) != outside_brush_color();
}

bool shift_held = false;

// Pixel (4, 4) of the brush lies under the pointer, snapped to the target's grid.
ScreenPoint brush_corner(int x, int y)
{
    return {snap(x - T_x1 - 48), snap(y - T_y1 - 48)};
}

BITMAP *target_frame()
{
    return frame_on_canvas(T_Canvas);
}

void choose_pointer()
{
    if (mouse_sprite == TextCursor) {
        return;
    }
    // With Ctrl held the brush neither shows nor paints.
    BITMAP *wanted = ctrl_down() ? Cursor : BrushCursor;
    if (mouse_sprite != wanted) {
        set_pointer(wanted);
    }
}

void switch_target_with_shift()
{
    if (!shift_down() || editing_text) {
        shift_held = false;
        return;
    }
    if (mb == 0 && !shift_held) {
        T_Canvas = T_Canvas == 1 ? 2 : 1;
        T_x1 = canvas_left(T_Canvas);
        T_x2 = T_x1 + CANVAS_SIZE - 1;
    }
    shift_held = true;
}

bool stamp_changes(BITMAP *frame, int left, int top, int color)
{
    for (int y = std::max(top, 0); y < std::min(top + 8, frame->h); ++y) {
        for (int x = std::max(left, 0); x < std::min(left + 8, frame->w); ++x) {
            if (in_brush(x - left, y - top) && getpixel(frame, x, y) != color) {
                return true;
            }
        }
    }
    return false;
}

// Stamps the brush in the true colour (magenta erases). Only a stamp that
// changes the target frame counts as a change, so a hold that paints nothing
// leaves no undo step.
void stamp(BITMAP *frame, int left, int top, int color)
{
    if (!stamp_changes(frame, left, top, color)) {
        return;
    }
    before_change(frame);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (in_brush(x, y)) {
                putpixel(frame, left + x, top + y, color);
            }
        }
    }
}
} // namespace

int create_brush_cursors()
{
    BrushCursor = create_bitmap(96, 96);
    if (!BrushCursor) {
        allegro_message("Failed to create cursor for brush tool");
        return 57;
    }
    clear_to_color(BrushCursor, 0);
    BrushCursor2 = create_bitmap(96, 96);
    if (!BrushCursor2) {
        allegro_message("Failed to create cursor for brush tool");
        return 58;
    }
    clear_to_color(BrushCursor2, 0);
    return 0;
}

// Both pictures come from the brush's mask: comparing colours fails where
// the stand-in for magenta packs to magenta itself (15 and 16 bits).
void make_brush_cursor()
{
    const int front = preview_color(Fcolor);
    const int back = preview_color(Bcolor);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool inside = in_brush(x, y);
            rectfill(BrushCursor, 12 * x, 12 * y, 12 * x + 11, 12 * y + 11,
                     inside ? front : transparent_color());
            rectfill(BrushCursor2, 12 * x, 12 * y, 12 * x + 11, 12 * y + 11,
                     inside ? back : transparent_color());
        }
    }
}

void do_brush(BITMAP *bmp, int x, int y, int)
{
    if (mouse_sprite != BrushCursor) {
        return;
    }
    const ScreenPoint corner = brush_corner(x, y);
    if (mb & 1) {
        stamp(bmp, corner.x / 12, corner.y / 12, Fcolor);
    }
    if (mb & 2) {
        stamp(bmp, corner.x / 12, corner.y / 12, Bcolor);
    }
}

void brush_tool()
{
    make_brush_cursor();
    choose_pointer();
    switch_target_with_shift();
    if (mb & 3) {
        do_line(target_frame(), mx, my, old_mx, old_my, 0, do_brush);
    }
    draw_sprite(ActiveBuffer, TargetCanvas, T_x1 + 30, 555);
    canvas = 0;
}

void draw_brush(BITMAP *sprite)
{
    const ScreenPoint corner = brush_corner(mx, my);
    const int left = corner.x + T_x1, top = corner.y + T_y1;
    for (int j = 0; j < 96; ++j) {
        for (int i = 0; i < 96; ++i) {
            const int x = left + i, y = top + j;
            if (x < T_x1 || x > T_x2 || y < T_y1 || y > T_y2) {
                continue;
            }
            const int p = getpixel(sprite, i, j);
            if (p != transparent_color()) {
                putpixel(ActiveBuffer, x, y, p);
            }
        }
    }
}

void step_brush(bool up)
{
    BrushSelected = up ? next_brush(BrushSelected) : previous_brush(BrushSelected);
    make_brush_cursor();
}

void draw_brush_panel()
{
    stretch_sprite(ActiveBuffer, Brushes_Parent, 31, 497, 3 * Brushes_Parent->w, 3 * Brushes_Parent->h);
    draw_sprite(ActiveBuffer, BrushHighlight, 28 + 27 * (BrushSelected % 8), 494 + 27 * (BrushSelected / 8));
}
