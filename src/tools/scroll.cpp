#include "document/document.h"
#include "tools/tools.h"

int preview_mode = 0;
int CustomRecolor = 1;

namespace
{
// Position of each preview mode within its team's block of nine variants.
constexpr int MODE_POSITION[6] = {1, 5, 6, 8, 7, 9};

// Steps a canvas to the next or previous frame, wrapping around.
void step_frame(int &frame, int step)
{
    frame = (frame + step + FRAME_COUNT) % FRAME_COUNT;
}

bool over_canvas_and_bar(int left)
{
    return mouse_inside(left, left + CANVAS_SIZE + FRAME_BAR_W - 1, CANVAS_Y, CANVAS_Y + CANVAS_SIZE - 1) ==
           3;
}
} // namespace

int recolor_for_mode(int mode)
{
    return 9 * (mode / 6) + MODE_POSITION[mode % 6];
}

void scroll_canvas()
{
    if (mb != 0 || mz == old_mz) {
        return;
    }
    const int step = mz > old_mz ? 1 : -1;
    if (over_canvas_and_bar(LEFT_CANVAS_X)) {
        step_frame(left_frame, step);
    } else if (over_canvas_and_bar(RIGHT_CANVAS_X)) {
        step_frame(right_frame, step);
    }
    if (mouse_inside(STRIP_X, PREVIEW_BAR_X + PREVIEW_BAR_W - 1, STRIP_Y, STRIP_Y + STRIP_H - 1) == 3) {
        const int distance = ctrl_down() ? 6 : 1;
        preview_mode -= step * distance;
        if (preview_mode > 23) {
            preview_mode -= 24;
        }
        if (preview_mode < 0) {
            preview_mode += 24;
        }
        CustomRecolor = recolor_for_mode(preview_mode);
    }
}
