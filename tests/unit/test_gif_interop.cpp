// The GIF library against independent implementations: our files decoded by giflib and by ImageMagick,
// and files written by giflib and ImageMagick read and composed by ours.
#include "test_gif_support.h"

#include <gif_lib.h>

#include <array>
#include <cstring>

using namespace gif_test;

namespace
{

class GifInterop : public ::testing::Test
{
  protected:
    void SetUp() override { start_gif_library(); }
    ScratchDir dir;
};

bool have_imagemagick()
{
    return std::system("command -v convert >/dev/null 2>&1") == 0;
}

Bytes command_output(const std::string &command)
{
    Bytes out;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        unsigned char buffer[65536];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
            out.insert(out.end(), buffer, buffer + n);
        pclose(pipe);
    }
    return out;
}

// ImageMagick's frames of a GIF composed over each other, as RGBA bytes.
Bytes imagemagick_composed(const std::string &path)
{
    return command_output("convert '" + path + "' -coalesce -depth 8 rgba:-");
}

// The animation that the editor's export makes of a skin: a standing and a walking figure of 16 x 16
// magnified three times, magenta as the transparent index 0, ten colours in a palette of 16.
AnimationPtr skin_export()
{
    AnimationPtr animation(gif_create_raw_animation(2));
    animation->width = 48;
    animation->height = 48;
    animation->loop_count = 0;
    animation->palette.count = 16;
    animation->palette.entries[0] = {255, 0, 255, 0};
    for (int i = 1; i < 10; i++)
        animation->palette.entries[i] = {static_cast<unsigned char>(20 * i),
                                         static_cast<unsigned char>(200 - 15 * i),
                                         static_cast<unsigned char>(90 + 7 * i), 0};
    for (int f = 0; f < 2; f++) {
        const auto figure = [f](int x, int y) {
            if ((x - 8) * (x - 8) + (y - 4) * (y - 4) < 10)
                return y == 3 && (x == 7 || x == 9) ? 9 : 2;
            if (x >= 5 && x <= 10 && y >= 7 && y <= 12)
                return 3 + (x + y + f) % 3;
            if (y >= 13 && (x == 5 + 2 * f || x == 10 - 2 * f))
                return 6 + f;
            return y == 15 ? 8 : 0;
        };
        RawFrame &frame = animation->frames[f];
        frame.image = index_image(48, 48, [&](int x, int y) { return figure(x / 3, y / 3); });
        frame.delay = 33;
        frame.disposal = 2;
        frame.transparent = 0;
    }
    return animation;
}

struct GiflibFrame {
    int x, y, w, h;
    bool interlaced;
    int local_colours; // 0: the global table
    int disposal, delay, transparent;
    std::vector<unsigned char> pixels;
};

GifColorType test_colour(int i, int salt)
{
    return {static_cast<GifByteType>(i * 7 + salt), static_cast<GifByteType>(255 - i * 3),
            static_cast<GifByteType>((i * 13 + salt * 5) & 255)};
}

ColorMapObject *colour_map(int colours, int salt)
{
    std::vector<GifColorType> entries;
    for (int i = 0; i < colours; i++)
        entries.push_back(test_colour(i, salt));
    return GifMakeMapObject(colours, entries.data());
}

