#include "app/app.h"
#include "ui/ui.h"

namespace
{
constexpr int BACK_X = 18;
constexpr int BACK_Y = 149;
constexpr int ITEMS_RIGHT = 113;
constexpr int ROW_H = 16;
constexpr int ROWS = 4;
constexpr int HIGHLIGHT_X = 20;

struct FileItem {
    int highlight_y;
    void (*command)();
};

const FileItem ITEMS[ROWS] = {
    {149, blank},
    {164, [] { save(filename); }},
    {181, save_gif},
    {195, load_after_asking},
};
} // namespace

void file_menu()
{
    draw_title_highlight(1);
    draw_sprite(ActiveBuffer, FileBack, BACK_X, BACK_Y);
    if (mouse_inside(BACK_X, ITEMS_RIGHT, BACK_Y, BACK_Y + ROWS * ROW_H - 1) == 3) {
        const FileItem &item = ITEMS[row_under_pointer(BACK_Y, ROW_H) - 1];
        draw_sprite(ActiveBuffer, FileSelect, HIGHLIGHT_X, item.highlight_y);
        if (left_press()) {
            item.command();
            close_toolbar_menu();
        }
    } else if (left_press()) {
        close_toolbar_menu();
    }
    if (toolbar_menu == 1) {
        draw_sprite(ActiveBuffer, FileText, BACK_X, BACK_Y);
    }
}
