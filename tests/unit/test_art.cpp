// The generated palette and default skin must recolour per team in the editor.
#include "headless.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace
{
std::string runtime(const std::string &relative)
{
    return std::string(MOLTWORK_RUNTIME_DIR) + "/" + relative;
}

int magenta()
{
    return makecol32(255, 0, 255);
}

struct Image {
    explicit Image(const std::string &relative)
    {
        start_headless_library();
        bmp = load_bitmap(runtime(relative).c_str(), nullptr);
    }
    ~Image() { destroy_bitmap(bmp); }
    Image(const Image &) = delete;
    Image &operator=(const Image &) = delete;
    int at(int x, int y) const { return getpixel(bmp, x, y); }
    BITMAP *bmp;
};

// Frame n of the default skin, one sample per 2 x 2 block.
std::vector<int> skin_frame(const Image &sheet, int n)
{
    std::vector<int> out;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            out.push_back(sheet.at(32 * n + 2 * x, 2 * y));
        }
    }
    return out;
}

// The frame as the preview shows it in variant k (the editor's rule).
std::vector<int> recoloured(std::vector<int> frame, const Image &palette, int k)
{
    for (int &p : frame) {
        for (int i = 0; i < 25; ++i) {
            if (p == palette.at(i, 0)) {
                p = palette.at(i, k);
                break;
            }
        }
    }
    return frame;
}
} // namespace

TEST(Art, PaletteBaseColoursAreDistinctAndEachTeamRecoloursTheSkin)
{
    const Image palette("gfx/packs/Classic/palette.bmp");
    const Image sheet("gfx/skins/0orva.bmp");
    ASSERT_NE(palette.bmp, nullptr);
    ASSERT_NE(sheet.bmp, nullptr);
    std::set<int> base;
    for (int i = 0; i < 25; ++i) {
        EXPECT_NE(palette.at(i, 0), magenta());
        base.insert(palette.at(i, 0));
    }
    EXPECT_EQ(base.size(), 25u);
    const std::vector<int> standing = skin_frame(sheet, 0);
    std::set<std::vector<int>> looks{standing};
    for (int team = 0; team < 4; ++team) {
        for (int position : {1, 5, 6, 7, 8, 9}) {
            EXPECT_TRUE(looks.insert(recoloured(standing, palette, 9 * team + position)).second)
                << "team " << team << " mode position " << position << " looks like another variant";
        }
    }
}

TEST(Art, SkinIsSixPosesOfDoubledPixelsInBaseColours)
{
    const Image palette("gfx/packs/Classic/palette.bmp");
    const Image sheet("gfx/skins/0orva.bmp");
    ASSERT_EQ(sheet.bmp->w, 192);
    ASSERT_EQ(sheet.bmp->h, 32);
    std::set<int> allowed{magenta()};
    for (int i = 0; i < 25; ++i) {
        allowed.insert(palette.at(i, 0));
    }
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 192; ++x) {
            ASSERT_EQ(sheet.at(x, y), sheet.at(x & ~1, y & ~1)) << "2 x 2 blocks, at " << x << ", " << y;
            ASSERT_EQ(allowed.count(sheet.at(x, y)), 1u) << "a base colour, at " << x << ", " << y;
        }
    }
    std::set<std::vector<int>> poses;
    for (int n = 0; n < 6; ++n) {
        poses.insert(skin_frame(sheet, n));
    }
    EXPECT_EQ(poses.size(), 6u);
    EXPECT_EQ(poses.count(std::vector<int>(256, magenta())), 0u);
}
