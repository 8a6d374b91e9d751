// Shared by the GIF library's tests: a scratch folder, index images, animations, LZW codes packed.
#pragma once

#include "editor_harness.h"
#include "gif/gif_internal.h"
#include "headless.h"

#include <algorithm>
#include <memory>
#include <random>
#include <utility>

namespace gif_test
{

using Bytes = std::vector<unsigned char>;
struct Deleter {
    void operator()(RawAnimation *animation) const { gif_destroy_raw_animation(animation); }
    void operator()(BITMAP *bitmap) const { destroy_bitmap(bitmap); }
};
using AnimationPtr = std::unique_ptr<RawAnimation, Deleter>;
using BitmapPtr = std::unique_ptr<BITMAP, Deleter>;

// The GIF type registered, in a fresh working directory removed after each test.
class GifTest : public InTemporaryFolder
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
    static Bytes read(const std::string &path)
    {
        const std::string content = read_file(path);
        return Bytes(content.begin(), content.end());
    }
    static std::string write(const Bytes &bytes, const std::string &name = "in.gif")
    {
        write_file(name, std::string(bytes.begin(), bytes.end()));
        return name;
    }
};

inline BITMAP *index_image(int w, int h, const std::function<int(int, int)> &index)
{
    BITMAP *image = create_bitmap_ex(8, w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            image->line[y][x] = static_cast<unsigned char>(index(x, y));
    return image;
}

inline BITMAP *noise_image(int w, int h, int colours, unsigned seed)
{
    std::mt19937 random(seed);
    return index_image(w, h, [&](int, int) { return static_cast<int>(random() % colours); });
}

inline Bytes indices_of(const BITMAP *image)
{
    Bytes pixels;
    for (int y = 0; y < image->h; y++)
        pixels.insert(pixels.end(), image->line[y], image->line[y] + image->w);
    return pixels;
}

// One frame holding `image` (taken over), with a global palette of `colours` entries that all differ.
inline RawAnimation *single_frame(BITMAP *image, int colours, int loop_count = -1)
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
inline std::vector<AnimationPtr> varied_animations()
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
inline AnimationPtr four_frames()
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
inline Bytes pack_codes(int m, const std::vector<int> &codes)
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

inline Bytes operator+(Bytes a, const Bytes &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes word(int value)
{
    return {static_cast<unsigned char>(value & 255), static_cast<unsigned char>(value >> 8)};
}

// A GIF89a file: a w x h screen with a global table of four colours, `blocks`, the trailer.
inline Bytes gif(int w, int h, const Bytes &blocks)
{
    return Bytes{'G', 'I', 'F', '8', '9', 'a'} + word(w) + word(h) +
           Bytes{0xF1, 0, 0, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255} + blocks + Bytes{0x3B};
}

// An image descriptor of a w x h image at (0, 0) with `local` as its flags and table, then its data.
inline Bytes image(int w, int h, const std::vector<int> &codes, int m = 2, const Bytes &local = {0})
{
    return Bytes{0x2C, 0, 0, 0, 0} + word(w) + word(h) + local + pack_codes(m, codes);
}

} // namespace gif_test
