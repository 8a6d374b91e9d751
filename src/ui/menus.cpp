#include "app/app.h"
#include "layout/layout.h"
#include "tools/tools.h"
#include "ui/ui.h"

int toolbar_menu = 0;
int menu = 0;
int submenu = 0;

namespace
{
struct ToggleButton {
    int x, y, w, h;
    BITMAP *const *pressed;
    int opens; // the chooser it opens
};

const ToggleButton TOGGLES[] = {
    {frame_toggle_x(1), FRAME_TOGGLE_Y, FRAME_TOGGLE_W, FRAME_TOGGLE_H, &FrameToggleButtonClicked, 1},
    {frame_toggle_x(2), FRAME_TOGGLE_Y, FRAME_TOGGLE_W, FRAME_TOGGLE_H, &FrameToggleButtonClicked, 2},
    {PREVIEW_TOGGLE_X, PREVIEW_TOGGLE_Y, PREVIEW_TOGGLE_W, PREVIEW_TOGGLE_H, &PreviewToggleButtonClicked, 3},
};

// The buttons keep still while the brush aims or a stroke runs.
bool toggles_usable()
{
    return mouse_sprite != BrushCursor && canvas == 0;
}

// True when a button holds the pointer.
bool handle_toggle_buttons()
{
    if (!toggles_usable()) {
        return false;
    }
    for (const ToggleButton &b : TOGGLES) {
        if (mouse_inside(b.x, b.x + b.w - 1, b.y, b.y + b.h - 1) != 3) {
            continue;
        }
        draw_sprite(ActiveBuffer, *b.pressed, b.x, b.y);
        if (left_press()) {
            menu = b.opens;
            drawing = 0;
        }
        return true;
    }
    return false;
}

void close_chooser()
{
    menu = 0;
    submenu = 0;
    ignore_buttons_until_released();
}

bool right_press()
{
    return (mb & 2) && old_mb == 0;
}

// True when a list holds the pointer.
bool handle_choosers()
{
    if (menu == 0) {
        return false;
    }
    if (right_press()) {
        close_chooser();
    }
    if (menu == 1 || menu == 2) {
        return frame_chooser(menu);
    }
    return submenu_handle_mouse();
}
} // namespace

bool left_press()
{
    return (mb & 1) && old_mb == 0;
}

void close_toolbar_menu()
{
    toolbar_menu = 0;
    toolbar_submenu = 0;
    ignore_buttons_until_released();
}

int row_under_pointer(int top, int row_height)
{
    return (my - top) / row_height + 1;
}

bool menu_handle_mouse()
{
    const bool on_button = handle_toggle_buttons();
    handle_toolbar();
    const bool in_list = handle_choosers();
    const bool pointer_free = !on_button && !in_list;
    // A press that no button or list took closes the chooser.
    if (menu > 0 && pointer_free && left_press()) {
        close_chooser();
    }
    return pointer_free;
}
