#include "tools/tools.h"

namespace
{
bool over_canvas(const int rect[4])
{
    return mouse_inside(rect[0], rect[1], rect[2], rect[3]) == 3;
}

void run_active_tool()
{
    switch (selected[0]) {
    case PENCIL:
        pencil_tool();
        break;
    default:
        break;
    }
}
} // namespace

void draw_interface_handle_mouse()
{
    if ((mb & 3) && canvas == 0) {
        if (over_canvas(c_one)) {
            canvas = 1;
        }
        if (over_canvas(c_two)) {
            canvas = 2;
        }
    }
    run_active_tool();
}
