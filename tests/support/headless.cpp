#include "headless.h"

#include <allegro.h>
#include <loadpng.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

void start_headless_library()
{
    [[maybe_unused]] static const bool started = [] {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        register_png_file_type();
        return true;
    }();
}

void InTemporaryFolder::SetUp()
{
    start_headless_library();
    previous = std::filesystem::current_path();
    char pattern[] = "/tmp/moltwork-unit-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern));
    dir = pattern;
    std::filesystem::current_path(dir);
}

void InTemporaryFolder::TearDown()
{
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
}
