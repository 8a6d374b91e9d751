// Tool icons and slots, power-up buttons, icons and overlays, pointers,
// brushes, fill-mode icons and the small markers of the editor's screen.
// Most shapes are described as a colour per pixel and then given a 1-px dark
// outline, so every picture shares the same crisp edge.
#include "art.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace art
{

namespace
{

const int none = -1; // "leave this pixel transparent" for shape functions

int edge()
{
    return theme::panel_dark();
}

int mix(int a, int b, double t)
{
    auto channel = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return rgb(channel(getr32(a), getr32(b)), channel(getg32(a), getg32(b)), channel(getb32(a), getb32(b)));
}

void save_and_free(BITMAP *bmp, const std::string &path)
{
    save(bmp, path);
    destroy_bitmap(bmp);
}

// A w x h picture whose pixel (x, y) gets colour(x, y), or stays magenta when
// that is `none`.
template <class Colour> BITMAP *shape(int w, int h, Colour colour)
{
    BITMAP *bmp = image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int c = colour(x, y);
            if (c != none) {
                putpixel(bmp, x, y, c);
            }
        }
    }
    return bmp;
}

// Rings every drawn area with a 1-px line in `colour`: each transparent pixel
// beside or above or below a drawn one takes the colour (diagonal neighbours
// do not count, which keeps stepped edges one pixel thin).
void add_outline(BITMAP *bmp, int colour)
{
    const int w = bmp->w;
    const int h = bmp->h;
    std::vector<char> drawn(w * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            drawn[y * w + x] = getpixel(bmp, x, y) != magenta();
        }
    }
    auto is_drawn = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && drawn[y * w + x]; };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (drawn[y * w + x]) {
                continue;
            }
            if (is_drawn(x - 1, y) || is_drawn(x + 1, y) || is_drawn(x, y - 1) || is_drawn(x, y + 1)) {
                putpixel(bmp, x, y, colour);
            }
        }
    }
}

