#include "tools/tools.h"

int mb, old_mb;
int mpos;
int mx, my, mz;
int old_mx, old_my, old_mz;

int canvas = 0;
int drawing = 0;
int c_one[4] = {285, 476, 355, 546};
int c_two[4] = {529, 720, 355, 546};

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
}
