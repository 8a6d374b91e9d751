#include "document/document.h"
#include "tools/tools.h"

namespace
{
// One button's share of a pass: colour K, drawing code n.
void paint_case(BITMAP *target, int color, int n)
{
    if (alt_down()) {
        if (!alt_held || old_mb == 0) {
            drawing = n;
            mouse_anchor = {mx, my};
        }
        if (drawing != n) {
            return;
        }
        line_to_pointer(FloatingGraphic, mouse_anchor, preview_color(color));
        if (ctrl_down() && !ctrl_held) {
            record_step(target);
            line_to_pointer(target, mouse_anchor, color);
            mouse_anchor = {mx, my};
        }
        return;
    }
    if (alt_held) {
        // Alt went up mid-drag: commit the line, then record it so the
        // freehand tail that follows undoes on its own.
        record_step(target);
        line_to_pointer(target, mouse_anchor, color);
        record_step(target);
        return;
    }
    before_change(target);
    fastline(target, xscale(old_mx), yscale(old_my), xscale(mx), yscale(my), color);
}

void commit_alt_line_on_release()
{
    if ((canvas != 1 && canvas != 2) || !alt_down() || (drawing != 1 && drawing != 2)) {
        return;
    }
    record_step(stroke_frame());
    line_to_pointer(stroke_frame(), mouse_anchor, drawing == 1 ? Fcolor : Bcolor);
}
} // namespace

void pencil_tool()
{
    begin_tool_pass();
    if (canvas == 1 || canvas == 2) {
        BITMAP *target = stroke_frame();
        if ((mb & 1) && !(mb & 2)) {
            paint_case(target, Fcolor, 1);
        }
        if ((mb & 2) && !(mb & 1)) {
            paint_case(target, Bcolor, 2);
        }
    }
    if (mb == 0) {
        commit_alt_line_on_release();
    }
}
