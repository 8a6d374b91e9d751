// Any bytes through the image gate and the decoder behind it, as a skin, the palette or an interface image
// would go. The first byte picks the extension, so every decoder sees every shape of input.
#include "files/files.h"
#include "gif/gif.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
const char *const EXTENSIONS[] = {"bmp", "png", "gif", "pcx"};
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    gif_init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::string extension = EXTENSIONS[data[0] % 4];
    const std::string bytes(reinterpret_cast<const char *>(data) + 1, size - 1);
    BITMAP *image = decode_checked_image(bytes, extension);
    if (!image) {
        return 0;
    }
    // What the editor does next: read pixels, corners included, and copy the picture.
    if (image->w > MAX_IMAGE_SIDE || image->h > MAX_IMAGE_SIDE) {
        std::abort();
    }
    getpixel(image, 0, 0);
    getpixel(image, image->w - 1, image->h - 1);
    BITMAP *copy = create_bitmap(32, 32);
    stretch_blit(image, copy, 0, 0, image->w, image->h, 0, 0, 32, 32);
    destroy_bitmap(copy);
    destroy_bitmap(image);
    return 0;
}
