// One pass of the main loop with idle input, beside the bare full-screen
// copy it must stay close to; and start-up to the first pass. Headless by
// default; with MOLTWORK_BENCH_WINDOW=1 (and a display, e.g. under xvfb-run)
// the editor opens its real window and the copies go to it.
#include "app/app.h"
#include "document/document.h"
#include "ui/ui.h"

#include <allegro.h>
#include <benchmark/benchmark.h>
#include <loadpng.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
int idle_keypressed()
{
    return 0;
}
int idle_readkey()
{
    return 0;
}

std::string scratch_dir;

void remove_scratch_dir()
{
    std::error_code ignored;
    std::filesystem::remove_all(scratch_dir, ignored);
}

// The editor runs in a scratch copy of the runtime tree, started once and
// removed at exit.
void start_editor_once()
{
    static bool started = false;
    if (started) {
        return;
    }
    started = true;
    char pattern[] = "/tmp/moltwork-bench-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::abort();
    }
    scratch_dir = pattern;
    std::atexit(remove_scratch_dir);
    if (std::system(("cp -R " MOLTWORK_RUNTIME_DIR "/. " + scratch_dir).c_str()) != 0 ||
        chdir(scratch_dir.c_str()) != 0) {
        std::abort();
    }
    if (std::getenv("MOLTWORK_BENCH_WINDOW")) {
        if (start_system() != 0) {
            std::abort();
        }
    } else {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        register_png_file_type();
        install_keyboard_hooks(idle_keypressed, idle_readkey);
        screen = create_bitmap(800, 600);
        mouse_pos = (600 << 16) | 100;
    }
    if (load_startup_data() != 0) {
        std::abort();
    }
    create_static();
}

void BM_BareScreenBlit(benchmark::State &state)
{
    start_editor_once();
    for (auto _ : state) {
        blit(ActiveBuffer, screen, 0, 0, 0, 0, 800, 600);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BareScreenBlit);

void BM_IdlePass(benchmark::State &state)
{
    start_editor_once();
    for (auto _ : state) {
        run_pass();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_IdlePass);

// A pass after a change completed, with unsaved work: Arg 1 writes the
// recovery copy on every pass, Arg 0 finds it within the interval and writes
// nothing, as most passes do.
void BM_PassAfterAChange(benchmark::State &state)
{
    start_editor_once();
    putpixel(StandingFrame, 0, 0, makecol(200, 0, 0));
    const std::chrono::milliseconds interval = recovery_interval;
    recovery_interval = state.range(0) ? std::chrono::milliseconds(0) : std::chrono::hours(1);
    run_pass(); // the first copy is written at once, whatever the interval
    for (auto _ : state) {
        note_change();
        run_pass();
        benchmark::ClobberMemory();
    }
    recovery_interval = interval;
    putpixel(StandingFrame, 0, 0, transparent_color());
    drop_recovery_copy();
}
BENCHMARK(BM_PassAfterAChange)->Arg(0)->Arg(1);

// Start-up data, static screen and the first composed pass; the library and
// the screen are already up, so this is the editor's own share.
void BM_StartUpToFirstPass(benchmark::State &state)
{
    start_editor_once();
    for (auto _ : state) {
        if (load_startup_data() != 0) {
            state.SkipWithError("start-up failed");
            break;
        }
        create_static();
        run_pass();
    }
}
BENCHMARK(BM_StartUpToFirstPass)->Unit(benchmark::kMillisecond)->Iterations(20);
} // namespace

BENCHMARK_MAIN();
