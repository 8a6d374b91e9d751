"""The editor in a real window: start-up, a close request, screenshots."""
import os
import pathlib
import sys
import time

from xharness import Editor, main


def test_close_button_writes_built_in_options(program, runtime, xvfb):
    with Editor(program, runtime, xvfb) as editor:
        editor.wait_window()
        title = editor.xdotool("getwindowname", editor.window)
        assert title == "Moltwork v0.7a", title
        editor.quit()
        with open(editor.path("Options.cfg")) as f:
            lines = f.read().split("\n")
        # Every line is checked headless; here the close button must have written them.
        assert lines[1::3] == ["Untitled.bmp", "gfx/packs/Classic/palette.bmp", "gfx/skins/", "yes",
                               "0orva.bmp", "no", "no"], lines


def test_held_insert_writes_consecutive_screenshots(program, runtime, xvfb):
    def keep_one(workdir):
        pathlib.Path(workdir, "screenshots", "screenshot1.bmp").write_bytes(b"mine")

    with Editor(program, runtime, xvfb, prepare=keep_one) as editor:
        editor.wait_window()
        editor.key("Insert", hold=0.3)
        time.sleep(0.2)
        numbers = sorted(int(n[10:-4]) for n in os.listdir(editor.path("screenshots")))
        assert numbers[:3] == [0, 1, 2] and numbers == list(range(len(numbers))), numbers
        with open(editor.path("screenshots/screenshot1.bmp"), "rb") as f:
            assert f.read() == b"mine", "an existing screenshot was overwritten"
        with open(editor.path("screenshots/screenshot0.bmp"), "rb") as f:
            assert f.read(2) == b"BM"
        editor.quit()


if __name__ == "__main__":
    main(sys.modules[__name__])
