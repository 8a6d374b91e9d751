#include "tools/tools.h"

int circ_fill = 0;

void step_ellipse_fill(bool up)
{
    circ_fill = up ? 1 : 0;
}
