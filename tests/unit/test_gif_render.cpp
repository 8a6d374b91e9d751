// Composing frames, and GIF as a bitmap file type.
#include "pixel_grid.h"
#include "test_gif_support.h"

using namespace gif_test;

namespace
{

using GifRender = GifTest;

// The screen after the last frame of four_frames(), which each earlier frame's disposal shapes: R red,
// Y yellow, '.' the mask colour.
const std::vector<std::string> kLastFrame = {"RR..", "R...", "....", "YY.Y"};

std::vector<std::string> composed(BITMAP *target)
{
    return rows_of(
        target, {{'R', makecol(255, 0, 0)}, {'Y', makecol(255, 255, 0)}, {'.', bitmap_mask_color(target)}});
}

} // namespace

TEST_F(GifRender, LoadBitmapGivesTheLastFrameComposedAndTheGlobalPaletteInTheLibrarysRange)
{
    PALETTE palette;
    std::fill(&palette[0], &palette[256], RGB{9, 9, 9, 0});
    BitmapPtr bitmap(load_bitmap(save(four_frames().get()).c_str(), palette));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(composed(bitmap.get()), kLastFrame);
    EXPECT_EQ((std::vector<int>{palette[1].r, palette[1].g, palette[4].b, palette[8].r, palette[255].b}),
              (std::vector<int>{63, 0, 63, 0, 0}));
}
