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

void take_mouse_snapshot()
{
    old_mb = mb;
    mb = mouse_b;
    old_mx = mx;
    old_my = my;
    old_mz = mz;
    mpos = mouse_pos;
    mx = mpos >> 16;
    my = mpos & 0xFFFF;
    mz = mouse_z;
}

int check_click()
{
    const int w = text_length(Font, filename.c_str());
    const int s = NAME_FIELD_X + (NAME_FIELD_W - w) / 2;
    for (size_t i = 0; i < filename.size(); ++i) {
        if (mx < s + text_length(Font, filename.substr(0, i + 1).c_str())) {
            draw_text_cursor_x = s + text_length(Font, filename.substr(0, i).c_str());
            return static_cast<int>(i);
        }
    }
    draw_text_cursor_x = s + w;
    return static_cast<int>(filename.size());
}

void handle_input()
{
    take_mouse_snapshot();
    scroll_canvas();
    handle_power_up_buttons();
    pick_colors();
    edit_filename();
    tool_area_handle_mouse();
    draw_interface_handle_mouse();
    if (!editing_text) {
        check_keypresses();
    }
}
