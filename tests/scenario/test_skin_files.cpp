// Saving and loading skins through their message windows, with real files
// in the working directory's skin folder.
#include "app/app.h"
#include "document/document.h"
#include "editor_harness.h"
#include "tools/tools.h"
#include "windows/windows.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace
{
const std::string SKINS = "gfx/skins/";

int red()
{
    return makecol(200, 0, 0);
}
int green()
{
    return makecol(0, 200, 0);
}
int blue()
{
    return makecol(0, 0, 200);
}

void ctrl_key(int scancode)
{
    input::shifts(KB_CTRL_FLAG);
    input::key_down(scancode);
    passes(1);
    input::key_up(scancode);
    input::shifts(0);
    passes(1);
}

void escape()
{
    input::type(27, KEY_ESC);
    passes(1);
}

std::string last_skin_line()
{
    const std::string text = read_file("Options.cfg");
    const std::string header = "***Next line auto-updates with the name of the last skin opened***\n";
    const size_t at = text.find(header);
    if (at == std::string::npos) {
        return "(no last-skin line)";
    }
    const size_t start = at + header.size();
    return text.substr(start, text.find('\n', start) - start);
}

std::set<std::string> files_in(const std::string &dir)
{
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Every pixel of the six frames, in frame order.
std::vector<int> all_frames()
{
    std::vector<int> pixels;
    for (int n = 0; n < FRAME_COUNT; ++n) {
        for (int y = 0; y < FRAME_SIZE; ++y) {
            for (int x = 0; x < FRAME_SIZE; ++x) {
                pixels.push_back(getpixel(frame_bitmap(n), x, y));
            }
        }
    }
    return pixels;
}

// A change on the left canvas recorded like a stroke.
void paint(int x, int y, int color)
{
    add_step(1);
    putpixel(CurrentFrame, x, y, color);
}

// The 2 x 2 block of sheet pixels that frame n's pixel (x, y) becomes.
bool block_is(BITMAP *sheet, int n, int x, int y, int color)
{
    const int sx = 32 * n + 2 * x, sy = 2 * y;
    return getpixel(sheet, sx, sy) == color && getpixel(sheet, sx + 1, sy) == color &&
           getpixel(sheet, sx, sy + 1) == color && getpixel(sheet, sx + 1, sy + 1) == color;
}

// No file may grow past the limit while this lives, as on a full disk.
class FileSizeLimit
{
  public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous); }

  private:
    rlimit previous;
};

// The harness has built the static screen already, which frees the images
// only that uses; they come back so the editor's own start can build it.
void reload_static_images()
{
    Background = load_bitmap("Moltwork/OrvaBack.png", nullptr);
    Banner = load_bitmap("Moltwork/Banner.png", nullptr);
    Tool = load_bitmap("Moltwork/ToolIcons/Tool.png", nullptr);
    FrameToggleBar = load_bitmap("Moltwork/MenuObjects/FrameToggleBar.png", nullptr);
    PreviewToggleBar = load_bitmap("Moltwork/MenuObjects/PreviewToggleBar.png", nullptr);
}
} // namespace

TEST(SkinFiles, SavingUnderANewNameWritesTheSheetAndRemembersTheNameAsTyped)
{
    EXPECT_SCENARIO([] {
        putpixel(StandingFrame, 0, 0, red());
        putpixel(StompedFrame, 15, 15, green());
        filename = "hero";
        windows_script::answer(&ConfirmSave, 1);
        ctrl_key(KEY_S);
        BITMAP *sheet = load_bitmap((SKINS + "hero.bmp").c_str(), nullptr);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->w, 192);
        EXPECT_EQ(sheet->h, 32);
        EXPECT_TRUE(block_is(sheet, 0, 0, 0, red()));
        EXPECT_TRUE(block_is(sheet, 5, 15, 15, green()));
        EXPECT_TRUE(block_is(sheet, 1, 0, 0, transparent_color()));
        destroy_bitmap(sheet);
        EXPECT_FALSE(is_unsaved());
        EXPECT_EQ(last_skin_line(), "hero");

        filename = "copy.png";
        windows_script::answer(&ConfirmSave, 1);
        ctrl_key(KEY_S);
        EXPECT_TRUE(exists((SKINS + "copy.bmp").c_str())) << "the extension is replaced";
        EXPECT_FALSE(exists((SKINS + "copy.png").c_str()));
        EXPECT_EQ(last_skin_line(), "copy.png") << "the name is remembered as typed";
        EXPECT_EQ(files_in(SKINS), (std::set<std::string>{"0orva.bmp", "hero.bmp", "copy.bmp"}));

        // And back: the saved sheet gives the same frames.
        new_skin();
        filename = "hero";
        windows_script::answer(&SaveSkin, 2);
        ctrl_key(KEY_L);
        EXPECT_EQ(getpixel(StandingFrame, 0, 0), red());
        EXPECT_EQ(getpixel(StompedFrame, 15, 15), green());
        EXPECT_FALSE(is_unsaved());
        EXPECT_EQ(last_skin_line(), "hero");
    });
}

