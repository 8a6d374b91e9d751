// The GIF library against independent implementations: our files decoded by giflib and by ImageMagick,
// and files written by giflib read and composed by ours like ImageMagick composes them.
#include "test_gif_support.h"

#include <gif_lib.h>

using namespace gif_test;

namespace
{

class GifInterop : public GifTest
{
  protected:
    void SetUp() override
    {
        GifTest::SetUp();
        if (std::system("command -v convert >/dev/null") != 0)
            GTEST_SKIP() << "ImageMagick's convert is not installed";
    }

    // Our composition of every frame against ImageMagick's: the mask colour where ImageMagick is transparent,
    // the same colour everywhere else.
    void expect_composed_like_imagemagick(const std::string &path) const
    {
        AnimationPtr animation = load(path);
        ASSERT_TRUE(animation);
        const std::size_t w = animation->width, h = animation->height;
        ASSERT_EQ(std::system(("convert '" + path + "' -coalesce -depth 8 rgba:theirs").c_str()), 0);
        const std::string theirs = read_file("theirs");
        ASSERT_EQ(theirs.size(), animation->frame_count * w * h * 4);
        BitmapPtr target(create_bitmap(w, h));
        int differences = 0;
        for (int f = 0; f < animation->frame_count; f++) {
            gif_render_frame(animation.get(), target.get(), f, 0, 0);
            for (std::size_t i = 0; i < w * h; i++) {
                const auto *c = reinterpret_cast<const unsigned char *>(&theirs[(f * w * h + i) * 4]);
                differences += getpixel(target.get(), i % w, i / w) !=
                               (c[3] ? makecol(c[0], c[1], c[2]) : bitmap_mask_color(target.get()));
            }
        }
        EXPECT_EQ(differences, 0) << path;
    }
};

struct GiflibFrame {
    int x, y, w, h, interlaced, local_colours, disposal, transparent; // local_colours 0: the global table
    Bytes pixels;
};

ColorMapObject *colour_map(int colours, int salt)
{
    ColorMapObject *map = GifMakeMapObject(colours, nullptr);
    for (int i = 0; i < colours; i++)
        map->Colors[i] = {static_cast<GifByteType>(i * 7 + salt), static_cast<GifByteType>(255 - i * 3),
                          static_cast<GifByteType>(i * 13 + salt * 5)};
    return map;
}

// giflib's file of `frames` on a 120 x 100 screen with a global table of 16 colours.
bool giflib_write(const std::string &path, const std::vector<GiflibFrame> &frames)
{
    int error = 0;
    GifFileType *gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif)
        return false;
    gif->SWidth = 120;
    gif->SHeight = 100;
    gif->SColorResolution = 8;
    gif->SColorMap = colour_map(16, 0);
    for (const GiflibFrame &f : frames) {
        SavedImage *image = GifMakeSavedImage(gif, nullptr);
        ColorMapObject *local = f.local_colours ? colour_map(f.local_colours, 77) : nullptr;
        image->ImageDesc = {f.x, f.y, f.w, f.h, f.interlaced != 0, local};
        image->RasterBits = static_cast<GifByteType *>(std::malloc(f.pixels.size()));
        std::copy(f.pixels.begin(), f.pixels.end(), image->RasterBits);
        const GraphicsControlBlock control = {f.disposal, false, 10, f.transparent};
        EGifGCBToSavedExtension(&control, gif, gif->ImageCount - 1);
    }
    return EGifSpew(gif) == GIF_OK;
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

Bytes noise(int w, int h, int colours, unsigned seed)
{
    return indices_of(BitmapPtr(noise_image(w, h, colours, seed)).get());
}

using GiflibInterop = GifTest;

} // namespace

TEST_F(GiflibInterop, DecodesLikeGiflibWhenTheDictionaryStaysFullWithoutAClearCode)
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

TEST_F(GifInterop, GiflibAndImageMagickDecodeOurFilesToTheSamePixels)
{
    std::vector<AnimationPtr> animations = varied_animations();
    animations.push_back(four_frames());
    for (const AnimationPtr &animation : animations) {
        const std::string path = save(animation.get());
        const std::vector<Bytes> theirs = giflib_decode(path);
        ASSERT_EQ(theirs.size(), static_cast<std::size_t>(animation->frame_count));
        for (int i = 0; i < animation->frame_count; i++)
            EXPECT_EQ(theirs[i], indices_of(animation->frames[i].image));
        expect_composed_like_imagemagick(path);
    }
}

TEST_F(GifInterop, ReadsGiflibAnimationsWithInterlaceLocalPalettesAndDisposals)
{
    const std::vector<GiflibFrame> frames = {
        {0, 0, 120, 100, true, 0, 1, -1, noise(120, 100, 16, 1)}, // fills the dictionary
        {5, 4, 10, 7, true, 32, 3, 3, noise(10, 7, 32, 4)},
        {15, 15, 20, 10, false, 0, 2, 0, noise(20, 10, 16, 2)},
        {0, 20, 120, 80, false, 256, 1, -1, noise(120, 80, 256, 5)}, // fills the dictionary twice
        {30, 0, 10, 13, true, 0, 3, 7, noise(10, 13, 16, 3)},
    };
    const std::string path = "giflib.gif";
    ASSERT_TRUE(giflib_write(path, frames));
    AnimationPtr animation = load(path);
    ASSERT_TRUE(animation);
    ASSERT_EQ(animation->frame_count, static_cast<int>(frames.size()));
    for (std::size_t i = 0; i < frames.size(); i++) {
        const RawFrame &a = animation->frames[i];
        const GiflibFrame &b = frames[i];
        EXPECT_EQ(indices_of(a.image), b.pixels) << i;
        EXPECT_EQ((std::vector<int>{a.x_offset, a.y_offset, a.disposal, a.transparent, a.palette.count}),
                  (std::vector<int>{b.x, b.y, b.disposal, b.transparent, b.local_colours}));
    }
    expect_composed_like_imagemagick(path);
}
