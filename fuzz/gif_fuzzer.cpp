// Any bytes through the GIF reader; what it accepts is composed twice, one pixel left the second time.
#include "gif/gif_internal.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

// The reader takes a file name: one in memory for each process, so that parallel jobs stay apart.
static const std::string kInput = "/dev/shm/moltwork-gif-fuzz-" + std::to_string(getpid()) + ".gif";

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    // A few bytes can declare frames of hundreds of megabytes that decode to zeros: a small limit keeps
    // the time on the parser's paths instead of on filling memory.
    gif_set_memory_limit(4 << 20);
    return std::atexit([] { std::remove(kInput.c_str()); });
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::ofstream(kInput, std::ios::binary).write(reinterpret_cast<const char *>(data), size);
    if (RawAnimation *animation = gif_load_raw_animation(kInput.c_str())) {
        BITMAP *target =
            create_bitmap_ex(32, std::clamp(animation->width, 1, 64), std::clamp(animation->height, 1, 64));
        for (int pass = 0; pass < 2; pass++)
            for (int i = 0; i < animation->frame_count; i++)
                gif_render_frame(animation, target, i, -pass, 0);
        destroy_bitmap(target);
        gif_destroy_raw_animation(animation);
    }
    return 0;
}
