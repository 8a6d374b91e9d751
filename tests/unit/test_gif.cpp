// The GIF library: the oddities of real files, hostile files refused without harm, the writer's header
// fields, composed frames, and both directions against giflib, an independent decoder.
#include "editor_harness.h"
#include "gif/gif_internal.h"
#include "headless.h"
#include "pixel_grid.h"

#include <gif_lib.h>

#include <algorithm>
#include <memory>
#include <random>
#include <utility>

namespace
{
using Bytes = std::vector<unsigned char>;
struct Deleter {
    void operator()(RawAnimation *animation) const { gif_destroy_raw_animation(animation); }
    void operator()(BITMAP *bitmap) const { destroy_bitmap(bitmap); }
};
using AnimationPtr = std::unique_ptr<RawAnimation, Deleter>;
using BitmapPtr = std::unique_ptr<BITMAP, Deleter>;

// The GIF type registered, in a fresh working directory removed after each test.
class Gif : public InTemporaryFolder
{
  protected:
    void SetUp() override
    {
        InTemporaryFolder::SetUp();
        [[maybe_unused]] static const bool registered = (gif_init(), true);
    }

    static std::string save(const RawAnimation *animation)
    {
        EXPECT_EQ(gif_save_raw_animation("out.gif", animation), 0);
        return "out.gif";
    }
    static AnimationPtr load(const std::string &path)
    {
        return AnimationPtr(gif_load_raw_animation(path.c_str()));
    }
    static std::string write(const Bytes &bytes, const std::string &name = "in.gif")
    {
        write_file(name, std::string(bytes.begin(), bytes.end()));
        return name;
    }
    // Each way in refuses the file and hands back no frames.
    static void expect_refused(const Bytes &bytes)
    {
        const std::string path = write(bytes);
        EXPECT_EQ(load(path), nullptr);
        EXPECT_EQ(BitmapPtr(load_bitmap(path.c_str(), nullptr)), nullptr);
        BITMAP **frames = reinterpret_cast<BITMAP **>(1);
        int *delays = reinterpret_cast<int *>(1);
        EXPECT_EQ(gif_load_animation(path.c_str(), &frames, &delays), 0);
        EXPECT_EQ(frames, nullptr);
        EXPECT_EQ(delays, nullptr);
    }
};

BITMAP *index_image(int w, int h, const std::function<int(int, int)> &index)
{
    BITMAP *image = create_bitmap_ex(8, w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            image->line[y][x] = static_cast<unsigned char>(index(x, y));
    return image;
}

BITMAP *noise_image(int w, int h, int colours, unsigned seed)
{
    std::mt19937 random(seed);
    return index_image(w, h, [&](int, int) { return static_cast<int>(random() % colours); });
}

Bytes indices_of(const BITMAP *image)
{
    Bytes pixels;
    for (int y = 0; y < image->h; y++)
        pixels.insert(pixels.end(), image->line[y], image->line[y] + image->w);
    return pixels;
}

// One frame holding `image` (taken over), with a global palette of `colours` entries that all differ.
RawAnimation *single_frame(BITMAP *image, int colours, int loop_count = -1)
{
    RawAnimation *animation = gif_create_raw_animation(1);
    *animation = {image->w, image->h, 1, 0, loop_count, {colours, {}}, animation->frames, nullptr};
    for (int i = 0; i < colours; i++)
        animation->palette.entries[i] = {static_cast<unsigned char>(i), static_cast<unsigned char>(255 - i),
                                         static_cast<unsigned char>(i * 37), 0};
    animation->frames[0].image = image;
    animation->frames[0].transparent = -1;
    return animation;
}

// One pixel, a single row, noise with 2, 17 and 256 colours (filling the dictionary many times), long runs.
std::vector<AnimationPtr> varied_animations()
{
    std::vector<AnimationPtr> animations;
    for (BITMAP *image :
         {index_image(1, 1, [](int, int) { return 0; }), noise_image(1000, 1, 5, 1),
          noise_image(300, 200, 2, 2), noise_image(200, 120, 17, 3), noise_image(210, 150, 256, 4),
          index_image(400, 300, [](int x, int y) { return (x / 90 + y * 7) % 64; })})
        animations.emplace_back(single_frame(image, 256));
    return animations;
}

// A 4 x 4 screen: a 2 x 2 red frame kept in place with one transparent corner, a green frame restored to
// background, a blue pixel restored to what was under it, and a row drawn from a local palette.
AnimationPtr four_frames()
{
    AnimationPtr animation(gif_create_raw_animation(4));
    animation->width = animation->height = 4;
    animation->palette = {8,
                          {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {255, 255, 255, 0}}};
    const auto frame = [&](int i, int x, int y, BITMAP *image, int disposal, int transparent) {
        animation->frames[i] = {image, {}, x, y, 10 * (i + 1), disposal, transparent};
    };
    frame(0, 0, 0, index_image(2, 2, [](int x, int y) { return x == 1 && y == 1 ? 0 : 1; }), 1, 0);
    frame(1, 2, 2, index_image(2, 2, [](int, int) { return 2; }), 2, -1);
    frame(2, 0, 0, index_image(1, 1, [](int, int) { return 3; }), 3, -1);
    frame(3, 0, 3, index_image(4, 1, [](int x, int) { return x == 2 ? 5 : 4; }), 0, 5);
    animation->frames[3].palette = {8, {{}, {}, {}, {}, {255, 255, 0, 0}}};
    return animation;
}

// Image data holding `codes`, each as wide as a decoder expects it (m + 1 bits after a clear code, one more
// each time the next free code reaches a power of two, at most 12), in sub-blocks of up to 255 bytes.
Bytes pack_codes(int m, const std::vector<int> &codes)
{
    Bytes stream, data = {static_cast<unsigned char>(m)};
    int bits = 0, width = m + 1, next = (1 << m) + 2;
    bool first = true;
    for (const int code : codes) {
        for (int i = 0; i < width; i++, bits++) {
            if (bits % 8 == 0)
                stream.push_back(0);
            stream.back() |= ((code >> i) & 1) << (bits % 8);
        }
        if (code == 1 << m) {
            width = m + 1;
            next = (1 << m) + 2;
            first = true;
        } else if (!std::exchange(first, false) && ++next >= 1 << width && width < 12) {
            width++;
        }
    }
    for (std::size_t at = 0; at < stream.size(); at += 255) {
        data.push_back(static_cast<unsigned char>(std::min<std::size_t>(255, stream.size() - at)));
        data.insert(data.end(), stream.begin() + at, stream.begin() + at + data.back());
    }
    data.push_back(0);
    return data;
}

Bytes operator+(Bytes a, const Bytes &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes word(int value)
{
    return {static_cast<unsigned char>(value & 255), static_cast<unsigned char>(value >> 8)};
}

// A GIF89a file: a w x h screen with a global table of four colours, `blocks`, the trailer.
Bytes gif(int w, int h, const Bytes &blocks)
{
    return Bytes{'G', 'I', 'F', '8', '9', 'a'} + word(w) + word(h) +
           Bytes{0xF1, 0, 0, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255} + blocks + Bytes{0x3B};
}

// An image descriptor of a w x h image at (0, 0) with `local` as its flags and table, then its data.
Bytes image(int w, int h, const std::vector<int> &codes, int m = 2, const Bytes &local = {0})
{
    return Bytes{0x2C, 0, 0, 0, 0} + word(w) + word(h) + local + pack_codes(m, codes);
}

// The indices of every image as giflib decodes them; none when giflib refuses the file.
std::vector<Bytes> giflib_decode(const std::string &path)
{
    int error = 0;
    GifFileType *gif = DGifOpenFileName(path.c_str(), &error);
    std::vector<Bytes> images;
    if (gif && DGifSlurp(gif) == GIF_OK) {
        for (int i = 0; i < gif->ImageCount; i++) {
            const SavedImage &image = gif->SavedImages[i];
            images.emplace_back(image.RasterBits,
                                image.RasterBits + image.ImageDesc.Width * image.ImageDesc.Height);
        }
    }
    DGifCloseFile(gif, &error);
    return images;
}

} // namespace

TEST_F(Gif, ReaderRefusesHostileFilesCleanly)
{
    // A 4 x 4 image with a local table after a looping block and a graphic control extension: any cut
    // inside a block refuses the file, a cut between blocks leaves no frame, and the trailer may be missing.
    const Bytes loop = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
    const Bytes control = {0x21, 0xF9, 4, 1, 0, 0, 1, 0}, local = Bytes{0x81} + Bytes(12, 7);
    const std::vector<int> sixteen = {4, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 5};
    const Bytes good = gif(4, 4, loop + control + image(4, 4, sixteen, 2, local));
    const std::vector<std::size_t> between = {25, 25 + loop.size(), 25 + loop.size() + control.size()};
    for (std::size_t cut = 0; cut < good.size(); cut++) {
        const Bytes file(good.begin(), good.begin() + cut);
        if (cut == good.size() - 1 || std::count(between.begin(), between.end(), cut)) {
            AnimationPtr animation = load(write(file));
            ASSERT_TRUE(animation) << cut;
            EXPECT_EQ(animation->frame_count, cut == good.size() - 1) << cut;
        } else {
            expect_refused(file);
        }
    }

    Bytes gif87a = good, other_signature = good;
    gif87a[4] = '7';
    other_signature[4] = '8';
    EXPECT_TRUE(load(write(gif87a)));
    const Bytes large = image(10000, 10000, {4, 5});
    const std::vector<Bytes> cases = {
        other_signature,
        gif(4, 4, Bytes{0x21, 0xF9, 5, 0, 0, 0, 0, 0, 0} + image(4, 4, sixteen)), // graphic control of size 5
        gif(4, 4, image(0, 4, {4, 5})),
        gif(4, 4, image(4, 0, {4, 5})),
        gif(4, 4, image(20000, 20000, {4, 5})), // too large to hold
        gif(4, 4, large + large + large),       // too large together
        gif(4, 4, image(4, 4, {4096, 4097}, 12)),
        gif(4, 4, image(4, 4, {1, 0, 2}, 0)),                        // minimum code size 0
        gif(4, 4, image(3, 1, {2, 1, 0, 4, 3}, 1)),                  // minimum code size 1
        gif(4, 4, image(4, 4, {4, 1, 7, 5})),                        // a code beyond the next free code
        gif(4, 4, image(4, 4, {4, 6, 5})),                           // an undefined code after a clear code
        gif(4, 4, image(4, 4, sixteen) + image(4, 4, {4, 1, 7, 5})), // a bad second frame
    };
    for (std::size_t i = 0; i < cases.size(); i++) {
        SCOPED_TRACE(i);
        expect_refused(cases[i]);
    }
    EXPECT_EQ(load("absent.gif"), nullptr);
}

TEST_F(Gif, KeepsImagesAndTheSecondBufferOfInterlacedOnesWithinTheMemoryLimit)
{
    // 800 x 800 pixels fit in 1 MiB once but not twice, as an interlaced image needs to reorder its rows.
    const auto loads = [&](int w, int h, unsigned char flags) {
        return load(write(gif(4, 4, image(w, h, {4, 5}, 2, {flags})))) != nullptr;
    };
    gif_set_memory_limit(1 << 20);
    const bool plain = loads(800, 800, 0), interlaced = loads(800, 800, 0x40), larger = loads(1100, 1000, 0);
    gif_set_memory_limit(kGifMemoryLimit);
    EXPECT_TRUE(plain);
    EXPECT_FALSE(interlaced);
    EXPECT_FALSE(larger);
}

TEST_F(Gif, TablesRoundUpCodeSizesStartAtTwoAndLoopBlocksFollowTheCountAndReadBack)
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
        const std::string file = read_file(path);
        const Bytes global(file.begin(), file.end());
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

TEST_F(Gif, DecodesLikeGiflibWhenTheDictionaryStaysFullWithoutAClearCode)
{
    // Random codes, each one the decoder can follow, fill the dictionary, go on without a clear code, then
    // clear and start over. The lengths of the codes' strings give the image size.
    std::mt19937 random(7);
    std::vector<int> codes, length(4096, 1);
    int next = 6, previous = -1, pixels = 0;
    const auto put = [&](int code) {
        codes.push_back(code);
        if (code == 4) {
            next = 6;
            previous = -1;
            return;
        }
        if (previous >= 0 && next < 4096)
            length[next++] = length[previous] + 1;
        pixels += code < 4 ? 1 : length[code];
        previous = code;
    };
    const auto put_any = [&] {
        const int code = previous < 0 ? random() % 4 : random() % std::min(next + 1, 4096);
        put(code == 4 || code == 5 ? code - 4 : code);
    };
    put(4);
    while (codes.size() < 6000)
        put_any();
    ASSERT_EQ(next, 4096);
    put(4);
    while (codes.size() < 6100 || pixels % 256)
        put_any();
    put(5);

    const std::string path = write(gif(256, pixels / 256, image(256, pixels / 256, codes)));
    AnimationPtr animation = load(path);
    ASSERT_TRUE(animation);
    const std::vector<Bytes> theirs = giflib_decode(path);
    ASSERT_EQ(theirs.size(), 1u);
    EXPECT_EQ(indices_of(animation->frames[0].image), theirs[0]);
}

TEST_F(Gif, GiflibDecodesOurFilesToTheSamePixels)
{
    std::vector<AnimationPtr> animations = varied_animations();
    animations.push_back(four_frames());
    for (const AnimationPtr &animation : animations) {
        const std::vector<Bytes> theirs = giflib_decode(save(animation.get()));
        ASSERT_EQ(theirs.size(), static_cast<std::size_t>(animation->frame_count));
        for (int i = 0; i < animation->frame_count; i++)
            EXPECT_EQ(theirs[i], indices_of(animation->frames[i].image));
    }
}
