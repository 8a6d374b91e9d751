#!/usr/bin/python3
"""Builds the editor and its benchmarks in Release and prints the project's performance figures as a
Markdown table: one pass of the main loop against a bare full-screen copy (headless, and in a real
window under Xvfb), start-up and quitting of the real program, the GIF library against giflib, and
every other benchmark of bench/.

    bench/run_benchmarks.py [BUILD_DIR]    (default: build-release beside the sources)

Needs what the test command installs (Xvfb, xdotool, python3-xlib, ImageMagick)."""
import datetime
import json
import os
import platform
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(SOURCE, "tests", "window"))

from Xlib import X, display  # noqa: E402
from xharness import Editor, read_image, start_xvfb, window_buttons  # noqa: E402

START_RUNS = 5
QUIT_RUNS = 3
TIMEOUT = 30


def build(build_dir):
    # A build started from another build must not join its make's job server.
    env = {k: v for k, v in os.environ.items() if k not in ("MAKEFLAGS", "MFLAGS", "MAKELEVEL")}
    subprocess.run(["cmake", "-S", SOURCE, "-B", build_dir, "-DCMAKE_BUILD_TYPE=Release"], env=env,
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build_dir, "-j2", "--target", "moltwork", "moltwork_bench"], env=env,
                   check=True)


def run_bench(bench, out, env=None, only=None):
    """Google Benchmark's results by name: the median of three repetitions."""
    args = [bench, "--benchmark_repetitions=3", "--benchmark_report_aggregates_only=true",
            "--benchmark_out=" + out, "--benchmark_out_format=json"]
    if only:
        args.append("--benchmark_filter=" + only)
    subprocess.run(args, env=env, check=True, stdout=subprocess.DEVNULL, timeout=1200)
    with open(out) as f:
        runs = json.load(f)["benchmarks"]
    return {r["run_name"]: r for r in runs if r.get("aggregate_name") == "median"}


def seconds(run):
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
    return run["real_time"] * scale


def x_environment(xvfb, stubs):
    """The display, and a failing xmessage first on the path: a start-up message then goes to the output
    and the program ends, where a real xmessage would wait for a click that never comes."""
    if not os.path.exists(os.path.join(stubs, "xmessage")):
        os.symlink(shutil.which("false"), os.path.join(stubs, "xmessage"))
    return dict(os.environ, DISPLAY=xvfb.name, PATH=stubs + os.pathsep + os.environ["PATH"])


def wait_for(d, what, proc):
    """Reads X events until what(event) holds; fails if the editor ends or takes too long."""
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        if proc.poll() is not None:
            raise RuntimeError("the editor ended with status %s" % proc.returncode)
        while d.pending_events():
            event = d.next_event()
            if what(event):
                return event
        select.select([d], [], [], 0.05)
    raise RuntimeError("timed out waiting for the editor")


