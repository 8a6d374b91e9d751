#include "app/app.h"

int mb, old_mb;
int mpos;
int mx, my, mz;
int old_mx, old_my, old_mz;

namespace
{
// The buttons a menu took: each counts as up until the user lets go of it.
int held_off = 0;
} // namespace

void take_mouse_snapshot()
{
    old_mb = mb;
    mb = mouse_b;
    held_off &= mb;
    mb &= ~held_off;
    old_mx = mx;
    old_my = my;
    old_mz = mz;
    mpos = mouse_pos;
    mx = mpos >> 16;
    my = mpos & 0xFFFF;
    mz = mouse_z;
}

int mouse_inside(int x1, int x2, int y1, int y2)
{
    const bool in_x = x1 <= mx && mx <= x2;
    const bool in_y = y1 <= my && my <= y2;
    return (in_x ? 1 : 0) + (in_y ? 2 : 0);
}

bool mouse_clicked_in(int x1, int x2, int y1, int y2)
{
    return mb != 0 && old_mb == 0 && mouse_inside(x1, x2, y1, y2) == 3;
}

void stop_mouse()
{
    mouse_b = 0;
    old_mb = 0;
    mb = 0;
    held_off = 0;
}

void ignore_buttons_until_released()
{
    held_off |= mb;
    old_mb = 0;
    mb = 0;
}

ScreenPoint pointer_position()
{
    const int pos = mouse_pos;
    return {pos >> 16, pos & 0xFFFF};
}

void set_pointer(BITMAP *sprite, int focus_x, int focus_y)
{
    set_mouse_sprite(sprite);
    set_mouse_sprite_focus(focus_x, focus_y);
    mouse_sprite = sprite;
}
