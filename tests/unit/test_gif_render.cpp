// Composing frames, loading whole animations, and GIF as a bitmap file type and datafile object.
#include "test_gif_support.h"

using namespace gif_test;

namespace
{

class GifRender : public ::testing::Test
{
  protected:
    void SetUp() override { start_gif_library(); }
    ScratchDir dir;
};

const RawPaletteEntry kRed = {255, 0, 0, 0}, kGreen = {0, 255, 0, 0}, kBlue = {0, 0, 255, 0},
                      kWhite = {255, 255, 255, 0}, kYellow = {255, 255, 0, 0};

// A 4 x 4 screen: a 2 x 2 red frame kept in place with one transparent corner, a green frame restored to
// background, a blue pixel restored to what was under it, and a row drawn from a local palette.
AnimationPtr four_frames()
{
    AnimationPtr animation(gif_create_raw_animation(4));
    animation->width = 4;
    animation->height = 4;
    animation->palette.count = 8;
    animation->palette.entries[1] = kRed;
    animation->palette.entries[2] = kGreen;
    animation->palette.entries[3] = kBlue;
    animation->palette.entries[4] = kWhite;
    const auto frame = [&](int i, int x, int y, BITMAP *image, int disposal, int transparent) {
        RawFrame &f = animation->frames[i];
        f.image = image;
        f.x_offset = x;
        f.y_offset = y;
        f.disposal = disposal;
        f.transparent = transparent;
        f.delay = 10 * (i + 1);
    };
    frame(0, 0, 0, index_image(2, 2, [](int x, int y) { return x == 1 && y == 1 ? 0 : 1; }), 1, 0);
    frame(1, 2, 2, index_image(2, 2, [](int, int) { return 2; }), 2, -1);
    frame(2, 0, 0, index_image(1, 1, [](int, int) { return 3; }), 3, -1);
    frame(3, 0, 3, index_image(4, 1, [](int x, int) { return x == 2 ? 5 : 4; }), 0, 5);
    animation->frames[3].palette.count = 8;
    animation->frames[3].palette.entries[4] = kYellow;
    return animation;
}

// The screen after each frame of four_frames(): R red, G green, B blue, Y yellow, '.' mask colour.
const std::vector<std::vector<std::string>> kComposed = {
    {"RR..", "R...", "....", "...."},
    {"RR..", "R...", "..GG", "..GG"},
    {"BR..", "R...", "....", "...."},
    {"RR..", "R...", "....", "YY.Y"},
};

int colour_of(char c, int mask)
{
    switch (c) {
    case 'R':
        return makecol(255, 0, 0);
    case 'G':
        return makecol(0, 255, 0);
    case 'B':
        return makecol(0, 0, 255);
    case 'Y':
        return makecol(255, 255, 0);
    default:
        return mask;
    }
}

// Compares the area of `picture` at (x, y) with the target's pixels.
void expect_picture(BITMAP *target, int x, int y, const std::vector<std::string> &picture)
{
    for (int row = 0; row < static_cast<int>(picture.size()); row++)
        for (int column = 0; column < static_cast<int>(picture[row].size()); column++)
            EXPECT_EQ(getpixel(target, x + column, y + row),
                      colour_of(picture[row][column], bitmap_mask_color(target)))
                << "at " << column << ", " << row;
}

} // namespace

TEST_F(GifRender, FramesFollowTheirDisposalMethods)
{
    AnimationPtr animation = four_frames();
    BitmapPtr target(create_bitmap(6, 6));
    clear_to_color(target.get(), makecol(1, 2, 3));
    for (int i = 0; i < 4; i++) {
        SCOPED_TRACE(i);
        gif_render_frame(animation.get(), target.get(), i, 1, 1);
        expect_picture(target.get(), 1, 1, kComposed[i]);
        for (int k = 0; k < 6; k++) {
            EXPECT_EQ(getpixel(target.get(), k, 0), makecol(1, 2, 3));
            EXPECT_EQ(getpixel(target.get(), 0, k), makecol(1, 2, 3));
            EXPECT_EQ(getpixel(target.get(), k, 5), makecol(1, 2, 3));
            EXPECT_EQ(getpixel(target.get(), 5, k), makecol(1, 2, 3));
        }
        EXPECT_EQ(animation->render_store != nullptr, i == 2);
    }
}

