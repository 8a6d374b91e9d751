#include "tools/tools.h"

char show_left_grid = 0;
char show_right_grid = 0;
