// The animation export: the standing and walking frames of the preview, three
// times enlarged, as a looping GIF in SkinPreviews/.
#include "editor_harness.h"
#include "gif/gif.h"
#include "headless.h"

#include <loadpng.h>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

void export_with_ctrl_e(Window *expected)
{
    windows_script::answer(expected, 1);
    tap(KEY_E, KB_CTRL_FLAG);
}

using Animation = std::unique_ptr<RawAnimation, void (*)(RawAnimation *)>;

Animation read_back(const std::string &name)
{
    return Animation(gif_load_raw_animation(("SkinPreviews/" + name).c_str()), gif_destroy_raw_animation);
}

// The game's palette as a PNG with an alpha channel, every pixel opaque.
void write_palette_with_alpha(const std::string &workdir)
{
    start_headless_library();
    const std::string packs = workdir + "/gfx/packs/Classic/";
    BITMAP *palette = load_bitmap((packs + "palette.bmp").c_str(), nullptr);
    for (int i = 0; i < palette->w * palette->h; ++i) {
        const int x = i % palette->w, y = i / palette->w;
        putpixel(palette, x, y, getpixel(palette, x, y) | makeacol32(0, 0, 0, 255));
    }
    save_png((packs + "alpha.png").c_str(), palette, nullptr);
    destroy_bitmap(palette);
    write_file(workdir + "/Options.cfg", options_text("no", "0orva.bmp", "gfx/packs/Classic/alpha.png"));
}

int entry_color(const RawPalette &palette, int i)
{
    const RawPaletteEntry &e = palette.entries[i];
    return makecol(e.r, e.g, e.b);
}
} // namespace

TEST(Export, TwoTripledLoopingFramesWithAnEntryForEveryColourOverwrittenQuietlyOrRefusedWithoutAFile)
{
    EXPECT_SCENARIO([] {
        filename = "five";
        const int colors[5] = {makecol(10, 0, 0), makecol(20, 0, 0), makecol(30, 0, 0), makecol(40, 0, 0),
                               makecol(50, 0, 0)};
        putpixel(StandingFrame, 0, 0, palette_entry(6));
        putpixel(StandingFrame, 2, 1, colors[0]);
        putpixel(WalkingFrame, 15, 15, colors[1]);
        putpixel(JumpingFrame, 0, 0, colors[2]); // only in frames that are not exported
        putpixel(DeathFrame, 3, 3, colors[3]);
        putpixel(StompedFrame, 4, 4, colors[4]);
        input::move(400, 300);
        mouse_z--; // the second preview mode of the first team
        passes(2);
        export_with_ctrl_e(&Exported);
        const Animation animation = read_back("five.gif");
        ASSERT_NE(animation, nullptr);
        const RawPalette &palette = animation->palette;
        // In order of first appearance, row by row across all six frames, then black up to a power of two.
        EXPECT_EQ((std::vector<int>{animation->width, animation->height, animation->frame_count,
                                    animation->loop_count, palette.count, entry_color(palette, 0),
                                    entry_color(palette, 1), entry_color(palette, 2), entry_color(palette, 3),
                                    entry_color(palette, 7)}),
                  (std::vector<int>{48, 48, 2, 0, 8, makecol(255, 0, 255), palette_entry(6, CustomRecolor),
                                    colors[2], colors[0], makecol(0, 0, 0)}));
        for (const RawFrame &frame : {animation->frames[0], animation->frames[1]}) {
            EXPECT_EQ((std::vector<int>{frame.image->w, frame.image->h, frame.delay, frame.disposal,
                                        frame.transparent, getpixel(frame.image, 47, 0)}),
                      (std::vector<int>{48, 48, 33, 2, 0, 0}));
        }
        BITMAP *standing = animation->frames[0].image;
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(getpixel(standing, 6 + i % 4, 3 + i / 4), i % 4 < 3 && i / 4 < 3 ? 3 : 0)
                << "pixel (2, 1) three times enlarged";
        }
        EXPECT_EQ(getpixel(animation->frames[1].image, 47, 47), 6) << "walking pixel (15, 15) at the corner";
        export_with_ctrl_e(&Exported);
        EXPECT_EQ(windows_script::shown().size(), 2u) << "no question before overwriting an export";

        // A missing folder, too many colours or one no palette entry shows: a message and no file.
        filename = "lost.bmp";
        ASSERT_EQ(unlink("SkinPreviews/five.gif"), 0);
        ASSERT_EQ(rmdir("SkinPreviews"), 0);
        export_with_ctrl_e(&ExportFail);
        struct stat st;
        EXPECT_NE(stat("SkinPreviews", &st), 0) << "the directory is not created";
        ASSERT_EQ(mkdir("SkinPreviews", 0755), 0);
        for (int i = 0; i < 6 * 256; ++i) {
            putpixel(frame_bitmap(i / 256), i % 16, i / 16 % 16, makecol(i / 256, i / 16 % 16, i % 16));
        }
        passes(1);
        export_with_ctrl_e(&ExportFail);
        EXPECT_EQ(read_file("SkinPreviews/lost.gif"), "") << "more than 256 colours: nothing written";
        for (int f = 0; f < 6; ++f) {
            clear_to_color(frame_bitmap(f), f ? transparent_color() : makeacol32(1, 2, 3, 128));
        }
        passes(1);
        export_with_ctrl_e(&ExportFail);
        EXPECT_EQ(read_file("SkinPreviews/lost.gif"), "") << "a pixel no palette entry shows";
    });
}

TEST(Export, APaletteWithAlphaKeepsItsColoursThroughSaveLoadAndExport)
{
    EXPECT_SCENARIO(
        [] {
            filename = "alpha.bmp";
            const int color = palette_entry(5);
            click(22 + 18 * 5 + 8, 456);
            ASSERT_EQ(Fcolor, color);
            pencil(1, 2, 3);
            windows_script::answer(&ConfirmSave, 1);
            ASSERT_EQ(save(filename), 0);
            load();
            EXPECT_EQ(getpixel(StandingFrame, 2, 3), color) << "still the palette's colour once reloaded";
            passes(1);
            export_with_ctrl_e(&Exported);
            const Animation animation = read_back("alpha.gif");
            ASSERT_NE(animation, nullptr);
            EXPECT_EQ(entry_color(animation->palette, getpixel(animation->frames[0].image, 7, 10)), color)
                << "and once exported";
        },
        write_palette_with_alpha);
}
