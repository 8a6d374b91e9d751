#include "app/app.h"
#include "tools/tools.h"

// Options panel 13 is an empty help area: the shape tools have no panel.
const ToolEntry TOOLS[TOOL_COUNT] = {
    {PENCIL, KEY_P, pencil_tool, nullptr, 0, nullptr, 2, 0, &PencilTool},
    {FILL, KEY_F, fill_tool, step_fill_mode, 12, draw_fill_panel, 3, 1, &FillTool},
    {ELLIPSE, KEY_E, ellipse_tool, step_ellipse_fill, 13, nullptr, 4, 3, &ElipseTool},
    {RECTANGLE, KEY_R, rectangle_tool, step_rectangle_fill, 13, nullptr, 5, 4, &RectangleTool},
    {LINE, KEY_L, line_tool, nullptr, 13, nullptr, 6, 5, &LineTool},
    {BRUSH, KEY_B, brush_tool, step_brush, 11, draw_brush_panel, 1, 2, &BrushTool},
};

const ToolEntry &tool_entry(int number)
{
    return number >= 0 && number < TOOL_COUNT ? TOOLS[number] : TOOLS[PENCIL];
}

namespace
{
bool over_canvas(const int rect[4])
{
    return mouse_inside(rect[0], rect[1], rect[2], rect[3]) == 3;
}

void run_active_tool()
{
    if (void (*pass)() = tool_entry(selected[0]).pass) {
        pass();
    }
}
} // namespace

void draw_interface_handle_mouse()
{
    follow_button_hold();
    if ((mb & 3) && canvas == 0) {
        if (over_canvas(c_one)) {
            canvas = 1;
        }
        if (over_canvas(c_two)) {
            canvas = 2;
        }
    }
    option_panel_pass();
    run_active_tool();
    // With every button up no stroke goes on, whatever the tool left marked, so
    // the next press may take either canvas and the frame buttons answer again.
    if (mb == 0) {
        drawing = 0;
        canvas = 0;
    }
}
