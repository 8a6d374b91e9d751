#include "editor_harness.h"

#include "headless.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#define CHECK_LEAKS_IN_CHILDREN 1
#endif

namespace
{
// Without a keyboard driver the library reads its own key buffer, where
// simulate_ukeypress puts keys, only while hooks are installed; nothing else waits.
int no_other_key()
{
    return 0;
}

struct Answer {
    Window *expected;
    int button;
};
std::deque<Answer> answers;
std::vector<Window *> shown_log;
std::function<void()> custom_script;

void answer_next_window()
{
    if (custom_script) {
        custom_script();
        return;
    }
    shown_log.push_back(shown_window);
    if (answers.empty()) {
        ADD_FAILURE() << "a message window opened that the test did not expect";
        std::fflush(stdout);
        _exit(3);
    }
    const Answer a = answers.front();
    answers.pop_front();
    EXPECT_EQ(shown_window, a.expected) << "another message window opened than the one expected";
    const Window &w = *shown_window;
    input::move(w.x + w.button_x[a.button - 1] + w.button_w / 2,
                w.y + w.button_y[a.button - 1] + w.button_h / 2);
    mouse_b = 1;
}

// Without a system driver the library knows no screen size (SCREEN_W and
// SCREEN_H read 0, so windows would open half off the screen) and has no
// pointer (position_mouse and set_mouse_sprite_focus do nothing). These
// stand-ins give it an 800 x 600 screen and a pointer both calls reach.
void attach_screen_and_pointer()
{
    static GFX_DRIVER display{};
    static MOUSE_DRIVER pointer{};
    display.name = display.desc = display.ascii_name = "scripted display";
    display.w = 800;
    display.h = 600;
    display.windowed = TRUE;
    gfx_driver = &display;
    pointer.name = pointer.desc = pointer.ascii_name = "scripted pointer";
    mouse_driver = &pointer;
}

std::vector<std::string> workdirs_made;
pid_t test_process = 0;

// A child that ends through exit() (start-up failures do) runs this too:
// only the test process itself may clean up.
void remove_workdirs()
{
    for (const std::string &dir : workdirs_made) {
        if (getpid() == test_process) {
            std::filesystem::remove_all(dir);
        }
    }
}

void put_le(std::string &b, std::size_t at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        b[at + i] = static_cast<char>(value >> 8 * i);
    }
}
} // namespace

std::string make_workdir()
{
    if (workdirs_made.empty()) {
        test_process = getpid();
        std::atexit(remove_workdirs);
    }
    char pattern[] = "/tmp/moltwork-test-XXXXXX";
    EXPECT_TRUE(mkdtemp(pattern)) << "cannot make a temporary directory";
    workdirs_made.push_back(pattern);
    std::filesystem::copy(MOLTWORK_RUNTIME_DIR, pattern, std::filesystem::copy_options::recursive);
    return pattern;
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
        // Freed as at exit, so that the sanitizers check the release too.
        release_editor();
#ifdef CHECK_LEAKS_IN_CHILDREN
        // The child ends with _exit, which skips the leak check at exit: each scenario is checked here.
        __lsan_do_leak_check();
#endif
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const ChildResult result = {WIFEXITED(status) ? WEXITSTATUS(status) : -1000 - WTERMSIG(status),
                                read_file(output_path)};
    std::remove(output_path.c_str());
    return result;
}

int start_editor_headless(bool build_static_screen)
{
    start_headless_library();
    screen = create_bitmap(800, 600);
    clear_to_color(screen, 0);
    install_keyboard_hooks(no_other_key, no_other_key);
    attach_screen_and_pointer();
    window_pass_hook = answer_next_window;
    const int code = load_startup_data();
    if (code == 0 && build_static_screen) {
        create_static();
    }
    return code;
}

namespace input
{
void move(int x, int y)
{
    mouse_x = x;
    mouse_y = y;
    mouse_pos = (x << 16) | (y & 0xFFFF);
}
} // namespace input