bool giflib_write(const std::string &path, int width, int height, int global_colours, int loop_count,
                  const std::vector<GiflibFrame> &frames)
{
    int error = 0;
    GifFileType *gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif)
        return false;
    EGifSetGifVersion(gif, true);
    ColorMapObject *global = colour_map(global_colours, 0);
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, global) == GIF_OK;
    GifFreeMapObject(global);
    if (loop_count >= 0) {
        GifByteType loop[3] = {1, static_cast<GifByteType>(loop_count & 255),
                               static_cast<GifByteType>(loop_count >> 8)};
        ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
             EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
             EGifPutExtensionBlock(gif, 3, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
    }
    for (const GiflibFrame &frame : frames) {
        GraphicsControlBlock control = {frame.disposal, false, frame.delay, frame.transparent};
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        ok = ok &&
             EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK;
        ColorMapObject *local = frame.local_colours ? colour_map(frame.local_colours, 77) : nullptr;
        ok = ok &&
             EGifPutImageDesc(gif, frame.x, frame.y, frame.w, frame.h, frame.interlaced, local) == GIF_OK;
        GifFreeMapObject(local);
        std::vector<int> rows;
        if (frame.interlaced) {
            for (const auto &[start, step] : std::vector<std::pair<int, int>>{{0, 8}, {4, 8}, {2, 4}, {1, 2}})
                for (int y = start; y < frame.h; y += step)
                    rows.push_back(y);
        } else {
            for (int y = 0; y < frame.h; y++)
                rows.push_back(y);
        }
        for (const int y : rows) {
            std::vector<GifPixelType> line(frame.pixels.begin() + y * frame.w,
                                           frame.pixels.begin() + (y + 1) * frame.w);
            ok = ok && EGifPutLine(gif, line.data(), frame.w) == GIF_OK;
        }
    }
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

std::vector<unsigned char> noise(int count, int colours, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<unsigned char> pixels(count);
    for (unsigned char &p : pixels)
        p = static_cast<unsigned char>(random() % colours);
    return pixels;
}

std::vector<unsigned char> indices_of(BITMAP *image)
{
    std::vector<unsigned char> pixels;
    for (int y = 0; y < image->h; y++)
        pixels.insert(pixels.end(), image->line[y], image->line[y] + image->w);
    return pixels;
}

// Our composition of every frame against ImageMagick's: the mask colour where ImageMagick is transparent,
// the same colour everywhere else.
void expect_composed_like_imagemagick(const std::string &path)
{
    AnimationPtr animation(gif_load_raw_animation(path.c_str()));
    ASSERT_TRUE(animation);
    const int w = animation->width, h = animation->height;
    const Bytes theirs = imagemagick_composed(path);
    ASSERT_EQ(theirs.size(), static_cast<std::size_t>(animation->frame_count) * w * h * 4);
    BitmapPtr target(create_bitmap(w, h));
    const int mask = bitmap_mask_color(target.get());
    int differences = 0;
    for (int f = 0; f < animation->frame_count; f++) {
        gif_render_frame(animation.get(), target.get(), f, 0, 0);
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) {
                const unsigned char *rgba = &theirs[((static_cast<std::size_t>(f) * h + y) * w + x) * 4];
                const int expected = rgba[3] == 0 ? mask : makecol(rgba[0], rgba[1], rgba[2]);
                differences += getpixel(target.get(), x, y) != expected;
            }
    }
    EXPECT_EQ(differences, 0);
}

} // namespace

TEST_F(GifInterop, GiflibDecodesOurFilesToTheSamePixels)
{
    std::vector<AnimationPtr> animations;
    for (const NamedImage &image : varied_images())
        animations.emplace_back(single_frame(image.make(), 256));
    animations.push_back(skin_export());

    for (std::size_t n = 0; n < animations.size(); n++) {
        SCOPED_TRACE(n);
        const RawAnimation *animation = animations[n].get();
        const std::string path = dir.file("ours.gif");
        ASSERT_EQ(gif_save_raw_animation(path.c_str(), animation), 0);
        int error = 0;
        GifFileType *gif = DGifOpenFileName(path.c_str(), &error);
        ASSERT_TRUE(gif);
        ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
        ASSERT_EQ(gif->ImageCount, animation->frame_count);
        EXPECT_EQ(gif->SWidth, animation->width);
        for (int i = 0; i < gif->ImageCount; i++) {
            const RawFrame &frame = animation->frames[i];
            const SavedImage &image = gif->SavedImages[i];
            const std::size_t size = static_cast<std::size_t>(image.ImageDesc.Width) * image.ImageDesc.Height;
            EXPECT_EQ(std::vector<unsigned char>(image.RasterBits, image.RasterBits + size),
                      indices_of(frame.image));
            GraphicsControlBlock control;
            ASSERT_EQ(DGifSavedExtensionToGCB(gif, i, &control), GIF_OK);
            EXPECT_EQ(control.DisposalMode, frame.disposal);
            EXPECT_EQ(control.DelayTime, frame.delay);
            EXPECT_EQ(control.TransparentColor, frame.transparent);
        }
        if (animation->loop_count == 0) {
            const SavedImage &first = gif->SavedImages[0];
            ASSERT_GE(first.ExtensionBlockCount, 2);
            EXPECT_EQ(first.ExtensionBlocks[0].Function, APPLICATION_EXT_FUNC_CODE);
            EXPECT_EQ(std::memcmp(first.ExtensionBlocks[0].Bytes, "NETSCAPE2.0", 11), 0);
            EXPECT_EQ(first.ExtensionBlocks[1].ByteCount, 3);
            EXPECT_EQ(first.ExtensionBlocks[1].Bytes[0], 1);
            EXPECT_EQ(first.ExtensionBlocks[1].Bytes[1] | first.ExtensionBlocks[1].Bytes[2] << 8, 0);
        }
        DGifCloseFile(gif, &error);
    }
}

