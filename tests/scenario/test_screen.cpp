// The pointer on the composed screen, drawn from one position even when it moves mid-pass.
#include "editor_harness.h"

#include <algorithm>

namespace
{
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
        input::move(790, 10);
        passes(1);
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
