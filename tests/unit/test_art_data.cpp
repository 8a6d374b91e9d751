// The game data drawn by the art generator must work together in the editor:
// the default skin is painted only in the palette's base colours, so every
// team and mode of the preview recolours it, and the power-up overlays sit
// against the character in each of its six poses.
#include "headless.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace
{

BITMAP *load_runtime(const std::string &relative)
{
    start_headless_library();
    return load_bitmap((std::string(MOLTWORK_RUNTIME_DIR) + "/" + relative).c_str(), nullptr);
}

int magenta()
{
    return makecol32(255, 0, 255);
}

// Owns a loaded image and lets a test ask for pixels by place.
struct Picture {
    explicit Picture(const std::string &relative) : bmp(load_runtime(relative)) {}
    ~Picture()
    {
        if (bmp) {
            destroy_bitmap(bmp);
        }
    }
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;
    int at(int x, int y) const { return getpixel(bmp, x, y); }
    BITMAP *bmp;
};

// One palette row: the 25 colours of a variant (row 0 holds the base colours).
std::vector<int> palette_row(const Picture &palette, int row)
{
    std::vector<int> colours;
    for (int i = 0; i < 25; ++i) {
        colours.push_back(palette.at(i, row));
    }
    return colours;
}

// Frame n of the skin sheet at frame size, read from the top left of each
// 2 x 2 block.
std::vector<int> skin_frame(const Picture &sheet, int n)
{
    std::vector<int> pixels;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            pixels.push_back(sheet.at(32 * n + 2 * x, 2 * y));
        }
    }
    return pixels;
}

// The frame as the preview shows it in variant `row`, by the editor's rule:
// a base colour becomes its replacement, anything else stays.
std::vector<int> recoloured(const std::vector<int> &frame, const Picture &palette, int row)
{
    const std::vector<int> base = palette_row(palette, 0);
    const std::vector<int> variant = palette_row(palette, row);
    std::vector<int> out;
    for (int p : frame) {
        int shown = p;
        for (size_t i = 0; i < base.size(); ++i) {
            if (p == base[i]) {
                shown = variant[i];
                break;
            }
        }
        out.push_back(shown);
    }
    return out;
}

TEST(ArtPalette, BaseColoursAreDistinctPaintColours)
{
    Picture palette("gfx/packs/Classic/palette.bmp");
    ASSERT_NE(palette.bmp, nullptr);
    EXPECT_EQ(palette.bmp->w, 25);
    EXPECT_EQ(palette.bmp->h, 37);
    const std::vector<int> base = palette_row(palette, 0);
    EXPECT_EQ(std::set<int>(base.begin(), base.end()).size(), 25u) << "two base colours are equal";
    for (int row = 0; row <= 36; ++row) {
        for (int i = 0; i < 25; ++i) {
            EXPECT_NE(palette.at(i, row), magenta()) << "entry " << i << " row " << row << " would vanish";
        }
    }
}

TEST(ArtPalette, EveryVariantRecoloursTheDefaultSkin)
{
    Picture palette("gfx/packs/Classic/palette.bmp");
    Picture sheet("gfx/skins/0orva.bmp");
    ASSERT_NE(palette.bmp, nullptr);
    ASSERT_NE(sheet.bmp, nullptr);
    const std::vector<int> standing = skin_frame(sheet, 0);
    const std::vector<int> base = palette_row(palette, 0);

    // Normal (position 1) changes only the team colours: the same entries in
    // all four teams, each team giving them colours of its own.
    std::set<int> team_entries;
    for (int i = 0; i < 25; ++i) {
        if (palette.at(i, 1) != base[i]) {
            team_entries.insert(i);
        }
    }
    EXPECT_GE(team_entries.size(), 2u);
    EXPECT_LE(team_entries.size(), 12u) << "Normal should keep skin, hair and outline";
    std::set<std::vector<int>> normal_skins;
    for (int team = 0; team < 4; ++team) {
        const int normal = 9 * team + 1;
        for (int i = 0; i < 25; ++i) {
            EXPECT_EQ(palette.at(i, normal) != base[i], team_entries.count(i) == 1)
                << "team " << team << " entry " << i;
        }
        const std::vector<int> shown = recoloured(standing, palette, normal);
        EXPECT_NE(shown, standing) << "team " << team << " leaves the character as drawn";
        normal_skins.insert(shown);
    }
    EXPECT_EQ(normal_skins.size(), 4u) << "two teams look alike";

    // Within a team, the nine modes all look different on the character.
    for (int team = 0; team < 4; ++team) {
        std::set<std::vector<int>> looks;
        for (int position = 1; position <= 9; ++position) {
            looks.insert(recoloured(standing, palette, 9 * team + position));
        }
        EXPECT_EQ(looks.size(), 9u) << "team " << team;
    }
}

