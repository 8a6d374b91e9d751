// The GIF library against giflib, an independent decoder: our files decode to the same pixels, and so do
// streams that keep a full dictionary without a clear code.
#include "test_gif_support.h"

#include <gif_lib.h>

using namespace gif_test;

namespace
{

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

TEST_F(GiflibInterop, GiflibDecodesOurFilesToTheSamePixels)
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
