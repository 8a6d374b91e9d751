#include "app/app.h"
#include "document/document.h"
#include "layout/layout.h"
#include "tools/tools.h"
#include "ui/ui.h"

namespace
{
// A power-up button answers over its icon.
bool power_up_clicked(int i)
{
    const int x = power_up_x(i) + POWER_UP_ICON_INSET;
    const int y = POWER_UP_Y + POWER_UP_ICON_INSET;
    return mouse_clicked_in(x, x + POWER_UP_ICON_SIZE - 1, y, y + POWER_UP_ICON_SIZE - 1);
}

void handle_power_up_buttons()
{
    for (int i = 0; i < 3; ++i) {
        if (!power_up_clicked(i)) {
            continue;
        }
        const char was_on = preview_items[i];
        preview_items[0] = preview_items[1] = preview_items[2] = 0;
        preview_items[i] = !was_on;
    }
}

void pick_colors()
{
    const bool left_press = (mb & 1) && !(old_mb & 1);
    const bool right_press = (mb & 2) && !(old_mb & 2);
    if (!left_press && !right_press) {
        return;
    }
    const int last = SWATCHES_PER_ROW - 1;
    for (int i = 0; i < SWATCHES_PER_ROW; ++i) {
        const int x1 = swatch_x(i), x2 = x1 + SWATCH_SIZE - 1;
        int color;
        if (mouse_inside(x1, x2, SWATCH_ROW_Y[0], SWATCH_ROW_Y[0] + SWATCH_SIZE - 1) == 3) {
            color = i == last ? transparent_color() : palette_entry(i);
        } else if (mouse_inside(x1, x2, SWATCH_ROW_Y[1], SWATCH_ROW_Y[1] + SWATCH_SIZE - 1) == 3) {
            color = palette_entry(last + i);
        } else {
            continue;
        }
        if (left_press) {
            Fcolor = color;
        }
        if (right_press) {
            Bcolor = color;
        }
        return;
    }
}
} // namespace

void handle_wheel()
{
    if (menu == 0) {
        scroll_canvas();
    }
}

void handle_input()
{
    take_mouse_snapshot();
    handle_wheel();
    handle_power_up_buttons();
    pick_colors();
    edit_filename(!toolbar_menu && !menu && !drawing);
    if (menu_handle_mouse()) {
        tool_area_handle_mouse();
    }
    // An open chooser holds the canvases as well as the wheel.
    if (menu == 0) {
        draw_interface_handle_mouse();
    }
    if (!editing_text) {
        check_keypresses();
    }
}
