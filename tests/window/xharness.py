"""Runs the built editor under Xvfb and drives it with xdotool, holding each press a moment as the
editor polls input once per pass. A failing `xmessage` sends the library's start-up messages to stdout."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from Xlib import X, display, protocol

HOLD = 0.1
AWAY = (700, 100)  # a plain spot of the backdrop
LEFT_CANVAS, RIGHT_CANVAS = 285, 529


def frame_point(x, y, canvas_x=LEFT_CANVAS):
    """The screen middle of frame pixel (x, y) on a canvas."""
    return canvas_x + 12 * x + 6, 355 + 12 * y + 6


CANVAS_POINT = frame_point(4, 4)


def start_xvfb():
    """An X server on a free display; its name is in .name."""
    name = ":%d" % next(n for n in range(90, 200) if not os.path.exists("/tmp/.X%d-lock" % n))
    xvfb = subprocess.Popen(["Xvfb", name, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    xvfb.name = name
    # The server accepts clients before it has finished setting up its keyboard.
    for _ in range(200):
        time.sleep(0.05)
        if subprocess.run(["xdpyinfo", "-display", name], capture_output=True).returncode == 0:
            time.sleep(1.0)
            return xvfb
    xvfb.kill()
    raise RuntimeError("Xvfb did not start")


class Editor:
    """One run of the editor in a fresh working directory."""

    def __init__(self, program, runtime, xvfb, prepare=None, args=(), cwd=None):
        """args go to the program, run in cwd (default: the working directory, which is also the
        launcher's MOLTWORK_HOME)."""
        self.window, self.starts, self.proc = None, 1, None
        self.env = dict(os.environ, DISPLAY=xvfb.name)
        self.workdir = tempfile.mkdtemp(prefix="moltwork-window-")
        try:
            shutil.copytree(runtime, self.workdir, dirs_exist_ok=True)
            os.makedirs(self.path(".bin"))
            os.symlink(shutil.which("false"), self.path(".bin/xmessage"))
            if prepare:
                prepare(self.workdir)
            env = dict(self.env, PATH=self.path(".bin") + os.pathsep + os.environ["PATH"], MOLTWORK_HOME=self.workdir)
            self.command = dict(args=[program, *args], cwd=cwd or self.workdir, env=env,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
            self.proc = subprocess.Popen(**self.command)
            self.wait_window()
        except BaseException:
            self.__exit__()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *_):
        if self.proc and self.proc.poll() is None:
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
                # A busy Xvfb now and then refuses connections (its listen queue fills with the
                # harness's short-lived clients) and the library cannot start; try again.
                time.sleep(0.5)
                self.starts += 1
                self.proc = subprocess.Popen(**self.command)
                continue
            if self.proc.poll() is not None:
                raise AssertionError("the editor ended before its window appeared: %s %r" % (
                    self.proc.returncode, self.proc.stdout.read()))
            if not self.window:
                found = self.xdotool("search", "--name", "Moltwork")
                if found:
                    self.window = int(found.split()[0])
                    self.move(400, 300)
            # The window opens before start-up has finished; input and close requests count only
            # once the editor's screen is shown.
            elif self.capture().pixel(790, 590) != (0, 0, 0):
                self._settle_pointer(deadline)
                return
            time.sleep(0.05)
        raise AssertionError("no editor window, or it never showed its screen")

    def _settle_pointer(self, deadline):
        """The library places the pointer itself at start and follows X moves only relatively for a
        moment, so early moves can leave its pointer elsewhere. Wait until the editor draws its
        pointer where X has it, several times over."""
        tip = read_image(self.path("Moltwork/Cursor.png")).pixel(0, 0)
        agreed, turn = 0, 0
        while agreed < 4:
            if time.time() > deadline:
                raise AssertionError("the editor's pointer never followed the X pointer")
            turn += 1
            x, y = AWAY[0] - 10 * (turn % 2), AWAY[1] + 10 * (turn % 2)
            self.move(x, y)
            time.sleep(0.1)
            at = self.xdotool("getmouselocation").split()[:2] == ["x:%d" % x, "y:%d" % y]
            agreed = agreed + 1 if at and self.capture().pixel(x, y) == tip else 0

    def move(self, x, y):
        self.xdotool("mousemove", "--window", self.window, x, y)
        time.sleep(HOLD)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.hold(button, "mousedown", "mouseup")

    def hold(self, what, down="keydown", up="keyup", seconds=HOLD):
        """A key chord such as ctrl+s, or a button, held a moment."""
        for action in (down, up):
            self.xdotool(action, what)
            time.sleep(seconds)

    def save(self):
        """Ctrl+S over the skin loaded, answering the overwrite question and the report."""
        self.hold("ctrl+s")
        self.answer(1, expected_buttons=2)  # "I know."
        self.answer(1, expected_buttons=1)  # "Successfully saved the file."

    def kill_and_start_again(self):
        """Ends the editor with SIGKILL, as a crash or a power cut would, and starts it again in the same
        working directory."""
        self.proc.kill()
        self.proc.wait()
        time.sleep(0.5)  # the server destroys the old window once it sees the connection gone
        self.window, self.starts = None, 1
        self.proc = subprocess.Popen(**self.command)
        self.wait_window()

    def quit(self, save_answer=None):
        """Sends what a window manager's close button sends, answers Quit (and, with unsaved work, the
        save question), and awaits a clean exit."""
        d = display.Display(self.env["DISPLAY"])
        w = d.create_resource_object("window", self.window)
        delete = d.intern_atom("WM_DELETE_WINDOW")
        w.send_event(protocol.event.ClientMessage(window=w, client_type=d.intern_atom("WM_PROTOCOLS"),
                                                  data=(32, [delete, X.CurrentTime, 0, 0, 0])),
                     event_mask=X.NoEventMask)
        d.sync()  # the server may drop what a client sent just before leaving
        d.close()
        self.answer(1, expected_buttons=2)
        if save_answer:
            self.answer(save_answer, expected_buttons=3)
        assert self.proc.wait(timeout=10) == 0

    def capture(self, away=False):
        """The window's picture; with away, taken with the pointer on the backdrop."""
        if away:
            self.move(*AWAY)
        if self.proc.poll() is not None:
            raise AssertionError("the editor has ended (status %s): %r" % (self.proc.returncode,
                                                                           self.proc.stdout.read()))
        command = ["import", "-window", str(self.window), "-depth", "8", "ppm:-"]
        for attempt in range(3):  # a busy Xvfb may refuse the connection
            shot = subprocess.run(command, env=self.env, capture_output=True, timeout=20, check=attempt == 2)
            if shot.returncode == 0:
                return Picture(shot.stdout)
            time.sleep(0.2)

    def wait_buttons(self, expected_buttons, timeout=5):
        """The buttons of the message window, once one is shown."""
        outline = read_image(self.path("Moltwork/WindowObjects/ButtonColors.png")).pixel(0, 0)
        self.move(5, 590)  # a hovered button's outline takes another colour
        deadline = time.time() + timeout
        while not (buttons := window_buttons(self.capture(), outline)) and time.time() < deadline:
            time.sleep(0.1)
        assert len(buttons) == expected_buttons, buttons
        return buttons

    def answer(self, button, expected_buttons, timeout=5):
        """Presses button n (from 1, left to right) of the message window, once it is shown."""
        x, y, width = self.wait_buttons(expected_buttons, timeout)[button - 1]
        self.click(x + width // 2, y + 6)
        time.sleep(0.1)

    def sheet_frame(self, name="mine.bmp"):
        """The standing frame of a skin file, cell by cell (a sheet holds each frame pixel twice as big)."""
        sheet = read_image(self.path("gfx/skins/" + name))
        return {(x, y): sheet.pixel(2 * x, 2 * y) for y in range(16) for x in range(16)}


class Picture:
    def __init__(self, ppm):
        _, size, _, self.data = ppm.split(b"\n", 3)
        self.width, self.height = map(int, size.split())

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])


def main():
    """Runs every test_ function of the calling script on one X server; the first failure ends the run."""
    xvfb = start_xvfb()
    try:
        for name, test in list(vars(sys.modules["__main__"]).items()):
            if name.startswith("test_"):
                test(sys.argv[1], sys.argv[2], xvfb)
                print("ok", name)
    finally:
        xvfb.terminate()
        xvfb.wait()


def read_image(path):
    return Picture(subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True,
                                  check=True).stdout)


def window_buttons(picture, outline):
    """The buttons of a shown message window, left to right, as (x, y, width), found by the top
    edges of their outlines. An edge may be more than one row thick; the bottom edge repeats it."""
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


def own_skin(workdir):
    """A copy of the stock skin, mine.bmp, loaded at start-up; both grids off."""
    skins = os.path.join(workdir, "gfx", "skins")
    shutil.copyfile(os.path.join(skins, "0orva.bmp"), os.path.join(skins, "mine.bmp"))
    with open(os.path.join(workdir, "Options.cfg"), "w") as f:
        f.write("\n\n".join("c\n" + v for v in ("Untitled.bmp", "gfx/packs/Classic/palette.bmp", "gfx/skins/",
                                                 "yes", "mine.bmp", "no", "no")))
