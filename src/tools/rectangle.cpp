#include "tools/tools.h"

int rect_fill = 0;

void step_rectangle_fill(bool up)
{
    rect_fill = up ? 1 : 0;
}