TEST_F(GifRender, StartingOverClearsTheScreenAndTheSavedArea)
{
    AnimationPtr animation = four_frames();
    animation->frames[3].disposal = 3;
    BitmapPtr target(create_bitmap(4, 4));
    for (int i = 0; i < 4; i++)
        gif_render_frame(animation.get(), target.get(), i, 0, 0);
    ASSERT_NE(animation->render_store, nullptr);
    gif_render_frame(animation.get(), target.get(), 0, 0, 0);
    EXPECT_EQ(animation->render_store, nullptr);
    expect_picture(target.get(), 0, 0, kComposed[0]);
}

TEST_F(GifRender, FramesAreClippedToTheTarget)
{
    AnimationPtr animation = four_frames();
    BitmapPtr target(create_bitmap(3, 3));
    for (int i = 0; i < 4; i++) {
        SCOPED_TRACE(i);
        gif_render_frame(animation.get(), target.get(), i, -1, -1);
        std::vector<std::string> visible;
        for (int y = 1; y < 4; y++)
            visible.push_back(kComposed[i][y].substr(1));
        expect_picture(target.get(), 0, 0, visible);
    }
    gif_render_frame(animation.get(), target.get(), 0, 1 << 30, -(1 << 30));
    gif_render_frame(animation.get(), target.get(), 4, 0, 0);
    gif_render_frame(animation.get(), target.get(), -1, 0, 0);
}

TEST_F(GifRender, LoadsEveryFrameComposed)
{
    AnimationPtr animation = four_frames();
    const std::string path = dir.file("four.gif");
    ASSERT_EQ(gif_save_raw_animation(path.c_str(), animation.get()), 0);

    BITMAP **frames = nullptr;
    int *delays = nullptr;
    ASSERT_EQ(gif_load_animation(path.c_str(), &frames, &delays), 4);
    for (int i = 0; i < 4; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frames[i]->w, 4);
        EXPECT_EQ(frames[i]->h, 4);
        EXPECT_EQ(bitmap_color_depth(frames[i]), 32);
        expect_picture(frames[i], 0, 0, kComposed[i]);
        EXPECT_EQ(delays[i], 10 * (i + 1));
        destroy_bitmap(frames[i]);
    }
    delete[] frames;
    delete[] delays;

    ASSERT_EQ(gif_load_animation(path.c_str(), &frames, nullptr), 4);
    for (int i = 0; i < 4; i++)
        destroy_bitmap(frames[i]);
    delete[] frames;
}

TEST_F(GifRender, LoadBitmapGivesTheLastFrameAndThePalette)
{
    AnimationPtr animation = four_frames();
    const std::string path = dir.file("four.gif");
    ASSERT_EQ(gif_save_raw_animation(path.c_str(), animation.get()), 0);

    PALETTE palette;
    BitmapPtr bitmap(load_bitmap(path.c_str(), palette));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap_color_depth(bitmap.get()), 32);
    expect_picture(bitmap.get(), 0, 0, kComposed[3]);
    EXPECT_EQ(palette[1].r, 63);
    EXPECT_EQ(palette[2].g, 63);
    EXPECT_EQ(palette[4].b, 63);
    EXPECT_EQ(palette[7].r + palette[7].g + palette[7].b, 0);
    for (int i = 8; i < 256; i++)
        EXPECT_EQ(palette[i].r + palette[i].g + palette[i].b, 0) << i;

    // Without a global palette the first frame's local one stands in.
    animation->frames[0].palette = animation->palette;
    animation->frames[0].palette.entries[1] = {128, 64, 32, 0};
    animation->palette.count = 0;
    ASSERT_EQ(gif_save_raw_animation(path.c_str(), animation.get()), 0);
    BitmapPtr again(load_bitmap(path.c_str(), palette));
    ASSERT_TRUE(again);
    EXPECT_EQ(palette[1].r, 32);
    EXPECT_EQ(palette[1].g, 16);
    EXPECT_EQ(palette[1].b, 8);
}

TEST_F(GifRender, AFileWithoutFramesGivesNoBitmap)
{
    AnimationPtr empty(gif_create_raw_animation(0));
    empty->width = 4;
    empty->height = 4;
    const std::string path = dir.file("empty.gif");
    ASSERT_EQ(gif_save_raw_animation(path.c_str(), empty.get()), 0);
    EXPECT_EQ(load_bitmap(path.c_str(), nullptr), nullptr);
    BITMAP **frames = nullptr;
    EXPECT_EQ(gif_load_animation(path.c_str(), &frames, nullptr), 0);
    AnimationPtr back(gif_load_raw_animation(path.c_str()));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->frame_count, 0);
}

