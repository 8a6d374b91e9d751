#include "app/app.h"
#include "document/document.h"
#include "ui/ui.h"

namespace
{
constexpr int BACK_X = 51;
constexpr int BACK_Y = 149;
constexpr int ITEM_RIGHT = 146;
constexpr int ROW_H = 17;
constexpr int HIGHLIGHT_X = 53;

struct EditItem {
    const std::vector<UndoStep> *steps; // the item is live while these hold a step
    void (*action)();
    BITMAP **greyed; // drawn over the item's row while it is not live
};

const EditItem ITEMS[] = {{&Undos, undo, &NoUndo}, {&Redos, redo, &NoRedo}};
constexpr int ITEM_COUNT = sizeof ITEMS / sizeof ITEMS[0];

int row_y(int row)
{
    return BACK_Y + ROW_H * (row - 1);
}
} // namespace

// Undo and Redo, each live only while there is a step to take; otherwise greyed.
void edit_menu()
{
    draw_title_highlight(2);
    draw_sprite(ActiveBuffer, EditBack, BACK_X, BACK_Y);
    const bool on_items = mouse_inside(BACK_X, ITEM_RIGHT, BACK_Y, row_y(ITEM_COUNT + 1) - 1) == 3;
    const int row = on_items ? row_under_pointer(BACK_Y, ROW_H) : 0;
    const EditItem *chosen = row && !ITEMS[row - 1].steps->empty() ? &ITEMS[row - 1] : nullptr;
    if (chosen) {
        draw_sprite(ActiveBuffer, EditSelect, HIGHLIGHT_X, row_y(row));
    }
    if (left_press()) {
        if (chosen) {
            chosen->action();
        }
        close_toolbar_menu();
    }
    if (toolbar_menu != 2) {
        return;
    }
    draw_sprite(ActiveBuffer, EditText, BACK_X, BACK_Y);
    for (int i = 0; i < ITEM_COUNT; ++i) {
        if (ITEMS[i].steps->empty()) {
            draw_sprite(ActiveBuffer, *ITEMS[i].greyed, BACK_X, row_y(i + 1));
        }
    }
}
