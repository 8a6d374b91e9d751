// The GIF writer: the file's bytes, header fields for each table size, the LZW stream against a plain
// linear-search encoder (the writer's faster dictionary must not change a byte), failed saves.
#include "test_gif_support.h"

#include <filesystem>

using namespace gif_test;

using GifWriter = GifTest;

namespace
{
// The image data of a one-frame file without a local table, up to the trailer.
Bytes image_data_of(const Bytes &file)
{
    std::size_t at = 13 + (file[10] & 0x80 ? 3 << ((file[10] & 7) + 1) : 0);
    at += file[at + 1] == 0xFF ? 19 : 0;
    return Bytes(file.begin() + at + 8 + 10, file.end() - 1);
}

// The reference compressor, its dictionary searched linearly: the codes of `pixels` for minimum code size m.
std::vector<int> reference_codes(const Bytes &pixels, int m)
{
    const int clear = 1 << m;
    std::vector<std::pair<int, int>> dictionary; // entry i is code clear + 2 + i
    std::vector<int> codes = {clear};
    int prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); i++) {
        const auto entry = std::make_pair(prefix, static_cast<int>(pixels[i]));
        const auto found = std::find(dictionary.begin(), dictionary.end(), entry);
        if (found != dictionary.end()) {
            prefix = clear + 2 + static_cast<int>(found - dictionary.begin());
            continue;
        }
        codes.push_back(prefix);
        dictionary.push_back(entry);
        prefix = pixels[i];
        if (clear + 2 + dictionary.size() == 4096) {
            codes.push_back(clear);
            dictionary.clear();
        }
    }
    codes.insert(codes.end(), {prefix, clear + 1});
    return codes;
}
} // namespace

TEST_F(GifWriter, CompressesExactlyLikeTheLinearSearchEncoderClearingAFullDictionary)
{
    for (const AnimationPtr &animation : varied_animations()) {
        const Bytes pixels = indices_of(animation->frames[0].image);
        int m = 2;
        while (1 << m <= *std::max_element(pixels.begin(), pixels.end())) {
            m++;
        }
        const std::vector<int> codes = reference_codes(pixels, m);
        EXPECT_EQ(image_data_of(read(save(animation.get()))), pack_codes(m, codes)) << animation->width;
        const int clear = 1 << m;
        if (codes.size() > 4096u - clear) {
            EXPECT_EQ(codes[4095 - clear], clear) << "the dictionary fills and clears mid-stream";
        }
    }
}

TEST_F(GifWriter, WritesATinyAnimationByteForByte)
{
    AnimationPtr animation(gif_create_raw_animation(1));
    animation->width = 3;
    animation->height = 2;
    animation->palette.count = 2;
    animation->palette.entries[0] = {255, 0, 255, 0};
    animation->frames[0] = {index_image(3, 2, [](int x, int y) { return (x + y) % 2; }), {}, 0, 0, 33, 2, 0};

    const Bytes expected = {
        'G', 'I', 'F', '8', '9', 'a',                                            // signature
        0x03, 0x00, 0x02, 0x00, 0xF0, 0x00, 0x00,                                // screen, table of 2
        0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00,                                      // magenta, black
        0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', // looping block
        0x03, 0x01, 0x00, 0x00, 0x00,                                            // repeat forever
        0x21, 0xF9, 0x04, 0x09, 0x21, 0x00, 0x00, 0x00,             // disposal 2, transparent 0, delay 33
        0x2C, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x02, 0x00, 0x00, // image 3 x 2 at (0, 0)
        // codes: clear 4, 0, 1, 6 in 3 bits, then 6 and end 5 in 4 bits; the last 4 bits stay zero
        0x02, 0x03, 0x44, 0x6C, 0x05, 0x00, // minimum code size 2, one sub-block of 3 bytes
        0x3B};
    EXPECT_EQ(read(save(animation.get())), expected);
}

TEST_F(GifWriter, TablesRoundUpCodeSizesStartAtTwoAndLoopBlocksFollowTheCountAndReadBack)
{
    struct Case {
        int colours, table_bits, largest, m, loop_count;
    };
    for (const Case c :
         {Case{0, 0, 0, 2, -1}, Case{1, 1, 1, 2, 0}, Case{2, 1, 3, 2, 65535}, Case{3, 2, 4, 3, -1},
          Case{5, 3, 8, 4, 7}, Case{17, 5, 128, 8, -1}, Case{256, 8, 255, 8, 0}}) {
        SCOPED_TRACE(c.colours);
        AnimationPtr animation(
            single_frame(index_image(4, 4, [&](int x, int y) { return x + y == 6 ? c.largest : 0; }),
                         c.colours, c.loop_count));
        animation->palette.entries[1].r += 9; // outside the palette when it has one colour
        const std::string path = save(animation.get());
        const Bytes global = read(path);
        const std::size_t table = c.table_bits ? 3 << c.table_bits : 0, loop = c.loop_count < 0 ? 0 : 19;
        EXPECT_EQ(global[10], c.table_bits ? 0xF0 + c.table_bits - 1 : 0x70);
        EXPECT_EQ(global[13 + table + 1], loop ? 0xFF : 0xF9); // a looping block or the graphic control
        EXPECT_EQ(loop ? global[13 + table + 16] | global[13 + table + 17] << 8 : -1, c.loop_count);
        EXPECT_EQ(global[13 + table + loop + 8 + 10], c.m); // the minimum code size
        AnimationPtr back = load(path);
        EXPECT_EQ(back->palette.count, table / 3);
        EXPECT_EQ(back->loop_count, c.loop_count);
        if (c.colours == 1) {
            EXPECT_EQ(back->palette.entries[1].r, 0); // padded with black
        }
    }
}

TEST_F(GifWriter, AFailedWriteFailsTheSaveAndLeavesNoFile)
{
    AnimationPtr animation(single_frame(index_image(4, 4, [](int, int) { return 1; }), 2));
    EXPECT_EQ(gif_save_raw_animation("missing/out.gif", animation.get()), -1);
    EXPECT_EQ(gif_save_raw_animation(dir.c_str(), animation.get()), -1);
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}
