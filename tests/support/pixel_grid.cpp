#include "pixel_grid.h"

std::vector<std::string> rows_of(BITMAP *bmp, const Legend &legend, int x0, int y0, int w, int h)
{
    std::vector<std::string> rows;
    for (int y = y0; y < y0 + h; ++y) {
        std::string row;
        for (int x = x0; x < x0 + w; ++x) {
            char c = '?';
            const int p = getpixel(bmp, x, y);
            for (const auto &entry : legend) {
                if (entry.second == p) {
                    c = entry.first;
                    break;
                }
            }
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> rows_of(BITMAP *bmp, const Legend &legend)
{
    return rows_of(bmp, legend, 0, 0, bmp->w, bmp->h);
}

std::string picture(const std::vector<std::string> &rows)
{
    std::string out;
    for (const std::string &row : rows) {
        out += "  " + row + "\n";
    }
    return out;
}