def start_once(program, runtime, env):
    """Seconds from launch to the window's mapping and to the editor's first screen on it, in a fresh copy
    of the shipped data."""
    workdir = tempfile.mkdtemp(prefix="moltwork-startup-")
    d = display.Display(env["DISPLAY"])
    proc = None
    try:
        shutil.copytree(runtime, workdir, dirs_exist_ok=True)
        root = d.screen().root
        root.change_attributes(event_mask=X.SubstructureNotifyMask)
        d.sync()
        launched = time.monotonic()
        proc = subprocess.Popen([program], cwd=workdir, env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        window = wait_for(d, lambda e: e.type == X.MapNotify, proc).window
        mapped = time.monotonic()
        # The window opens black; the corner turns to the editor's backdrop with the first pass.
        while True:
            if proc.poll() is not None:
                raise RuntimeError("the editor ended with status %s" % proc.returncode)
            corner = window.get_image(790, 590, 1, 1, X.ZPixmap, 0xFFFFFFFF).data
            if corner.strip(b"\0"):
                break
            if time.monotonic() - launched > TIMEOUT:
                raise RuntimeError("the editor never showed its screen")
            time.sleep(0.001)
        return mapped - launched, time.monotonic() - launched
    finally:
        d.close()
        if proc and proc.poll() is None:
            proc.kill()
            proc.wait()
        shutil.rmtree(workdir, ignore_errors=True)


def quit_once(program, runtime, xvfb):
    """Seconds from the press on Yeah in "Are you sure you want to quit?" to the end of the process."""
    with Editor(program, runtime, xvfb) as editor:
        editor.hold("Escape")
        outline = read_image(editor.path("Moltwork/WindowObjects/ButtonColors.png")).pixel(0, 0)
        editor.move(5, 590)
        deadline = time.monotonic() + TIMEOUT
        while len(buttons := window_buttons(editor.capture(), outline)) != 2:
            if time.monotonic() > deadline:
                raise RuntimeError("no quit question")
            time.sleep(0.1)
        x, y, width = buttons[0]
        editor.move(x + width // 2, y + 6)
        editor.xdotool("mousedown", 1)
        pressed = time.monotonic()
        status = editor.proc.wait(timeout=TIMEOUT)
        ended = time.monotonic()
        editor.xdotool("mouseup", 1)
        if status != 0:
            raise RuntimeError("the editor ended with status %s" % status)
        return ended - pressed


def tried(measure, attempts=3):
    """A busy Xvfb now and then refuses a client, and the program cannot start: such a run is tried again."""
    for attempt in range(attempts):
        try:
            return measure()
        except RuntimeError as error:
            if attempt == attempts - 1:
                raise
            print("retrying:", error, file=sys.stderr)


def machine():
    model = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo") if line.startswith("model name")),
                 platform.processor())
    return "%s, %d cores, %s" % (model, os.cpu_count(), platform.platform())


def duration(value):
    return "%.1f ms" % (1e3 * value) if value >= 1e-3 else "%.1f µs" % (1e6 * value)


def named(runs, prefix):
    """The run whose name is prefix, or prefix followed by its arguments."""
    return next((name for name in runs if name == prefix or name.startswith(prefix + "/")), None)


def print_table(headless, window, starts, quits):
    print("Measured %s on %s (Release build)." % (datetime.date.today().isoformat(), machine()))
    print()
    print("| figure | Moltwork | beside |")
    print("|---|---|---|")
    shown = set()

    def row(name, ours, reference=""):
        print("| %s | %s | %s |" % (name, ours, reference))

    def take(runs, prefix):
        name = named(runs, prefix)
        if name is None:
            raise RuntimeError("no benchmark " + prefix)
        if runs is headless:
            shown.add(name)
        return seconds(runs[name])

    row("one idle pass, headless", duration(take(headless, "BM_IdlePass")),
        "a bare 800 x 600 blit: " + duration(take(headless, "BM_BareScreenBlit")))
    in_window = take(window, "BM_IdlePass")
    row("one idle pass in a real window (Xvfb)", "%s: %.0f passes a second" % (duration(in_window), 1 / in_window),
        "a bare blit to the window: " + duration(take(window, "BM_BareScreenBlit")))
    row("start-up: launch to window shown", duration(statistics.median(s[0] for s in starts)),
        "median of %d starts" % len(starts))
    row("start-up: launch to the editor's first screen", duration(statistics.median(s[1] for s in starts)),
        "median of %d starts" % len(starts))
    row("start-up: data, static screen and first pass, headless", duration(take(headless, "BM_StartUpToFirstPass")))
    row("quit: Yeah pressed to the process's end", duration(statistics.median(quits)),
        "median of %d quits" % len(quits))
    for name in sorted(headless):
        theirs = name[:-len("moltwork")] + "giflib"
        if not name.endswith("/moltwork") or theirs not in headless:
            continue
        kind, subject = name.split("/")[:2]
        mine, other = take(headless, name), take(headless, theirs)
        row("%s, %s" % ({"GifEncode": "GIF encode", "GifDecode": "GIF decode"}.get(kind, kind), subject), duration(mine),
            "giflib: %s (ours takes %.2f of its time)" % (duration(other), mine / other))
    for name in sorted(set(headless) - shown):
        run = headless[name]
        extra = "%.0f items a second" % run["items_per_second"] if "items_per_second" in run else ""
        row(name, duration(seconds(run)), extra)


def main():
    build_dir = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(SOURCE, "build-release"))
    build(build_dir)
    program = os.path.join(build_dir, "moltwork")
    runtime = os.path.join(build_dir, "runtime")
    bench = os.path.join(build_dir, "bench", "moltwork_bench")
    out = tempfile.mkdtemp(prefix="moltwork-bench-results-")
    xvfb = start_xvfb()
    try:
        print("benchmarks, headless ...", file=sys.stderr)
        headless = run_bench(bench, os.path.join(out, "headless.json"))
        print("benchmarks, in a window ...", file=sys.stderr)
        env = x_environment(xvfb, out)
        window = run_bench(bench, os.path.join(out, "window.json"), env=dict(env, MOLTWORK_BENCH_WINDOW="1"),
                           only="BM_IdlePass|BM_BareScreenBlit")
        print("starting and quitting the editor ...", file=sys.stderr)
        starts = [tried(lambda: start_once(program, runtime, env)) for _ in range(START_RUNS)]
        quits = [tried(lambda: quit_once(program, runtime, xvfb)) for _ in range(QUIT_RUNS)]
    finally:
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(out, ignore_errors=True)
    print_table(headless, window, starts, quits)


main()
