"""Runs the built editor in a real window under Xvfb and drives it with xdotool.

Input is polled once per pass, so every press and release is held for some
tens of milliseconds. The library's start-up message boxes go to `xmessage`;
a stub first on PATH records them in the working directory.
"""
import os
import shutil
import subprocess
import tempfile
import time

from Xlib import X, display, protocol

HOLD = 0.1


class Xvfb:
    def __init__(self):
        self.number = self._free_display()
        self.name = ":%d" % self.number
        self.proc = subprocess.Popen(
            ["Xvfb", self.name, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 10
        while not self._accepts_clients():
            if time.time() > deadline:
                raise RuntimeError("Xvfb did not start")
            time.sleep(0.05)
        # The server answers before it has finished setting up its keyboard.
        time.sleep(1.0)

    def _accepts_clients(self):
        try:
            display.Display(self.name).close()
            return True
        except Exception:
            return False

    @staticmethod
    def _free_display():
        for n in range(90, 200):
            if not os.path.exists("/tmp/.X%d-lock" % n):
                return n
        raise RuntimeError("no free X display")

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


class Editor:
    """One run of the editor in a fresh working directory."""

    def __init__(self, program, runtime, xvfb, prepare=None):
        self.xvfb = xvfb
        self.workdir = tempfile.mkdtemp(prefix="moltwork-window-")
        shutil.copytree(runtime, self.workdir, dirs_exist_ok=True)
        self.bin = os.path.join(self.workdir, ".bin")
        os.makedirs(self.bin)
        stub = os.path.join(self.bin, "xmessage")
        with open(stub, "w") as f:
            f.write('#!/bin/sh\nfor last; do :; done\nprintf "%s\\n" "$last" >> "$MOLTWORK_MESSAGES"\n')
        os.chmod(stub, 0o755)
        if prepare:
            prepare(self.workdir)
        env = dict(os.environ)
        env["DISPLAY"] = xvfb.name
        env["PATH"] = self.bin + os.pathsep + env.get("PATH", "")
        env["MOLTWORK_MESSAGES"] = self.path(".messages")
        self.command = dict(args=[program], cwd=self.workdir, env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.proc = subprocess.Popen(**self.command)
        self.window = None
        self.restarted = False

    def path(self, relative):
        return os.path.join(self.workdir, relative)

    def xdotool(self, *args):
        env = dict(os.environ, DISPLAY=self.xvfb.name)
        return subprocess.run(["xdotool"] + [str(a) for a in args], env=env,
                              capture_output=True, text=True).stdout.strip()

    def wait_window(self, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.proc.poll() == 2 and not self.restarted:
                # Under Xvfb the library now and then fails to open its
                # display right after another client left; start once more.
                self.restarted = True
                self.proc = subprocess.Popen(**self.command)
                continue
            if self.proc.poll() is not None:
                raise AssertionError("the editor ended before its window appeared: %s %r %r" % (
                    self.proc.returncode, self.proc.stdout.read(), self.messages()))
            found = self.xdotool("search", "--name", "Moltwork")
            if found:
                self.window = int(found.split()[0])
                self.move(400, 300)
                self._wait_first_pass(deadline)
                return self.window
            time.sleep(0.05)
        raise AssertionError("no editor window")

    def _wait_first_pass(self, deadline):
        """The window opens before start-up has finished; input and close
        requests count only once the editor's screen is shown."""
        while time.time() < deadline:
            if self.capture().pixel(790, 590) != (0, 0, 0):
                time.sleep(0.1)
                return
            time.sleep(0.05)
        raise AssertionError("the editor never showed its screen")

    def title(self):
        return self.xdotool("getwindowname", self.window)

    def move(self, x, y):
        self.xdotool("mousemove", "--window", self.window, x, y)
        time.sleep(HOLD)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("mousedown", button)
        time.sleep(HOLD)
        self.xdotool("mouseup", button)
        time.sleep(HOLD)

    def key(self, name, hold=HOLD):
        self.xdotool("keydown", name)
        time.sleep(hold)
        self.xdotool("keyup", name)
        time.sleep(HOLD)

    def close_request(self):
        """What a window manager sends when the close button is pressed."""
        self._send_close_request()

    def close_until_asked(self, attempts=3):
        """A close request, repeated while no question appears: under Xvfb
        the library now and then misses one."""
        for _ in range(attempts):
            self._send_close_request()
            if self.wait_for_window(timeout=1.5):
                return
        raise AssertionError("the close request was never answered with a question")

    def _send_close_request(self):
        d = display.Display(self.xvfb.name)
        w = d.create_resource_object("window", self.window)
        protocols = d.intern_atom("WM_PROTOCOLS")
        delete = d.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=w, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        w.send_event(event, event_mask=X.NoEventMask)
        d.flush()
        d.close()

    def capture(self):
        """The window's pixels as rows of (r, g, b)."""
        env = dict(os.environ, DISPLAY=self.xvfb.name)
        if self.proc.poll() is not None:
            raise AssertionError("the editor has ended (status %s)" % self.proc.returncode)
        ppm = subprocess.run(["import", "-window", str(self.window), "-depth", "8", "ppm:-"],
                             env=env, capture_output=True, check=True, timeout=20).stdout
        return Picture(ppm)

    def wait_for_window(self, timeout):
        """Whether a message window is shown within the time."""
        outline = read_png_pixel(self.path("Moltwork/WindowObjects/ButtonColors.png"), 0, 0)
        self.move(5, 590)
        deadline = time.time() + timeout
        while time.time() < deadline:
            if window_buttons(self.capture(), outline):
                return True
            time.sleep(0.1)
        return False

    def answer(self, button, expected_buttons=None, timeout=5):
        """Presses button n (from 1, left to right) of the message window
        being shown, once it is on the screen."""
        outline = read_png_pixel(self.path("Moltwork/WindowObjects/ButtonColors.png"), 0, 0)
        self.move(5, 590)  # a hovered button's outline takes another colour
        deadline = time.time() + timeout
        while time.time() < deadline:
            buttons = window_buttons(self.capture(), outline)
            if buttons:
                if expected_buttons is not None:
                    assert len(buttons) == expected_buttons, buttons
                x, y, width = buttons[button - 1]
                self.click(x + width // 2, y + 6)
                time.sleep(0.1)
                return
            time.sleep(0.1)
        failed = self.capture()
        with open("/tmp/moltwork-no-window.ppm", "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (failed.width, failed.height) + failed.data)
        raise AssertionError("no message window appeared")

    def wait_exit(self, timeout=10):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            raise AssertionError("the editor did not end")

    def messages(self):
        try:
            with open(self.path(".messages")) as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def finish(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        shutil.rmtree(self.workdir, ignore_errors=True)


class Picture:
    def __init__(self, ppm):
        parts = ppm.split(b"\n", 3)
        self.width, self.height = (int(v) for v in parts[1].split())
        self.data = parts[3]

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])


def main(tests):
    """Runs each test(program, runtime, xvfb); prints a closing count line."""
    import sys
    import traceback
    program, runtime = sys.argv[1], sys.argv[2]
    xvfb = Xvfb()
    passed = failed = 0
    try:
        for test in tests:
            try:
                test(program, runtime, xvfb)
                passed += 1
                print("ok", test.__name__)
            except Exception:
                failed += 1
                print("FAILED", test.__name__)
                traceback.print_exc()
    finally:
        xvfb.stop()
    print("%d passed, %d failed" % (passed, failed))
    sys.exit(1 if failed else 0)


def read_bmp(path):
    """A 24-bit BMP as rows of (r, g, b), top row first."""
    import struct
    with open(path, "rb") as f:
        data = f.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits, = struct.unpack_from("<H", data, 28)
    assert bits == 24, "expected a 24-bit BMP"
    row_size = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source = height - 1 - y if height > 0 else y
        start = offset + source * row_size
        rows.append([(data[start + 3 * x + 2], data[start + 3 * x + 1], data[start + 3 * x])
                     for x in range(width)])
    return rows


def read_png_pixel(path, x, y):
    """One pixel of a PNG file, read with ImageMagick."""
    out = subprocess.run(["convert", "%s[1x1+%d+%d]" % (path, x, y), "-depth", "8", "txt:-"],
                         capture_output=True, text=True, check=True).stdout
    rgb = out.splitlines()[1].split("(")[1].split(")")[0].split(",")
    return tuple(int(float(v)) for v in rgb[:3])


def window_buttons(picture, outline):
    """The buttons of a shown message window, left to right, found by the
    top edges of their outlines: (x, y, width) each."""
    found = []
    for y in range(picture.height):
        x = 0
        while x < picture.width:
            if picture.pixel(x, y) == outline:
                start = x
                while x < picture.width and picture.pixel(x, y) == outline:
                    x += 1
                if x - start >= 24 and not any(abs(fx - start) < 2 and abs(fy - y) < 3 for fx, fy, _ in found):
                    found.append((start, y, x - start))
            x += 1
    # Each button's outline has a top and a bottom edge: keep the top ones.
    tops = []
    for bx, by, w in sorted(found, key=lambda b: (b[1], b[0])):
        if not any(abs(tx - bx) < 2 and tw == w for tx, ty, tw in tops):
            tops.append((bx, by, w))
    return sorted(tops)