TEST(ArtSkin, SixPosesOfDoubledPixelsInBaseColours)
{
    Picture palette("gfx/packs/Classic/palette.bmp");
    Picture sheet("gfx/skins/0orva.bmp");
    ASSERT_NE(palette.bmp, nullptr);
    ASSERT_NE(sheet.bmp, nullptr);
    ASSERT_EQ(sheet.bmp->w, 192);
    ASSERT_EQ(sheet.bmp->h, 32);
    const std::vector<int> row0 = palette_row(palette, 0);
    const std::set<int> base(row0.begin(), row0.end());
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 192; ++x) {
            const int p = sheet.at(x, y);
            ASSERT_EQ(p, sheet.at(x & ~1, y & ~1)) << "(" << x << ", " << y << ") breaks its 2 x 2 block";
            ASSERT_TRUE(p == magenta() || base.count(p)) << "(" << x << ", " << y << ") is no base colour";
        }
    }
    std::set<std::vector<int>> poses;
    for (int n = 0; n < 6; ++n) {
        const std::vector<int> frame = skin_frame(sheet, n);
        int drawn = 0;
        for (int p : frame) {
            drawn += p != magenta();
        }
        EXPECT_GT(drawn, 40) << "frame " << n;
        poses.insert(frame);
    }
    EXPECT_EQ(poses.size(), 6u) << "two poses are the same picture";
}

// An overlay frame fits its pose when part of it shows beside the character
// and what shows is attached to the character, not floating apart from it.
TEST(ArtSkin, PowerUpOverlaysSitAgainstEachPose)
{
    Picture sheet("gfx/skins/0orva.bmp");
    ASSERT_NE(sheet.bmp, nullptr);
    for (const char *name : {"Cape", "Tail", "Wings"}) {
        Picture overlay(std::string("Moltwork/PowerUps/") + name + ".png");
        ASSERT_NE(overlay.bmp, nullptr) << name;
        ASSERT_EQ(overlay.bmp->w, 96);
        ASSERT_EQ(overlay.bmp->h, 16);
        for (int n = 0; n < 6; ++n) {
            const std::vector<int> frame = skin_frame(sheet, n);
            auto character = [&](int x, int y) {
                return x >= 0 && y >= 0 && x < 16 && y < 16 && frame[16 * y + x] != magenta();
            };
            int visible = 0;
            int touching = 0;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x) {
                    if (overlay.at(16 * n + x, y) == magenta() || character(x, y)) {
                        continue;
                    }
                    ++visible;
                    touching += character(x - 1, y) || character(x + 1, y) || character(x, y - 1) ||
                                character(x, y + 1);
                }
            }
            EXPECT_GE(visible, 8) << name << " is hidden behind frame " << n;
            EXPECT_GE(touching, 2) << name << " floats apart from frame " << n;
        }
    }
}

TEST(ArtBrushes, TwentyFourDistinctBrushesOnTheCuttingGrid)
{
    Picture sheet("Moltwork/Brushes.png");
    ASSERT_NE(sheet.bmp, nullptr);
    ASSERT_EQ(sheet.bmp->w, 71);
    ASSERT_EQ(sheet.bmp->h, 26);
    const int outside = makecol32(128, 0, 255);
    std::set<std::vector<int>> shapes;
    for (int y = 0; y < 26; ++y) {
        for (int x = 0; x < 71; ++x) {
            if (x % 9 == 8 || y % 9 == 8) {
                EXPECT_EQ(sheet.at(x, y), magenta()) << "gutter at (" << x << ", " << y << ")";
            }
        }
    }
    for (int k = 0; k < 24; ++k) {
        std::vector<int> shape;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const int p = sheet.at(9 * (k % 8) + x, 9 * (k / 8) + y);
                EXPECT_NE(p, magenta()) << "brush " << k << " has a hole";
                shape.push_back(p != outside);
            }
        }
        EXPECT_NE(std::count(shape.begin(), shape.end(), 1), 0) << "brush " << k << " is empty";
        shapes.insert(shape);
        if (k == 0) {
            EXPECT_EQ(std::count(shape.begin(), shape.end(), 1), 1) << "brush 0 is a single pixel";
            EXPECT_EQ(shape[8 * 4 + 4], 1) << "brush 0 sits under the pointer";
        }
    }
    EXPECT_EQ(shapes.size(), 24u);
}

} // namespace
