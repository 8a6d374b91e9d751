// The GIF89a writer: one function per block of the file, and the save that only replaces the target once
// the whole file has been written without error.
#include "files/files.h"
#include "gif/gif_internal.h"

namespace
{
using namespace gif_format;

constexpr char kSignature[] = "GIF89a";
constexpr int kScreenFlagsWithTable = 0xF0; // global table present, colour resolution 7
constexpr int kScreenFlagsWithoutTable = 0x70;
constexpr int kTableFlag = 0x80;
constexpr int kLargestWord = 0xFFFF;

// The size of the colour table of a palette of `count` colours, as a power of two: 0 for no table, else the
// smallest k >= 1 with 2^k >= count, since a table has at least two entries.
int table_bits(int count)
{
    if (count == 0)
        return 0;
    int bits = 1;
    while ((1 << bits) < count)
        bits++;
    return bits;
}

bool in_range(int value, int lowest, int highest)
{
    return value >= lowest && value <= highest;
}

bool palette_writable(const RawPalette &palette)
{
    return in_range(palette.count, 0, 256);
}

bool frame_writable(const RawFrame &frame)
{
    const BITMAP *image = frame.image;
    return image && bitmap_color_depth(frame.image) == 8 && in_range(image->w, 1, kLargestWord) &&
           in_range(image->h, 1, kLargestWord) && palette_writable(frame.palette) &&
           in_range(frame.x_offset, 0, kLargestWord) && in_range(frame.y_offset, 0, kLargestWord) &&
           in_range(frame.delay, 0, kLargestWord) && in_range(frame.disposal, 0, 7) &&
           in_range(frame.transparent, -1, 255);
}

bool animation_writable(const RawAnimation *animation)
{
    if (!animation || animation->frame_count < 0 || (animation->frame_count > 0 && !animation->frames))
        return false;
    if (!in_range(animation->width, 0, kLargestWord) || !in_range(animation->height, 0, kLargestWord) ||
        !in_range(animation->background, 0, 255) || !in_range(animation->loop_count, -1, kLargestWord) ||
        !palette_writable(animation->palette))
        return false;
    for (int i = 0; i < animation->frame_count; i++) {
        if (!frame_writable(animation->frames[i]))
            return false;
    }
    return true;
}

void write_signature(PACKFILE *file)
{
    pack_fwrite(kSignature, sizeof(kSignature) - 1, file);
}

void write_screen_descriptor(PACKFILE *file, const RawAnimation *animation)
{
    const int bits = table_bits(animation->palette.count);
    pack_iputw(animation->width, file);
    pack_iputw(animation->height, file);
    pack_putc(bits > 0 ? kScreenFlagsWithTable + bits - 1 : kScreenFlagsWithoutTable, file);
    pack_putc(animation->background, file);
    pack_putc(0, file); // pixel aspect ratio: not given
}

// Entries past the count are written as they stand, except the second entry that a one-colour palette
// lacks: that one is black.
void write_colour_table(PACKFILE *file, const RawPalette &palette)
{
    static const RawPaletteEntry kBlack = {};
    const int entries = table_bits(palette.count) > 0 ? 1 << table_bits(palette.count) : 0;
    for (int i = 0; i < entries; i++) {
        const RawPaletteEntry &entry = i == 1 && palette.count == 1 ? kBlack : palette.entries[i];
        pack_putc(entry.r, file);
        pack_putc(entry.g, file);
        pack_putc(entry.b, file);
    }
}

void write_loop_block(PACKFILE *file, int loop_count)
{
    pack_putc(kExtensionIntroducer, file);
    pack_putc(kApplicationLabel, file);
    pack_putc(sizeof(kLoopApplication) - 1, file);
    pack_fwrite(kLoopApplication, sizeof(kLoopApplication) - 1, file);
    pack_putc(kLoopSubBlockSize, file);
    pack_putc(kLoopSubBlockId, file);
    pack_iputw(loop_count, file);
    pack_putc(kBlockTerminator, file);
}

void write_graphic_control(PACKFILE *file, const RawFrame &frame)
{
    const bool transparent = frame.transparent != -1;
    pack_putc(kExtensionIntroducer, file);
    pack_putc(kGraphicControlLabel, file);
    pack_putc(kGraphicControlSize, file);
    pack_putc(frame.disposal * 4 + (transparent ? kTransparencyFlag : 0), file);
    pack_iputw(frame.delay, file);
    pack_putc(transparent ? frame.transparent : 0, file);
    pack_putc(kBlockTerminator, file);
}

void write_image_descriptor(PACKFILE *file, const RawFrame &frame)
{
    const int bits = table_bits(frame.palette.count);
    pack_putc(kImageSeparator, file);
    pack_iputw(frame.x_offset, file);
    pack_iputw(frame.y_offset, file);
    pack_iputw(frame.image->w, file);
    pack_iputw(frame.image->h, file);
    pack_putc(bits > 0 ? kTableFlag + bits - 1 : 0, file);
}

void write_image_data(PACKFILE *file, const RawFrame &frame)
{
    lzw_encode(file, frame.image);
    pack_putc(kBlockTerminator, file);
}

void write_trailer(PACKFILE *file)
{
    pack_putc(kTrailer, file);
}

} // namespace

int gif_write_raw_animation(PACKFILE *file, const RawAnimation *animation)
{
    if (!animation_writable(animation))
        return -1;
    write_signature(file);
    write_screen_descriptor(file, animation);
    write_colour_table(file, animation->palette);
    if (animation->loop_count != -1)
        write_loop_block(file, animation->loop_count);
    for (int i = 0; i < animation->frame_count; i++) {
        const RawFrame &frame = animation->frames[i];
        write_graphic_control(file, frame);
        write_image_descriptor(file, frame);
        write_colour_table(file, frame.palette);
        write_image_data(file, frame);
    }
    write_trailer(file);
    return pack_ferror(file) ? -1 : 0;
}

int gif_save_raw_animation(const char *filename, const RawAnimation *animation)
{
    if (!animation_writable(animation))
        return -1;
    const bool saved = write_file_safely(
        filename, [animation](PACKFILE *file) { return gif_write_raw_animation(file, animation) == 0; });
    return saved ? 0 : -1;
}
