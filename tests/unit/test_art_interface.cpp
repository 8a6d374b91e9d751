// The generated interface images against what the editor does with them:
// the sizes it places and cuts, the window pieces it stretches, the images
// it stacks over one another.
#include "headless.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace
{

class ArtImages : public ::testing::Test
{
  protected:
    void SetUp() override { start_headless_library(); }
    void TearDown() override
    {
        for (BITMAP *b : loaded) {
            destroy_bitmap(b);
        }
    }

    BITMAP *load(const std::string &name)
    {
        const std::string path = std::string(MOLTWORK_RUNTIME_DIR) + "/Moltwork/" + name;
        BITMAP *b = load_bitmap(path.c_str(), nullptr);
        if (b) {
            loaded.push_back(b);
        } else {
            ADD_FAILURE() << "cannot load " << path;
        }
        return b;
    }

    static bool clear(BITMAP *b, int x, int y) { return getpixel(b, x, y) == makecol32(255, 0, 255); }

    std::vector<BITMAP *> loaded;
};

TEST_F(ArtImages, HaveTheSizesTheScreenLayoutUses)
{
    struct Size {
        const char *name;
        int w, h;
    };
    const Size sizes[] = {
        {"OrvaBack.png", 800, 600},
        {"Banner.png", 240, 100},
        {"Target.png", 132, 14},
        {"MenuObjects/FrameToggleBar.png", 37, 192},
        {"MenuObjects/FrameToggleButtonClicked.png", 31, 19},
        {"MenuObjects/PreviewToggleBar.png", 113, 64},
        {"MenuObjects/PreviewToggleButtonClicked.png", 109, 14},
        {"MenuObjects/PreviewModes.png", 435, 269},
        {"MenuObjects/Toolbar.png", 240, 17},
        {"MenuObjects/ToolbarText.png", 240, 17},
        {"MenuObjects/ToolbarSelect.png", 244, 17},
        {"MenuObjects/FileBack.png", 96, 64},
        {"MenuObjects/FileSelect.png", 92, 16},
        {"MenuObjects/FileText.png", 96, 64},
        {"MenuObjects/EditBack.png", 96, 18},
        {"MenuObjects/EditSelect.png", 92, 18},
        {"MenuObjects/EditText.png", 96, 18},
        {"MenuObjects/NoUndo.png", 96, 18},
        {"MenuObjects/FramesBack.png", 83, 49},
        {"MenuObjects/FramesSelect.png", 79, 16},
        {"MenuObjects/FramesText.png", 83, 49},
        {"MenuObjects/WhichCanvasBack.png", 64, 33},
        {"MenuObjects/WhichCanvas.png", 64, 33},
        {"MenuObjects/WhichCanvasSelect.png", 60, 15},
        {"MenuObjects/WhichFrameBack.png", 64, 101},
        {"MenuObjects/WhichFrame.png", 64, 101},
        {"MenuObjects/WhichFrameSelect.png", 60, 16},
        {"MenuObjects/WhichFrameBackSub.png", 64, 101},
        {"MenuObjects/WhichFrameSub.png", 64, 101},
        {"MenuObjects/WhichFrameSelectSub.png", 60, 16},
        {"MenuObjects/SelectFrameBack.png", 104, 144},
        {"MenuObjects/SelectFrameWords.png", 104, 144},
        {"MenuObjects/SelectFrameHighlight.png", 104, 22},
        {"MenuObjects/SelectPreviewTeamBack.png", 104, 96},
        {"MenuObjects/SelectPreviewTeam.png", 104, 96},
        {"MenuObjects/PreviewSubmenuArrows.png", 13, 96},
        {"MenuObjects/PreviewSubmenuArrowSelected.png", 12, 24},
        {"MenuObjects/SelectPreviewModeBack.png", 104, 144},
        {"MenuObjects/SelectPreviewMode.png", 104, 144},
    };
    for (const Size &s : sizes) {
        BITMAP *b = load(s.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->w, s.w) << s.name;
        EXPECT_EQ(b->h, s.h) << s.name;
    }
    // Labels and captions drawn into bounded places.
    for (const char *label : {"Standing", "Walking", "Jumping", "Sliding", "Lose", "Stomped"}) {
        BITMAP *b = load(std::string("MenuObjects/") + label + ".png");
        ASSERT_NE(b, nullptr);
        EXPECT_LE(b->w, 31) << label;
        EXPECT_LE(b->h, 160) << label;
    }
    for (const char *name : {"NormalFill.png", "IgnoreBounds.png", "EightWay.png"}) {
        BITMAP *b = load(name);
        ASSERT_NE(b, nullptr);
        EXPECT_LE(b->w, 236) << name;
        EXPECT_LE(b->h, 16) << name;
    }
}

TEST_F(ArtImages, ImagesCopiedOpaqueHaveNoMagenta)
{
    for (const char *name :
         {"OrvaBack.png", "MenuObjects/FrameToggleBar.png", "MenuObjects/PreviewToggleBar.png"}) {
        BITMAP *b = load(name);
        ASSERT_NE(b, nullptr);
        for (int y = 0; y < b->h; ++y) {
            for (int x = 0; x < b->w; ++x) {
                ASSERT_FALSE(clear(b, x, y)) << name << ": magenta at " << x << ", " << y;
            }
        }
    }
}

TEST_F(ArtImages, WindowPiecesJoinWhenStretched)
{
    const char *names[9] = {"WTopLeft", "WTop",        "WTopRight", "WLeft",       "WCenter",
                            "WRight",   "WBottomLeft", "WBottom",   "WBottomRight"};
    BITMAP *p[9];
    for (int i = 0; i < 9; ++i) {
        p[i] = load(std::string("WindowObjects/") + names[i] + ".png");
        ASSERT_NE(p[i], nullptr);
    }
    for (int corner : {0, 2, 6, 8}) {
        EXPECT_EQ(p[corner]->w, 16);
        EXPECT_EQ(p[corner]->h, 16);
    }
    // The window of a message box, laid out the way the editor lays it out.
    const int w = 300, h = p[0]->h + p[6]->h + 56;
    BITMAP *win = create_bitmap_ex(32, w, h);
    loaded.push_back(win);
    clear_to_color(win, makecol32(255, 0, 255));
    draw_sprite(win, p[0], 0, 0);
    draw_sprite(win, p[2], w - p[2]->w, 0);
    draw_sprite(win, p[6], 0, h - p[7]->h);
    draw_sprite(win, p[8], w - p[8]->w, h - p[8]->h);
    stretch_sprite(win, p[1], p[0]->w, 0, w - p[0]->w - p[2]->w, p[1]->h);
    stretch_sprite(win, p[3], 0, p[0]->h, p[3]->w, h - p[0]->h - p[6]->h);
    stretch_sprite(win, p[5], w - p[5]->w, p[2]->h, p[5]->w, h - p[2]->h - p[8]->h);
    stretch_sprite(win, p[7], p[0]->w, h - p[7]->h, w - p[6]->w - p[8]->w, p[7]->h);
    stretch_sprite(win, p[4], p[0]->w, p[0]->h, w - p[3]->w - p[5]->w, h - p[1]->h - p[7]->h);
    // No gaps inside the outer edge, and each band continues its corners.
    for (int y = 1; y < h - 1; ++y) {
        for (int x = 1; x < w - 1; ++x) {
            ASSERT_FALSE(clear(win, x, y)) << "gap at " << x << ", " << y;
        }
    }
    for (int y = 0; y < 16; ++y) {
        EXPECT_EQ(getpixel(win, 15, y), getpixel(win, 16, y)) << "title bar row " << y;
        EXPECT_EQ(getpixel(win, w - 17, y), getpixel(win, w - 16, y)) << "title bar row " << y;
        EXPECT_EQ(getpixel(win, 15, h - 16 + y), getpixel(win, 16, h - 16 + y)) << "bottom row " << y;
    }
    // The sides run on from the bottom corners; below the title bar only the
    // outer outline carries on, the rule under the title ends at the sides.
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(getpixel(win, x, h - 17), getpixel(win, x, h - 16)) << "left column " << x;
        EXPECT_EQ(getpixel(win, w - 16 + x, h - 17), getpixel(win, w - 16 + x, h - 16))
            << "right column " << x;
    }
    EXPECT_EQ(getpixel(win, 0, 15), getpixel(win, 0, 16));
    EXPECT_EQ(getpixel(win, w - 1, 15), getpixel(win, w - 1, 16));
    BITMAP *colours = load("WindowObjects/ButtonColors.png");
    ASSERT_NE(colours, nullptr);
    ASSERT_GE(colours->w, 3);
    const std::set<int> distinct = {getpixel(colours, 0, 0), getpixel(colours, 1, 0),
                                    getpixel(colours, 2, 0)};
    EXPECT_EQ(distinct.size(), 3u);
}

