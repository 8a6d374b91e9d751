// The GIF reader: GIF87a and GIF89a files into a RawAnimation. Anything that would make it read past the
// data, overrun the dictionary or take more memory than a load may is refused, and a refused file leaves
// nothing allocated behind.
#include "gif/gif_internal.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace
{
using namespace gif_format;

constexpr char kSignaturePrefix[] = "GIF8";

long long memory_limit = kGifMemoryLimit;

// Bytes from the PACKFILE; reading past its end marks the input truncated.
class Input
{
  public:
    explicit Input(PACKFILE *file) : file_(file) {}

    // The next byte, or EOF at the end (which is not an error between blocks).
    int next() { return pack_getc(file_); }

    int byte()
    {
        const int c = pack_getc(file_);
        if (c == EOF) {
            truncated_ = true;
            return 0;
        }
        return c;
    }

    int word()
    {
        const int low = byte();
        return low | (byte() << 8);
    }

    bool bytes(unsigned char *to, int count)
    {
        if (pack_fread(to, count, file_) != count)
            truncated_ = true;
        return !truncated_;
    }

    bool truncated() const { return truncated_; }

  private:
    PACKFILE *file_;
    bool truncated_ = false;
};

// Settings of the last graphic control extension, for the next image.
struct Control {
    int delay = 0;
    int disposal = 0;
    int transparent = -1;
};

// Frames read so far; their images are released unless the list is handed over.
class FrameList
{
  public:
    FrameList() = default;
    FrameList(const FrameList &) = delete;
    FrameList &operator=(const FrameList &) = delete;
    ~FrameList()
    {
        for (RawFrame &frame : frames_)
            destroy_bitmap(frame.image);
    }

    void add(const RawFrame &frame) { frames_.push_back(frame); }

    void hand_over(RawAnimation *animation)
    {
        for (std::size_t i = 0; i < frames_.size(); i++)
            animation->frames[i] = frames_[i];
        frames_.clear();
    }

    int size() const { return static_cast<int>(frames_.size()); }

  private:
    std::vector<RawFrame> frames_;
};

struct ReadState {
    Control control;
    FrameList frames;
    long long memory = 0; // what the frames read so far take
    int loop_count = -1;  // no looping block seen
};

bool read_colour_table(Input &in, int flags, RawPalette &palette)
{
    palette.count = 2 << (flags & kTableSizeMask);
    for (int i = 0; i < palette.count; i++) {
        palette.entries[i].r = in.byte();
        palette.entries[i].g = in.byte();
        palette.entries[i].b = in.byte();
    }
    return !in.truncated();
}

// Runs through the data sub-blocks up to the terminator, appending their bytes to `data` when given.
bool read_sub_blocks(Input &in, std::vector<unsigned char> *data)
{
    unsigned char skipped[kLargestSubBlock];
    for (;;) {
        const int length = in.byte();
        if (in.truncated())
            return false;
        if (length == 0)
            return true;
        unsigned char *to = skipped;
        if (data) {
            data->resize(data->size() + length);
            to = data->data() + data->size() - length;
        }
        if (!in.bytes(to, length))
            return false;
    }
}

// The pixels of a bitmap whose rows follow each other in memory, as the library lays out memory bitmaps;
// null otherwise.
unsigned char *contiguous_pixels(BITMAP *image)
{
    for (int y = 1; y < image->h; y++) {
        if (image->line[y] != image->line[0] + static_cast<std::size_t>(y) * image->w)
            return nullptr;
    }
    return image->line[0];
}

// Rows in the order they were stored; for an interlaced image that is every 8th row from 0, every 8th from
// 4, every 4th from 2, then every 2nd from 1.
void copy_rows(const unsigned char *pixels, BITMAP *image, bool interlaced)
{
    static const int kPassStart[] = {0, 4, 2, 1};
    static const int kPassStep[] = {8, 8, 4, 2};
    const std::size_t width = image->w;
    std::size_t source = 0;
    for (int pass = 0; pass < (interlaced ? 4 : 1); pass++) {
        const int step = interlaced ? kPassStep[pass] : 1;
        for (int y = interlaced ? kPassStart[pass] : 0; y < image->h; y += step)
            std::memcpy(image->line[y], pixels + width * source++, width);
    }
}

// Decodes straight into the image when its rows are in stored order and contiguous; otherwise through a
// second buffer of the image's size, which must fit in the memory the load has left.
bool decode_image(const std::vector<unsigned char> &data, std::size_t data_size, int min_code_size,
                  BITMAP *image, bool interlaced, long long spare_memory)
{
    const std::size_t pixel_count = static_cast<std::size_t>(image->w) * image->h;
    unsigned char *direct = interlaced ? nullptr : contiguous_pixels(image);
    if (direct)
        return lzw_decode(data.data(), data_size, min_code_size, direct, pixel_count);
    if (static_cast<long long>(pixel_count) > spare_memory)
        return false;
    std::unique_ptr<unsigned char[]> pixels(new unsigned char[pixel_count]);
    if (!lzw_decode(data.data(), data_size, min_code_size, pixels.get(), pixel_count))
        return false;
    copy_rows(pixels.get(), image, interlaced);
    return true;
}

bool read_image(Input &in, ReadState &state)
{
    RawFrame frame = {};
    frame.x_offset = in.word();
    frame.y_offset = in.word();
    const int width = in.word();
    const int height = in.word();
    const int flags = in.byte();
    if (in.truncated() || width == 0 || height == 0)
        return false;
    const long long pixel_count = static_cast<long long>(width) * height;
    state.memory += pixel_count + height * static_cast<long long>(sizeof(unsigned char *)) +
                    static_cast<long long>(sizeof(RawFrame) + sizeof(BITMAP));
    if (state.memory > memory_limit)
        return false;
    if ((flags & kTableFlag) && !read_colour_table(in, flags, frame.palette))
        return false;

    const int min_code_size = in.byte();
    std::vector<unsigned char> data;
    if (in.truncated() || !read_sub_blocks(in, &data))
        return false;
    const std::size_t data_size = data.size();
    data.resize(data_size + kLzwInputPadding);

    std::unique_ptr<BITMAP, void (*)(BITMAP *)> image(create_bitmap_ex(8, width, height), destroy_bitmap);
    if (!image || !decode_image(data, data_size, min_code_size, image.get(), flags & kInterlaceFlag,
                                memory_limit - state.memory))
        return false;
    frame.image = image.release();
    frame.delay = state.control.delay;
    frame.disposal = state.control.disposal;
    frame.transparent = state.control.transparent;
    state.control = Control();
    state.frames.add(frame);
    return true;
}

bool read_graphic_control(Input &in, Control &control)
{
    if (in.byte() != kGraphicControlSize)
        return false;
    const int flags = in.byte();
    control.delay = in.word();
    const int transparent = in.byte();
    control.disposal = (flags >> 2) & 7;
    control.transparent = (flags & kTransparencyFlag) ? transparent : -1;
    return !in.truncated() && read_sub_blocks(in, nullptr);
}

// An application extension: the identifier sub-block, then its data sub-blocks.
bool read_application(Input &in, int &loop_count)
{
    unsigned char block[kLargestSubBlock];
    const int id_length = in.byte();
    if (in.truncated() || !in.bytes(block, id_length))
        return false;
    const int id_size = sizeof(kLoopApplication) - 1;
    if (id_length != id_size || std::memcmp(block, kLoopApplication, id_size) != 0)
        return read_sub_blocks(in, nullptr);
    const int length = in.byte();
    if (in.truncated() || !in.bytes(block, length))
        return false;
    if (length == 0)
        return true;
    if (length == kLoopSubBlockSize)
        loop_count = block[0] == kLoopSubBlockId ? block[1] | (block[2] << 8) : 0;
    return read_sub_blocks(in, nullptr);
}

bool read_extension(Input &in, ReadState &state)
{
    const int label = in.byte();
    if (in.truncated())
        return false;
    if (label == kGraphicControlLabel)
        return read_graphic_control(in, state.control);
    if (label == kApplicationLabel)
        return read_application(in, state.loop_count);
    return read_sub_blocks(in, nullptr);
}

bool read_signature(Input &in)
{
    unsigned char signature[6];
    if (!in.bytes(signature, sizeof(signature)))
        return false;
    return std::memcmp(signature, kSignaturePrefix, 4) == 0 && (signature[4] == '7' || signature[4] == '9') &&
           signature[5] == 'a';
}

RawAnimation *read_animation(PACKFILE *file)
{
    Input in(file);
    if (!read_signature(in))
        return nullptr;
    const int width = in.word();
    const int height = in.word();
    const int flags = in.byte();
    const int background = in.byte();
    in.byte(); // pixel aspect ratio
    RawPalette palette = {};
    if (in.truncated() || ((flags & kTableFlag) && !read_colour_table(in, flags, palette)))
        return nullptr;

    ReadState state;
    for (int c = in.next(); c != EOF && c != kTrailer; c = in.next()) {
        if (c == kImageSeparator && !read_image(in, state))
            return nullptr;
        if (c == kExtensionIntroducer && !read_extension(in, state))
            return nullptr;
    }

    RawAnimation *animation = gif_create_raw_animation(state.frames.size());
    animation->width = width;
    animation->height = height;
    animation->background = background;
    animation->loop_count = state.loop_count;
    animation->palette = palette;
    state.frames.hand_over(animation);
    return animation;
}

} // namespace

void gif_set_memory_limit(long long bytes)
{
    memory_limit = bytes;
}

long long gif_memory_limit()
{
    return memory_limit;
}

RawAnimation *gif_read_raw_animation(PACKFILE *file)
{
    // Running out of memory refuses the file like any other size that does not fit.
    try {
        return read_animation(file);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

RawAnimation *gif_load_raw_animation(const char *filename)
{
    PACKFILE *file = pack_fopen(filename, "r");
    if (!file)
        return nullptr;
    RawAnimation *animation = gif_read_raw_animation(file);
    pack_fclose(file);
    return animation;
}
