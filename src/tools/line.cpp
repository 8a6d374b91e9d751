#include "document/document.h"
#include "tools/tools.h"

namespace
{
// Whether the rubber-band segment was shown on the previous pass: only a
// segment the user saw is ever painted into the frame.
bool segment_shown = false;

void commit_segment()
{
    before_change(stroke_frame());
    line_to_pointer(stroke_frame(), mouse_anchor, shape_color(false));
}

// Ctrl tapped while the segment shows: it is fixed, and the next starts at the pointer.
void fix_segment_on_ctrl_tap(bool was_shown)
{
    if (!ctrl_down() || ctrl_held || alt_down()) {
        return;
    }
    if (was_shown) {
        commit_segment();
        record_step(stroke_frame());
    }
    mouse_anchor = {mx, my};
}

// Alt paints freehand while held; going down it fixes the segment shown, and
// coming up it records the run, so each undoes on its own.
void paint_freehand_with_alt(bool was_shown)
{
    if (!alt_down()) {
        if (alt_held) {
            if (canvas > 0) {
                record_step(stroke_frame());
            }
            mouse_anchor = {mx, my};
        }
        return;
    }
    if (!alt_held) {
        if (was_shown) {
            commit_segment();
            record_step(stroke_frame());
        }
        mouse_anchor = {mx, my};
    }
    if (canvas > 0) {
        before_change(stroke_frame());
        fastline(stroke_frame(), xscale(old_mx), yscale(old_my), xscale(mx), yscale(my), shape_color(false));
    }
}
} // namespace

void line_tool()
{
    begin_tool_pass();
    // A segment of a stroke that has ended, or was taken over by another tool, is not this one's.
    const bool was_shown = segment_shown && drawing != 0;
    segment_shown = false;
    start_shape();
    if (drawing == 0) {
        return;
    }
    move_shape_with_space(nullptr);
    // The stroke ends when no button at all is down, however the modifiers changed on that pass.
    if (mb == 0) {
        if (was_shown) {
            commit_segment();
        }
        end_shape();
        return;
    }
    fix_segment_on_ctrl_tap(was_shown);
    paint_freehand_with_alt(was_shown);
    if (canvas > 0 && !alt_down() && !alt_held) {
        line_to_pointer(FloatingGraphic, mouse_anchor, shape_color(true));
        segment_shown = true;
    }
}
