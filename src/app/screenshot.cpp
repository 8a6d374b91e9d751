#include "app/app.h"

#include <climits>
#include <string>

void save_screenshot()
{
    for (int n = 0;; ++n) {
        const std::string name = "screenshots/screenshot" + std::to_string(n) + ".bmp";
        if (!exists(name.c_str())) {
            save_bitmap(name.c_str(), ActiveBuffer, nullptr);
            return;
        }
        if (n == INT_MAX) {
            return;
        }
    }
}
