// The GIF writer: the file's bytes, the LZW stream against a plain linear-search encoder, and the save's
// failures.
#include "test_gif_support.h"

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

using namespace gif_test;

namespace
{

class GifWriter : public ::testing::Test
{
  protected:
    void SetUp() override { start_headless_library(); }

    Bytes save(const RawAnimation *animation)
    {
        const std::string path = dir.file("out.gif");
        EXPECT_EQ(gif_save_raw_animation(path.c_str(), animation), 0);
        return read_bytes(path);
    }

    ScratchDir dir;
};

// The compressor exactly as first described: the dictionary searched linearly, codes packed bit by bit
// into a 255-byte block. Gives the image data: minimum code size, sub-blocks, terminator.
Bytes reference_image_data(BITMAP *image)
{
    int largest = 0;
    for (int y = 0; y < image->h; y++)
        for (int x = 0; x < image->w; x++)
            largest = std::max<int>(largest, image->line[y][x]);
    int m = 2;
    while ((1 << m) <= largest)
        m++;

    Bytes out = {static_cast<unsigned char>(m)};
    unsigned char block[255] = {};
    int bits = 0;
    auto write_code = [&](int code, int width) {
        for (int i = 0; i < width; i++) {
            if (code & (1 << i))
                block[bits / 8] |= 1 << (bits % 8);
            if (++bits == 2040) {
                out.push_back(255);
                out.insert(out.end(), block, block + 255);
                std::memset(block, 0, sizeof(block));
                bits = 0;
            }
        }
    };

    const int clear = 1 << m, end = clear + 1;
    int next = clear + 2, width = m + 1;
    std::vector<std::pair<int, int>> dictionary(4096);
    write_code(clear, width);
    int prefix = image->line[0][0];
    for (int i = 1; i < image->w * image->h; i++) {
        const int p = image->line[i / image->w][i % image->w];
        int found = 0;
        for (int code = end + 1; code < next && !found; code++)
            if (dictionary[code] == std::make_pair(prefix, p))
                found = code;
        if (found) {
            prefix = found;
            continue;
        }
        dictionary[next++] = {prefix, p};
        write_code(prefix, width);
        prefix = p;
        if (next == (1 << width) + 1 && width <= 11)
            width++;
        if (next == 4096) {
            write_code(clear, width);
            width = m + 1;
            next = clear + 2;
        }
    }
    write_code(prefix, width);
    write_code(end, width);
    if (bits > 0) {
        out.push_back(static_cast<unsigned char>((bits + 7) / 8));
        out.insert(out.end(), block, block + (bits + 7) / 8);
    }
    out.push_back(0);
    return out;
}

// The codes of one image's data as a decoder reads them, up to the end code.
std::vector<int> codes_of(const Bytes &image_data)
{
    const int m = image_data[0];
    Bytes stream;
    for (std::size_t at = 1; image_data[at] != 0; at += image_data[at] + 1)
        stream.insert(stream.end(), image_data.begin() + at + 1,
                      image_data.begin() + at + 1 + image_data[at]);
    std::vector<int> codes;
    const int clear = 1 << m;
    int width = m + 1, next = clear + 2;
    bool first = true;
    for (std::size_t bit = 0; bit + width <= stream.size() * 8;) {
        int code = 0;
        for (int i = 0; i < width; i++, bit++)
            code |= ((stream[bit / 8] >> (bit % 8)) & 1) << i;
        codes.push_back(code);
        if (code == clear + 1)
            break;
        if (code == clear) {
            width = m + 1;
            next = clear + 2;
            first = true;
            continue;
        }
        if (!first && ++next >= (1 << width) && width < 12)
            width++;
        first = false;
    }
    return codes;
}

// With no loop block and no colour tables, the image data starts after the screen descriptor, the graphic
// control extension and the image descriptor, and runs up to the trailer.
Bytes image_data_of(const Bytes &file)
{
    return Bytes(file.begin() + 6 + 7 + 8 + 10, file.end() - 1);
}

int entries_in(const std::string &directory)
{
    int count = 0;
    if (DIR *d = opendir(directory.c_str())) {
        while (dirent *entry = readdir(d))
            count += std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0;
        closedir(d);
    }
    return count;
}

} // namespace

TEST_F(GifWriter, WritesATinyAnimationByteForByte)
{
    AnimationPtr animation(gif_create_raw_animation(1));
    animation->width = 3;
    animation->height = 2;
    animation->loop_count = 0;
    animation->palette.count = 2;
    animation->palette.entries[0] = {255, 0, 255, 0};
    RawFrame &frame = animation->frames[0];
    frame.image = index_image(3, 2, [](int x, int y) { return (x + y) % 2; });
    frame.delay = 33;
    frame.disposal = 2;
    frame.transparent = 0;

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
    EXPECT_EQ(save(animation.get()), expected);
}

