// What the composed screen shows of the palette, pixel by pixel, with a palette of the test's own; where
// everything lies is checked whole in test_composition.cpp.
#include "editor_harness.h"
#include "headless.h"
#include "pixel_grid.h"

#include <algorithm>

namespace
{
// Base colour of column c, and its replacement in variant k.
int base(int c)
{
    return makecol(20 + 8 * c, 40, 60);
}
int variant(int c, int k)
{
    return makecol(c, k, 250);
}

void write_test_palette(const std::string &workdir)
{
    start_headless_library();
    BITMAP *palette = create_bitmap(25, 37);
    for (int c = 0; c < 25; ++c) {
        putpixel(palette, c, 0, base(c));
        for (int k = 1; k < 37; ++k) {
            putpixel(palette, c, k, variant(c, k));
        }
    }
    save_bitmap((workdir + "/gfx/packs/Classic/palette.bmp").c_str(), palette, nullptr);
    destroy_bitmap(palette);
    write_file(workdir + "/Options.cfg", options_text());
}

// Runs a pass with the pointer parked where it covers nothing under test.
void draw_pass()
{
    input::move(790, 10);
    passes(1);
}

bool filled(int x1, int y1, int x2, int y2, int color)
{
    for (int y = y1; y <= y2; ++y) {
        for (int x = x1; x <= x2; ++x) {
            if (getpixel(ActiveBuffer, x, y) != color) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") differs";
                return false;
            }
        }
    }
    return true;
}

// The library's input thread may move the pointer while a pass draws it. A
// memory bitmap draws sprites through its function table, so a test can
// move the pointer right after it is drawn.
void (*library_draw_sprite)(BITMAP *, BITMAP *, int, int);
constexpr int MOVED_BY = 50;

void draw_then_move_pointer(BITMAP *bmp, BITMAP *sprite, int x, int y)
{
    library_draw_sprite(bmp, sprite, x, y);
    if (sprite == mouse_sprite) {
        input::move(x + MOVED_BY, y + MOVED_BY);
    }
}

std::vector<int> screen_pixels(int x, int y, int w, int h)
{
    std::vector<int> pixels;
    for (int i = 0; i < w * h; ++i) {
        pixels.push_back(getpixel(screen, x + i % w, y + i / w));
    }
    return pixels;
}
} // namespace

TEST(Screen, APointerMovedWhileDrawnLeavesNothingBehind)
{
    EXPECT_SCENARIO([] {
        const int x = 700, y = 100, w = Cursor->w, h = Cursor->h;
        ASSERT_LT(std::max(w, h), MOVED_BY);
        draw_pass();
        const std::vector<int> backdrop = screen_pixels(x, y, w, h);
        GFX_VTABLE *const library = ActiveBuffer->vtable;
        GFX_VTABLE moving = *library;
        library_draw_sprite = library->draw_sprite;
        moving.draw_sprite = draw_then_move_pointer;
        input::move(x, y);
        ActiveBuffer->vtable = &moving;
        passes(1);
        ActiveBuffer->vtable = library;
        ASSERT_EQ(mouse_x, x + MOVED_BY) << "the pointer moved during the pass";
        EXPECT_NE(screen_pixels(x, y, w, h), backdrop) << "the pointer was shown";
        passes(1);
        EXPECT_EQ(screen_pixels(x, y, w, h), backdrop) << "its old place is restored";
    });
}

TEST(Screen, SwatchesColourBarsTheRecolouredStripAndGridsShowThePalette)
{
    EXPECT_SCENARIO(
        [] {
            putpixel(StandingFrame, 0, 0, base(5));
            putpixel(StandingFrame, 15, 15, makecol(1, 2, 3));
            putpixel(WalkingFrame, 3, 2, base(7));
            draw_pass();
            for (int i = 0; i < 25; ++i) {
                const int x = 22 + 18 * (i < 12 ? i : i - 12), y = i < 12 ? 449 : 467;
                EXPECT_TRUE(filled(x, y, x + 15, y + 15, base(i))) << "swatch " << i;
            }
            EXPECT_TRUE(filled(238, 449, 253, 464, transparent_color()));
            EXPECT_TRUE(filled(22, 429, 136, 444, base(3))) << "foreground starts at column 3";
            EXPECT_TRUE(filled(139, 429, 253, 444, transparent_color())) << "background starts transparent";

            EXPECT_TRUE(filled(273, 281, 276, 284, variant(5, 1))) << "strip at 4x in variant 1";
            EXPECT_TRUE(filled(273 + 60, 281 + 60, 273 + 63, 281 + 63, makecol(1, 2, 3)))
                << "colours off the palette keep their value";
            EXPECT_TRUE(filled(273 + 64 + 12, 281 + 8, 273 + 64 + 15, 281 + 11, variant(7, 1)));
            EXPECT_TRUE(filled(273 + 4, 281, 273 + 7, 284, transparent_color()));

            clear_to_color(StandingFrame, makecol(128, 128, 128));
            clear_to_color(WalkingFrame, makecol(10, 20, 30));
            options.left_grid = options.right_grid = 1;
            draw_pass();
            // x, y, and the colour there: lines at every 12th pixel inside the canvas, none on its edge.
            const int expected[][3] = {
                {296, 360, makecol(192, 192, 192)}, {296, 366, makecol(63, 63, 63)}, // crossing on grey
                {295, 360, makecol(128, 128, 128)}, {285, 360, makecol(128, 128, 128)},
                {540, 360, makecol(245, 235, 225)}, {540, 366, makecol(10, 20, 30)}, // inverted twice
                {720, 546, makecol(10, 20, 30)},    {708, 546, makecol(245, 235, 225)},
            };
            for (const auto &e : expected) {
                EXPECT_EQ(getpixel(ActiveBuffer, e[0], e[1]), e[2]) << e[0] << ", " << e[1];
            }
        },
        write_test_palette);
}
