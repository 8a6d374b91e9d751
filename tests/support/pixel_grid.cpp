#include "pixel_grid.h"

#include <algorithm>

std::vector<std::string> rows_of(BITMAP *bmp, const Legend &legend, int x0, int y0, int w, int h)
{
    std::vector<std::string> rows;
    for (int y = y0; y < y0 + (h < 0 ? bmp->h : h); ++y) {
        std::string row;
        for (int x = x0; x < x0 + (w < 0 ? bmp->w : w); ++x) {
            const int p = getpixel(bmp, x, y);
            const auto found =
                std::find_if(legend.begin(), legend.end(), [p](const auto &e) { return e.second == p; });
            row += found == legend.end() ? '?' : found->first;
        }
        rows.push_back(row);
    }
    return rows;
}
