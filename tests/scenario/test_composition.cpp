// The row-by-row scalers draw exactly what the library's own stretching draws: the canvases, the
// thumbnails and the preview strip with a power-up, on the whole composed screen.
#include "editor_harness.h"

TEST(Composition, TheScalersDrawWhatTheLibrarysStretchingDraws)
{
    EXPECT_SCENARIO([] {
        putpixel(StandingFrame, 3, 4, palette_entry(2));
        putpixel(WalkingFrame, 15, 0, palette_entry(9));
        putpixel(StompedFrame, 0, 15, makecol(1, 2, 3));
        left_frame = 5;
        preview_items[2] = 1;
        preview_mode = 13;
        CustomRecolor = recolor_for_mode(13);
        mx = 790;
        my = 10;
        show_help = 0;
        draw_everything();
        BITMAP *expected = create_bitmap(800, 600);
        blit(ActiveBuffer, expected, 0, 0, 0, 0, 800, 600);
        for (int n = 0; n < FRAME_COUNT; ++n) {
            stretch_blit(frame_bitmap(n), expected, 0, 0, 16, 16, thumbnail_x(n), THUMBNAIL_Y, 32, 32);
        }
        for (int canvas = 1; canvas <= 2; ++canvas) {
            stretch_blit(frame_on_canvas(canvas), expected, 0, 0, 16, 16, canvas_left(canvas), CANVAS_Y,
                         CANVAS_SIZE, CANVAS_SIZE);
        }
        rectfill(expected, STRIP_X, STRIP_Y, STRIP_X + STRIP_W - 1, STRIP_Y + STRIP_H - 1,
                 transparent_color());
        for (BITMAP *layer : {Wings, Recolor}) {
            masked_stretch_blit(layer, expected, 0, 0, layer->w, layer->h, STRIP_X, STRIP_Y, STRIP_W,
                                STRIP_H);
        }
        for (int i = 0; i < 800 * 600; ++i) {
            ASSERT_EQ(getpixel(ActiveBuffer, i % 800, i / 800), getpixel(expected, i % 800, i / 800))
                << "first difference at " << i % 800 << ", " << i / 800;
        }
        destroy_bitmap(expected);
    });
}
