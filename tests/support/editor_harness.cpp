#include "editor_harness.h"

#include "app/app.h"
#include "headless.h"
#include "ui/ui.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {
std::deque<int> key_buffer;

int scripted_keypressed() { return key_buffer.empty() ? 0 : 1; }

int scripted_readkey()
{
    if (key_buffer.empty()) {
        return 0;
    }
    const int k = key_buffer.front();
    key_buffer.pop_front();
    return k;
}

void run_shell(const std::string &command)
{
    if (std::system(command.c_str()) != 0) {
        ADD_FAILURE() << "command failed: " << command;
    }
}
} // namespace

std::string make_workdir()
{
    char pattern[] = "/tmp/moltwork-test-XXXXXX";
    const char *dir = mkdtemp(pattern);
    if (!dir) {
        ADD_FAILURE() << "cannot make a temporary directory";
        return "/tmp";
    }
    run_shell(std::string("cp -R ") + MOLTWORK_RUNTIME_DIR + "/. " + dir);
    return dir;
}

ChildResult run_in_child(const std::string &workdir, const std::function<void()> &body)
{
    const std::string output_path = workdir + "/.child-output";
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(workdir.c_str()) != 0 || !std::freopen(output_path.c_str(), "w", stdout)) {
            _exit(99);
        }
        body();
        std::fflush(stdout);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ChildResult result;
    result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1000 - WTERMSIG(status);
    result.output = read_file(output_path);
    std::remove(output_path.c_str());
    return result;
}

int start_editor_headless()
{
    start_headless_library();
    screen = create_bitmap(800, 600);
    clear_to_color(screen, 0);
    install_keyboard_hooks(scripted_keypressed, scripted_readkey);
    const int code = load_startup_data();
    if (code == 0) {
        create_static();
    }
    return code;
}

namespace input {
void move(int x, int y)
{
    mouse_x = x;
    mouse_y = y;
    mouse_pos = (x << 16) | (y & 0xFFFF);
}
void buttons(int bits) { mouse_b = bits; }
void wheel(int z) { mouse_z = z; }
void key_down(int scancode) { key[scancode] = 1; }
void key_up(int scancode) { key[scancode] = 0; }
void shifts(int flags) { key_shifts = flags; }
void type(int ascii, int scancode) { key_buffer.push_back((scancode << 8) | (ascii & 0xFF)); }
} // namespace input

void passes(int n)
{
    for (int i = 0; i < n; ++i) {
        run_pass();
    }
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void write_file(const std::string &path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}
