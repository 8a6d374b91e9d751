// Drives the real editor headless: a fresh working directory per test, the
// editor started on a memory screen in a child process, and scripted input
// fed through the library's own input globals, pass by pass.
#pragma once

// Every scenario drives the editor's own globals, so this brings in its headers.
#include "app/app.h"
#include "document/document.h"
#include "tools/tools.h"
#include "ui/ui.h"
#include "windows/windows.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A new temporary working directory holding a copy of the built runtime tree.
std::string make_workdir();

struct ChildResult {
    int exit_status; // the child's exit status, or -1000 - signal when it was killed
    std::string output;
};

// Runs body in a forked child working in workdir, its output captured; a failed assertion makes it exit 1.
ChildResult run_in_child(const std::string &workdir, const std::function<void()> &body);

// Starts the editor headless here on an 800 x 600 memory screen: the start-up data and (unless the test
// runs the editor's own loop, which builds it) the static screen. Returns load_startup_data's code.
int start_editor_headless(bool build_static_screen = true);

// Tests set the library's input globals (mouse_b, mouse_z, key[], key_shifts) and put keys into its
// buffer with simulate_ukeypress, read at the next pass; the pointer moves here.
namespace input
{
void move(int x, int y);
} // namespace input

// Each message window that opens must be the next one queued, and gets a press on its queued button.
namespace windows_script
{
void answer(Window *expected, int button);
// The windows shown so far, in order.
const std::vector<Window *> &shown();
// Replaces the answering script by a function run at every modal pass.
void custom(const std::function<void()> &each_pass);
} // namespace windows_script

// Runs n passes of the main loop.
void passes(int n = 1);

// Holds a key (with modifier flags) for one pass, then releases it for one.
void tap(int scancode, int flags = 0);
// Holds mouse buttons at (x, y) for one pass, then releases them for one.
void click(int x, int y, int bits = 1);
// A change to the frame on canvas 1 (left) or 2 (right), recorded first like a stroke.
void stroke(int canvas, int x, int y, int color);
// A click (the pencil's, by default) on the middle of frame pixel (x, y) of canvas 1 or 2.
void pencil(int canvas, int x, int y);

// Every pixel of the six frames, frame by frame, row by row.
std::vector<int> all_frames();
// The frames a 192 x 32 skin sheet holds (each frame pixel a 2 x 2 block), as all_frames() lists them;
// none when there is no sheet or its file does not load.
std::vector<int> frames_of(BITMAP *sheet);
std::vector<int> sheet_frames(const std::string &path);

// Runs body with files limited to `bytes`, as on a disk that fills up mid-write.
void with_file_size_limit(long bytes, const std::function<void()> &body);

std::string read_file(const std::string &path);
void write_file(const std::string &path, const std::string &content);

struct BmpHeader {
    std::int32_t width, height;
    int bits = 24;
    int compression = 0;
    long pixel_bytes = -1; // -1: as many as the header declares
    int info_size = 40;
};
// A BMP file written byte by byte: the two headers, a grey colour table when paletted, then zero pixel bytes.
std::string crafted_bmp(const BmpHeader &header);

// An Options.cfg whose values are the built-ins except the ones given.
std::string options_text(const std::string &autoload = "no", const std::string &last_skin = "0orva.bmp",
                         const std::string &palette = "gfx/packs/Classic/palette.bmp",
                         const std::string &default_name = "Untitled.bmp");

// A fresh working directory, prepared, then the editor started headless in a
// child process and body run there. Passes when the child reports no failure.
ChildResult run_scenario(const std::function<void()> &body,
                         const std::function<void(const std::string &workdir)> &prepare = nullptr);

#define EXPECT_SCENARIO(...)                                                                                 \
    do {                                                                                                     \
        const ChildResult scenario_result = run_scenario(__VA_ARGS__);                                       \
        EXPECT_EQ(scenario_result.exit_status, 0) << scenario_result.output;                                 \
    } while (0)
