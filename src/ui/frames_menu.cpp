#include "app/app.h"
#include "document/document.h"
#include "tools/tools.h"
#include "ui/ui.h"

int toolbar_submenu = 0;

namespace
{
constexpr int BACK_X = 86;
constexpr int BACK_Y = 149;
constexpr int ITEMS_RIGHT = 168;
constexpr int ITEMS_BOTTOM = 197; // one pixel row below the third item, which does nothing
constexpr int ROW_H = 16;
constexpr int HIGHLIGHT_X = 88;
constexpr int ROW_HIGHLIGHT_Y[4] = {0, 149, 164, 180};
constexpr int COPY_ROW = 1, RESTORE_ROW = 2, SWAP_ROW = 3;

// Both sub-menus open right of the Frames menu.
constexpr int SUB_BACK_X = 168;
constexpr int SUB_ITEMS_X = 169;
constexpr int SUB_ITEMS_RIGHT = 231;
constexpr int SUB_HIGHLIGHT_X = 170;

constexpr int COPY_BACK_Y = 148;
constexpr int COPY_ITEMS_Y = 149;
constexpr int COPY_ROWS = 2;
constexpr int COPY_HIGHLIGHT_Y[COPY_ROWS + 1] = {0, 150, 164};

constexpr int RESTORE_BACK_Y = 162;
constexpr int RESTORE_ITEMS_Y = 163;
constexpr int RESTORE_ITEMS_BOTTOM = 262; // a short seventh row that does nothing
constexpr int RESTORE_HIGHLIGHT_Y[FRAME_COUNT + 1] = {0, 164, 180, 197, 213, 230, 246};

// Copies the whole frame of one canvas onto the other's, recorded so it can be undone.
void copy_canvas(int from, int to)
{
    add_step(to);
    blit(frame_on_canvas(from), frame_on_canvas(to), 0, 0, 0, 0, FRAME_SIZE, FRAME_SIZE);
}

// The press goes on to the Frames menu, which closes, since the sub-menu lies outside its items.
void canvas_copy()
{
    draw_sprite(ActiveBuffer, WhichCanvasBack, SUB_BACK_X, COPY_BACK_Y);
    const int bottom = COPY_ITEMS_Y + COPY_ROWS * ROW_H - 1;
    if (mouse_inside(SUB_ITEMS_X, SUB_ITEMS_RIGHT, COPY_ITEMS_Y, bottom) == 3) {
        const int row = row_under_pointer(COPY_ITEMS_Y, ROW_H);
        draw_sprite(ActiveBuffer, WhichCanvasSelect, SUB_HIGHLIGHT_X, COPY_HIGHLIGHT_Y[row]);
        if (left_press()) {
            row == 1 ? copy_canvas(1, 2) : copy_canvas(2, 1);
            toolbar_submenu = 0;
        }
    }
    if (toolbar_submenu == COPY_ROW) {
        draw_sprite(ActiveBuffer, WhichCanvasText, SUB_BACK_X, COPY_BACK_Y);
    }
}

void frame_restore()
{
    draw_sprite(ActiveBuffer, WhichFrameBack, SUB_BACK_X, RESTORE_BACK_Y);
    const bool inside =
        mouse_inside(SUB_ITEMS_X, SUB_ITEMS_RIGHT, RESTORE_ITEMS_Y, RESTORE_ITEMS_BOTTOM) == 3;
    const int row = inside ? row_under_pointer(RESTORE_ITEMS_Y, ROW_H) : 0;
    if (row >= 1 && row <= FRAME_COUNT) {
        draw_sprite(ActiveBuffer, WhichFrameSelect, SUB_HIGHLIGHT_X, RESTORE_HIGHLIGHT_Y[row]);
        if (left_press()) {
            restore(frame_bitmap(row - 1));
            close_toolbar_menu();
        }
    }
    if (toolbar_submenu == RESTORE_ROW) {
        draw_sprite(ActiveBuffer, WhichFrameText, SUB_BACK_X, RESTORE_BACK_Y);
    }
}
} // namespace

void frames_submenu()
{
    if (toolbar_menu != 3) {
        toolbar_submenu = 0;
        return;
    }
    if (toolbar_submenu == COPY_ROW) {
        canvas_copy();
    } else if (toolbar_submenu == RESTORE_ROW) {
        frame_restore();
    }
}

// Its first two rows open their sub-menus by hovering; the third swaps the canvases.
void frames_menu()
{
    draw_title_highlight(3);
    draw_sprite(ActiveBuffer, FramesBack, BACK_X, BACK_Y);
    if (mouse_inside(BACK_X, ITEMS_RIGHT, BACK_Y, ITEMS_BOTTOM) != 3) {
        if (left_press()) {
            close_toolbar_menu();
        }
    } else if (const int row = row_under_pointer(BACK_Y, ROW_H); row <= SWAP_ROW) {
        draw_sprite(ActiveBuffer, FramesSelect, HIGHLIGHT_X, ROW_HIGHLIGHT_Y[row]);
        toolbar_submenu = row == SWAP_ROW ? 0 : row;
        if (row == SWAP_ROW && left_press()) {
            swap();
            close_toolbar_menu();
        }
    }
    if (toolbar_menu == 3) {
        draw_sprite(ActiveBuffer, FramesText, BACK_X, BACK_Y);
    }
}

void keep_submenu_row_lit()
{
    if (toolbar_submenu != COPY_ROW && toolbar_submenu != RESTORE_ROW) {
        return;
    }
    draw_sprite(ActiveBuffer, FramesSelect, HIGHLIGHT_X, ROW_HIGHLIGHT_Y[toolbar_submenu]);
    draw_sprite(ActiveBuffer, FramesText, BACK_X, BACK_Y);
}
