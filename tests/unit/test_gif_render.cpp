// Composing frames, loading whole animations, and GIF as a bitmap file type.
#include "pixel_grid.h"
#include "test_gif_support.h"

using namespace gif_test;

namespace
{

using GifRender = GifTest;

// The screen after each frame of four_frames(): R red, G green, B blue, Y yellow, '.' the mask colour.
const std::vector<std::vector<std::string>> kComposed = {
    {"RR..", "R...", "....", "...."},
    {"RR..", "R...", "..GG", "..GG"},
    {"BR..", "R...", "....", "...."},
    {"RR..", "R...", "....", "YY.Y"},
};

std::vector<std::string> composed(BITMAP *target)
{
    return rows_of(target, {{'R', makecol(255, 0, 0)},
                            {'G', makecol(0, 255, 0)},
                            {'B', makecol(0, 0, 255)},
                            {'Y', makecol(255, 255, 0)},
                            {'.', bitmap_mask_color(target)}});
}

} // namespace

TEST_F(GifRender, LoadsEveryFrameComposed)
{
    const std::string path = save(four_frames().get());
    BITMAP **frames = nullptr;
    int *delays = nullptr;
    ASSERT_EQ(gif_load_animation(path.c_str(), &frames, &delays), 4);
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ((std::vector<int>{frames[i]->w, frames[i]->h, bitmap_color_depth(frames[i]), delays[i]}),
                  (std::vector<int>{4, 4, 32, 10 * (i + 1)}));
        EXPECT_EQ(composed(frames[i]), kComposed[i]);
        destroy_bitmap(frames[i]);
    }
    delete[] frames;
    delete[] delays;

    // load_bitmap gives the last frame, and the global palette in the library's range.
    PALETTE palette;
    std::fill(&palette[0], &palette[256], RGB{9, 9, 9, 0});
    BitmapPtr bitmap(load_bitmap(path.c_str(), palette));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(composed(bitmap.get()), kComposed[3]);
    EXPECT_EQ((std::vector<int>{palette[1].r, palette[1].g, palette[4].b, palette[8].r, palette[255].b}),
              (std::vector<int>{63, 0, 63, 0, 0}));
}

TEST_F(GifRender, SaveBitmapWritesOneFrameWithA256ColourLocalPalette)
{
    PALETTE palette;
    for (int i = 0; i < 256; i++)
        palette[i] = {static_cast<unsigned char>(i % 64), static_cast<unsigned char>(i / 4), 7, 0};
    BitmapPtr picture(noise_image(7, 5, 256, 9));
    const std::string path = "picture.gif";
    ASSERT_EQ(save_bitmap(path.c_str(), picture.get(), palette), 0);
    const Bytes bytes = read(path);
    EXPECT_EQ(Bytes(bytes.begin() + 10, bytes.begin() + 15),
              (Bytes{0x70, 0, 0, 0x21, 0xF9})); // no table, no loop
    AnimationPtr raw = load(path);
    ASSERT_TRUE(raw);
    const RawFrame &frame = raw->frames[0];
    EXPECT_EQ(indices_of(frame.image), indices_of(picture.get()));
    EXPECT_EQ(
        (std::vector<int>{raw->frame_count, frame.palette.count, frame.palette.entries[255].r,
                          frame.palette.entries[255].g, frame.transparent, frame.delay, frame.disposal}),
        (std::vector<int>{1, 256, 255, 255, -1, 0, 0}));
}