TEST(SkinFiles, OverwritingAsksFirstAndADeclineWritesNothing)
{
    EXPECT_SCENARIO([] {
        const std::string original = read_file(SKINS + "0orva.bmp");
        const std::string options = read_file("Options.cfg");
        paint(0, 0, red());
        windows_script::answer(&Overwrite, 2);
        EXPECT_EQ(save("0orva"), -1);
        filename = "0orva.bmp";
        windows_script::answer(&Overwrite, 2);
        ctrl_key(KEY_S);
        EXPECT_EQ(read_file(SKINS + "0orva.bmp"), original);
        EXPECT_EQ(read_file("Options.cfg"), options);
        EXPECT_TRUE(is_unsaved());

        windows_script::answer(&Overwrite, 1);
        windows_script::answer(&ConfirmSave, 1);
        ctrl_key(KEY_S);
        BITMAP *sheet = load_bitmap((SKINS + "0orva.bmp").c_str(), nullptr);
        ASSERT_NE(sheet, nullptr);
        EXPECT_TRUE(block_is(sheet, 0, 0, 0, red()));
        destroy_bitmap(sheet);
        EXPECT_FALSE(is_unsaved());
        EXPECT_EQ(files_in(SKINS), std::set<std::string>{"0orva.bmp"}) << "nothing left beside the skin";
        EXPECT_EQ(last_skin_line(), "0orva.bmp");
    });
}

TEST(SkinFiles, AFailedSaveLeavesTheSkinUnsavedAndTheOldFileWhole)
{
    EXPECT_SCENARIO([] {
        const std::string original = read_file(SKINS + "0orva.bmp");
        const std::string options = read_file("Options.cfg");
        paint(3, 3, red());

        std::filesystem::create_directory(SKINS + "taken.bmp");
        filename = "taken";
        windows_script::answer(&SaveFail, 1);
        ctrl_key(KEY_S);
        EXPECT_TRUE(is_unsaved()) << "a write that failed does not count as saved";
        windows_script::answer(&SaveFail, 1);
        EXPECT_NE(save("taken"), 0);

        // A disk that fills up in the middle of the write.
        filename = "0orva";
        windows_script::answer(&Overwrite, 1);
        windows_script::answer(&SaveFail, 1);
        {
            FileSizeLimit full_disk(4096);
            ctrl_key(KEY_S);
        }
        EXPECT_EQ(read_file(SKINS + "0orva.bmp"), original) << "the old skin survives";
        EXPECT_EQ(files_in(SKINS), (std::set<std::string>{"0orva.bmp", "taken.bmp"}));
        EXPECT_EQ(read_file("Options.cfg"), options);
        EXPECT_TRUE(is_unsaved());

        windows_script::answer(&QuitNow, 1);
        windows_script::answer(&SaveSkin, 2);
        escape();
        EXPECT_TRUE(quit) << "quitting still asked about the unsaved skin";
    });
}