TEST_F(GifInterop, ImageMagickShowsOurFilesWithTheSameColours)
{
    if (!have_imagemagick())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    std::vector<std::pair<std::string, AnimationPtr>> animations;
    animations.emplace_back("skin export", skin_export());
    for (const NamedImage &image : varied_images())
        animations.emplace_back(image.name, single_frame(image.make(), 256));
    for (const auto &[name, animation] : animations) {
        SCOPED_TRACE(name);
        const std::string path = dir.file("ours.gif");
        ASSERT_EQ(gif_save_raw_animation(path.c_str(), animation.get()), 0);
        expect_composed_like_imagemagick(path);
    }
}

TEST_F(GifInterop, ReadsGiflibAnimationsWithInterlaceLocalPalettesAndDisposals)
{
    const std::vector<GiflibFrame> frames = {
        {0, 0, 40, 30, true, 0, 1, 5, -1, noise(40 * 30, 16, 1)},
        {15, 15, 20, 10, false, 0, 2, 0, 0, noise(20 * 10, 16, 3)},
        {30, 0, 10, 13, true, 0, 0, 100, 7, noise(10 * 13, 16, 4)},
        // The local palettes come last: giflib loses a local palette that a frame without one follows.
        {5, 4, 10, 7, true, 32, 3, 12, 3, noise(10 * 7, 32, 2)},
        {0, 20, 40, 10, false, 64, 1, 1, -1, noise(40 * 10, 64, 5)},
    };
    const std::string path = dir.file("giflib.gif");
    ASSERT_TRUE(giflib_write(path, 40, 30, 16, 3, frames));

    AnimationPtr animation(gif_load_raw_animation(path.c_str()));
    ASSERT_TRUE(animation);
    EXPECT_EQ(animation->width, 40);
    EXPECT_EQ(animation->height, 30);
    EXPECT_EQ(animation->loop_count, 3);
    EXPECT_EQ(animation->palette.count, 16);
    EXPECT_EQ(animation->palette.entries[5].g, test_colour(5, 0).Green);
    ASSERT_EQ(animation->frame_count, static_cast<int>(frames.size()));
    for (std::size_t i = 0; i < frames.size(); i++) {
        SCOPED_TRACE(i);
        const RawFrame &frame = animation->frames[i];
        EXPECT_EQ(indices_of(frame.image), frames[i].pixels);
        EXPECT_EQ(frame.x_offset, frames[i].x);
        EXPECT_EQ(frame.y_offset, frames[i].y);
        EXPECT_EQ(frame.disposal, frames[i].disposal);
        EXPECT_EQ(frame.delay, frames[i].delay);
        EXPECT_EQ(frame.transparent, frames[i].transparent);
        EXPECT_EQ(frame.palette.count, frames[i].local_colours);
        if (frames[i].local_colours) {
            EXPECT_EQ(frame.palette.entries[9].b, test_colour(9, 77).Blue);
        }
    }
    if (have_imagemagick())
        expect_composed_like_imagemagick(path);
}

TEST_F(GifInterop, ReadsGiflibImagesThatFillTheDictionaryManyTimes)
{
    for (const int colours : {2, 16, 256}) {
        SCOPED_TRACE(colours);
        const std::vector<unsigned char> pixels = noise(500 * 400, colours, colours);
        const std::string path = dir.file("noise.gif");
        ASSERT_TRUE(giflib_write(path, 500, 400, 256, -1, {{0, 0, 500, 400, false, 0, 0, 0, -1, pixels}}));
        AnimationPtr animation(gif_load_raw_animation(path.c_str()));
        ASSERT_TRUE(animation);
        EXPECT_EQ(indices_of(animation->frames[0].image), pixels);
    }
}