TEST_F(GifWriter, ColourTablesRoundUpToAPowerOfTwo)
{
    struct Case {
        int count, flags, entries;
    };
    for (const Case c : {Case{0, 0x70, 0}, Case{1, 0x70, 0}, Case{2, 0xF0, 2}, Case{3, 0xF1, 4},
                         Case{5, 0xF2, 8}, Case{17, 0xF4, 32}, Case{256, 0xF7, 256}}) {
        SCOPED_TRACE(c.count);
        AnimationPtr animation(single_frame(index_image(1, 1, [](int, int) { return 0; }), c.count));
        animation->palette.entries[c.entries ? c.entries - 1 : 0] = {9, 8, 7, 0};
        const Bytes global = save(animation.get());
        EXPECT_EQ(global[10], c.flags);
        ASSERT_EQ(global.size(), 13u + 3 * c.entries + 8 + 10 + 5 + 1);
        if (c.entries > 1) {
            EXPECT_EQ(Bytes(global.begin() + 10 + 3 * c.entries, global.begin() + 13 + 3 * c.entries),
                      (Bytes{9, 8, 7}));
        }

        animation->frames[0].palette = animation->palette;
        animation->palette.count = 0;
        const Bytes local = save(animation.get());
        EXPECT_EQ(local[10], 0x70);
        EXPECT_EQ(local[13 + 8 + 9], c.entries ? 0x80 + c.flags - 0xF0 : 0x00);
        EXPECT_EQ(local.size(), global.size());
    }
}

TEST_F(GifWriter, MinimumCodeSizeFollowsTheLargestIndexButIsAtLeastTwo)
{
    for (const auto &[largest, size] : std::vector<std::pair<int, int>>{
             {0, 2}, {1, 2}, {3, 2}, {4, 3}, {7, 3}, {8, 4}, {16, 5}, {127, 7}, {128, 8}, {255, 8}}) {
        SCOPED_TRACE(largest);
        AnimationPtr animation(
            single_frame(index_image(4, 4, [&](int x, int y) { return x == 3 && y == 3 ? largest : 0; }), 0));
        EXPECT_EQ(image_data_of(save(animation.get()))[0], size);
    }
}

TEST_F(GifWriter, AFullDictionaryIsClearedMidStream)
{
    // 256 colours: codes 258 to 4095 are assigned before the clear, so it is the 3840th code.
    AnimationPtr many(single_frame(noise_image(200, 150, 256, 11), 0));
    std::vector<int> codes = codes_of(image_data_of(save(many.get())));
    ASSERT_GT(codes.size(), 3840u);
    EXPECT_EQ(codes[0], 256);
    EXPECT_EQ(std::count(codes.begin() + 1, codes.begin() + 3839, 256), 0);
    EXPECT_EQ(codes[3839], 256);
    EXPECT_EQ(codes.back(), 257);

    // Four colours: codes 6 to 4095 before the clear.
    AnimationPtr few(single_frame(noise_image(300, 300, 4, 12), 0));
    codes = codes_of(image_data_of(save(few.get())));
    ASSERT_GT(codes.size(), 4091u);
    EXPECT_EQ(std::count(codes.begin(), codes.begin() + 4091, 4), 1);
    EXPECT_EQ(codes[4091], 4);

    // The data still decodes to the image.
    const std::string path = dir.file("out.gif");
    AnimationPtr back(gif_load_raw_animation(path.c_str()));
    ASSERT_TRUE(back);
    EXPECT_TRUE(same_indices(back->frames[0].image, few->frames[0].image));
}

TEST_F(GifWriter, LoopBlockIsWrittenUnlessTheLoopCountIsMinusOne)
{
    const Bytes loop_block = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S',  'C',
                              'A',  'P',  'E',  '2', '.', '0', 0x03, 0x01};
    for (const int loop_count : {0, 7, 65535}) {
        AnimationPtr animation(single_frame(index_image(2, 2, [](int, int) { return 1; }), 2, loop_count));
        const Bytes file = save(animation.get());
        Bytes expected = loop_block;
        expected.insert(expected.end(), {static_cast<unsigned char>(loop_count & 255),
                                         static_cast<unsigned char>(loop_count >> 8), 0x00});
        EXPECT_EQ(Bytes(file.begin() + 19, file.begin() + 38), expected);
        EXPECT_EQ(file[38], 0x21);
        EXPECT_EQ(file[39], 0xF9);
    }
    AnimationPtr once(single_frame(index_image(2, 2, [](int, int) { return 1; }), 2, -1));
    const Bytes file = save(once.get());
    EXPECT_EQ(file[19], 0x21);
    EXPECT_EQ(file[20], 0xF9);
    EXPECT_EQ(std::search(file.begin(), file.end(), loop_block.begin() + 3, loop_block.end() - 2),
              file.end());
}