// Inside the ellipse centred on (cx, cy) with radii rx, ry.
bool in_ellipse(double x, double y, double cx, double cy, double rx, double ry)
{
    const double dx = (x - cx) / rx;
    const double dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

// --- Tool panel -------------------------------------------------------------

// A 48 x 48 button: dark rim, then a bevel ring, then a softly shaded face.
BITMAP *tool_slot(bool selected)
{
    const int top = selected ? rgb(96, 140, 222) : rgb(68, 75, 104);
    const int bottom = selected ? rgb(54, 86, 162) : rgb(48, 53, 76);
    BITMAP *slot = image(48, 48, edge());
    for (int y = 1; y <= 46; ++y) {
        hline(slot, 1, y, 46, mix(top, bottom, (y - 1) / 45.0));
    }
    if (selected) {
        rect(slot, 1, 1, 46, 46, theme::accent());
        rect(slot, 2, 2, 45, 45, theme::accent_dark());
    } else {
        hline(slot, 1, 1, 45, theme::panel_light());
        vline(slot, 1, 1, 45, theme::panel_light());
        hline(slot, 1, 46, 46, rgb(34, 38, 56));
        vline(slot, 46, 1, 46, rgb(34, 38, 56));
    }
    return slot;
}

// Pencil, brush and line lie on the diagonal from the lower left to the upper
// right of a 44 x 44 icon. Across(x, y) is 0 on that diagonal and grows towards
// the lower right; along(x, y) grows towards the upper right. Both are in
// half-diagonal steps, so |across| <= 7 is a band about ten pixels wide.
int across(int x, int y)
{
    return x + y - 43;
}
int along(int x, int y)
{
    return x - y;
}

// Three tones across a diagonal band: lit upper-left edge, face, shaded side.
int banded(int u, int light, int mid, int dark)
{
    return u <= -3 ? light : (u >= 3 ? dark : mid);
}

BITMAP *pencil_icon()
{
    const int graphite = rgb(58, 60, 74);
    const int wood_light = rgb(246, 214, 164);
    const int wood_dark = rgb(204, 160, 106);
    const int paint_light = rgb(255, 216, 128);
    const int metal_light = rgb(222, 228, 238);
    const int metal_dark = rgb(150, 158, 180);
    BITMAP *icon = shape(44, 44, [&](int x, int y) {
        const int u = across(x, y);
        const int v = along(x, y);
        const int a = std::abs(u);
        if (v >= -33 && v <= -27) { // the lead
            return a * 2 <= v + 33 ? graphite : none;
        }
        if (v >= -26 && v <= -15) { // sharpened wood
            return a * 11 <= 33 + (v + 26) * 4 ? (u < 0 ? wood_light : wood_dark) : none;
        }
        if (a > 7) {
            return none;
        }
        if (v >= -14 && v <= 17) {
            return banded(u, paint_light, theme::accent(), theme::accent_dark());
        }
        if (v >= 18 && v <= 23) { // ferrule with a crimp
            return v == 20 ? rgb(110, 118, 142) : (u < 0 ? metal_light : metal_dark);
        }
        if (v >= 24 && v <= 31 && a <= 7 - 2 * std::max(0, v - 29)) {
            return u < 0 ? rgb(248, 164, 172) : rgb(214, 104, 122);
        }
        return none;
    });
    add_outline(icon, edge());
    return icon;
}

BITMAP *fill_icon()
{
    // A paint tin tipped to the right, pouring onto a puddle. Tin pixels are
    // found in the tin's own upright frame (p across, q down).
    const double tilt = 0.52;
    const double cx = 16.5;
    const double cy = 24.0;
    const int paint = theme::accent();
    const int paint_light = rgb(255, 218, 130);
    BITMAP *icon = shape(44, 44, [&](int x, int y) {
        const double dx = x - cx;
        const double dy = y - cy;
        const double p = dx * std::cos(tilt) + dy * std::sin(tilt);
        const double q = -dx * std::sin(tilt) + dy * std::cos(tilt);
        const double half = 9.5 - (q + 10) * 0.08;
        if (in_ellipse(p, q, 0, -10, 9.6, 3.6)) { // open top: rim and paint inside
            return in_ellipse(p, q, 0, -10, 8, 2.4) ? (p < -3 ? paint_light : paint) : rgb(228, 232, 242);
        }
        if (q > -10 && std::fabs(p) <= half &&
            q <= 9 + 2.2 * std::sqrt(std::max(0.0, 1 - (p / half) * (p / half)))) {
            if (q >= -3 && q <= 3) { // the label band
                return p < -half * 0.45 ? rgb(120, 160, 236) : theme::select();
            }
            return p < -half * 0.45 ? rgb(216, 222, 234)
                                    : (p > half * 0.5 ? rgb(122, 130, 154) : rgb(172, 180, 200));
        }
        const double handle = std::hypot(p, q + 10);
        if (q < -11 && handle >= 10.2 && handle <= 11.6) {
            return rgb(96, 102, 124);
        }
        if (in_ellipse(x, y, 35, 39, 7.5, 2.6)) { // puddle
            return y < 39 ? paint_light : paint;
        }
        const double stream = 33.0 + 2.5 * std::sin((y - 16) * 0.12); // falls from the lip
        if (y >= 17 && y <= 38 && std::fabs(x - stream) <= 1.5) {
            return x < stream ? paint_light : paint;
        }
        return none;
    });
    add_outline(icon, edge());
    return icon;
}

BITMAP *brush_icon()
{
    const int bristle_light = rgb(240, 230, 204);
    const int bristle_dark = rgb(198, 182, 150);
    const int paint_light = rgb(150, 190, 255);
    const int paint = rgb(86, 134, 232);
    BITMAP *icon = shape(44, 44, [&](int x, int y) {
        const int u = across(x, y) + 6; // the brush sits a little up and left
        const int v = along(x, y) - 2;
        const int a = std::abs(u);
        if (v >= -28 && v <= -13 && a * 3 <= std::min(18, (v + 29) * 3)) {
            return v < -19 ? (u < 0 ? paint_light : paint) : (u < 0 ? bristle_light : bristle_dark);
        }
        if (v >= -12 && v <= -5 && a <= 6) {
            return v == -9 ? rgb(110, 118, 142) : (u < 0 ? rgb(222, 228, 238) : rgb(150, 158, 180));
        }
        if (v >= -4 && v <= 30 && a <= (v > 26 ? 2 : 3)) {
            return u < 0 ? rgb(232, 164, 100) : (u > 1 ? rgb(146, 84, 44) : rgb(198, 122, 66));
        }
        // The stroke the brush has just laid, trailing off to the right.
        const double wave = 38.5 - 1.8 * std::sin((x - 4) * 0.22);
        const double half = x < 30 ? 2.0 : 2.0 - (x - 30) * 0.2;
        if (x >= 5 && x <= 39 && std::fabs(y - wave) <= half) {
            return y < wave - 0.5 ? paint_light : paint;
        }
        return none;
    });
    add_outline(icon, edge());
    return icon;
}

// Light ink, a shade darker towards the lower right.
int ink_shade(double x, double y)
{
    return x + y > 48 ? rgb(196, 192, 182) : theme::ink();
}

BITMAP *ellipse_icon()
{
    BITMAP *icon = shape(44, 44, [](int x, int y) {
        const bool ring =
            in_ellipse(x, y, 21.5, 21.5, 19.5, 14.5) && !in_ellipse(x, y, 21.5, 21.5, 15.5, 10.5);
        return ring ? ink_shade(x, y) : none;
    });
    add_outline(icon, edge());
    return icon;
}

BITMAP *rectangle_icon()
{
    BITMAP *icon = shape(44, 44, [](int x, int y) {
        const bool outer = x >= 3 && x <= 40 && y >= 8 && y <= 35;
        const bool inner = x >= 7 && x <= 36 && y >= 12 && y <= 31;
        return outer && !inner ? ink_shade(x, y) : none;
    });
    add_outline(icon, edge());
    return icon;
}

BITMAP *line_icon()
{
    BITMAP *icon = shape(44, 44, [](int x, int y) {
        const bool end_a = x >= 4 && x <= 10 && y >= 33 && y <= 39;
        const bool end_b = x >= 33 && x <= 39 && y >= 4 && y <= 10;
        if (end_a || end_b) { // the two end points, as handles
            return (x + y) % 2 == 0 && (x == 4 || x == 33 || y == 4 || y == 33) ? rgb(255, 216, 128)
                                                                                : theme::accent();
        }
        const int u = across(x, y);
        const int v = along(x, y);
        return std::abs(u) <= 2 && std::abs(v) <= 28 ? ink_shade(x, y) : none;
    });
    add_outline(icon, edge());
    return icon;
}

void draw_tool_panel()
{
    save_and_free(tool_slot(false), "Moltwork/ToolIcons/Tool.png");
    save_and_free(tool_slot(true), "Moltwork/ToolIcons/SelectedTool.png");
    save_and_free(pencil_icon(), "Moltwork/ToolIcons/PencilTool.png");
    save_and_free(fill_icon(), "Moltwork/ToolIcons/FillTool.png");
    save_and_free(brush_icon(), "Moltwork/ToolIcons/BrushTool.png");
    save_and_free(ellipse_icon(), "Moltwork/ToolIcons/ElipseTool.png");
    save_and_free(rectangle_icon(), "Moltwork/ToolIcons/RectangleTool.png");
    save_and_free(line_icon(), "Moltwork/ToolIcons/LineTool.png");
}

// --- Power-ups --------------------------------------------------------------

// A 36 x 36 toggle with clipped corners; lit blue with an accent ring when on.
BITMAP *power_up_button(bool on)
{
    const int top = on ? rgb(96, 140, 222) : rgb(68, 75, 104);
    const int bottom = on ? rgb(54, 86, 162) : rgb(48, 53, 76);
    BITMAP *button = shape(36, 36, [&](int x, int y) {
        const int from_edge = std::min(std::min(x, 35 - x), std::min(y, 35 - y));
        const bool corner = std::min(x, 35 - x) + std::min(y, 35 - y) < 2;
        if (corner) {
            return none;
        }
        if (from_edge == 0 || std::min(x, 35 - x) + std::min(y, 35 - y) == 2) {
            return edge();
        }
        if (from_edge == 1) {
            if (on) {
                return theme::accent();
            }
            return x + y < 35 ? theme::panel_light() : rgb(34, 38, 56);
        }
        return mix(top, bottom, (y - 2) / 31.0);
    });
    return button;
}

BITMAP *cape_icon()
{
    const int light = rgb(236, 84, 92);
    const int mid = rgb(190, 36, 56);
    const int dark = rgb(124, 20, 40);
    BITMAP *icon = shape(32, 32, [&](int x, int y) {
        const double dx = x - 15.5;
        if (in_ellipse(x, y, 15.5, 7.5, 2.6, 2.6)) { // gold clasp
            return x + y < 22 ? rgb(255, 236, 150) : rgb(232, 180, 48);
        }
        if (y >= 4 && y <= 9 && std::fabs(dx) <= 8.5 - (9 - y) * 0.6) { // standing collar
            return y == 4 || std::fabs(dx) > 6.5 - (9 - y) * 0.6 ? mid : dark;
        }
        // Below the collar the cloth flares out and ends in a rippling hem.
        const double half = 5.5 + 9.5 * std::pow(std::max(0.0, (y - 9) / 19.0), 0.7);
        const double hem = 27.0 + 1.6 * std::cos(dx * 0.75);
        if (y < 10 || y > hem || std::fabs(dx) > half) {
            return none;
        }
        if (y > hem - 1.5) { // the lining shows along the hem
            return dark;
        }
        const double fold = std::cos(dx / half * 7.5);
        return fold > 0.35 ? light : (fold < -0.5 ? dark : mid);
    });
    add_outline(icon, edge());
    return icon;
}

BITMAP *tail_icon()
{
    const int light = rgb(252, 176, 84);
    const int mid = rgb(226, 120, 44);
    const int dark = rgb(160, 72, 28);
    const int tip = rgb(250, 240, 222);
    // A bushy tail curling up from its root (bottom) to a pale tip: discs
    // along a curve, fattest in the middle, with a ruffled edge.
    auto along_curve = [](double t, double &cx, double &cy) {
        const double s = 1 - t;
        cx = s * s * s * 22 + 3 * s * s * t * 2 + 3 * s * t * t * 4 + t * t * t * 24;
        cy = s * s * s * 29 + 3 * s * s * t * 27 + 3 * s * t * t * 1 + t * t * t * 7;
    };
    BITMAP *icon = shape(32, 32, [&](int x, int y) {
        double best = 1e9;
        double best_t = 0;
        for (int i = 0; i <= 200; ++i) {
            const double t = i / 200.0;
            double cx, cy;
            along_curve(t, cx, cy);
            const double radius = 1.5 + 5.0 * std::pow(std::sin(std::acos(-1.0) * 0.85 * t), 0.8);
            const double ruffle = 0.6 * std::sin(t * 40);
            const double d = std::hypot(x - cx, y - cy) - (radius + ruffle);
            if (d < best) {
                best = d;
                best_t = t;
            }
        }
        if (best > 0) {
            return none;
        }
        if (best_t > 0.85) {
            return tip;
        }
        return best > -1.6 ? (x + y < 30 ? light : dark) : mid;
    });
    add_outline(icon, edge());
    return icon;
}

// Two wings, the right one the mirror image of the left.
BITMAP *wings_icon()
{
    BITMAP *half = text_art("powerups/wing_icon");
    BITMAP *icon = image(32, 32);
    blit(half, icon, 0, 0, 0, 0, 16, 32);
    draw_sprite_h_flip(icon, half, 16, 0);
    destroy_bitmap(half);
    return icon;
}

// An overlay source holds the six poses one below the other (easier to read
// than 96 columns); the editor wants them side by side, one per preview frame.
BITMAP *pose_strip(const std::string &name)
{
    BITMAP *stacked = text_art(name);
    BITMAP *strip = image(96, 16);
    for (int pose = 0; pose < 6; ++pose) {
        blit(stacked, strip, 0, 16 * pose, 16 * pose, 0, 16, 16);
    }
    destroy_bitmap(stacked);
    return strip;
}

void draw_power_ups()
{
    save_and_free(power_up_button(false), "Moltwork/PowerUps/Unselected.png");
    save_and_free(power_up_button(true), "Moltwork/PowerUps/Selected.png");
    save_and_free(cape_icon(), "Moltwork/PowerUps/CapeIcon.png");
    save_and_free(tail_icon(), "Moltwork/PowerUps/TailIcon.png");
    save_and_free(wings_icon(), "Moltwork/PowerUps/WingsIcon.png");
    save_and_free(pose_strip("powerups/cape"), "Moltwork/PowerUps/Cape.png");
    save_and_free(pose_strip("powerups/tail"), "Moltwork/PowerUps/Tail.png");
    save_and_free(pose_strip("powerups/wings"), "Moltwork/PowerUps/Wings.png");
}

// --- Pointers, brushes, fill modes, markers ----------------------------------

void draw_pointers()
{
    save_and_free(text_art("pointers/arrow"), "Moltwork/Cursor.png");
    save_and_free(text_art("pointers/text"), "Moltwork/Text.png");
}

void draw_brushes()
{
    save_and_free(text_art("brushes/brushes"), "Moltwork/Brushes.png");
    // Fills the 3-px gutters around one brush of the 3x enlarged sheet.
    BITMAP *frame = image(30, 30);
    rect(frame, 0, 0, 29, 29, edge());
    rect(frame, 1, 1, 28, 28, theme::accent());
    rect(frame, 2, 2, 27, 27, rgb(255, 226, 160));
    save_and_free(frame, "Moltwork/BrushHighlight.png");
}

// The three fill-mode icons show what one click at the top left does to the
// same 5 x 5 picture ('o' open cells, '#' walls): a four-way fill stays in the
// corner room, an eight-way fill slips through the diagonal gaps, and
// replacing the colour also reaches the sealed cell at the bottom right.
const char *const fill_demo[5] = {"oo#oo", "oo#oo", "##o##", "oo###", "oo##o"};

enum class FillMode { four_way, everywhere, eight_way };

bool demo_filled(FillMode mode, int col, int row)
{
    if (fill_demo[row][col] != 'o') {
        return false;
    }
    switch (mode) {
    case FillMode::four_way:
        return col < 2 && row < 2;
    case FillMode::eight_way:
        return !(col == 4 && row == 4);
    case FillMode::everywhere:
        break;
    }
    return true;
}

BITMAP *fill_mode_icon(FillMode mode)
{
    BITMAP *icon = image(48, 48, edge());
    const int grid = rgb(34, 38, 56);
    rectfill(icon, 1, 1, 46, 46, grid);
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 5; ++col) {
            const int x = 2 + 9 * col;
            const int y = 2 + 9 * row;
            const bool wall = fill_demo[row][col] == '#';
            const bool filled = demo_filled(mode, col, row);
            const int face = wall ? theme::panel_light() : (filled ? theme::accent() : rgb(226, 222, 210));
            const int lit = wall ? rgb(128, 138, 172) : (filled ? rgb(255, 216, 128) : theme::ink());
            rectfill(icon, x, y, x + 7, y + 7, face);
            hline(icon, x, y, x + 7, lit);
            vline(icon, x, y, x + 7, lit);
        }
    }
    // The clicked cell carries a small cross-hair.
    hline(icon, 4, 6, 8, edge());
    vline(icon, 6, 4, 8, edge());
    return icon;
}

