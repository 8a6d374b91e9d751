#include "document/document.h"
#include "tools/tools.h"

namespace
{
void line_in_frame(BITMAP *target, ScreenPoint from, int color)
{
    line(target, xscale(from.x), yscale(from.y), xscale(mx), yscale(my), color);
}

// One button's share of a pass: colour K, drawing code n, canvas c.
void paint_case(BITMAP *target, int c, int color, int n)
{
    if (alt_down()) {
        if (!alt_held || old_mb == 0) {
            drawing = n;
            mouse_anchor = {mx, my};
        }
        if (drawing != n) {
            return;
        }
        const int preview = color == transparent_color() ? visible_transparent_color() : color;
        line_in_frame(FloatingGraphic, mouse_anchor, preview);
        if (ctrl_down() && !ctrl_held) {
            add_step(c);
            line_in_frame(target, mouse_anchor, color);
            mouse_anchor = {mx, my};
        }
        return;
    }
    if (alt_held) {
        // Alt went up mid-drag: commit the line, then record it so the
        // freehand tail that follows undoes on its own.
        add_step(c);
        line_in_frame(target, mouse_anchor, color);
        add_step(c);
        return;
    }
    fastline(target, xscale(old_mx), yscale(old_my), xscale(mx), yscale(my), color);
}

void commit_alt_line_on_release()
{
    if ((canvas != 1 && canvas != 2) || !alt_down()) {
        return;
    }
    add_step(canvas);
    if (drawing == 1 || drawing == 2) {
        line_in_frame(stroke_frame(), mouse_anchor, drawing == 1 ? Fcolor : Bcolor);
    }
}
} // namespace

void pencil_tool()
{
    begin_tool_pass();
    if (!alt_down()) {
        detect_change();
    }
    if (canvas == 1 || canvas == 2) {
        BITMAP *target = stroke_frame();
        if ((mb & 1) && !(mb & 2)) {
            paint_case(target, canvas, Fcolor, 1);
        }
        if ((mb & 2) && !(mb & 1)) {
            paint_case(target, canvas, Bcolor, 2);
        }
    }
    if (mb == 0) {
        commit_alt_line_on_release();
        drawing = 0;
        canvas = 0;
    }
}
