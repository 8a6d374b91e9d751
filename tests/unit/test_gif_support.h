// Shared by the GIF library's tests: scratch directories, files as bytes, index images and animations.
#pragma once

#include "gif/gif.h"
#include "headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace gif_test
{

using Bytes = std::vector<unsigned char>;

// The headless library with the GIF file type registered, once per process.
inline void start_gif_library()
{
    static bool registered = false;
    start_headless_library();
    if (!registered)
        gif_init();
    registered = true;
}

// A fresh directory under the system's temporary directory, removed with its files at the end.
class ScratchDir
{
  public:
    ScratchDir()
    {
        const char *base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/moltwork-gif-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()))
            path_ = name.data();
    }
    ~ScratchDir() { std::system(("rm -rf '" + path_ + "'").c_str()); }
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;

    std::string file(const std::string &name) const { return path_ + "/" + name; }
    const std::string &path() const { return path_; }

  private:
    std::string path_;
};

inline Bytes read_bytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_bytes(const std::string &path, const Bytes &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// An 8-bit image whose pixel (x, y) is index(x, y).
inline BITMAP *index_image(int w, int h, const std::function<int(int, int)> &index)
{
    BITMAP *image = create_bitmap_ex(8, w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            image->line[y][x] = static_cast<unsigned char>(index(x, y));
    return image;
}

// Uniform noise over `colours` indices, the same for the same seed.
inline BITMAP *noise_image(int w, int h, int colours, unsigned seed)
{
    std::mt19937 random(seed);
    return index_image(w, h, [&](int, int) { return static_cast<int>(random() % colours); });
}

inline bool same_indices(BITMAP *a, BITMAP *b)
{
    if (!a || !b || a->w != b->w || a->h != b->h)
        return false;
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            if (a->line[y][x] != b->line[y][x])
                return false;
    return true;
}

// Palette entry i is a colour that no other entry shares.
inline RawPalette distinct_palette(int count)
{
    RawPalette palette = {};
    palette.count = count;
    for (int i = 0; i < count; i++)
        palette.entries[i] = {static_cast<unsigned char>(i), static_cast<unsigned char>(255 - i),
                              static_cast<unsigned char>((i * 37) & 255), 0};
    return palette;
}

// One frame holding `image` (taken over), with a distinct global palette of `colours` entries.
inline RawAnimation *single_frame(BITMAP *image, int colours, int loop_count = -1)
{
    RawAnimation *animation = gif_create_raw_animation(1);
    animation->width = image->w;
    animation->height = image->h;
    animation->loop_count = loop_count;
    animation->palette = distinct_palette(colours);
    animation->frames[0].image = image;
    animation->frames[0].transparent = -1;
    return animation;
}

struct AnimationDeleter {
    void operator()(RawAnimation *animation) const { gif_destroy_raw_animation(animation); }
};
using AnimationPtr = std::unique_ptr<RawAnimation, AnimationDeleter>;

struct BitmapDeleter {
    void operator()(BITMAP *bitmap) const { destroy_bitmap(bitmap); }
};
using BitmapPtr = std::unique_ptr<BITMAP, BitmapDeleter>;

// A family of images that exercise the encoder: flat, noisy with few and many colours, gradients, runs
// and shapes, in sizes from one pixel to several dictionary fills.
struct NamedImage {
    std::string name;
    std::function<BITMAP *()> make;
};

inline std::vector<NamedImage> varied_images()
{
    return {
        {"one pixel", [] { return index_image(1, 1, [](int, int) { return 0; }); }},
        {"one pixel of 255", [] { return index_image(1, 1, [](int, int) { return 255; }); }},
        {"flat", [] { return index_image(97, 61, [](int, int) { return 3; }); }},
        {"single row", [] { return noise_image(1000, 1, 5, 1); }},
        {"single column", [] { return noise_image(1, 1000, 9, 2); }},
        {"two-colour noise", [] { return noise_image(300, 200, 2, 3); }},
        {"three-colour noise", [] { return noise_image(131, 67, 3, 4); }},
        {"16-colour noise", [] { return noise_image(240, 160, 16, 5); }},
        {"17-colour noise", [] { return noise_image(200, 120, 17, 6); }},
        {"256-colour noise", [] { return noise_image(210, 150, 256, 7); }},
        {"gradient", [] { return index_image(256, 90, [](int x, int y) { return (x + y) & 255; }); }},
        {"stripes", [] { return index_image(333, 100, [](int x, int y) { return (x / 7 + y / 5) % 12; }); }},
        {"runs",
         [] {
             std::mt19937 random(8);
             int value = 0, left = 0;
             return index_image(400, 300, [&](int, int) {
                 if (left-- == 0) {
                     value = random() % 64;
                     left = random() % 300;
                 }
                 return value;
             });
         }},
        {"shapes",
         [] {
             return index_image(160, 160, [](int x, int y) {
                 const int dx = x - 80, dy = y - 80;
                 return dx * dx + dy * dy < 3600 ? (x / 16) % 6 + 1 : ((x ^ y) & 8 ? 7 : 0);
             });
         }},
    };
}

} // namespace gif_test
