// The image gate: every header the library's loaders would trust is checked
// first, against the loader the file's extension picks.
#include "editor_harness.h"
#include "files/files.h"
#include "gif/gif.h"
#include "headless.h"

#include <cstdint>
#include <sys/stat.h>

namespace
{

std::string with_be32(std::string b, std::size_t at, std::uint32_t value)
{
    const char bytes[] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                          static_cast<char>(value >> 8), static_cast<char>(value)};
    return b.replace(at, 4, bytes, 4);
}

class ImageFiles : public InTemporaryFolder
{
  protected:
    void SetUp() override
    {
        InTemporaryFolder::SetUp();
        gif_init();
    }

    // A 20 x 10 picture written by the library in the format its extension names.
    std::string saved(const std::string &extension)
    {
        BITMAP *picture = create_bitmap(20, 10);
        clear_to_color(picture, makecol(200, 0, 0));
        save_bitmap(("saved." + extension).c_str(), picture, nullptr);
        destroy_bitmap(picture);
        return read_file("saved." + extension);
    }
};

TEST_F(ImageFiles, HeadersTheLoadersWouldTrustAreChecked)
{
    const std::string png = saved("png"), gif = saved("gif");
    const std::size_t first_idat = png.find("IDAT") - 4;
    std::string cut_png = png.substr(0, first_idat + 10), bad_depth = png;
    bad_depth[24] = 3;
    std::string big_gif = gif;
    big_gif[7] = 0x20; // 8192 + 20 wide

    const struct {
        const char *what;
        std::string bytes;
        const char *extension;
        ImageCheck check;
    } cases[] = {
        {"118-byte 40000 x 40000 at 8 bits", crafted_bmp({40000, 40000, 8, 0, 0}).substr(0, 118), "bmp",
         ImageCheck::TooLarge},
        {"4097 wide", crafted_bmp({4097, 1}), "bmp", ImageCheck::TooLarge},
        {"a skin one row short", crafted_bmp({192, 32, 24, 0, 192 * 3 * 31}), "bmp", ImageCheck::Truncated},
        {"RLE8", crafted_bmp({192, 32, 8, 1}), "bmp", ImageCheck::Unsupported},
        {"bit fields", crafted_bmp({192, 32, 32, 3}), "bmp", ImageCheck::Unsupported},
        {"16 bits", crafted_bmp({192, 32, 16}), "bmp", ImageCheck::Unsupported},
        {"OS/2 header", crafted_bmp({192, 32, 24, 0, -1, 12}), "bmp", ImageCheck::Unsupported},
        {"top-down", crafted_bmp({192, -32}), "bmp", ImageCheck::BadHeader},
        {"zero wide", crafted_bmp({0, 32}), "bmp", ImageCheck::BadHeader},
        {"a PNG named .bmp", png, "bmp", ImageCheck::UnknownFormat},
        {"PNG 5000 high", with_be32(png, 20, 5000), "png", ImageCheck::TooLarge},
        {"PNG of depth 3", bad_depth, "png", ImageCheck::BadHeader},
        {"PNG 4000 x 4000 in a few bytes", with_be32(with_be32(png, 16, 4000), 20, 4000), "png",
         ImageCheck::Truncated},
        {"PNG cut in its image data", cut_png, "png", ImageCheck::Truncated},
        {"GIF 8212 wide", big_gif, "gif", ImageCheck::TooLarge},
        {"a GIF named .png", gif, "png", ImageCheck::UnknownFormat},
        {"PCX", "\x0a\x05\x01\x08", "pcx", ImageCheck::UnknownFormat},
        {"TGA", std::string(18, '\0'), "tga", ImageCheck::UnknownFormat},
        {"PNG", png, "PNG", ImageCheck::Accepted},
        {"GIF", gif, "gif", ImageCheck::Accepted},
        {"4096 x 1 at 32 bits", crafted_bmp({4096, 1, 32}), "bmp", ImageCheck::Accepted},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(check_image(c.bytes, c.extension), c.check) << c.what;
        const std::string file = std::string("case.") + c.extension;
        write_file(file, c.bytes);
        BITMAP *image = load_checked_bitmap(file);
        EXPECT_EQ(image != nullptr, c.check == ImageCheck::Accepted) << c.what;
        destroy_bitmap(image);
    }
}

TEST_F(ImageFiles, ACorruptPngWithASoundHeaderIsRefusedByTheDecoder)
{
    std::string png = saved("png");
    const std::size_t data = png.find("IDAT") + 4;
    for (std::size_t i = data; i < data + 8; ++i) {
        png[i] = static_cast<char>(~png[i]);
    }
    write_file("corrupt.png", png);
    EXPECT_EQ(check_image(png, "png"), ImageCheck::Accepted);
    EXPECT_EQ(load_checked_bitmap("corrupt.png"), nullptr);
}

TEST_F(ImageFiles, OnlyRegularFilesAreOpened)
{
    ASSERT_EQ(mkfifo("fifo.bmp", 0600), 0);
    EXPECT_EQ(load_checked_bitmap("fifo.bmp"), nullptr) << "returns at once, without a writer";
    EXPECT_EQ(load_checked_bitmap(dir + "/"), nullptr);
    EXPECT_EQ(load_checked_bitmap("none.bmp"), nullptr);
    EXPECT_EQ(load_checked_font("fifo.bmp"), nullptr);
}

} // namespace