TEST(SkinFiles, AFailedSaveStopsQuitNewAndLoad)
{
    EXPECT_SCENARIO([] {
        std::filesystem::remove_all(SKINS);
        paint(5, 5, red());
        filename = "mine";
        const std::vector<int> painted = all_frames();

        windows_script::answer(&SaveSkin, 1);
        windows_script::answer(&SaveFail, 1);
        ctrl_key(KEY_N);
        EXPECT_EQ(all_frames(), painted) << "New did not go on";
        EXPECT_EQ(filename, "mine");
        EXPECT_EQ(Undos.size(), 1u);

        windows_script::answer(&SaveSkin, 1);
        windows_script::answer(&SaveFail, 1);
        ctrl_key(KEY_L);
        EXPECT_EQ(all_frames(), painted) << "Load did not go on";

        windows_script::answer(&QuitNow, 1);
        windows_script::answer(&SaveSkin, 1);
        windows_script::answer(&SaveFail, 1);
        escape();
        EXPECT_FALSE(quit) << "the editor stays open with the drawing";
        EXPECT_EQ(all_frames(), painted);

        windows_script::answer(&QuitNow, 1);
        windows_script::answer(&SaveSkin, 2);
        escape();
        EXPECT_TRUE(quit);
        EXPECT_EQ(windows_script::shown().size(), 9u);
    });
}

TEST(SkinFiles, SavingOnTheWayOutEndsTheEditor)
{
    EXPECT_SCENARIO([] {
        paint(1, 1, green());
        windows_script::answer(&QuitNow, 1);
        windows_script::answer(&SaveSkin, 1);
        windows_script::answer(&Overwrite, 2);
        escape();
        EXPECT_FALSE(quit) << "declining the overwrite keeps the editor open";

        windows_script::answer(&QuitNow, 1);
        windows_script::answer(&SaveSkin, 1);
        windows_script::answer(&Overwrite, 1);
        windows_script::answer(&ConfirmSave, 1);
        escape();
        EXPECT_TRUE(quit);
        BITMAP *sheet = load_bitmap((SKINS + "0orva.bmp").c_str(), nullptr);
        ASSERT_NE(sheet, nullptr);
        EXPECT_TRUE(block_is(sheet, 0, 1, 1, green())) << "saved under the last skin's name";
        destroy_bitmap(sheet);
    });
}

TEST(SkinFiles, AFileThatIsNoSkinChangesNothing)
{
    EXPECT_SCENARIO([] {
        filename = "0orva";
        ctrl_key(KEY_L);
        paint(2, 2, blue());
        const std::vector<int> before = all_frames();
        const std::string options = read_file("Options.cfg");

        write_file(SKINS + "bad.bmp", "BM this is no bitmap at all");
        BITMAP *small = create_bitmap(100, 20);
        clear_to_color(small, red());
        save_bitmap((SKINS + "small.bmp").c_str(), small, nullptr);
        destroy_bitmap(small);
        BITMAP *narrow = create_bitmap(191, 64);
        clear_to_color(narrow, red());
        save_bitmap((SKINS + "narrow.bmp").c_str(), narrow, nullptr);
        destroy_bitmap(narrow);

        for (const char *name : {"bad", "small", "narrow"}) {
            filename = name;
            windows_script::answer(&SaveSkin, 2);
            windows_script::answer(&LoadFail, 1);
            ctrl_key(KEY_L);
            EXPECT_EQ(all_frames(), before) << name;
            EXPECT_EQ(Undos.size(), 1u) << name;
            EXPECT_TRUE(is_unsaved()) << name;
            EXPECT_EQ(config_file[9], "0orva") << name;
            EXPECT_EQ(read_file("Options.cfg"), options) << name;
        }

        filename = "0orva";
        windows_script::answer(&SaveSkin, 2);
        ctrl_key(KEY_L);
        EXPECT_EQ(getpixel(StandingFrame, 2, 2), getpixel(Key[0], 2, 2))
            << "a good file still loads afterwards";
        EXPECT_FALSE(is_unsaved());
    });
}

TEST(SkinFiles, AMissingFileChangesNothing)
{
    EXPECT_SCENARIO([] {
        paint(2, 2, blue());
        const std::vector<int> before = all_frames();
        filename = "nobody";
        windows_script::answer(&SaveSkin, 2);
        windows_script::answer(&FakeLoad, 1);
        ctrl_key(KEY_L);
        EXPECT_EQ(all_frames(), before);
        EXPECT_EQ(Undos.size(), 1u);
    });
}

