// Tiny pixel pictures written as text rows, for comparing frames and screen
// areas; a mismatch prints both pictures whole.
#pragma once

#include <allegro.h>

#include <map>
#include <string>
#include <vector>

using Legend = std::map<char, int>;

// The area as rows; pixels of colours not in the legend show as '?'.
std::vector<std::string> rows_of(BITMAP *bmp, const Legend &legend, int x0, int y0, int w, int h);
std::vector<std::string> rows_of(BITMAP *bmp, const Legend &legend);
std::string picture(const std::vector<std::string> &rows);

#define EXPECT_ROWS(actual, expected)                                                                        \
    EXPECT_EQ(actual, expected) << "got:\n" << picture(actual) << "expected:\n" << picture(expected)
