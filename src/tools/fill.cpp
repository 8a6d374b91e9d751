#include "app/app.h"
#include "tools/tools.h"

int fill_mode = 0;

void step_fill_mode(bool up)
{
    if (up && fill_mode < 2) {
        ++fill_mode;
    }
    if (!up && fill_mode > 0) {
        --fill_mode;
    }
}

void draw_fill_panel()
{
    draw_sprite(ActiveBuffer, Continuous, 42, 512);
    draw_sprite(ActiveBuffer, NonContinuous, 114, 512);
    draw_sprite(ActiveBuffer, EightWay, 186, 512);
    draw_sprite(ActiveBuffer, FillModeArrow, 42 + 72 * fill_mode, 494);
    BITMAP *const names[3] = {NormalFill, IgnoreBounds, EightWayFill};
    BITMAP *name = names[fill_mode];
    draw_sprite(ActiveBuffer, name, 138 - name->w / 2, 563);
}
