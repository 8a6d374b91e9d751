#include "app/app.h"
#include "files/files.h"

#include <climits>
#include <string>

void save_screenshot()
{
    for (int n = 0;; ++n) {
        const std::string name = "screenshots/screenshot" + std::to_string(n) + ".bmp";
        if (!path_exists(name)) {
            write_file_safely(name,
                              [](PACKFILE *file) { return save_bmp_pf(file, ActiveBuffer, nullptr) == 0; });
            return;
        }
        if (n == INT_MAX) {
            return;
        }
    }
}
