#include "app/app.h"
#include "document/document.h"
#include "tools/tools.h"

#include <cstdlib>
#include <vector>

namespace
{
// The undo steps the current button hold has taken, one entry per frame.
struct HoldStep {
    BITMAP *frame;
    size_t index; // its place in the history
};
std::vector<HoldStep> hold_steps;

// An undo during the hold takes the step away, so the next change needs a new one.
bool hold_has_step(BITMAP *frame)
{
    for (const HoldStep &step : hold_steps) {
        if (step.frame == frame && step.index < Undos.size() && Undos[step.index].frame == frame) {
            return true;
        }
    }
    return false;
}

// Only a button going down starts a shape; the other button of a drag never does.
int pressed_buttons()
{
    return mb & ~old_mb;
}
} // namespace

void begin_tool_pass()
{
    clear_to_color(FloatingGraphic, transparent_color());
    if (mouse_sprite == BrushCursor) {
        set_pointer(Cursor);
    }
}

void follow_button_hold()
{
    if ((old_mb & 3) == 0) {
        hold_steps.clear();
    }
}

void record_step(BITMAP *frame)
{
    if (add_step(frame)) {
        hold_steps.push_back({frame, Undos.size() - 1});
    }
}

void before_change(BITMAP *frame)
{
    if (!hold_has_step(frame)) {
        record_step(frame);
    }
}

void start_shape()
{
    if (drawing != 0 || space_down()) {
        return;
    }
    if (pressed_buttons() & 1) {
        drawing = 1;
    } else if (pressed_buttons() & 2) {
        drawing = 2;
    } else {
        return;
    }
    mouse_anchor = {mx, my};
}

int shape_color(bool preview)
{
    const int color = drawing == 1 ? Fcolor : Bcolor;
    return preview ? preview_color(color) : color;
}

void line_to_pointer(BITMAP *bmp, ScreenPoint from, int color)
{
    line(bmp, xscale(from.x), yscale(from.y), xscale(mx), yscale(my), color);
}

ScreenPoint fixed_corner()
{
    if (ctrl_down()) {
        return {ssnap(2 * mouse_anchor.x - mx, 1), ssnap(2 * mouse_anchor.y - my, 2)};
    }
    return mouse_anchor;
}

void move_shape_with_space(ScreenPoint *corner)
{
    if (!space_down()) {
        return;
    }
    if (!space_held) {
        ma_x_diff = ssnap(mx, 1) - ssnap(mouse_anchor.x, 1);
        ma_y_diff = ssnap(my, 2) - ssnap(mouse_anchor.y, 2);
        if (corner) {
            da_x_diff = ssnap(corner->x, 1) - ssnap(mouse_anchor.x, 1);
            da_y_diff = ssnap(corner->y, 2) - ssnap(mouse_anchor.y, 2);
        }
    }
    mouse_anchor = {ssnap(mx, 1) - ma_x_diff, ssnap(my, 2) - ma_y_diff};
    if (corner) {
        *corner = {mouse_anchor.x + da_x_diff, mouse_anchor.y + da_y_diff};
    }
}

bool square_held()
{
    return key[KEY_LSHIFT] || key[KEY_RSHIFT];
}

ScreenPoint square_corner(ScreenPoint corner, ScreenPoint direction_from)
{
    // The side follows the shorter screen extent of the drag.
    const int d = std::abs(mx - corner.x) <= std::abs(my - corner.y)
                      ? std::abs(xscale(mx) - xscale(corner.x))
                      : std::abs(yscale(my) - yscale(corner.y));
    const int sx = direction_from.x < mx ? 1 : -1;
    const int sy = direction_from.y < my ? 1 : -1;
    return {xscale(corner.x) + sx * d, yscale(corner.y) + sy * d};
}

void drag_box_shape(BoxDrawing draw, bool square_from_anchor)
{
    begin_tool_pass();
    start_shape();
    if (drawing == 0) {
        return;
    }
    ScreenPoint corner = fixed_corner();
    move_shape_with_space(&corner);
    const ScreenPoint near = {xscale(corner.x), yscale(corner.y)};
    const ScreenPoint far = square_held() ? square_corner(corner, square_from_anchor ? mouse_anchor : corner)
                                          : ScreenPoint{xscale(mx), yscale(my)};
    if (canvas > 0) {
        draw(FloatingGraphic, near.x, near.y, far.x, far.y, shape_color(true));
    }
    // drawing is the bit of the button that started the shape; the other button does not end it.
    if (mb & drawing) {
        return;
    }
    if (canvas > 0) {
        before_change(stroke_frame());
        draw(stroke_frame(), near.x, near.y, far.x, far.y, shape_color(false));
    }
    end_shape();
}

void end_shape()
{
    drawing = 0;
    canvas = 0;
}
