// Image files are checked before any decoder reads them: the library's BMP
// reader trusts every header field (a declared size is allocated as given,
// RLE runs write past their row), so only what it reads safely gets through.
#include "files/files.h"

#include <loadpng.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

using Bytes = std::string;

std::uint32_t le16(const Bytes &b, std::size_t at)
{
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

std::uint32_t le32(const Bytes &b, std::size_t at)
{
    return le16(b, at) | le16(b, at + 2) << 16;
}

std::uint32_t be32(const Bytes &b, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(b[at + i]);
    }
    return value;
}

ImageCheck check_sides(std::int64_t width, std::int64_t height)
{
    if (width <= 0 || height <= 0) {
        return ImageCheck::BadHeader;
    }
    return width > MAX_IMAGE_SIDE || height > MAX_IMAGE_SIDE ? ImageCheck::TooLarge : ImageCheck::Accepted;
}

// Uncompressed Windows BMPs of 1, 4, 8, 24 or 32 bits, stored bottom-up. The
// reader writes RLE runs past the end of a row, reads a negative (top-down)
// height as a huge unsigned one on 64-bit systems, and takes OS/2 headers and
// bit-field masks this program never writes: all of those are refused.
ImageCheck check_bmp(const Bytes &b)
{
    constexpr std::size_t HEADERS = 54;
    if (b.size() < HEADERS || b.compare(0, 2, "BM") != 0) {
        return ImageCheck::UnknownFormat;
    }
    if (le32(b, 14) != 40) {
        return ImageCheck::Unsupported;
    }
    const auto width = static_cast<std::int32_t>(le32(b, 18));
    const auto height = static_cast<std::int32_t>(le32(b, 22));
    if (ImageCheck sides = check_sides(width, height); sides != ImageCheck::Accepted) {
        return sides;
    }
    const std::uint32_t bits = le16(b, 28);
    const bool plain_depth = bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
    if (!plain_depth || le32(b, 30) != 0) {
        return ImageCheck::Unsupported;
    }
    // The reader takes the bytes between the headers and the pixels as the
    // colour table and does not seek, so the pixels must start after both.
    const std::uint64_t pixels_at = le32(b, 10);
    if (pixels_at < HEADERS) {
        return ImageCheck::BadHeader;
    }
    const std::uint64_t row = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    return b.size() < pixels_at + row * height ? ImageCheck::Truncated : ImageCheck::Accepted;
}

bool valid_png_depth(int colour_type, int depth)
{
    switch (colour_type) {
    case 0:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

// The bytes of image data in chunks that follow each other to an IEND, or
// -1 when the file is cut short before it.
std::int64_t png_image_data_bytes(const Bytes &b)
{
    std::int64_t image_data = 0;
    for (std::uint64_t at = 8; at + 12 <= b.size();) {
        const std::uint64_t length = be32(b, at);
        const Bytes type = b.substr(at + 4, 4);
        at += 12 + length;
        if (at > b.size()) {
            return -1;
        }
        image_data += type == "IDAT" ? length : 0;
        if (type == "IEND") {
            return image_data;
        }
    }
    return -1;
}

// Deflate packs at most 1032 bytes into one, so image data much shorter than
// the rows it declares is cut or forged; the decoder would first allocate it all.
bool png_data_can_fill(const Bytes &b, std::uint64_t width, std::uint64_t height)
{
    static const int CHANNELS[] = {1, 0, 3, 1, 2, 0, 4};
    const unsigned char colour_type = b[25], depth = b[24];
    const std::uint64_t row = 1 + (width * CHANNELS[colour_type] * depth + 7) / 8;
    const std::int64_t image_data = png_image_data_bytes(b);
    return image_data > 0 && static_cast<std::uint64_t>(image_data) * 1100 >= row * height;
}

ImageCheck check_png(const Bytes &b)
{
    static const char SIGNATURE[] = "\x89PNG\r\n\x1a\n";
    if (b.size() < 8 || b.compare(0, 8, SIGNATURE) != 0) {
        return ImageCheck::UnknownFormat;
    }
    if (b.size() < 33 || be32(b, 8) != 13 || b.compare(12, 4, "IHDR") != 0) {
        return ImageCheck::BadHeader;
    }
    if (ImageCheck sides = check_sides(be32(b, 16), be32(b, 20)); sides != ImageCheck::Accepted) {
        return sides;
    }
    const auto field = [&](std::size_t at) { return static_cast<unsigned char>(b[at]); };
    const bool fields_valid =
        valid_png_depth(field(25), field(24)) && field(26) == 0 && field(27) == 0 && field(28) <= 1;
    if (!fields_valid) {
        return ImageCheck::BadHeader;
    }
    return png_data_can_fill(b, be32(b, 16), be32(b, 20)) ? ImageCheck::Accepted : ImageCheck::Truncated;
}

// Our own reader checks the rest; the logical screen becomes the bitmap.
ImageCheck check_gif(const Bytes &b)
{
    if (b.size() < 13 || (b.compare(0, 6, "GIF87a") != 0 && b.compare(0, 6, "GIF89a") != 0)) {
        return ImageCheck::UnknownFormat;
    }
    return check_sides(le16(b, 6), le16(b, 8));
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The extension the library's loader would go by: what follows the last dot
// of the last path component.
std::string extension_of(const std::string &path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) {
        return "";
    }
    return path.substr(dot + 1);
}

std::map<std::string, ImageDecoder> &decoders()
{
    static std::map<std::string, ImageDecoder> table{{"bmp", load_bmp_pf}, {"png", load_png_pf}};
    return table;
}

// A read-only PACKFILE over bytes in memory.
struct MemoryFile {
    const Bytes &bytes;
    std::size_t at = 0;
};

MemoryFile &memory(void *userdata)
{
    return *static_cast<MemoryFile *>(userdata);
}

const PACKFILE_VTABLE MEMORY_VTABLE = {
    [](void *) { return 0; },
    [](void *f) {
        MemoryFile &m = memory(f);
        return m.at < m.bytes.size() ? static_cast<unsigned char>(m.bytes[m.at++]) : EOF;
    },
    [](int c, void *f) {
        MemoryFile &m = memory(f);
        if (m.at == 0) {
            return EOF;
        }
        --m.at;
        return c;
    },
    [](void *p, long n, void *f) {
        MemoryFile &m = memory(f);
        const long count = std::min<long>(std::max(n, 0L), m.bytes.size() - m.at);
        std::memcpy(p, m.bytes.data() + m.at, count);
        m.at += count;
        return count;
    },
    [](int, void *) { return EOF; },
    [](const void *, long, void *) { return 0L; },
    [](void *f, int offset) {
        MemoryFile &m = memory(f);
        if (offset < 0 || static_cast<std::size_t>(offset) > m.bytes.size() - m.at) {
            return -1;
        }
        m.at += offset;
        return 0;
    },
    [](void *f) { return memory(f).at >= memory(f).bytes.size() ? 1 : 0; },
    [](void *) { return 0; },
};

} // namespace

bool read_regular_file(const std::string &path, long limit, std::string &bytes)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= limit;
    bytes.clear();
    char chunk[65536];
    for (ssize_t got = 1; ok && got > 0;) {
        got = read(fd, chunk, sizeof chunk);
        ok = got >= 0 && static_cast<long>(bytes.size() + got) <= limit;
        bytes.append(chunk, ok ? got : 0);
    }
    close(fd);
    return ok;
}