// A triangle pointing down (or up), centred in a w-wide picture, with outline.
BITMAP *pointer_triangle(int w, int h, bool down, int light, int face)
{
    BITMAP *marker = shape(w, h, [&](int x, int y) {
        const int depth = down ? h - 2 - y : y - 1; // rows from the tip
        const double half = depth + 0.5;
        if (depth < 0 || y < 1 || y > h - 2 || std::fabs(x - (w - 1) / 2.0) > half) {
            return none;
        }
        return x < (w - 1) / 2.0 - half + 2 ? light : face;
    });
    add_outline(marker, edge());
    return marker;
}

// A triangle pointing left or right in a 14 x 14 picture.
BITMAP *page_arrow(bool right)
{
    BITMAP *arrow = shape(14, 14, [right](int x, int y) {
        const int depth = right ? 11 - x : x - 2; // columns from the tip
        const double half = depth * 0.6 + 0.5;
        if (depth < 0 || x < 2 || x > 11 || std::fabs(y - 6.5) > half) {
            return none;
        }
        return y < 6.5 ? theme::ink() : rgb(196, 192, 182);
    });
    add_outline(arrow, edge());
    return arrow;
}

void draw_fill_modes()
{
    save_and_free(fill_mode_icon(FillMode::four_way), "Moltwork/Continuous.png");
    save_and_free(fill_mode_icon(FillMode::everywhere), "Moltwork/NonContinuous.png");
    save_and_free(fill_mode_icon(FillMode::eight_way), "Moltwork/8way.png");
    save_and_free(pointer_triangle(48, 16, true, rgb(255, 216, 128), theme::accent()),
                  "Moltwork/FillModeArrow.png");
}

void draw_markers()
{
    save_and_free(pointer_triangle(32, 10, true, rgb(255, 216, 128), theme::accent()),
                  "Moltwork/FirstCanvasArrow.png");
    save_and_free(pointer_triangle(32, 6, false, rgb(130, 170, 240), theme::select()),
                  "Moltwork/SecondCanvasArrow.png");
    save_and_free(page_arrow(false), "Moltwork/Helps/LeftArrow.png");
    save_and_free(page_arrow(true), "Moltwork/Helps/RightArrow.png");
}

} // namespace

void draw_pictures()
{
    draw_tool_panel();
    draw_power_ups();
    draw_pointers();
    draw_brushes();
    draw_fill_modes();
    draw_markers();
}

} // namespace art
