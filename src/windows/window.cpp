#include "windows/windows.h"

#include "app/app.h"
#include "files/files.h"

#include <algorithm>

Window *shown_window = nullptr;
void (*window_pass_hook)() = nullptr;

namespace
{
int even(int v)
{
    return v % 2 ? v + 1 : v;
}

void draw_frame(BITMAP *image, int width, int height)
{
    draw_sprite(image, WTopLeft, 0, 0);
    draw_sprite(image, WTopRight, width - WTopRight->w, 0);
    draw_sprite(image, WBottomLeft, 0, height - WBottom->h);
    draw_sprite(image, WBottomRight, width - WBottomRight->w, height - WBottomRight->h);
    stretch_sprite(image, WTop, WTopLeft->w, 0, width - WTopLeft->w - WTopRight->w, WTop->h);
    stretch_sprite(image, WLeft, 0, WTopLeft->h, WLeft->w, height - WTopLeft->h - WBottomLeft->h);
    stretch_sprite(image, WRight, width - WRight->w, WTopRight->h, WRight->w,
                   height - WTopRight->h - WBottomRight->h);
    stretch_sprite(image, WBottom, WTopLeft->w, height - WBottom->h, width - WBottomLeft->w - WBottomRight->w,
                   WBottom->h);
    stretch_sprite(image, WCenter, WTopLeft->w, WTopLeft->h, width - WLeft->w - WRight->w,
                   height - WTop->h - WBottom->h);
}

// Every second pixel of the outline, starting at the corner, for the inner
// frame of a button.
void dotted_box(BITMAP *bmp, int x1, int x2, int y1, int y2)
{
    for (int x = x1; x <= x2; x += 2) {
        putpixel(bmp, x, y1, getpixel(ButtonColors, 1, 0));
        putpixel(bmp, x, y2, getpixel(ButtonColors, 1, 0));
    }
    for (int y = y1; y <= y2; y += 2) {
        putpixel(bmp, x1, y, getpixel(ButtonColors, 1, 0));
        putpixel(bmp, x2, y, getpixel(ButtonColors, 1, 0));
    }
}

// The window's last button is its way out (No, Nevermind, Cancel, or the
// only button): the answer of a window that cannot be shown.
int last_button(const Window &w)
{
    return w.has_button[2] ? 3 : (w.has_button[1] ? 2 : 1);
}

int compare_widths(FONT *f, const char *a, const char *b, const char *c)
{
    int widest = text_length(f, a);
    if (b) {
        widest = std::max(widest, text_length(f, b));
        if (c) {
            widest = std::max(widest, text_length(f, c));
        }
    }
    return widest;
}

bool inside(int px, int py, int x1, int y1, int x2, int y2)
{
    return x1 <= px && px <= x2 && y1 <= py && py <= y2;
}
} // namespace

Window::Window(const char *title, const char *text, const char *button1, const char *button2,
               const char *button3)
    : drag_x(-1), drag_y(-1)
{
    const int n = 1 + (button2 ? 1 : 0) + (button2 && button3 ? 1 : 0);
    has_button[0] = true;
    has_button[1] = button2 != nullptr;
    has_button[2] = button2 && button3;

    button_w = even(compare_widths(WText, button1, button2, button3) + 32);
    button_h = even(text_height(WText) + 4);

    const int a = text_length(WTitle, title) + WTopRight->w + 12;
    const int b = text_length(WText, text) + 12;
    const int d = 12 + n * button_w + (n - 1) * 10;
    width = WTopLeft->w + WTopRight->w + std::max({a, b, d});
    height = WTopLeft->h + WBottomLeft->h + 56;

    x = SCREEN_W / 2 - width / 2;
    y = SCREEN_H / 2 - height / 2;

    const int half = button_w / 2;
    const int step = half + 5;
    for (int i = 0; i < 3; ++i) {
        button_y[i] = WTop->h + text_height(WText) + 16;
    }
    button_x[0] = width / 2 - half - (n - 1) * step;
    button_x[1] = n == 3 ? width / 2 - half : width / 2 - half + step;
    button_x[2] = width / 2 - half + 2 * step;

    image = create_bitmap(width, height);
    if (!image) {
        return;
    }
    clear_to_color(image, transparent_color());
    draw_frame(image, width, height);
    textout_centre_ex(image, WTitle, title, width / 2 - WTopRight->w, WTop->h / 2 - text_height(WTitle) / 2,
                      -1, -1);
    textout_centre_ex(image, WText, text, width / 2, WTop->h + 11, -1, -1);
    const char *const labels[3] = {button1, button2, button3};
    for (int i = 0; i < 3; ++i) {
        if (!has_button[i]) {
            continue;
        }
        const int bx = button_x[i], by = button_y[i];
        rect(image, bx, by, bx + button_w, by + button_h, getpixel(ButtonColors, 0, 0));
        dotted_box(image, bx + 2, bx + button_w - 2, by + 2, by + button_h - 2);
        textout_centre_ex(image, WText, labels[i], bx + button_w / 2, by + 2, -1, -1);
    }
}

int Window::get_choice(BITMAP *buffer)
{
    for (int i = 0; i < 3; ++i) {
        if (!has_button[i]) {
            continue;
        }
        const int x1 = x + button_x[i], y1 = y + button_y[i];
        if (!inside(mx, my, x1, y1, x1 + button_w, y1 + button_h)) {
            continue;
        }
        rect(buffer, x1, y1, x1 + button_w, y1 + button_h, getpixel(ButtonColors, 2, 0));
        if ((mb & 1) && old_mb == 0) {
            return i + 1;
        }
    }
    return 0;
}

int Window::process(BITMAP *background)
{
    stop_mouse();
    BITMAP *work = image ? create_bitmap(background->w, background->h) : nullptr;
    if (!work) {
        return last_button(*this);
    }
    x = SCREEN_W / 2 - width / 2;
    y = SCREEN_H / 2 - height / 2;
    shown_window = this;
    int choice = 0;
    while (choice == 0) {
        if (window_pass_hook) {
            window_pass_hook();
        }
        take_mouse_snapshot();
        clear_bitmap(work);
        blit(background, work, 0, 0, 0, 0, work->w, work->h);
        if (mb & 1) {
            if (old_mb == 0 && inside(mx, my, x, y, x + width, y + WTop->h)) {
                drag_x = mx - x;
                drag_y = my - y;
            }
            if (drag_x > 0 && drag_y > 0) {
                x = mx - drag_x;
                y = my - drag_y;
            }
        } else {
            drag_x = drag_y = -1;
        }
        draw_sprite(work, image, x, y);
        choice = get_choice(work);
        draw_sprite(work, Cursor, mouse_x, mouse_y);
        if (key[KEY_INSERT]) {
            write_file_safely("screenshot.bmp",
                              [work](PACKFILE *file) { return save_bmp_pf(file, work, nullptr) == 0; });
        }
        acquire_screen();
        blit(work, screen, 0, 0, 0, 0, 800, 600);
        release_screen();
    }
    destroy_bitmap(work);
    shown_window = nullptr;
    stop_mouse();
    return choice;
}
