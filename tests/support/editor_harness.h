// Drives the real editor headless: a fresh working directory per test, the
// editor started on a memory screen in a child process, and scripted input
// fed through the library's own input globals, pass by pass.
#pragma once

#include <functional>
#include <string>

// A new temporary working directory holding a copy of the built runtime tree.
std::string make_workdir();

struct ChildResult {
    int exit_status; // the child's exit status, or -1000 - signal when it was killed
    std::string output;
};

// Runs body in a forked child whose working directory is workdir, with its
// standard output captured. Test assertions inside body are reported by the
// child as they fail; the child then exits with status 1.
ChildResult run_in_child(const std::string &workdir, const std::function<void()> &body);

// Starts the editor headless in the current working directory: the library
// with no system driver, an 800 x 600 memory screen, keyboard hooks, then the
// start-up data and the static screen. Returns load_startup_data's code.
int start_editor_headless();

// Scripted input, read by the editor at its next pass.
namespace input {
void move(int x, int y);
void buttons(int bits);
void wheel(int z);
void key_down(int scancode);
void key_up(int scancode);
void shifts(int flags);
// Puts a key into the keyboard buffer, as readkey() reports it.
void type(int ascii, int scancode);
} // namespace input

// Runs n passes of the main loop.
void passes(int n = 1);

std::string read_file(const std::string &path);
void write_file(const std::string &path, const std::string &content);
