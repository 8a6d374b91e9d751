// The GIF reader: the oddities of real files, and hostile files that must
// be refused without harm.
#include "test_gif_support.h"

using namespace gif_test;

namespace
{

class GifReader : public GifTest
{
  protected:
    void expect_refused(const Bytes &bytes)
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

} // namespace

TEST_F(GifReader, ToleratesWhatRealFilesContain)
{
    // Stray bytes, a comment, and an application extension of two sub-blocks.
    const Bytes others = {0x00, 0x99, 0x21, 0xFE, 3,   'a', 'b', 'c', 0, 0x21, 0xFF, 11, 'X', 'M', 'P',
                          ' ',  'D',  'a',  't',  'a', 'X', 'M', 'P', 2, 1,    2,    1,  7,   0};
    const std::vector<std::tuple<std::vector<int>, Bytes, int, Bytes>> cases = {
        {{1, 0, 5}, {1, 0}, 2, {}},          // no clear code first
        {{4, 1, 5}, {1, 0, 0}, 2, {}},       // end code before the image is full
        {{4, 1, 1}, {1, 1}, 2, {}},          // no end code
        {{4, 1, 1, 1, 1, 5}, {1, 1}, 2, {}}, // codes beyond the full image
        {{4, 1, 1, 6, 5}, {1, 1, 1}, 2, {}}, // a string running past the image
        {{4, 1, 0, 5}, {1, 0}, 2, others},   // other blocks before the image
    };
    for (const auto &[codes, expected, m, before] : cases) {
        const int w = static_cast<int>(expected.size());
        AnimationPtr animation = load(write(gif(w, 1, before + image(w, 1, codes, m))));
        ASSERT_TRUE(animation) << codes.size();
        EXPECT_EQ(indices_of(animation->frames[0].image), expected);
    }
}

TEST_F(GifReader, RefusesHostileFilesCleanly)
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

TEST_F(GifReader, KeepsImagesAndTheSecondBufferOfInterlacedOnesWithinTheMemoryLimit)
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
