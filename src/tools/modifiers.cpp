#include "tools/tools.h"

bool ctrl_down()
{
    return key_shifts & KB_CTRL_FLAG;
}

bool shift_down()
{
    return key_shifts & KB_SHIFT_FLAG;
}

bool alt_down()
{
    return key_shifts & KB_ALT_FLAG;
}

bool space_down()
{
    return key[KEY_SPACE];
}
