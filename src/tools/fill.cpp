#include "tools/tools.h"

int fill_mode = 0;
