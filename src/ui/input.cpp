#include "app/app.h"
#include "tools/tools.h"
#include "ui/ui.h"

namespace {
// Only the first buffered key of a pass is examined for Esc.
void check_escape()
{
    if (keypressed() && (readkey() >> 8) == KEY_ESC) {
        clear_keybuf();
        quit_program();
    }
}

void check_keypresses()
{
    check_escape();
    clear_keybuf();
}
} // namespace

void take_mouse_snapshot()
{
    old_mb = mb;
    mb = mouse_b;
    old_mx = mx;
    old_my = my;
    old_mz = mz;
    mpos = mouse_pos;
    mx = mpos >> 16;
    my = mpos & 0xFFFF;
    mz = mouse_z;
}

void handle_input()
{
    take_mouse_snapshot();
    check_keypresses();
}
