#include "tools/tools.h"

int selected[3] = {PENCIL, TOOL_SLOTS_X, TOOL_SLOTS_Y};
int show_help = 0;
char reset_help = 1;

namespace
{
bool pressed_on(const ToolEntry &tool)
{
    // The line button wants a press from no button at all.
    if (tool.number == LINE) {
        return (mb & 1) && old_mb == 0;
    }
    return (mb & 1) && !(old_mb & 1);
}

bool over_button(const ToolEntry &tool)
{
    const SlotPosition slot = tool_slot(tool.slot);
    return mouse_inside(slot.x, slot.x + TOOL_SLOT_SIZE - 1, slot.y, slot.y + TOOL_SLOT_SIZE - 1) == 3;
}
} // namespace

void select_tool(int tool)
{
    const ToolEntry &entry = tool_entry(tool);
    const SlotPosition slot = tool_slot(entry.slot);
    selected[0] = entry.number;
    selected[1] = slot.x;
    selected[2] = slot.y;
}

void tool_area_handle_mouse()
{
    reset_help = 1;
    if (mouse_inside(33, 236, 221, 372) != 3) {
        show_help = 0;
        return;
    }
    for (const ToolEntry &tool : TOOLS) {
        if (!over_button(tool)) {
            continue;
        }
        if (show_help == tool.help) {
            reset_help = 0;
        } else {
            show_help = tool.help;
        }
        if (pressed_on(tool)) {
            select_tool(tool.number);
        }
        return;
    }
    show_help = 0;
}
