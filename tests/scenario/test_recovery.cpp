// The recovery copy of unsaved work: kept as changes complete, offered at start-up, set aside when it
// cannot be read, and gone once the work is saved or let go.
#include "editor_harness.h"

#include "files/files.h"

#include <filesystem>

namespace
{
// What the copy on disk holds: its name and frames; empty frames when there is none or it is unreadable.
std::pair<std::string, std::vector<int>> copy_on_disk()
{
    const FoundRecovery found = find_recovery_copy();
    if (found.check != RecoveryCheck::Found) {
        return {"", {}};
    }
    const std::vector<int> frames = frames_of(found.sheet);
    destroy_bitmap(found.sheet);
    return {found.name, frames};
}

// The close button, answered Quit and the unsaved work let go; then leaving as the main loop does.
void quit_discarding()
{
    quit_program();
    windows_script::answer(&QuitNow, 1);
    windows_script::answer(&SaveSkin, 2);
    passes(1);
    ASSERT_TRUE(quit);
    close_editor();
}
} // namespace

TEST(Recovery, KeptOnceAChangeCompletesAndGoneWithNothingUnsaved)
{
    EXPECT_SCENARIO([] {
        recovery_interval = std::chrono::milliseconds(0);
        filename = "drawn.bmp";
        input::move(canvas_left(1) + 18, CANVAS_Y + 18);
        mouse_b = 1;
        passes(2);
        mouse_b = 0;
        passes(1);
        EXPECT_FALSE(path_exists(RECOVERY_FILE)) << "not while the stroke runs, nor on its release";
        passes(1);
        EXPECT_EQ(copy_on_disk(), std::make_pair(std::string("drawn.bmp"), all_frames()));
        tap(KEY_Z, KB_CTRL_FLAG);
        EXPECT_FALSE(path_exists(RECOVERY_FILE)) << "undone back to the saved skin";

        pencil(1, 1, 1);
        passes(1);
        ASSERT_TRUE(path_exists(RECOVERY_FILE));
        windows_script::answer(&ConfirmSave, 1);
        tap(KEY_S, KB_CTRL_FLAG);
        EXPECT_FALSE(path_exists(RECOVERY_FILE)) << "gone with the save";
        pencil(1, 2, 2);
        passes(1);
        ASSERT_TRUE(path_exists(RECOVERY_FILE));
        quit_discarding();
        EXPECT_FALSE(path_exists(RECOVERY_FILE)) << "gone when the changes are let go";
        EXPECT_TRUE(Undos.empty() && Redos.empty()) << "the history is freed";
    });
}

TEST(Recovery, StartUpRestoresTheDrawingUnsavedOrDiscardsIt)
{
    const std::string workdir = make_workdir();
    write_file(workdir + "/Options.cfg", options_text("yes"));
    const auto crash_after_drawing = [] {
        ASSERT_EQ(start_editor_headless(false), 0);
        ASSERT_EQ(open_editor(), 0);
        filename = "drawn.bmp";
        pencil(1, 1, 1);
        pencil(2, 2, 2);
        passes(1);
    }; // ends without quitting, as a killed editor does
    ASSERT_EQ(run_in_child(workdir, crash_after_drawing).exit_status, 0);
    const std::string copy = read_file(workdir + "/" + RECOVERY_FILE);

    const ChildResult restored = run_in_child(workdir, [] {
        ASSERT_EQ(start_editor_headless(false), 0);
        const std::string options_file = read_file("Options.cfg");
        windows_script::answer(&Recovery, 2);
        ASSERT_EQ(open_editor(), 0);
        EXPECT_EQ(copy_on_disk(), std::make_pair(std::string("drawn.bmp"), all_frames()))
            << "the frames drawn, not the autoloaded skin";
        EXPECT_EQ(filename, "drawn.bmp");
        EXPECT_TRUE(is_unsaved());
        EXPECT_TRUE(Undos.empty() && Redos.empty());
        EXPECT_EQ(options.last_skin, "0orva.bmp");
        EXPECT_EQ(read_file("Options.cfg"), options_file);
        EXPECT_TRUE(path_exists(RECOVERY_FILE)) << "kept until saved";
        quit_discarding();
        EXPECT_EQ(options.last_skin, "0orva.bmp") << "a close request writes the options, unchanged";
    });
    EXPECT_EQ(restored.exit_status, 0) << restored.output;
    EXPECT_FALSE(path_exists(workdir + "/" + RECOVERY_FILE));

    write_file(workdir + "/" + RECOVERY_FILE, copy);
    const ChildResult discarded = run_in_child(workdir, [] {
        ASSERT_EQ(start_editor_headless(false), 0);
        windows_script::answer(&Recovery, 1);
        ASSERT_EQ(open_editor(), 0);
        EXPECT_FALSE(path_exists(RECOVERY_FILE));
        EXPECT_EQ(filename, "0orva.bmp") << "the start goes on with the autoload";
        EXPECT_FALSE(is_unsaved());
    });
    EXPECT_EQ(discarded.exit_status, 0) << discarded.output;
}

TEST(Recovery, AnUnreadableCopyIsSetAsideUnderAFreeNameAndTheStartGoesOn)
{
    const std::string signature = "Moltwork recovery copy\nx.bmp\n";
    const std::string sheet = crafted_bmp({192, 32});
    const std::string copies[] = {
        "not a copy at all",
        signature + sheet.substr(0, sheet.size() - 1),
        "Moltwork recovery copy\n" + std::string(5000, 'x') + "\n" + sheet,
        signature + crafted_bmp({191, 32}),
        "", // a folder
    };
    for (const std::string &copy : copies) {
        SCOPED_TRACE(copy.substr(0, 30));
        EXPECT_SCENARIO(
            [&copy] {
                windows_script::answer(&RecoveryFail, 1);
                ASSERT_EQ(open_editor(), 0);
                EXPECT_FALSE(path_exists(RECOVERY_FILE));
                EXPECT_EQ(read_file("Recovery-damaged-1.moltwork"), "an older one") << "never replaced";
                if (copy.empty()) {
                    EXPECT_TRUE(std::filesystem::is_directory("Recovery-damaged-2.moltwork"));
                } else {
                    EXPECT_EQ(read_file("Recovery-damaged-2.moltwork"), copy);
                }
                EXPECT_EQ(filename, "0orva.bmp") << "the autoload goes on";
                pencil(1, 1, 1);
                passes(1);
                EXPECT_EQ(copy_on_disk().second, all_frames()) << "new work is kept again";
            },
            [&copy](const std::string &workdir) {
                write_file(workdir + "/Options.cfg", options_text("yes"));
                write_file(workdir + "/Recovery-damaged-1.moltwork", "an older one");
                if (copy.empty()) {
                    std::filesystem::create_directory(workdir + "/" + RECOVERY_FILE);
                } else {
                    write_file(workdir + "/" + RECOVERY_FILE, copy);
                }
            });
    }
}
