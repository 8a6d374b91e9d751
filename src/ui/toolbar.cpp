#include "app/app.h"
#include "ui/ui.h"

namespace
{
constexpr int BAR_X = 18;
constexpr int BAR_Y = 132;
constexpr int BAR_RIGHT = 257;
constexpr int BAR_BOTTOM = 148;
constexpr int TITLES = 5;

// Each title's first x on the strip, and where its lit look lies in ToolbarShadow.
struct Title {
    int x;
    int shadow_x, shadow_w;
};
constexpr Title TITLE[TITLES + 1] = {
    {0, 0, 0}, {18, 0, 33}, {51, 34, 35}, {86, 70, 57}, {143, 128, 57}, {200, 186, 58},
};

int title_under_pointer()
{
    int title = 1;
    while (title < TITLES && mx >= TITLE[title + 1].x) {
        ++title;
    }
    return title;
}

// Holding the right button closes the toolbar menus.
void close_on_right_button()
{
    if ((mb & 2) && toolbar_menu) {
        close_toolbar_menu();
    }
}

// Once a menu is open, the strip opens the title under the pointer without a click.
void title_strip()
{
    if (menu != 0 || mouse_inside(BAR_X, BAR_RIGHT, BAR_Y, BAR_BOTTOM) != 3) {
        return;
    }
    const int title = title_under_pointer();
    draw_title_highlight(title);
    if (left_press() || toolbar_menu) {
        toolbar_menu = title;
        ignore_buttons_until_released();
        toolbar_submenu = 0;
    }
}

// The fourth and fifth titles hold no items: any press closes them.
void empty_menu()
{
    draw_title_highlight(toolbar_menu);
    if (left_press()) {
        close_toolbar_menu();
    }
}

void open_menu()
{
    switch (toolbar_menu) {
    case 1:
        file_menu();
        break;
    case 2:
        edit_menu();
        break;
    case 3:
        frames_menu();
        break;
    case 4:
    case 5:
        empty_menu();
        break;
    default:
        break;
    }
}
} // namespace

void draw_title_highlight(int title)
{
    const Title &t = TITLE[title];
    masked_blit(ToolbarShadow, ActiveBuffer, t.shadow_x, 0, t.x, BAR_Y, t.shadow_w, BAR_BOTTOM - BAR_Y + 1);
}

void handle_toolbar()
{
    close_on_right_button();
    title_strip();
    frames_submenu();
    open_menu();
    keep_submenu_row_lit();
    draw_sprite(ActiveBuffer, ToolbarText, BAR_X, BAR_Y);
}
