#include "tools/tools.h"

int rect_fill = 0;
