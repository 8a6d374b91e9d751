#include "app/app.h"
#include "tools/tools.h"

#include <utility>
#include <vector>

int fill_mode = 0;

namespace
{
// Ctrl with the button held repeats the fill on every pass. On the left canvas the
// repeat needs the other button up; on the right one it does not.
bool fills_with(int button, bool other_may_be_down)
{
    const int other = button == 1 ? 2 : 1;
    if ((mb & button) && old_mb == 0) {
        return true;
    }
    return (mb & button) && ctrl_down() && (other_may_be_down || !(mb & other));
}

void replace_color(BITMAP *bmp, int old_color, int new_color)
{
    for (int y = 0; y < bmp->h; ++y) {
        for (int x = 0; x < bmp->w; ++x) {
            if (getpixel(bmp, x, y) == old_color) {
                putpixel(bmp, x, y, new_color);
            }
        }
    }
}
} // namespace

void eight_way(BITMAP *bmp, int x, int y, int old_color, int new_color)
{
    if (old_color == new_color) {
        return;
    }
    // A pixel is queued at most once, so the fill ends even when the new colour
    // reads back as the old one (a colour the depth cannot hold).
    std::vector<bool> queued(static_cast<size_t>(bmp->w) * bmp->h, false);
    std::vector<std::pair<int, int>> pending;
    const auto queue = [&](int px, int py) {
        if (is_inside_bitmap(bmp, px, py, 1) && !queued[py * bmp->w + px]) {
            queued[py * bmp->w + px] = true;
            pending.push_back({px, py});
        }
    };
    queue(x, y);
    while (!pending.empty()) {
        const auto [px, py] = pending.back();
        pending.pop_back();
        if (getpixel(bmp, px, py) != old_color) {
            continue;
        }
        putpixel(bmp, px, py, new_color);
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                queue(px + dx, py + dy);
            }
        }
    }
}

void special_fill(BITMAP *bmp, int x, int y, int color)
{
    if (!is_inside_bitmap(bmp, x, y, 1)) {
        return;
    }
    const int clicked = getpixel(bmp, x, y);
    if (fill_mode == 0) {
        floodfill(bmp, x, y, color);
    } else if (fill_mode == 1) {
        replace_color(bmp, clicked, color);
    } else {
        eight_way(bmp, x, y, clicked, color);
    }
}

void fill_tool()
{
    begin_tool_pass();
    if (canvas != 1 && canvas != 2) {
        return;
    }
    const bool right_canvas = canvas == 2;
    const int button = fills_with(1, right_canvas) ? 1 : (fills_with(2, right_canvas) ? 2 : 0);
    if (button == 0) {
        return;
    }
    before_change(stroke_frame());
    special_fill(stroke_frame(), xscale(mx), yscale(my), button == 1 ? Fcolor : Bcolor);
}

void step_fill_mode(bool up)
{
    if (up && fill_mode < 2) {
        ++fill_mode;
    }
    if (!up && fill_mode > 0) {
        --fill_mode;
    }
}

void draw_fill_panel()
{
    draw_sprite(ActiveBuffer, Continuous, 42, 512);
    draw_sprite(ActiveBuffer, NonContinuous, 114, 512);
    draw_sprite(ActiveBuffer, EightWay, 186, 512);
    draw_sprite(ActiveBuffer, FillModeArrow, 42 + 72 * fill_mode, 494);
    BITMAP *const names[3] = {NormalFill, IgnoreBounds, EightWayFill};
    BITMAP *name = names[fill_mode];
    draw_sprite(ActiveBuffer, name, 138 - name->w / 2, 563);
}