TEST_F(GifRender, SaveBitmapWritesOneFrameWithA256ColourLocalPalette)
{
    PALETTE palette;
    for (int i = 0; i < 256; i++)
        palette[i] = {static_cast<unsigned char>(i % 64), static_cast<unsigned char>((i / 4) % 64),
                      static_cast<unsigned char>(63 - i % 64), 0};
    BitmapPtr picture(create_bitmap(7, 5));
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 7; x++) {
            const RGB &c = palette[1 + (x * 5 + y * 3) % 63]; // the conversion to 8 bits never picks 0
            putpixel(picture.get(), x, y, makecol(_rgb_scale_6[c.r], _rgb_scale_6[c.g], _rgb_scale_6[c.b]));
        }
    const std::string path = dir.file("picture.gif");
    ASSERT_EQ(save_bitmap(path.c_str(), picture.get(), palette), 0);

    const Bytes file = read_bytes(path);
    EXPECT_EQ(file[10], 0x70);
    EXPECT_EQ(file[13], 0x21);
    EXPECT_EQ(file[14], 0xF9);
    AnimationPtr raw(gif_load_raw_animation(path.c_str()));
    ASSERT_TRUE(raw);
    ASSERT_EQ(raw->frame_count, 1);
    EXPECT_EQ(raw->palette.count, 0);
    EXPECT_EQ(raw->frames[0].palette.count, 256);
    EXPECT_EQ(raw->frames[0].palette.entries[63].r, 255);
    EXPECT_EQ(raw->frames[0].transparent, -1);
    EXPECT_EQ(raw->frames[0].delay, 0);
    EXPECT_EQ(raw->frames[0].disposal, 0);

    PALETTE read_palette;
    BitmapPtr back(load_bitmap(path.c_str(), read_palette));
    ASSERT_TRUE(back);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 7; x++)
            EXPECT_EQ(getpixel(back.get(), x, y), getpixel(picture.get(), x, y)) << x << ", " << y;
    for (int i = 0; i < 256; i++)
        EXPECT_EQ(read_palette[i].g, palette[i].g) << i;
}

TEST_F(GifRender, SaveBitmapWithoutAPaletteUsesTheCurrentOne)
{
    PALETTE original, palette = {};
    palette[1] = {63, 0, 0, 0};
    palette[2] = {0, 0, 63, 0};
    get_palette(original);
    set_palette(palette);
    BitmapPtr indices(index_image(3, 1, [](int x, int) { return x; }));
    const std::string path = dir.file("indices.gif");
    const int result = save_bitmap(path.c_str(), indices.get(), nullptr);
    set_palette(original);
    ASSERT_EQ(result, 0);
    AnimationPtr raw(gif_load_raw_animation(path.c_str()));
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->frames[0].image->line[0][2], 2);
    EXPECT_EQ(raw->frames[0].palette.entries[1].r, 255);
    EXPECT_EQ(raw->frames[0].palette.entries[2].b, 255);
}

TEST_F(GifRender, ADatafileObjectOfTypeGifLoadsAsAnAnimation)
{
    AnimationPtr animation = four_frames();
    const std::string gif_path = dir.file("four.gif");
    ASSERT_EQ(gif_save_raw_animation(gif_path.c_str(), animation.get()), 0);
    const Bytes gif = read_bytes(gif_path);

    // A datafile of one object: the magic, the object count, the type, then the object as a chunk.
    const std::string path = dir.file("objects.dat");
    PACKFILE *file = pack_fopen(path.c_str(), F_WRITE_NOPACK);
    ASSERT_TRUE(file);
    pack_mputl(DAT_MAGIC, file);
    pack_mputl(1, file);
    pack_mputl(DAT_ID('G', 'I', 'F', ' '), file);
    file = pack_fopen_chunk(file, FALSE);
    pack_fwrite(gif.data(), static_cast<long>(gif.size()), file);
    file = pack_fclose_chunk(file);
    pack_fclose(file);

    DATAFILE *data = load_datafile(path.c_str());
    ASSERT_TRUE(data);
    EXPECT_EQ(data[0].type, DAT_ID('G', 'I', 'F', ' '));
    const RawAnimation *loaded = static_cast<const RawAnimation *>(data[0].dat);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->frame_count, 4);
    for (int i = 0; i < 4; i++)
        EXPECT_TRUE(same_indices(loaded->frames[i].image, animation->frames[i].image));
    unload_datafile(data);
}