ImageCheck check_image(const std::string &bytes, const std::string &extension)
{
    const std::string format = lower(extension);
    if (format == "bmp") {
        return check_bmp(bytes);
    }
    if (format == "png") {
        return check_png(bytes);
    }
    return format == "gif" ? check_gif(bytes) : ImageCheck::UnknownFormat;
}

void register_image_decoder(const std::string &extension, ImageDecoder decoder)
{
    decoders()[lower(extension)] = decoder;
}

namespace
{
// Colours are told apart by red, green and blue alone: an alpha byte from a
// PNG would make a palette colour differ from the same colour read back from
// a saved BMP, which has none.
void clear_alpha(BITMAP *bmp)
{
    if (!bmp || bitmap_color_depth(bmp) != 32) {
        return;
    }
    // Decoders make memory bitmaps, whose rows can be masked directly: this
    // runs over every interface image at start-up.
    const std::uint32_t rgb = makecol32(255, 255, 255);
    for (int y = 0; y < bmp->h; ++y) {
        std::uint32_t *row = reinterpret_cast<std::uint32_t *>(bmp->line[y]);
        for (int x = 0; x < bmp->w; ++x) {
            row[x] &= rgb;
        }
    }
}
} // namespace

BITMAP *decode_checked_image(const std::string &bytes, const std::string &extension)
{
    const auto decoder = decoders().find(lower(extension));
    if (decoder == decoders().end() || check_image(bytes, extension) != ImageCheck::Accepted) {
        return nullptr;
    }
    MemoryFile file{bytes};
    PACKFILE *packfile = pack_fopen_vtable(&MEMORY_VTABLE, &file);
    if (!packfile) {
        return nullptr;
    }
    // A colour table shorter than the pixels' indices leaves the rest black,
    // not whatever the decoder's own table held.
    PALETTE palette{};
    BITMAP *image = decoder->second(packfile, palette);
    pack_fclose(packfile);
    clear_alpha(image);
    return image;
}

BITMAP *load_checked_bitmap(const std::string &path)
{
    std::string bytes;
    if (!read_regular_file(path, MAX_IMAGE_FILE_BYTES, bytes)) {
        return nullptr;
    }
    return decode_checked_image(bytes, extension_of(path));
}

FONT *load_checked_font(const std::string &path)
{
    // As load_bitmap_font does: a paletted font image keeps its depth.
    const int conversion = get_color_conversion();
    set_color_conversion(COLORCONV_MOST | COLORCONV_KEEP_TRANS);
    BITMAP *image = load_checked_bitmap(path);
    set_color_conversion(conversion);
    if (!image) {
        return nullptr;
    }
    FONT *font = grab_font_from_bitmap(image);
    destroy_bitmap(image);
    return font;
}
