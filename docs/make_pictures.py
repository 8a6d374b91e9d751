"""Takes the README's pictures from the editor's real window: the built program starts under Xvfb on the
shipped default data in a fresh working directory, is put into a few states by mouse and keys, and each
state is captured, cropped and written as a palette PNG.

    make_pictures.py PROGRAM RUNTIME_DIR OUT_DIR

Any step that does not change the screen as expected stops the run with an error."""
import os
import subprocess
import sys
import time

# The real-window test harness drives the editor here too.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "tests", "window"))
from xharness import AWAY, CANVAS_POINT, Editor, read_image, start_xvfb, window_buttons  # noqa: E402

PARK = (760, 200)  # a blank spot of the keyboard card, for pictures without a pointer in them

# Crops as (x, y, width, height) of the 800 x 600 window.
WHOLE = (0, 0, 800, 600)
FILE_MENU = (10, 125, 250, 100)
FRAMES_MENU = (10, 125, 250, 145)
TOOLS_AND_HELP = (10, 225, 260, 375)
OPTION_PANEL = (10, 484, 254, 108)
BRUSH = (10, 340, 510, 260)
PREVIEW_CHOOSER = (425, 230, 350, 200)
MARGIN = 16  # of the editor shown round a message window


def crop(picture, box):
    x, y, w, h = box
    stride = 3 * picture.width
    return b"".join(picture.data[row * stride + 3 * x:row * stride + 3 * (x + w)] for row in range(y, y + h))


def changed_box(before, after, margin):
    """The smallest box holding every pixel that differs between two pictures, widened by margin."""
    stride = 3 * before.width
    left, right, rows = before.width, -1, []
    for y in range(before.height):
        old, new = before.data[y * stride:(y + 1) * stride], after.data[y * stride:(y + 1) * stride]
        if old != new:
            rows.append(y)
            left = min(left, len(os.path.commonprefix([old, new])) // 3)
            right = max(right, before.width - 1 - len(os.path.commonprefix([old[::-1], new[::-1]])) // 3)
    x1, y1 = max(left - margin, 0), max(rows[0] - margin, 0)
    x2, y2 = min(right + margin, before.width - 1), min(rows[-1] + margin, before.height - 1)
    return x1, y1, x2 - x1 + 1, y2 - y1 + 1


class Pictures:
    def __init__(self, editor, out_dir):
        self.editor, self.out_dir = editor, out_dir
        self.editor.move(*PARK)
        self.plain = editor.capture()

    def changed(self, name, box, before):
        """The window once the box differs from the picture before; waits a moment for it."""
        deadline = time.time() + 5
        while crop(shot := self.editor.capture(), box) == crop(before, box):
            if time.time() > deadline:
                raise AssertionError("%s: the editor's screen did not change" % name)
            time.sleep(0.1)
        return shot

    def take(self, name, box):
        """Writes the box of the window as OUT_DIR/name.png, once it differs from the plain editor."""
        shot = self.editor.capture() if box == WHOLE else self.changed(name, box, self.plain)
        self.write(name, shot, box)

    def take_new_window(self, name, before):
        """Writes what appeared since the picture before, a message window, with some editor round it."""
        shot = self.changed(name, WHOLE, before)
        self.write(name, shot, changed_box(before, shot, MARGIN))

    def write(self, name, shot, box):
        path = os.path.join(self.out_dir, name + ".png")
        # Metadata stripped, so the same screen always gives the same file.
        subprocess.run(["convert", "ppm:-", "-strip", "+dither", "-colors", "256", "PNG8:" + path],
                       input=b"P6\n%d %d\n255\n" % box[2:] + crop(shot, box), check=True)
        print("wrote", path)


def shoot(editor, out_dir):
    pictures = Pictures(editor, out_dir)
    pictures.take("editor", WHOLE)

    editor.click(30, 140)  # File
    editor.move(60, 188)  # Export GIF
    pictures.take("menu-file", FILE_MENU)
    editor.click(*AWAY)

    editor.click(110, 140)  # Frames
    # Paths that stay on the rows that keep the list open: the library may see the pointer on its way.
    editor.move(120, 172)  # Restore frame opens its list
    editor.move(200, 172)
    editor.move(200, 205)  # Jumping
    pictures.take("menu-frames", FRAMES_MENU)
    editor.click(*AWAY)

    editor.move(57, 297)  # resting on the pencil's button shows its help book
    pictures.take("help-book", TOOLS_AND_HELP)

    editor.hold("f")
    editor.move(380, 450)
    pictures.take("panel-fill", OPTION_PANEL)

    editor.hold("b")
    editor.hold("bracketright")  # a round brush, the first of the second row
    editor.move(380, 450)
    pictures.take("panel-brush", BRUSH)
    editor.hold("p")

    editor.click(700, 335)  # Team and mode
    editor.move(600, 285)  # the second team row opens its modes
    editor.move(480, 285)
    editor.move(480, 335)  # Ice
    pictures.take("chooser-preview", PREVIEW_CHOOSER)
    editor.click(*AWAY)

    editor.click(*CANVAS_POINT)  # an unsaved change, so New asks first
    editor.move(*PARK)
    before = editor.capture()
    editor.hold("ctrl+n")
    pictures.take_new_window("window-save", before)
    outline = read_image(editor.path("Moltwork/WindowObjects/ButtonColors.png")).pixel(0, 0)
    assert len(window_buttons(editor.capture(), outline)) == 3, "the save question has three buttons"
    editor.answer(3, expected_buttons=3)  # Cancel
    undo_until_unchanged(editor, pictures.plain.pixel(*CANVAS_POINT))
    editor.quit()


def undo_until_unchanged(editor, pixel):
    """Ctrl+Z until the painted pixel is back, so that quitting asks nothing more (a busy machine may
    drop a key)."""
    for _ in range(5):
        editor.hold("ctrl+z")
        if editor.capture(away=True).pixel(*CANVAS_POINT) == pixel:
            return
    raise AssertionError("the change was not undone")


def main():
    program, runtime, out_dir = map(os.path.abspath, sys.argv[1:4])
    os.makedirs(out_dir, exist_ok=True)
    xvfb = start_xvfb()
    try:
        with Editor(program, runtime, xvfb) as editor:
            shoot(editor, out_dir)
    finally:
        xvfb.terminate()
        xvfb.wait()


main()
