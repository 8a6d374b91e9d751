// libFuzzer target: any bytes through the GIF reader; whatever it accepts is composed frame by frame onto
// a small target, then written and read back, which must give the same animation again.
#include "gif/gif.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

// Above this many pixels in all frames the write-back is left out, to keep runs fast.
constexpr long long kLargestRoundTrip = 1 << 16;

struct MemoryFile {
    const std::uint8_t *data;
    std::size_t size;
    std::size_t at;
    std::vector<unsigned char> written;
};

int memory_close(void *)
{
    return 0;
}

int memory_getc(void *userdata)
{
    MemoryFile *file = static_cast<MemoryFile *>(userdata);
    return file->at < file->size ? file->data[file->at++] : EOF;
}

int memory_ungetc(int c, void *userdata)
{
    MemoryFile *file = static_cast<MemoryFile *>(userdata);
    if (file->at == 0)
        return EOF;
    file->at--;
    return c;
}

long memory_fread(void *to, long count, void *userdata)
{
    MemoryFile *file = static_cast<MemoryFile *>(userdata);
    const std::size_t n = std::min<std::size_t>(count, file->size - file->at);
    if (n > 0)
        std::memcpy(to, file->data + file->at, n);
    file->at += n;
    return static_cast<long>(n);
}

int memory_putc(int c, void *userdata)
{
    static_cast<MemoryFile *>(userdata)->written.push_back(static_cast<unsigned char>(c));
    return c;
}

long memory_fwrite(const void *from, long count, void *userdata)
{
    const unsigned char *bytes = static_cast<const unsigned char *>(from);
    std::vector<unsigned char> &written = static_cast<MemoryFile *>(userdata)->written;
    written.insert(written.end(), bytes, bytes + count);
    return count;
}

int memory_fseek(void *userdata, int offset)
{
    MemoryFile *file = static_cast<MemoryFile *>(userdata);
    if (offset < 0 || static_cast<std::size_t>(offset) > file->size - file->at)
        return -1;
    file->at += offset;
    return 0;
}

int memory_feof(void *userdata)
{
    const MemoryFile *file = static_cast<MemoryFile *>(userdata);
    return file->at >= file->size;
}

int memory_ferror(void *)
{
    return 0;
}

const PACKFILE_VTABLE kMemoryVtable = {memory_close,  memory_getc,  memory_ungetc, memory_fread, memory_putc,
                                       memory_fwrite, memory_fseek, memory_feof,   memory_ferror};

RawAnimation *read_memory(const std::uint8_t *data, std::size_t size)
{
    MemoryFile file = {data, size, 0, {}};
    PACKFILE *packfile = pack_fopen_vtable(&kMemoryVtable, &file);
    RawAnimation *animation = gif_read_raw_animation(packfile);
    pack_fclose(packfile);
    return animation;
}

// Twice through, as a looping player would, the second time one pixel to the left to clip differently.
void compose(RawAnimation *animation)
{
    BITMAP *target =
        create_bitmap_ex(32, std::clamp(animation->width, 1, 64), std::clamp(animation->height, 1, 64));
    for (int pass = 0; pass < 2; pass++)
        for (int i = 0; i < animation->frame_count; i++)
            gif_render_frame(animation, target, i, -pass, 0);
    destroy_bitmap(target);
}

bool same_palette(const RawPalette &a, const RawPalette &b)
{
    return a.count == b.count && std::memcmp(a.entries, b.entries, a.count * sizeof(RawPaletteEntry)) == 0;
}

bool same_frame(const RawFrame &a, const RawFrame &b)
{
    if (a.x_offset != b.x_offset || a.y_offset != b.y_offset || a.delay != b.delay ||
        a.disposal != b.disposal || a.transparent != b.transparent || !same_palette(a.palette, b.palette) ||
        a.image->w != b.image->w || a.image->h != b.image->h)
        return false;
    for (int y = 0; y < a.image->h; y++)
        if (std::memcmp(a.image->line[y], b.image->line[y], a.image->w) != 0)
            return false;
    return true;
}

void check_round_trip(const RawAnimation *animation)
{
    long long pixels = 0;
    for (int i = 0; i < animation->frame_count; i++)
        pixels += static_cast<long long>(animation->frames[i].image->w) * animation->frames[i].image->h;
    if (pixels > kLargestRoundTrip)
        return;

    MemoryFile out = {nullptr, 0, 0, {}};
    PACKFILE *packfile = pack_fopen_vtable(&kMemoryVtable, &out);
    const int written = gif_write_raw_animation(packfile, animation);
    pack_fclose(packfile);
    if (written != 0)
        std::abort();

    RawAnimation *again = read_memory(out.written.data(), out.written.size());
    if (!again || again->width != animation->width || again->height != animation->height ||
        again->background != animation->background || again->loop_count != animation->loop_count ||
        !same_palette(again->palette, animation->palette) || again->frame_count != animation->frame_count)
        std::abort();
    for (int i = 0; i < animation->frame_count; i++)
        if (!same_frame(again->frames[i], animation->frames[i]))
            std::abort();
    gif_destroy_raw_animation(again);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    RawAnimation *animation = read_memory(data, size);
    if (!animation)
        return 0;
    compose(animation);
    check_round_trip(animation);
    gif_destroy_raw_animation(animation);
    return 0;
}
