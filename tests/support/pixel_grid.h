// Tiny pixel pictures written as text rows, for comparing frames and screen areas whole.
#pragma once

#include <allegro.h>

#include <map>
#include <string>
#include <vector>

using Legend = std::map<char, int>;

// The w x h area at (x0, y0), the whole bitmap by default, as rows; colours not in the legend show as '?'.
std::vector<std::string> rows_of(BITMAP *bmp, const Legend &legend, int x0 = 0, int y0 = 0, int w = -1,
                                 int h = -1);