TEST_F(GifInterop, ReadsImageMagickFilesToTheirColours)
{
    if (!have_imagemagick())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    // Source pictures with at most 256 colours, so that ImageMagick keeps every colour as it is.
    struct Source {
        std::string name;
        int w, h;
        std::function<std::array<unsigned char, 3>(int, int)> colour;
        std::string options;
    };
    const auto noise_colour = [](int colours) {
        auto random = std::make_shared<std::mt19937>(colours);
        return [random, colours](int, int) {
            const int i = static_cast<int>((*random)() % colours);
            return std::array<unsigned char, 3>{static_cast<unsigned char>(i),
                                                static_cast<unsigned char>(i * 3),
                                                static_cast<unsigned char>(255 - i)};
        };
    };
    const std::vector<Source> sources = {
        {"interlaced", 64, 48,
         [](int x, int y) {
             return std::array<unsigned char, 3>{static_cast<unsigned char>(x / 8 * 30),
                                                 static_cast<unsigned char>(y / 8 * 40),
                                                 static_cast<unsigned char>((x + y) / 16 * 20)};
         },
         "-interlace GIF"},
        {"256-colour noise", 300, 300, noise_colour(256), ""},
        {"16-colour noise", 400, 300, noise_colour(16), ""},
    };
    for (const Source &source : sources) {
        SCOPED_TRACE(source.name);
        Bytes rgb;
        for (int y = 0; y < source.h; y++)
            for (int x = 0; x < source.w; x++) {
                const auto c = source.colour(x, y);
                rgb.insert(rgb.end(), c.begin(), c.end());
            }
        const std::string raw = dir.file("source.rgb"), path = dir.file("magick.gif");
        write_bytes(raw, rgb);
        ASSERT_EQ(std::system(("convert -size " + std::to_string(source.w) + "x" + std::to_string(source.h) +
                               " -depth 8 rgb:'" + raw + "' +dither " + source.options + " '" + path + "'")
                                  .c_str()),
                  0);

        int error = 0;
        GifFileType *gif = DGifOpenFileName(path.c_str(), &error);
        ASSERT_TRUE(gif);
        ASSERT_EQ(DGifSlurp(gif), GIF_OK);
        EXPECT_EQ(gif->SavedImages[0].ImageDesc.Interlace, !source.options.empty());
        DGifCloseFile(gif, &error);

        BitmapPtr picture(load_bitmap(path.c_str(), nullptr));
        ASSERT_TRUE(picture);
        int differences = 0;
        for (int y = 0; y < source.h; y++)
            for (int x = 0; x < source.w; x++) {
                const unsigned char *c = &rgb[(static_cast<std::size_t>(y) * source.w + x) * 3];
                differences += getpixel(picture.get(), x, y) != makecol(c[0], c[1], c[2]);
            }
        EXPECT_EQ(differences, 0);
    }
}

TEST_F(GifInterop, ComposesImageMagickAnimationsLikeImageMagick)
{
    if (!have_imagemagick())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    // Three frames with transparent holes, each disposed to the previous picture or the background.
    for (const auto &[dispose, disposal] :
         std::vector<std::pair<std::string, int>>{{"Previous", 3}, {"Background", 2}, {"None", 1}}) {
        SCOPED_TRACE(dispose);
        std::string command = "convert -loop 0 -delay 9 -dispose " + dispose;
        for (int f = 0; f < 3; f++) {
            Bytes rgba;
            for (int y = 0; y < 20; y++)
                for (int x = 0; x < 30; x++) {
                    const bool hole = (x / 5 + y / 4 + f) % 3 == 0;
                    rgba.insert(rgba.end(),
                                {static_cast<unsigned char>(f * 80), static_cast<unsigned char>(x * 8),
                                 static_cast<unsigned char>(y * 12),
                                 static_cast<unsigned char>(hole ? 0 : 255)});
                }
            const std::string raw = dir.file("frame" + std::to_string(f) + ".rgba");
            write_bytes(raw, rgba);
            command += " -size 30x20 -depth 8 rgba:'" + raw + "'";
        }
        const std::string path = dir.file("magick.gif");
        ASSERT_EQ(std::system((command + " '" + path + "'").c_str()), 0);
        AnimationPtr animation(gif_load_raw_animation(path.c_str()));
        ASSERT_TRUE(animation);
        ASSERT_EQ(animation->frame_count, 3);
        EXPECT_EQ(animation->frames[1].disposal, disposal);
        EXPECT_NE(animation->frames[1].transparent, -1);
        expect_composed_like_imagemagick(path);
    }
}