namespace windows_script
{
void answer(Window *expected, int button)
{
    answers.push_back({expected, button});
}
const std::vector<Window *> &shown()
{
    return shown_log;
}
void custom(const std::function<void()> &each_pass)
{
    custom_script = each_pass;
}
} // namespace windows_script

void passes(int n)
{
    for (int i = 0; i < n; ++i) {
        run_pass();
    }
}

void tap(int scancode, int flags)
{
    key_shifts = flags;
    key[scancode] = 1;
    passes(1);
    key[scancode] = key_shifts = 0;
    passes(1);
}

void click(int x, int y, int bits)
{
    input::move(x, y);
    mouse_b = bits;
    passes(1);
    mouse_b = 0;
    passes(1);
}

void stroke(int canvas, int x, int y, int color)
{
    add_step(canvas);
    putpixel(frame_on_canvas(canvas), x, y, color);
}

void pencil(int canvas, int x, int y)
{
    click(canvas_left(canvas) + 12 * x + 6, CANVAS_Y + 12 * y + 6);
}

std::vector<int> all_frames()
{
    std::vector<int> pixels;
    for (int i = 0; i < FRAME_COUNT * FRAME_SIZE * FRAME_SIZE; ++i) {
        pixels.push_back(getpixel(frame_bitmap(i / 256), i % 16, i / 16 % 16));
    }
    return pixels;
}

std::vector<int> frames_of(BITMAP *sheet)
{
    std::vector<int> pixels;
    for (int i = 0; sheet && i < FRAME_COUNT * FRAME_SIZE * FRAME_SIZE; ++i) {
        pixels.push_back(getpixel(sheet, 32 * (i / 256) + 2 * (i % 16), 2 * (i / 16 % 16)));
    }
    return pixels;
}

std::vector<int> sheet_frames(const std::string &path)
{
    BITMAP *sheet = load_bitmap(path.c_str(), nullptr);
    const std::vector<int> frames = frames_of(sheet);
    destroy_bitmap(sheet);
    return frames;
}

void with_file_size_limit(long bytes, const std::function<void()> &body)
{
    rlimit normal, limited;
    getrlimit(RLIMIT_FSIZE, &normal);
    limited = {static_cast<rlim_t>(bytes), normal.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
    setrlimit(RLIMIT_FSIZE, &limited);
    body();
    setrlimit(RLIMIT_FSIZE, &normal);
    std::signal(SIGXFSZ, handler);
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

std::string options_text(const std::string &autoload, const std::string &last_skin,
                         const std::string &palette, const std::string &default_name)
{
    return "c\n" + default_name + "\n\nc\n" + palette + "\n\nc\ngfx/skins/\n\nc\n" + autoload + "\n\nc\n" +
           last_skin + "\n\nc\nno\n\nc\nno";
}

ChildResult run_scenario(const std::function<void()> &body,
                         const std::function<void(const std::string &workdir)> &prepare)
{
    const std::string workdir = make_workdir();
    if (prepare) {
        prepare(workdir);
    } else {
        write_file(workdir + "/Options.cfg", options_text());
    }
    return run_in_child(workdir, [&] {
        const int code = start_editor_headless();
        if (code != 0) {
            ADD_FAILURE() << "start-up failed with " << code;
            return;
        }
        body();
    });
}

std::string crafted_bmp(const BmpHeader &h)
{
    const long table = h.bits <= 8 ? 4L << h.bits : 0;
    const long row = (static_cast<long>(h.width) * h.bits + 31) / 32 * 4;
    const long pixels = h.pixel_bytes >= 0 ? h.pixel_bytes : row * std::labs(h.height);
    std::string b(54 + table + pixels, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put_le(b, 2, b.size(), 4);
    put_le(b, 10, 54 + table, 4);
    put_le(b, 14, h.info_size, 4);
    put_le(b, 18, h.width, 4);
    put_le(b, 22, h.height, 4);
    put_le(b, 26, 1, 2);
    put_le(b, 28, h.bits, 2);
    put_le(b, 30, h.compression, 4);
    for (long i = 0; i < table; ++i) {
        b[54 + i] = static_cast<char>(i % 4 == 3 ? 0 : 128);
    }
    return b;
}
