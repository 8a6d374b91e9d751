// The generated fonts must read back through the library's bitmap-font loader
// with the metrics they were designed with: a box out of line in the sheet
// shifts or drops glyphs, which these checks catch.
#include "headless.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace
{

struct FontFile {
    const char *name;
    int height;          // ten glyph rows and the drop-shadow row
    int moltwork_length; // text_length of "Moltwork"
    int space_length;
};

const FontFile font_files[] = {
    {"Font.png", 11, 42, 4},
    {"AlertTitle.png", 11, 52, 5},
    {"AlertText.png", 11, 42, 4},
};

class ArtFont : public ::testing::TestWithParam<FontFile>
{
  protected:
    void SetUp() override
    {
        start_headless_library();
        const std::string path = std::string(MOLTWORK_RUNTIME_DIR) + "/Moltwork/Fonts/" + GetParam().name;
        f = load_bitmap_font(path.c_str(), nullptr, nullptr);
        ASSERT_NE(f, nullptr) << path;
    }
    void TearDown() override
    {
        if (f) {
            destroy_font(f);
        }
    }

    // The pixels of one character drawn in the font's own colours on black.
    std::vector<int> picture(char c)
    {
        const char s[2] = {c, 0};
        BITMAP *bmp = create_bitmap_ex(32, 16, 16);
        clear_to_color(bmp, makecol32(0, 0, 0));
        textout_ex(bmp, f, s, 0, 0, -1, -1);
        std::vector<int> pixels;
        for (int y = 0; y < bmp->h; ++y) {
            for (int x = 0; x < bmp->w; ++x) {
                pixels.push_back(getpixel(bmp, x, y));
            }
        }
        destroy_bitmap(bmp);
        return pixels;
    }

    FONT *f = nullptr;
};

TEST_P(ArtFont, HasTheDesignedMetrics)
{
    EXPECT_EQ(text_height(f), GetParam().height);
    EXPECT_EQ(text_length(f, "Moltwork"), GetParam().moltwork_length);
    EXPECT_EQ(text_length(f, " "), GetParam().space_length);
    for (int c = 32; c <= 126; ++c) {
        const char s[2] = {static_cast<char>(c), 0};
        EXPECT_GT(text_length(f, s), 1) << "character " << c;
    }
}

TEST_P(ArtFont, EveryPrintableCharacterHasItsOwnGlyph)
{
    std::set<std::vector<int>> seen;
    for (int c = 32; c <= 126; ++c) {
        EXPECT_TRUE(seen.insert(picture(static_cast<char>(c))).second)
            << "character " << c << " repeats a glyph";
    }
}

TEST_P(ArtFont, KeepsItsFaceAndShadowColours)
{
    // A one-colour sheet would load as a mono font, which colour -1 cannot draw.
    std::set<int> colours;
    for (int p : picture('A')) {
        if (p != makecol32(0, 0, 0)) {
            colours.insert(p);
        }
    }
    EXPECT_GE(colours.size(), 2u);
    EXPECT_EQ(colours.count(makecol32(255, 0, 255)), 0u);
    EXPECT_EQ(colours.count(makecol32(255, 255, 0)), 0u);
}

INSTANTIATE_TEST_SUITE_P(Generated, ArtFont, ::testing::ValuesIn(font_files),
                         [](const ::testing::TestParamInfo<FontFile> &info) {
                             std::string n = info.param.name;
                             return n.substr(0, n.find('.'));
                         });

TEST(ArtFonts, FitTheirPlaces)
{
    start_headless_library();
    const std::string dir = std::string(MOLTWORK_RUNTIME_DIR) + "/Moltwork/Fonts/";
    FONT *name = load_bitmap_font((dir + "Font.png").c_str(), nullptr, nullptr);
    FONT *text = load_bitmap_font((dir + "AlertText.png").c_str(), nullptr, nullptr);
    ASSERT_NE(name, nullptr);
    ASSERT_NE(text, nullptr);
    // A usual skin name fits the 240-pixel name field with room to spare.
    EXPECT_LT(text_length(name, "MyNewSkinVersion2.bmp"), 200);
    // The longest message window text leaves a window well inside the screen.
    EXPECT_LT(text_length(text, "I don't even know what happened. Sorry man."), 400);
    destroy_font(name);
    destroy_font(text);
}

} // namespace
