// The composed screen equals the one drawn naively in the documented order
// with the library's own primitives, whatever the settings: the cached layer
// and the row-by-row scalers must never show anything else.
#include "editor_harness.h"

namespace
{
BITMAP *label_for(BITMAP *frame)
{
    BITMAP *const labels[6] = {StandingBar, WalkingBar, JumpingBar, SlidingBar, DeathBar, StompedBar};
    return labels[frame_number(frame)];
}

// Everything but the help panel, which both draw through the same show_helps.
void reference_composition(BITMAP *out)
{
    blit(StaticBuffer, out, 0, 0, 0, 0, 800, 600);
    draw_sprite(out, FirstCanvasArrow, drx(), 156);
    draw_sprite(out, SecondCanvasArrow, drx2(), 202);
    for (int n = 0; n < 6; ++n) {
        stretch_blit(frame_bitmap(n), out, 0, 0, 16, 16, 38 + 32 * n, 168, 32, 32);
    }
    stretch_blit(CurrentFrame(), out, 0, 0, 16, 16, LEFT_CANVAS_X, CANVAS_Y, 192, 192);
    stretch_blit(CurrentFrame2(), out, 0, 0, 16, 16, RIGHT_CANVAS_X, CANVAS_Y, 192, 192);
    make_recolor(CustomRecolor);
    rectfill(out, 273, 281, 656, 344, makecol(255, 0, 255));
    BITMAP *const overlays[3] = {Cape, Tail, Wings};
    for (int i = 0; i < 3; ++i) {
        if (preview_items[i]) {
            masked_stretch_blit(overlays[i], out, 0, 0, overlays[i]->w, overlays[i]->h, 273, 281, 384, 64);
        }
    }
    masked_stretch_blit(Recolor, out, 0, 0, Recolor->w, Recolor->h, 273, 281, 384, 64);
    BITMAP *const icons[3] = {I_Cape, I_Tail, I_Wings};
    for (int i = 0; i < 3; ++i) {
        draw_sprite(out, preview_items[i] ? P_Selected : P_Unselected, 273 + 40 * i, 236);
        masked_blit(icons[i], out, 0, 0, 275 + 40 * i, 238, 32, 32);
    }
    rectfill(out, 22, 429, 136, 444, Fcolor);
    rectfill(out, 139, 429, 253, 444, Bcolor);
    textout_centre_ex(out, Font, filename.c_str(), 138, 208, -1, -1);
    blit(SelectedTool, out, 0, 0, selected[1], selected[2], 48, 48);
    BITMAP *const tools[6] = {PencilTool, FillTool, BrushTool, ElipseTool, RectangleTool, LineTool};
    for (int i = 0; i < 6; ++i) {
        draw_sprite(out, tools[i], 35 + 52 * (i % 3), 275 + 52 * (i / 3));
    }
    draw_sprite(out, PreviewModes[preview_mode], 659, 283);
    draw_sprite(out, label_for(CurrentFrame()), 480, 358);
    draw_sprite(out, label_for(CurrentFrame2()), 724, 358);
    draw_sprite(out, Toolbar, 18, 132);
    draw_sprite(out, ToolbarText, 18, 132);
}

void expect_same_as_reference(const char *what)
{
    SCOPED_TRACE(what);
    BITMAP *reference = create_bitmap(800, 600);
    show_help = 0;
    draw_everything();
    reference_composition(reference);
    for (int i = 0; i < 800 * 600; ++i) {
        const int x = i % 800, y = i / 800;
        ASSERT_EQ(getpixel(ActiveBuffer, x, y), getpixel(reference, x, y))
            << "first difference at " << x << ", " << y;
    }
    destroy_bitmap(reference);
}
} // namespace

TEST(Composition, EqualsTheDocumentedOrderAcrossSettingChanges)
{
    EXPECT_SCENARIO([] {
        mx = 790;
        my = 10;
        expect_same_as_reference("a blank start");
        putpixel(StandingFrame, 3, 4, palette_entry(2));
        putpixel(WalkingFrame, 15, 0, palette_entry(9));
        putpixel(StompedFrame, 0, 15, makecol(1, 2, 3));
        left_frame = 5;
        right_frame = 2;
        expect_same_as_reference("painted frames, others on the canvases");
        preview_items[2] = 1;
        Fcolor = palette_entry(7);
        Bcolor = palette_entry(20);
        select_tool(LINE);
        preview_mode = 13;
        CustomRecolor = recolor_for_mode(13);
        expect_same_as_reference("wings, colours, tool and mode changed");
        filename = "A very long name that runs out of the field on both sides.bmp";
        expect_same_as_reference("a long name");
    });
}
