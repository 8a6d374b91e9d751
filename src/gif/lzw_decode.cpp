// LZW decompression. Every code's string already stands somewhere in the output: a new code is the
// previous code's string followed by one more pixel, which is exactly where the previous string was
// written. So the dictionary keeps (position, length) pairs and decoding a code is a copy from earlier
// output, without walking prefix chains.
#include "gif/gif_internal.h"

#include <cstdint>
#include <cstring>

namespace
{
using namespace gif_format;

// The format asks for at least 2, even for two-colour images. For smaller sizes decoders disagree on when
// the codes grow wider, and reading them as size 2 would misread every code: such streams are refused.
constexpr int kSmallestMinCodeSize = 2;
constexpr int kLargestMinCodeSize = 11;

std::uint64_t load_little_endian_64(const unsigned char *p)
{
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; i--)
        value = (value << 8) | p[i];
    return value;
}

// Copies `length` earlier pixels from `from` to `to`; the source ends at or before `to`. Short strings,
// the common case, go as one 8-byte move when it stays inside the image: the bytes beyond `length` are
// overwritten by the strings that follow.
void copy_string(unsigned char *pixels, std::size_t to, std::size_t from, std::size_t length,
                 std::size_t pixel_count)
{
    if (length <= 8 && to + 8 <= pixel_count) {
        unsigned char chunk[8];
        std::memcpy(chunk, pixels + from, 8);
        std::memcpy(pixels + to, chunk, 8);
    } else {
        std::memcpy(pixels + to, pixels + from, length);
    }
}

} // namespace

bool lzw_decode(const unsigned char *data, std::size_t size, int min_code_size, unsigned char *pixels,
                std::size_t pixel_count)
{
    if (min_code_size < kSmallestMinCodeSize || min_code_size > kLargestMinCodeSize)
        return false;
    const int clear_code = 1 << min_code_size;
    const int end_code = clear_code + 1;
    int next_code = clear_code + 2;
    int width = min_code_size + 1;

    std::size_t string_start[kMaxCodes];
    std::size_t string_length[kMaxCodes];
    bool have_previous = false;
    std::size_t previous_start = 0;
    std::size_t previous_length = 0;

    const std::uint64_t bits_available = static_cast<std::uint64_t>(size) * 8;
    std::uint64_t bit = 0;
    std::size_t written = 0;
    while (written < pixel_count) {
        if (bit + width > bits_available)
            return false;
        const int code =
            static_cast<int>((load_little_endian_64(data + (bit >> 3)) >> (bit & 7)) & ((1u << width) - 1));
        bit += width;

        if (code == clear_code) {
            next_code = clear_code + 2;
            width = min_code_size + 1;
            have_previous = false;
            continue;
        }
        if (code == end_code) {
            std::memset(pixels + written, 0, pixel_count - written);
            return true;
        }
        std::size_t length;
        if (code < clear_code) {
            pixels[written] = static_cast<unsigned char>(code);
            length = 1;
        } else if (code < next_code) {
            length = string_length[code];
            if (length > pixel_count - written)
                length = pixel_count - written;
            copy_string(pixels, written, string_start[code], length, pixel_count);
        } else if (code == next_code && have_previous) {
            // The code being defined: the previous string and its own first pixel.
            length = previous_length + 1;
            if (length > pixel_count - written)
                length = pixel_count - written;
            copy_string(pixels, written, previous_start, length - 1, pixel_count);
            pixels[written + length - 1] = pixels[previous_start];
        } else {
            return false;
        }

        // A full dictionary stays as it is until the next clear code; the codes keep their width.
        if (have_previous && next_code < kMaxCodes) {
            string_start[next_code] = previous_start;
            string_length[next_code] = previous_length + 1;
            next_code++;
            if (next_code >= (1 << width) && width < kMaxCodeWidth)
                width++;
        }
        have_previous = true;
        previous_start = written;
        previous_length = length;
        written += length;
    }
    return true;
}
