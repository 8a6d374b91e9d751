"""Runs the built editor under Xvfb and drives it with xdotool. Input is polled
once per pass, so every press and release is held for some tens of milliseconds.
The library's start-up message boxes go to an `xmessage` stub that records them."""
import itertools
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from Xlib import X, display, protocol

HOLD = 0.1
# Two plain spots of the backdrop.
POINTER_SPOTS = ((700, 100), (690, 110))


class Xvfb:
    def __init__(self):
        self.name = ":%d" % next(n for n in range(90, 200) if not os.path.exists("/tmp/.X%d-lock" % n))
        self.proc = subprocess.Popen(
            ["Xvfb", self.name, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The server accepts clients before it has finished setting up its keyboard.
        for _ in range(200):
            time.sleep(0.05)
            if subprocess.run(["xdpyinfo", "-display", self.name], capture_output=True).returncode == 0:
                time.sleep(1.0)
                return
        self.stop()
        raise RuntimeError("Xvfb did not start")

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


class Editor:
    """One run of the editor in a fresh working directory."""

    def __init__(self, program, runtime, xvfb, prepare=None):
        self.window, self.starts = None, 1
        self.env = dict(os.environ, DISPLAY=xvfb.name)
        self.workdir = tempfile.mkdtemp(prefix="moltwork-window-")
        try:
            shutil.copytree(runtime, self.workdir, dirs_exist_ok=True)
            stubs = self.path(".bin")
            os.makedirs(stubs)
            with open(os.path.join(stubs, "xmessage"), "w") as f:
                f.write('#!/bin/sh\nfor last; do :; done\nprintf "%s\\n" "$last" >> "$MOLTWORK_MESSAGES"\n')
            os.chmod(os.path.join(stubs, "xmessage"), 0o755)
            if prepare:
                prepare(self.workdir)
            env = dict(self.env, PATH=stubs + os.pathsep + os.environ.get("PATH", ""),
                       MOLTWORK_MESSAGES=self.path(".messages"))
            self.command = dict(args=[program], cwd=self.workdir, env=env,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
            self.proc = subprocess.Popen(**self.command)
        except BaseException:
            shutil.rmtree(self.workdir, ignore_errors=True)
            raise

    def __enter__(self):
        try:
            self.wait_window()
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *_):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        shutil.rmtree(self.workdir, ignore_errors=True)

    def path(self, relative):
        return os.path.join(self.workdir, relative)

    def xdotool(self, *args):
        return subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, capture_output=True,
                              text=True).stdout.strip()

    def wait_window(self, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.proc.poll() == 2 and self.starts < 3:
                # A busy Xvfb refuses connections now and then (its listen
                # queue fills with the harness's short-lived clients), and the
                # library then cannot start; try again.
                time.sleep(0.5)
                self.starts += 1
                self.proc = subprocess.Popen(**self.command)
                continue
            if self.proc.poll() is not None:
                messages = self.path(".messages")
                raise AssertionError("the editor ended before its window appeared: %s %r %r" % (
                    self.proc.returncode, self.proc.stdout.read(),
                    os.path.exists(messages) and open(messages).read()))
            if not self.window:
                found = self.xdotool("search", "--name", "Moltwork")
                if found:
                    self.window = int(found.split()[0])
                    self.move(400, 300)
            # The window opens before start-up has finished; input and close
            # requests count only once the editor's screen is shown.
            elif self.capture().pixel(790, 590) != (0, 0, 0):
                self._settle_pointer(deadline)
                return
            time.sleep(0.05)
        raise AssertionError("no editor window, or it never showed its screen")

    def _settle_pointer(self, deadline):
        """The library starts its mouse by placing the pointer itself and
        follows X moves only relatively for a moment, so early moves can leave
        the editor's pointer elsewhere. Wait until the editor draws its pointer
        where X has it, several times over."""
        tip = read_image(self.path("Moltwork/Cursor.png")).pixel(0, 0)
        agreed = 0
        for turn in itertools.count():
            if time.time() > deadline:
                raise AssertionError("the editor's pointer never followed the X pointer")
            x, y = POINTER_SPOTS[turn % 2]
            self.move(x, y)
            time.sleep(0.1)
            location = dict(part.split(":") for part in self.xdotool("getmouselocation").split())
            at = (location.get("x"), location.get("y")) == (str(x), str(y))
            agreed = agreed + 1 if at and self.capture().pixel(x, y) == tip else 0
            if agreed == 4:
                return

    def move(self, x, y):
        self.xdotool("mousemove", "--window", self.window, x, y)
        time.sleep(HOLD)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("mousedown", button)
        time.sleep(HOLD)
        self.xdotool("mouseup", button)
        time.sleep(HOLD)

    def chord(self, *keys):
        """Keys pressed in order, held a moment, and released in reverse order."""
        for k in keys:
            self.xdotool("keydown", k)
        time.sleep(HOLD)
        for k in reversed(keys):
            self.xdotool("keyup", k)
        time.sleep(HOLD)

    def quit(self):
        """Sends what the close button of a window manager sends, answers Quit to the question that
        follows, and waits for a clean exit."""
        d = display.Display(self.env["DISPLAY"])
        w = d.create_resource_object("window", self.window)
        protocols = d.intern_atom("WM_PROTOCOLS")
        delete = d.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=w, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        w.send_event(event, event_mask=X.NoEventMask)
        d.sync()  # the server may drop what a client sent just before leaving
        d.close()
        self.answer(1, expected_buttons=2)
        assert self.proc.wait(timeout=10) == 0

    def capture(self):
        if self.proc.poll() is not None:
            raise AssertionError("the editor has ended (status %s)" % self.proc.returncode)
        command = ["import", "-window", str(self.window), "-depth", "8", "ppm:-"]
        for attempt in range(3):  # a busy Xvfb may refuse the connection
            shot = subprocess.run(command, env=self.env, capture_output=True, timeout=20, check=attempt == 2)
            if shot.returncode == 0:
                return Picture(shot.stdout)
            time.sleep(0.2)

    def answer(self, button, expected_buttons, timeout=5):
        """Presses button n (from 1, left to right) of the message window
        being shown, once it is on the screen."""
        outline = read_image(self.path("Moltwork/WindowObjects/ButtonColors.png")).pixel(0, 0)
        self.move(5, 590)  # a hovered button's outline takes another colour
        deadline = time.time() + timeout
        while not (buttons := window_buttons(self.capture(), outline)) and time.time() < deadline:
            time.sleep(0.1)
        assert buttons, "no message window appeared"
        assert len(buttons) == expected_buttons, buttons
        x, y, width = buttons[button - 1]
        self.click(x + width // 2, y + 6)
        time.sleep(0.1)


class Picture:
    def __init__(self, ppm):
        parts = ppm.split(b"\n", 3)
        self.width, self.height = (int(v) for v in parts[1].split())
        self.data = parts[3]

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])


def main(module):
    """Runs every test_ function of the module on one X server; the first failure ends the run with
    its traceback and a failing status."""
    xvfb = Xvfb()
    try:
        for name, test in list(vars(module).items()):
            if name.startswith("test_"):
                test(sys.argv[1], sys.argv[2], xvfb)
                print("ok", name)
    finally:
        xvfb.stop()


def read_image(path):
    """An image file's pixels, read with ImageMagick."""
    return Picture(subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True,
                                  check=True).stdout)


def window_buttons(picture, outline):
    """The buttons of a shown message window, left to right, found by the
    top edges of their outlines: (x, y, width) each. An edge may be more
    than one row thick, and the bottom edge repeats the top one."""
    edge = re.compile(b"(?:%s){24,}" % re.escape(bytes(outline)))
    stride = 3 * picture.width
    tops = []
    for y in range(picture.height):
        for run in edge.finditer(picture.data, y * stride, (y + 1) * stride):
            (start, odd), width = divmod(run.start() - y * stride, 3), (run.end() - run.start()) // 3
            seen = any(abs(tx - start) < 2 and (abs(ty - y) < 3 or tw == width) for tx, ty, tw in tops)
            if not odd and not seen:
                tops.append((start, y, width))
    return sorted(tops)


def write_options(workdir, autoload, skin):
    """An Options.cfg with the given autoload setting and last skin, both grids off."""
    with open(os.path.join(workdir, "Options.cfg"), "w") as f:
        f.write("c\nUntitled.bmp\n\nc\ngfx/packs/Classic/palette.bmp\n\nc\ngfx/skins/\n\n"
                "c\n%s\n\nc\n%s\n\nc\nno\n\nc\nno" % (autoload, skin))
