#include "app/app.h"
#include "document/document.h"
#include "tools/tools.h"
#include "ui/ui.h"

namespace
{
struct PowerUpButton {
    int x1, x2;
};

constexpr PowerUpButton POWER_UP_BUTTONS[3] = {{275, 306}, {315, 346}, {355, 386}};

void handle_power_up_buttons()
{
    for (int i = 0; i < 3; ++i) {
        if (!mouse_clicked_in(POWER_UP_BUTTONS[i].x1, POWER_UP_BUTTONS[i].x2, 238, 269)) {
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
    for (int i = 0; i < 13; ++i) {
        const int x1 = 22 + 18 * i;
        int color;
        if (mouse_inside(x1, x1 + 15, 449, 464) == 3) {
            color = i == 12 ? transparent_color() : palette_entry(i);
        } else if (mouse_inside(x1, x1 + 15, 467, 482) == 3) {
            color = palette_entry(12 + i);
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
    tool_area_handle_mouse();
    // An open chooser holds the canvases as well as the wheel.
    if (menu == 0) {
        draw_interface_handle_mouse();
    }
    if (!editing_text) {
        check_keypresses();
    }
}
