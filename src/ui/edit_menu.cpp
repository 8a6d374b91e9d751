#include "app/app.h"
#include "document/document.h"
#include "ui/ui.h"

namespace
{
constexpr int BACK_X = 51;
constexpr int BACK_Y = 149;
constexpr int ITEM_RIGHT = 146;
constexpr int ITEM_BOTTOM = 166;
constexpr int HIGHLIGHT_X = 53;
} // namespace

// Undo is live only while the history holds a step; otherwise it shows greyed.
void edit_menu()
{
    draw_title_highlight(2);
    draw_sprite(ActiveBuffer, EditBack, BACK_X, BACK_Y);
    const bool live = !Undos.empty();
    const bool on_item = mouse_inside(BACK_X, ITEM_RIGHT, BACK_Y, ITEM_BOTTOM) == 3;
    if (live && on_item) {
        draw_sprite(ActiveBuffer, EditSelect, HIGHLIGHT_X, BACK_Y);
    }
    if (left_press()) {
        if (live && on_item) {
            undo();
        }
        close_toolbar_menu();
    }
    if (toolbar_menu != 2) {
        return;
    }
    draw_sprite(ActiveBuffer, EditText, BACK_X, BACK_Y);
    if (!live) {
        draw_sprite(ActiveBuffer, NoUndo, BACK_X, BACK_Y);
    }
}