TEST_F(GifWriter, CompressesExactlyLikeTheLinearSearchEncoder)
{
    for (const NamedImage &image : varied_images()) {
        SCOPED_TRACE(image.name);
        AnimationPtr animation(single_frame(image.make(), 0));
        EXPECT_EQ(image_data_of(save(animation.get())), reference_image_data(animation->frames[0].image));
    }
}

TEST_F(GifWriter, RefusesWhatAGifCannotHoldAndWritesNothing)
{
    const std::string path = dir.file("out.gif");
    const std::vector<std::pair<std::string, std::function<void(RawAnimation &)>>> cases = {
        {"257 global colours", [](RawAnimation &a) { a.palette.count = 257; }},
        {"257 local colours", [](RawAnimation &a) { a.frames[0].palette.count = 257; }},
        {"negative colour count", [](RawAnimation &a) { a.palette.count = -1; }},
        {"no image",
         [](RawAnimation &a) {
             destroy_bitmap(a.frames[0].image);
             a.frames[0].image = nullptr;
         }},
        {"32-bit image",
         [](RawAnimation &a) {
             destroy_bitmap(a.frames[0].image);
             a.frames[0].image = create_bitmap_ex(32, 4, 4);
         }},
        {"delay beyond 16 bits", [](RawAnimation &a) { a.frames[0].delay = 65536; }},
        {"negative offset", [](RawAnimation &a) { a.frames[0].x_offset = -1; }},
        {"screen beyond 16 bits", [](RawAnimation &a) { a.width = 65536; }},
        {"transparent index beyond 255", [](RawAnimation &a) { a.frames[0].transparent = 256; }},
        {"disposal beyond 7", [](RawAnimation &a) { a.frames[0].disposal = 8; }},
        {"loop count below -1", [](RawAnimation &a) { a.loop_count = -2; }},
    };
    for (const auto &[name, spoil] : cases) {
        SCOPED_TRACE(name);
        AnimationPtr animation(single_frame(index_image(4, 4, [](int, int) { return 1; }), 2));
        spoil(*animation);
        EXPECT_EQ(gif_save_raw_animation(path.c_str(), animation.get()), -1);
        EXPECT_EQ(entries_in(dir.path()), 0);
    }
}

TEST_F(GifWriter, ATargetThatCannotBeOpenedFails)
{
    AnimationPtr animation(single_frame(index_image(4, 4, [](int, int) { return 1; }), 2));
    EXPECT_EQ(gif_save_raw_animation(dir.file("missing/out.gif").c_str(), animation.get()), -1);
    EXPECT_EQ(gif_save_raw_animation(dir.path().c_str(), animation.get()), -1);
    EXPECT_EQ(entries_in(dir.path()), 0);
}

TEST_F(GifWriter, AReadOnlyTargetIsLeftAlone)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may write to read-only files";
    const std::string path = dir.file("out.gif");
    write_bytes(path, {'o', 'l', 'd'});
    chmod(path.c_str(), 0444);
    AnimationPtr animation(single_frame(index_image(4, 4, [](int, int) { return 1; }), 2));
    EXPECT_EQ(gif_save_raw_animation(path.c_str(), animation.get()), -1);
    EXPECT_EQ(read_bytes(path), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(entries_in(dir.path()), 1);
}

TEST_F(GifWriter, AFailedWriteFailsTheSaveAndKeepsTheOldFile)
{
    // A file size limit makes writes fail with the file already open: one case fails while the data is
    // written, the other only when the last buffered bytes are flushed at close.
    struct Case {
        int size;
        rlim_t limit;
    };
    const std::string path = dir.file("out.gif");
    for (const Case c : {Case{400, 20000}, Case{16, 40}}) {
        SCOPED_TRACE(c.size);
        write_bytes(path, {'o', 'l', 'd'});
        AnimationPtr animation(single_frame(noise_image(c.size, c.size, 256, 13), 256));
        rlimit original;
        getrlimit(RLIMIT_FSIZE, &original);
        rlimit limited = original;
        limited.rlim_cur = c.limit;
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
        const int result = gif_save_raw_animation(path.c_str(), animation.get());
        setrlimit(RLIMIT_FSIZE, &original);
        std::signal(SIGXFSZ, handler);

        EXPECT_NE(result, 0);
        EXPECT_EQ(read_bytes(path), (Bytes{'o', 'l', 'd'}));
        EXPECT_EQ(entries_in(dir.path()), 1);
    }
}