TEST(SkinFiles, ALargerSheetKeepsItsOutsidePixelsThroughASave)
{
    EXPECT_SCENARIO([] {
        BITMAP *big = create_bitmap(256, 48);
        clear_to_color(big, transparent_color());
        rectfill(big, 0, 0, 1, 1, red());
        putpixel(big, 200, 10, green());
        putpixel(big, 10, 40, blue());
        putpixel(big, 255, 47, blue());
        save_bitmap((SKINS + "big.bmp").c_str(), big, nullptr);
        destroy_bitmap(big);

        filename = "big";
        ctrl_key(KEY_L);
        EXPECT_EQ(getpixel(StandingFrame, 0, 0), red());
        putpixel(StandingFrame, 1, 1, green());
        windows_script::answer(&Overwrite, 1);
        windows_script::answer(&ConfirmSave, 1);
        ctrl_key(KEY_S);

        BITMAP *sheet = load_bitmap((SKINS + "big.bmp").c_str(), nullptr);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->w, 256);
        EXPECT_EQ(sheet->h, 48);
        EXPECT_EQ(getpixel(sheet, 200, 10), green());
        EXPECT_EQ(getpixel(sheet, 10, 40), blue());
        EXPECT_EQ(getpixel(sheet, 255, 47), blue());
        EXPECT_TRUE(block_is(sheet, 0, 0, 0, red()));
        EXPECT_TRUE(block_is(sheet, 0, 1, 1, green()));
        destroy_bitmap(sheet);
    });
}

TEST(SkinFiles, AfterALoadNothingCanBeUndoneOrRestored)
{
    EXPECT_SCENARIO([] {
        paint(4, 4, red());
        paint(4, 5, red());
        filename = "0orva";
        windows_script::answer(&SaveSkin, 2);
        ctrl_key(KEY_L);
        EXPECT_TRUE(Undos.empty());
        const std::vector<int> loaded = all_frames();
        ctrl_key(KEY_Z);
        EXPECT_EQ(all_frames(), loaded);
        for (int n = 0; n < FRAME_COUNT; ++n) {
            windows_script::answer(&NoRestore, 1);
            restore(frame_bitmap(n));
        }
        EXPECT_EQ(all_frames(), loaded);
        EXPECT_EQ(windows_script::shown().size(), 1u + FRAME_COUNT);
    });
}

TEST(SkinFiles, StartUpLoadsTheLastSkinBeforeTheFirstPass)
{
    EXPECT_SCENARIO(
        [] {
            reload_static_images();
            windows_script::answer(&QuitNow, 1);
            input::type(27, KEY_ESC);
            EXPECT_EQ(run_editor_loop(), 0);
            EXPECT_FALSE(is_unsaved());
            EXPECT_EQ(getpixel(StandingFrame, 0, 0), getpixel(Key[0], 0, 0));
            int painted = 0;
            for (int y = 0; y < FRAME_SIZE; ++y) {
                for (int x = 0; x < FRAME_SIZE; ++x) {
                    painted += getpixel(StandingFrame, x, y) != transparent_color();
                }
            }
            EXPECT_GT(painted, 0) << "the default skin is on the frames";
        },
        [](const std::string &workdir) {
            write_file(workdir + "/Options.cfg", options_text("yes", "0orva.bmp"));
        });
}

TEST(SkinFiles, StartUpWithAMissingLastSkinSaysSoBeforeTheFirstPass)
{
    EXPECT_SCENARIO(
        [] {
            reload_static_images();
            windows_script::answer(&FakeLoad, 1);
            windows_script::answer(&QuitNow, 1);
            input::type(27, KEY_ESC);
            EXPECT_EQ(run_editor_loop(), 0);
            EXPECT_EQ(windows_script::shown(), (std::vector<Window *>{&FakeLoad, &QuitNow}));
            EXPECT_FALSE(is_unsaved()) << "the blank skin stays";
        },
        [](const std::string &workdir) {
            std::remove((workdir + "/gfx/skins/0orva.bmp").c_str());
            write_file(workdir + "/Options.cfg", options_text("yes", "gone.bmp"));
        });
}
