// Saving and loading skins through their message windows, with real files in the skin folder.
#include "editor_harness.h"
#include "pixel_grid.h"

#include <filesystem>
#include <iterator>
#include <utility>

namespace
{
const std::string SKINS = "gfx/skins/";

// Ctrl and a key, or Escape, with answers for the windows that must open, in order.
void press(int scancode, const std::vector<std::pair<Window *, int>> &answers = {})
{
    const size_t before = windows_script::shown().size();
    for (const auto &[window, button] : answers) {
        windows_script::answer(window, button);
    }
    if (scancode == KEY_ESC) {
        simulate_ukeypress(27, KEY_ESC);
        passes(2);
    } else {
        tap(scancode, KB_CTRL_FLAG);
    }
    EXPECT_EQ(windows_script::shown().size(), before + answers.size()) << "windows that did not open";
}

// The skin name Options.cfg remembers.
std::string last_skin_line()
{
    const std::string text = read_file("Options.cfg"), header = "last skin opened***\n";
    const size_t start = text.find(header) + header.size();
    return text.substr(start, text.find('\n', start) - start);
}

// A red picture of the given size in the skin folder.
void write_picture(const std::string &name, int w, int h)
{
    BITMAP *picture = create_bitmap(w, h);
    clear_to_color(picture, makecol(200, 0, 0));
    save_bitmap((SKINS + name).c_str(), picture, nullptr);
    destroy_bitmap(picture);
}
} // namespace

// A file that is no skin, or a failed save, changes neither the drawing nor the files; Quit, New and Load
// go on only after the save they offer.
TEST(SkinFiles, FailedLoadsAndSavesChangeNothingAndWhatOffersASaveWaitsForIt)
{
    EXPECT_SCENARIO([] {
        filename = "0orva";
        press(KEY_L);
        const std::string original = read_file(SKINS + "0orva.bmp"),
                          options_text_before = read_file("Options.cfg");
        stroke(1, 2, 2, makecol(0, 0, 200));
        const std::vector<int> before = all_frames();
        write_file(SKINS + "bad.bmp", "BM this is no bitmap at all");
        write_picture("narrow.bmp", 191, 64);
        std::filesystem::create_directory(SKINS + "taken.bmp");
        const std::pair<const char *, Window *> cases[] = {
            {"bad", &LoadFail}, {"narrow", &LoadFail}, {"nobody", &FakeLoad}};
        for (const auto &[name, window] : cases) {
            filename = name;
            press(KEY_L, {{&SaveSkin, 2}, {window, 1}});
            EXPECT_EQ(all_frames(), before) << name;
            EXPECT_EQ(Undos.size(), 1u) << name;
            EXPECT_EQ(options.last_skin, "0orva") << name;
        }
        filename = "taken";
        press(KEY_S, {{&SaveFail, 1}});
        filename = "0orva";
        with_file_size_limit(4096, [] { press(KEY_S, {{&Overwrite, 1}, {&SaveFail, 1}}); });
        EXPECT_EQ(read_file(SKINS + "0orva.bmp"), original);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(SKINS), {}), 4) << "no file left behind";
        EXPECT_EQ(read_file("Options.cfg"), options_text_before);
        EXPECT_TRUE(is_unsaved());
        press(KEY_S, {{&Overwrite, 1}, {&ConfirmSave, 1}});
        EXPECT_EQ(sheet_frames(SKINS + "0orva.bmp"), all_frames());
        EXPECT_FALSE(is_unsaved());
        EXPECT_EQ(last_skin_line(), "0orva");

        stroke(1, 5, 5, makecol(200, 0, 0));
        press(KEY_ESC, {{&QuitNow, 1}, {&SaveSkin, 1}, {&Overwrite, 2}});
        EXPECT_FALSE(quit) << "declining the overwrite keeps the editor open";
        press(KEY_N, {{&SaveSkin, 2}});
        EXPECT_EQ(options.last_skin, "Untitled.bmp");
        stroke(1, 5, 5, makecol(200, 0, 0));
        std::filesystem::remove_all(SKINS); // every save fails
        filename = "mine";
        press(KEY_N, {{&SaveSkin, 1}, {&SaveFail, 1}});
        press(KEY_L, {{&SaveSkin, 1}, {&SaveFail, 1}});
        press(KEY_ESC, {{&QuitNow, 1}, {&SaveSkin, 1}, {&SaveFail, 1}});
        EXPECT_FALSE(quit);
        EXPECT_EQ(getpixel(StandingFrame, 5, 5), makecol(200, 0, 0)) << "the drawing is still there";
        std::filesystem::create_directory(SKINS);
        write_file(SKINS + "Untitled.bmp", "old");
        press(KEY_ESC, {{&QuitNow, 1}, {&SaveSkin, 1}, {&Overwrite, 1}, {&ConfirmSave, 1}}); // "I know."
        EXPECT_TRUE(quit);
        EXPECT_EQ(sheet_frames(SKINS + "Untitled.bmp"), all_frames()) << "saved under the last skin's name";
    });
}