TEST_F(ArtImages, GreyedUndoHidesTheLiveLabel)
{
    BITMAP *words = load("MenuObjects/EditText.png");
    BITMAP *greyed = load("MenuObjects/NoUndo.png");
    ASSERT_NE(words, nullptr);
    ASSERT_NE(greyed, nullptr);
    int label_pixels = 0;
    for (int y = 0; y < words->h; ++y) {
        for (int x = 0; x < words->w; ++x) {
            if (!clear(words, x, y)) {
                ++label_pixels;
                EXPECT_FALSE(clear(greyed, x, y)) << "live label shows at " << x << ", " << y;
            }
        }
    }
    EXPECT_GT(label_pixels, 0);
}

TEST_F(ArtImages, ToolbarHighlightsCoverTheirTitles)
{
    BITMAP *lit = load("MenuObjects/ToolbarSelect.png");
    ASSERT_NE(lit, nullptr);
    const int parts[5][2] = {{0, 33}, {34, 35}, {70, 57}, {128, 57}, {186, 58}};
    for (const auto &part : parts) {
        for (int x = part[0]; x < part[0] + part[1]; ++x) {
            EXPECT_FALSE(clear(lit, x, 8)) << "title highlight missing at x " << x;
        }
    }
}

TEST_F(ArtImages, PreviewModesAreCutAlongMagentaGutters)
{
    BITMAP *sheet = load("MenuObjects/PreviewModes.png");
    ASSERT_NE(sheet, nullptr);
    std::set<std::vector<int>> pictures;
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 6; ++r) {
            std::vector<int> pixels;
            for (int y = 45 * r; y < 45 * r + 44; ++y) {
                for (int x = 109 * c; x < 109 * c + 108; ++x) {
                    pixels.push_back(getpixel(sheet, x, y));
                }
            }
            pictures.insert(pixels);
            if (c < 3) {
                EXPECT_TRUE(clear(sheet, 109 * c + 108, 45 * r + 20)) << "gutter right of team " << c;
            }
            if (r < 5) {
                EXPECT_TRUE(clear(sheet, 109 * c + 50, 45 * r + 44)) << "gutter under mode " << r;
            }
        }
    }
    EXPECT_EQ(pictures.size(), 24u);
}

} // namespace
