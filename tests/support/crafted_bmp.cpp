#include "crafted_bmp.h"

#include <cstdlib>

namespace
{
void put(std::string &b, std::size_t at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        b[at + i] = static_cast<char>(value >> 8 * i);
    }
}
} // namespace

std::string crafted_bmp(const BmpHeader &h)
{
    const long table = h.bits <= 8 ? 4L << h.bits : 0;
    const long row = (static_cast<long>(h.width) * h.bits + 31) / 32 * 4;
    const long pixels = h.pixel_bytes >= 0 ? h.pixel_bytes : row * std::labs(h.height);
    std::string b(54 + table + pixels, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put(b, 2, b.size(), 4);
    put(b, 10, 54 + table, 4);
    put(b, 14, h.info_size, 4);
    put(b, 18, h.width, 4);
    put(b, 22, h.height, 4);
    put(b, 26, 1, 2);
    put(b, 28, h.bits, 2);
    put(b, 30, h.compression, 4);
    for (long i = 0; i < table; ++i) {
        b[54 + i] = static_cast<char>(i % 4 == 3 ? 0 : 128);
    }
    return b;
}