TEST(SkinFiles, StartUpAutoloadsOnALowerCaseYesAndRefusesAMissingOrHostileLastSkin)
{
    const struct {
        const char *autoload, *last_skin;
        Window *window;
        const char *name;
    } cases[] = {{"Yes", "0orva.bmp", nullptr, "Untitled.bmp"},
                 {"yes ", "0orva.bmp", nullptr, "Untitled.bmp"},
                 {"yes", "gone.bmp", &FakeLoad, "0orva.bmp"}, // falls back to the default skin, removed here
                 {"yes", "huge.bmp", &LoadFail, "huge.bmp"}};
    for (const auto &c : cases) {
        const std::string workdir = make_workdir();
        write_file(workdir + "/Options.cfg", options_text(c.autoload, c.last_skin));
        write_file(workdir + "/gfx/skins/huge.bmp", crafted_bmp({40000, 40000, 8, 0, 0}).substr(0, 118));
        std::remove((workdir + "/gfx/skins/0orva.bmp").c_str());
        const ChildResult result = run_in_child(workdir, [&c] {
            ASSERT_EQ(start_editor_headless(false), 0);
            const std::string options = read_file("Options.cfg");
            if (c.window) {
                windows_script::answer(c.window, 1);
            }
            quit = true; // no passes: only what start-up itself does
            run_editor_loop();
            EXPECT_EQ(windows_script::shown().size(), c.window ? 1u : 0u);
            EXPECT_EQ(filename, c.name);
            EXPECT_FALSE(is_unsaved());
            EXPECT_EQ(all_frames(), std::vector<int>(FRAME_COUNT * 256, transparent_color()))
                << "the blank skin";
            EXPECT_EQ(read_file("Options.cfg"), options);
        });
        EXPECT_EQ(result.exit_status, 0) << c.autoload << " " << c.last_skin << result.output;
    }
}

TEST(SkinFiles, DotNamesAskBeforeOverwritingAndLoadAndNamesAreNeverCut)
{
    EXPECT_SCENARIO(
        [] {
            press(KEY_N);
            EXPECT_EQ(filename, "") << "no options file: New gives the empty name";
            stroke(1, 1, 1, makecol(200, 0, 0));
            press(KEY_S, {{&ConfirmSave, 1}});
            stroke(1, 2, 2, makecol(200, 0, 0));
            press(KEY_S, {{&Overwrite, 2}});
            filename = ".hero"; // saved as .bmp too
            press(KEY_S, {{&Overwrite, 1}, {&ConfirmSave, 1}});
            EXPECT_EQ(sheet_frames(SKINS + ".bmp"), all_frames());

            filename = std::string(CONFIG_LINE_SIZE - 1, 'a'); // as long as Options.cfg can hold
            press(KEY_S, {{&ConfirmSave, 1}});
            EXPECT_EQ(sheet_frames(SKINS + filename + ".bmp"), all_frames());
            filename = std::string(300, 'b'); // too long for the system
            press(KEY_S, {{&SaveFail, 1}});

            write_picture(".hero.bmp", 192, 32);
            filename = ".hero.bmp";
            press(KEY_L);
            EXPECT_EQ(getpixel(StandingFrame, 0, 0), makecol(200, 0, 0));
            EXPECT_EQ(options.last_skin, ".hero.bmp");
        },
        [](const std::string &) {}); // no options file
}
