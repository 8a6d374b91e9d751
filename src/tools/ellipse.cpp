#include "tools/tools.h"

int circ_fill = 0;
