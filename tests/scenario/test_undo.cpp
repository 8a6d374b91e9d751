// The undo history shared by all frames, restoring a frame to its oldest recorded state, and redo.
#include "editor_harness.h"

#include <algorithm>

namespace
{
// Toolbar titles: Edit at x 51..85, Frames at 86..142.
constexpr int EDIT_X = 65, FRAMES_X = 110;

// Frames > Copy canvas > Left -> Right.
void copy_left_onto_right()
{
    click(FRAMES_X, 140);
    input::move(120, 157);
    passes(1);
    click(200, 157);
}

// Undo by Ctrl+Z or Edit > Undo, redo by Ctrl+Y, Ctrl+Shift+Z or Edit > Redo, by turns.
void take_back(int turn)
{
    if (turn % 2) {
        tap(KEY_Z, KB_CTRL_FLAG);
        return;
    }
    click(EDIT_X, 140);
    click(100, 157);
}

void bring_back(int turn)
{
    if (turn % 3 == 0) {
        tap(KEY_Y, KB_CTRL_FLAG);
    } else if (turn % 3 == 1) {
        tap(KEY_Z, KB_CTRL_FLAG | KB_SHIFT_FLAG);
    } else {
        click(EDIT_X, 140);
        click(100, 174);
    }
}
} // namespace

TEST(Undo, RestoreGoesBackToTheOldestStepOfThatFrameAndUndoes)
{
    EXPECT_SCENARIO([] {
        const int red = makecol(200, 0, 0), green = makecol(0, 200, 0), clear = transparent_color();
        stroke(2, 0, 0, green); // Walking first
        stroke(1, 1, 1, red);   // Standing's oldest step: blank
        stroke(1, 2, 2, green);
        stroke(2, 0, 0, red);
        restore(StandingFrame);
        EXPECT_EQ(getpixel(StandingFrame, 1, 1), clear);
        EXPECT_EQ(getpixel(StandingFrame, 2, 2), clear);
        EXPECT_EQ(getpixel(WalkingFrame, 0, 0), red) << "other frames stay";
        EXPECT_EQ(Undos.size(), 5u) << "the oldest step stays and the restore is recorded";
        windows_script::answer(&AlreadyRestored, 1);
        restore(StandingFrame);
        EXPECT_EQ(Undos.size(), 5u) << "a frame in original condition records nothing";

        undo();
        EXPECT_EQ(getpixel(StandingFrame, 1, 1), red) << "undo takes the restore back";
        EXPECT_EQ(getpixel(StandingFrame, 2, 2), green);
    });
}

TEST(Undo, RedoGivesBackEveryPictureTheUserSawInEveryOrder)
{
    EXPECT_SCENARIO([] {
        const std::function<void()> changes[] = {
            [] { pencil(1, 1, 1); },
            [] { pencil(2, 2, 2); },
            copy_left_onto_right,
            [] { pencil(2, 3, 3); },
            [] { restore(WalkingFrame); },
            [] { // the left canvas turns to Walking too
                input::move(335, 405);
                mouse_z++;
                passes(1);
                pencil(1, 4, 4);
            },
        };
        std::vector<std::vector<int>> seen = {all_frames()};
        for (const auto &change : changes) {
            change();
            ASSERT_NE(all_frames(), seen.back()) << "change " << seen.size();
            seen.push_back(all_frames());
        }
        const int top = static_cast<int>(seen.size()) - 1;
        int at = top, turn = 0;
        // Undos (u) and redos (r), past either end too, by every means in turn.
        for (const std::string moves : {"uuuuuuurrrrrrr", "uururruuuurrr", "ruuruuurrrurrrr", "uuuuuur"}) {
            for (const char move : moves) {
                if (move == 'u') {
                    take_back(turn++);
                    at = std::max(at - 1, 0);
                } else {
                    bring_back(turn++);
                    at = std::min(at + 1, top);
                }
                ASSERT_EQ(all_frames(), seen[at]) << moves << " at " << at;
            }
        }
        EXPECT_EQ(CurrentFrame(), WalkingFrame) << "undo does not bring a frame back on screen";
    });
}

TEST(Undo, EveryNewChangeEmptiesTheRedoList)
{
    const struct {
        const char *change;
        void (*make)();
        bool asks_to_save = false;
    } changes[] = {
        {"stroke", [] { pencil(2, 5, 5); }},
        {"canvas copy", copy_left_onto_right},
        {"restore", [] { restore(StandingFrame); }},
        {"swap", swap},
        {"load", [] { tap(KEY_L, KB_CTRL_FLAG); }, true},
        {"New", [] { tap(KEY_N, KB_CTRL_FLAG); }, true},
    };
    for (const auto &c : changes) {
        EXPECT_SCENARIO([&c] {
            filename = "0orva.bmp";
            pencil(1, 1, 1);
            pencil(1, 2, 2);
            tap(KEY_Z, KB_CTRL_FLAG);
            ASSERT_EQ(Redos.size(), 1u);
            if (c.asks_to_save) {
                windows_script::answer(&SaveSkin, 2);
            }
            c.make();
            EXPECT_TRUE(Redos.empty()) << c.change;
            const std::vector<int> after = all_frames();
            tap(KEY_Y, KB_CTRL_FLAG);
            EXPECT_EQ(all_frames(), after) << c.change << ": nothing left to redo";
        });
    }
}
