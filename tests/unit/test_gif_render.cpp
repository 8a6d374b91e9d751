// Composing frames, loading whole animations, and GIF as a bitmap file type.
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

// The target after frame `frame` drawn at (at, at) on a target that was cleared to the colour (1, 2, 3).
void expect_composed(BITMAP *target, int frame, int at)
{
    const std::string names = "RGBY ";
    const int colours[] = {makecol(255, 0, 0), makecol(0, 255, 0), makecol(0, 0, 255), makecol(255, 255, 0),
                           makecol(1, 2, 3)};
    int differences = 0;
    for (int y = 0; y < target->h; y++)
        for (int x = 0; x < target->w; x++) {
            const bool inside = x >= at && x < at + 4 && y >= at && y < at + 4;
            const char c = inside ? kComposed[frame][y - at][x - at] : ' ';
            differences +=
                getpixel(target, x, y) != (c == '.' ? bitmap_mask_color(target) : colours[names.find(c)]);
        }
    EXPECT_EQ(differences, 0) << "frame " << frame << " at " << at;
}

} // namespace

TEST_F(GifRender, FramesFollowTheirDisposalMethodsClippedToTheTarget)
{
    AnimationPtr animation = four_frames();
    for (const auto &[size, at] : std::vector<std::pair<int, int>>{{6, 1}, {3, -1}}) {
        BitmapPtr target(create_bitmap(size, size));
        clear_to_color(target.get(), makecol(1, 2, 3));
        for (int pass = 0; pass < 2; pass++) // twice through, as a looping player would
            for (int i = 0; i < 4; i++) {
                gif_render_frame(animation.get(), target.get(), i, at, at);
                expect_composed(target.get(), i, at);
            }
        // Frames that do not exist draw nothing.
        gif_render_frame(animation.get(), target.get(), 4, at, at);
        gif_render_frame(animation.get(), target.get(), -1, at, at);
        expect_composed(target.get(), 3, at);
    }
}

TEST_F(GifRender, LoadsEveryFrameComposed)
{
    const std::string path = save(four_frames().get());
    BITMAP **frames = nullptr;
    int *delays = nullptr;
    ASSERT_EQ(gif_load_animation(path.c_str(), &frames, &delays), 4);
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ((std::vector<int>{frames[i]->w, frames[i]->h, bitmap_color_depth(frames[i]), delays[i]}),
                  (std::vector<int>{4, 4, 32, 10 * (i + 1)}));
        expect_composed(frames[i], i, 0);
        destroy_bitmap(frames[i]);
    }
    delete[] frames;
    delete[] delays;

    // load_bitmap gives the last frame, and the global palette in the library's range.
    PALETTE palette;
    std::fill(&palette[0], &palette[256], RGB{9, 9, 9, 0});
    BitmapPtr bitmap(load_bitmap(path.c_str(), palette));
    ASSERT_TRUE(bitmap);
    expect_composed(bitmap.get(), 3, 0);
    EXPECT_EQ((std::vector<int>{palette[1].r, palette[1].g, palette[4].b, palette[8].r, palette[255].b}),
              (std::vector<int>{63, 0, 63, 0, 0}));

    // A file without frames gives none.
    AnimationPtr empty(gif_create_raw_animation(0));
    empty->width = empty->height = 4;
    EXPECT_EQ(load_bitmap(save(empty.get()).c_str(), nullptr), nullptr);
    EXPECT_EQ(gif_load_animation(save(empty.get()).c_str(), &frames, nullptr), 0);
}

TEST_F(GifRender, SaveBitmapWritesOneFrameWithA256ColourLocalPalette)
{
    PALETTE palette;
    for (int i = 0; i < 256; i++)
        palette[i] = {static_cast<unsigned char>(i % 64), static_cast<unsigned char>(i / 4), 7, 0};
    BitmapPtr picture(noise_image(7, 5, 256, 9));
    const std::string path = file("picture.gif");
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
