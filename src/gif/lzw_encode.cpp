// LZW compression of one image, in three layers: the dictionary of (prefix code, pixel) pairs, the code
// packer that turns variable-width codes into bytes, and the sub-block layer that cuts bytes into
// 255-byte data sub-blocks.
#include "gif/gif_internal.h"

#include <cstdint>
#include <cstring>

namespace
{
using namespace gif_format;

constexpr int kSubBlockSize = 255;
constexpr int kSmallestMinCodeSize = 2;

// Sub-block layer: `size` bytes as full sub-blocks with a shorter last one.
void write_sub_blocks(PACKFILE *file, const unsigned char *data, int size)
{
    while (size > 0) {
        const int length = size < kSubBlockSize ? size : kSubBlockSize;
        pack_putc(length, file);
        pack_fwrite(data, length, file);
        data += length;
        size -= length;
    }
}

// Code packer: codes least significant bit first. Whole 32-bit words are staged until sixteen full
// sub-blocks are ready; the bits above the last code of the final byte stay zero.
class CodePacker
{
  public:
    explicit CodePacker(PACKFILE *file) : file_(file) {}

    void put(int code, int width)
    {
        bits_ |= static_cast<std::uint64_t>(code) << count_;
        count_ += width;
        if (count_ < 32)
            return;
        const std::uint32_t word = static_cast<std::uint32_t>(bits_);
        unsigned char *out = stage_ + used_;
        out[0] = word & 0xFF;
        out[1] = (word >> 8) & 0xFF;
        out[2] = (word >> 16) & 0xFF;
        out[3] = word >> 24;
        used_ += 4;
        bits_ >>= 32;
        count_ -= 32;
        if (used_ == kStageSize) {
            write_sub_blocks(file_, stage_, kStageSize);
            used_ = 0;
        }
    }

    void finish()
    {
        for (; count_ > 0; count_ -= 8) {
            stage_[used_++] = bits_ & 0xFF;
            bits_ >>= 8;
        }
        write_sub_blocks(file_, stage_, used_);
    }

  private:
    // A multiple of both the sub-block size and the word size, so a flush leaves nothing behind.
    static constexpr int kStageSize = kSubBlockSize * 16;
    static_assert(kStageSize % 4 == 0, "the stage holds whole words");

    PACKFILE *file_;
    unsigned char stage_[kStageSize + 8];
    int used_ = 0;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

// Dictionary for alphabets of up to 16 pixel values: every code has a row of child codes, one per pixel
// value, 0 for none. A row is cleared when its code is assigned, so starting over touches only the rows of
// the single-pixel codes.
class ChildTable
{
  public:
    static constexpr int kMaxMinCodeSize = 4;

    explicit ChildTable(int min_code_size) : shift_(min_code_size) {}

    void reset() { std::memset(children_, 0, sizeof(children_[0]) << (2 * shift_)); }

    int find(int prefix, int pixel)
    {
        slot_ = (prefix << shift_) | pixel;
        return children_[slot_];
    }

    // Adds the pair of the last unsuccessful find.
    void add(int code)
    {
        children_[slot_] = static_cast<std::uint16_t>(code);
        std::memset(children_ + (code << shift_), 0, sizeof(children_[0]) << shift_);
    }

  private:
    std::uint16_t children_[kMaxCodes << kMaxMinCodeSize];
    int shift_;
    int slot_ = 0;
};

// Dictionary for larger alphabets. Most codes have at most one child, so each code keeps its first child
// at hand (pixel above the 12-bit code, 0 for none); further children go to an open-addressing table of
// (prefix, pixel) keys, each slot packing the key above the code, 0 for an empty slot (no code is 0).
class HashTable
{
  public:
    void reset()
    {
        std::memset(first_child_, 0, sizeof(first_child_));
        std::memset(slots_, 0, sizeof(slots_));
    }

    int find(int prefix, int pixel)
    {
        prefix_ = prefix;
        pixel_ = pixel;
        const std::uint32_t first = first_child_[prefix];
        if (first == 0)
            return 0;
        if (static_cast<int>(first >> kMaxCodeWidth) == pixel)
            return first & (kMaxCodes - 1);
        key_ = (static_cast<std::uint32_t>(prefix) << 8) | static_cast<std::uint32_t>(pixel);
        slot_ = (key_ * 0x9E3779B1u) >> (32 - kSlotBits);
        for (;;) {
            const std::uint32_t entry = slots_[slot_];
            if (entry == 0)
                return 0;
            if ((entry >> kMaxCodeWidth) == key_)
                return entry & (kMaxCodes - 1);
            slot_ = (slot_ + 1) & (kSlotCount - 1);
        }
    }

    // Adds the pair of the last unsuccessful find.
    void add(int code)
    {
        std::uint32_t &first = first_child_[prefix_];
        if (first == 0)
            first = (static_cast<std::uint32_t>(pixel_) << kMaxCodeWidth) | static_cast<std::uint32_t>(code);
        else
            slots_[slot_] = (key_ << kMaxCodeWidth) | static_cast<std::uint32_t>(code);
    }

  private:
    static constexpr int kSlotBits = 13; // twice the codes, so probe chains stay short
    static constexpr int kSlotCount = 1 << kSlotBits;

    std::uint32_t first_child_[kMaxCodes];
    std::uint32_t slots_[kSlotCount];
    int prefix_ = 0;
    int pixel_ = 0;
    std::uint32_t key_ = 0;
    std::uint32_t slot_ = 0;
};

// The size depends only on the bit length of the largest pixel, which the OR of all pixels shares.
int min_code_size_for(const BITMAP *image)
{
    unsigned bits = 0;
    for (int y = 0; y < image->h && bits < 0x80; y++) {
        const unsigned char *row = image->line[y];
        unsigned char row_bits = 0;
        for (int x = 0; x < image->w; x++)
            row_bits |= row[x];
        bits |= row_bits;
    }
    int size = kSmallestMinCodeSize;
    while ((1u << size) <= bits)
        size++;
    return size;
}

template <class Dictionary>
void encode_codes(const BITMAP *image, int min_code_size, Dictionary &dictionary, CodePacker &packer)
{
    const int clear_code = 1 << min_code_size;
    const int end_code = clear_code + 1;
    int next_code = clear_code + 2;
    int width = min_code_size + 1;

    dictionary.reset();
    packer.put(clear_code, width);
    int prefix = image->line[0][0];
    for (int y = 0; y < image->h; y++) {
        const unsigned char *row = image->line[y];
        for (int x = y == 0 ? 1 : 0; x < image->w; x++) {
            const int pixel = row[x];
            const int code = dictionary.find(prefix, pixel);
            if (code != 0) {
                prefix = code;
                continue;
            }
            dictionary.add(next_code++);
            packer.put(prefix, width);
            prefix = pixel;
            if (next_code == (1 << width) + 1 && width < kMaxCodeWidth)
                width++;
            if (next_code == kMaxCodes) {
                packer.put(clear_code, width);
                width = min_code_size + 1;
                next_code = clear_code + 2;
                dictionary.reset();
            }
        }
    }
    packer.put(prefix, width);
    packer.put(end_code, width);
}

} // namespace

void lzw_encode(PACKFILE *file, const BITMAP *image)
{
    const int min_code_size = min_code_size_for(image);
    pack_putc(min_code_size, file);
    CodePacker packer(file);
    if (min_code_size <= ChildTable::kMaxMinCodeSize) {
        ChildTable dictionary(min_code_size);
        encode_codes(image, min_code_size, dictionary, packer);
    } else {
        HashTable dictionary;
        encode_codes(image, min_code_size, dictionary, packer);
    }
    packer.finish();
}
