#include "app/app.h"
#include "document/document.h"
#include "tools/tools.h"

#include <cstdlib>

void begin_tool_pass()
{
    clear_to_color(FloatingGraphic, transparent_color());
    if (mouse_sprite == BrushCursor) {
        set_pointer(Cursor);
    }
}

void detect_change()
{
    const bool pressed = mb != 0 && old_mb == 0;
    const bool on_canvas = mouse_inside(c_one[0], c_one[1], c_one[2], c_one[3]) == 3 ||
                           mouse_inside(c_two[0], c_two[1], c_two[2], c_two[3]) == 3;
    // A button held since outside the canvases paints from the pass it enters
    // one, so that pass records the step the press could not.
    if ((pressed && on_canvas) || canvas_taken) {
        add_step(canvas);
    }
}

void start_shape()
{
    if (space_down()) {
        return;
    }
    if ((mb & 1) && drawing == 0) {
        drawing = 1;
        mouse_anchor = {mx, my};
    }
    if ((mb & 2) && drawing == 0) {
        drawing = 2;
        mouse_anchor = {mx, my};
    }
}

int shape_color(bool preview)
{
    const int color = drawing == 1 ? Fcolor : Bcolor;
    return preview && color == transparent_color() ? visible_transparent_color() : color;
}

ScreenPoint fixed_corner()
{
    if (ctrl_down()) {
        return {ssnap(2 * mouse_anchor.x - mx, 1), ssnap(2 * mouse_anchor.y - my, 2)};
    }
    return mouse_anchor;
}

void move_shape_with_space(ScreenPoint &corner, bool is_shape)
{
    if (!space_down()) {
        return;
    }
    if (!space_held) {
        ma_x_diff = ssnap(mx, 1) - ssnap(mouse_anchor.x, 1);
        ma_y_diff = ssnap(my, 2) - ssnap(mouse_anchor.y, 2);
        if (is_shape) {
            da_x_diff = ssnap(corner.x, 1) - ssnap(mouse_anchor.x, 1);
            da_y_diff = ssnap(corner.y, 2) - ssnap(mouse_anchor.y, 2);
        }
    }
    mouse_anchor = {ssnap(mx, 1) - ma_x_diff, ssnap(my, 2) - ma_y_diff};
    if (is_shape) {
        corner = {mouse_anchor.x + da_x_diff, mouse_anchor.y + da_y_diff};
    } else {
        corner = mouse_anchor;
    }
}

bool square_held()
{
    return key[KEY_LSHIFT] || key[KEY_RSHIFT];
}

ScreenPoint square_corner(ScreenPoint reference)
{
    // The side follows the shorter screen extent of the drag.
    const int d = std::abs(mx - reference.x) <= std::abs(my - reference.y)
                      ? std::abs(xscale(mx) - xscale(reference.x))
                      : std::abs(yscale(my) - yscale(reference.y));
    const int sx = reference.x < mx ? 1 : -1;
    const int sy = reference.y < my ? 1 : -1;
    return {xscale(reference.x) + sx * d, yscale(reference.y) + sy * d};
}

void end_shape()
{
    drawing = 0;
    canvas = 0;
}
