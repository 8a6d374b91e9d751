"""The editor in a real window: start-up and a close request."""
import sys

from xharness import Editor, main


def test_close_button_writes_built_in_options(program, runtime, xvfb):
    with Editor(program, runtime, xvfb) as editor:
        title = editor.xdotool("getwindowname", editor.window)
        assert title == "Moltwork v0.7a", title
        editor.quit()
        with open(editor.path("Options.cfg")) as f:
            lines = f.read().split("\n")
        # Every line is checked headless; here the close button must have written them.
        assert lines[1::3] == ["Untitled.bmp", "gfx/packs/Classic/palette.bmp", "gfx/skins/", "yes",
                               "0orva.bmp", "no", "no"], lines


if __name__ == "__main__":
    main(sys.modules[__name__])
