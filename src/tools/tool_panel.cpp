#include "tools/tools.h"

int selected[3] = {PENCIL, 33, 273};
int show_help = 0;
char reset_help = 1;

namespace
{
struct ToolButton {
    int tool;
    int x, y;
    int help;
};

// In the order the panel tests them.
const ToolButton BUTTONS[] = {
    {PENCIL, 33, 273, 2},  {FILL, 85, 273, 3},      {BRUSH, 137, 273, 1},
    {ELLIPSE, 33, 325, 4}, {RECTANGLE, 85, 325, 5}, {LINE, 137, 325, 6},
};

constexpr int BUTTON_SIZE = 48;

const ToolButton &button_of(int tool)
{
    for (const ToolButton &button : BUTTONS) {
        if (button.tool == tool) {
            return button;
        }
    }
    return BUTTONS[0];
}

bool pressed_on(const ToolButton &button)
{
    // The line button wants a press from no button at all.
    if (button.tool == LINE) {
        return (mb & 1) && old_mb == 0;
    }
    return (mb & 1) && !(old_mb & 1);
}
} // namespace

void select_tool(int tool)
{
    const ToolButton &button = button_of(tool);
    selected[0] = button.tool;
    selected[1] = button.x;
    selected[2] = button.y;
}

void tool_area_handle_mouse()
{
    reset_help = 1;
    if (mouse_inside(33, 236, 221, 372) != 3) {
        show_help = 0;
        return;
    }
    for (const ToolButton &button : BUTTONS) {
        if (mouse_inside(button.x, button.x + BUTTON_SIZE - 1, button.y, button.y + BUTTON_SIZE - 1) != 3) {
            continue;
        }
        if (show_help == button.help) {
            reset_help = 0;
        } else {
            show_help = button.help;
        }
        if (pressed_on(button)) {
            select_tool(button.tool);
        }
        return;
    }
    show_help = 0;
}
