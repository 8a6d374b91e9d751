#include "app/app.h"
#include "tools/tools.h"

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

void make_brush_cursor()
{
    stretch_blit(Brush[BrushSelected], BrushCursor, 0, 0, 8, 8, 0, 0, 96, 96);
    const int front = Fcolor == transparent_color() ? visible_transparent_color() : Fcolor;
    const int back = Bcolor == transparent_color() ? visible_transparent_color() : Bcolor;
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 96; ++x) {
            const bool outside = getpixel(BrushCursor, x, y) == outside_brush_color();
            putpixel(BrushCursor, x, y, outside ? transparent_color() : front);
        }
    }
    blit(BrushCursor, BrushCursor2, 0, 0, 0, 0, 96, 96);
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 96; ++x) {
            const int p = getpixel(BrushCursor2, x, y);
            if ((p == Fcolor && Fcolor != transparent_color()) || p == visible_transparent_color()) {
                putpixel(BrushCursor2, x, y, back);
            }
        }
    }
}

void draw_brush(BITMAP *sprite)
{
    const int left = snap(mx - T_x1 - 48) + T_x1;
    const int top = snap(my - T_y1 - 48) + T_y1;
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
