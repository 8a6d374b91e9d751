// BMP files written byte by byte, with whatever header a test needs.
#pragma once

#include <cstdint>
#include <string>

struct BmpHeader {
    std::int32_t width, height;
    int bits = 24;
    int compression = 0;
    long pixel_bytes = -1; // -1: as many as the header declares
    int info_size = 40;
};

// The two headers, a grey colour table when paletted, then zero pixel bytes.
std::string crafted_bmp(const BmpHeader &header);
