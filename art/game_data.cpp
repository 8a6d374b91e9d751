// The game data shipped with the editor: the Classic palette pack and the
// default skin. The palette is computed from a table of base colours and one
// rule per team and mode, so every variant stays consistent when a base
// colour is retuned; the skin is text-art whose letters name palette entries.
#include "art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace art
{

namespace
{

struct Rgb {
    int r, g, b;
};

// Team colours are what a team recolours; everything else keeps its look in
// the Normal variant.
enum class Role { plain, main, secondary };

struct BaseColour {
    Rgb rgb;
    Role role;
    int shade; // 0 light, 1 mid, 2 dark; only for team colours
};

// Row 0 of the palette, in the order the editor lists them: entries 0..11 in
// the first swatch row, 12..24 in the second, shade groups kept together.
const std::array<BaseColour, 25> base_colours{{
    {{28, 22, 32}, Role::plain, 0},        // outline
    {{246, 244, 236}, Role::plain, 0},     // eye white
    {{255, 222, 184}, Role::plain, 0},     // skin light
    {{238, 178, 132}, Role::plain, 0},     // skin mid
    {{192, 124, 92}, Role::plain, 0},      // skin shadow
    {{214, 122, 64}, Role::plain, 0},      // hair light
    {{162, 80, 42}, Role::plain, 0},       // hair mid
    {{104, 48, 30}, Role::plain, 0},       // hair dark
    {{190, 120, 236}, Role::main, 0},      // team main light
    {{140, 74, 196}, Role::main, 1},       // team main mid
    {{88, 42, 136}, Role::main, 2},        // team main dark
    {{240, 120, 128}, Role::plain, 0},     // blush
    {{120, 230, 214}, Role::secondary, 0}, // team trim light
    {{56, 170, 164}, Role::secondary, 1},  // team trim mid
    {{28, 110, 112}, Role::secondary, 2},  // team trim dark
    {{214, 218, 228}, Role::plain, 0},     // metal light
    {{146, 152, 170}, Role::plain, 0},     // metal mid
    {{90, 94, 112}, Role::plain, 0},       // metal dark
    {{150, 112, 78}, Role::plain, 0},      // leather light
    {{108, 76, 52}, Role::plain, 0},       // leather mid
    {{70, 48, 34}, Role::plain, 0},        // leather dark
    {{255, 232, 120}, Role::plain, 0},     // gold light
    {{232, 180, 48}, Role::plain, 0},      // gold mid
    {{170, 112, 24}, Role::plain, 0},      // gold dark
    {{48, 96, 180}, Role::plain, 0},       // iris
}};

struct Team {
    std::array<Rgb, 3> main;
    std::array<Rgb, 3> trim;
};

// Teams in palette block order, each a main colour and a trim in three shades.
const std::array<Team, 4> teams{{
    // Red, cream trim.
    {{{{240, 84, 72}, {196, 40, 44}, {128, 22, 36}}}, {{{252, 236, 204}, {218, 196, 156}, {160, 138, 104}}}},
    // Blue, silver trim.
    {{{{96, 156, 255}, {46, 98, 222}, {26, 52, 146}}}, {{{236, 242, 255}, {180, 196, 224}, {120, 136, 170}}}},
    // Green, yellow trim.
    {{{{124, 226, 96}, {58, 168, 62}, {26, 104, 44}}}, {{{255, 214, 96}, {226, 164, 44}, {150, 100, 24}}}},
    // Gold, charcoal trim.
    {{{{255, 216, 84}, {228, 164, 32}, {156, 104, 20}}}, {{{104, 100, 112}, {64, 60, 72}, {38, 34, 44}}}},
}};

// A colour ramp from dark (0) to bright (1) that the elemental modes map
// brightness onto.
struct Stop {
    double at;
    Rgb rgb;
};
using Ramp = std::vector<Stop>;

enum class Kind { normal, faded, dark, light, ramp };

struct Mode {
    Kind kind;
    Ramp ramp;
    double team_keep; // how much of the team colour survives the ramp
};

// Positions 1..9 of each team's block of nine variants: Normal, Faded, Dark,
// Light, then the elemental modes, each with its ramp from dark to bright.
const std::array<Mode, 9> modes{{
    {Kind::normal, {}, 1.0},
    {Kind::faded, {}, 1.0},
    {Kind::dark, {}, 1.0},
    {Kind::light, {}, 1.0},
    // Fire: embers, flame, yellow-white heat.
    {Kind::ramp,
     {{0.0, {70, 12, 14}}, {0.4, {206, 46, 22}}, {0.7, {255, 142, 34}}, {1.0, {255, 240, 160}}},
     0.55},
    // Ice: deep blue to frost.
    {Kind::ramp, {{0.0, {22, 42, 96}}, {0.5, {112, 172, 232}}, {1.0, {236, 250, 255}}}, 0.5},
    // Metal: steel greys.
    {Kind::ramp, {{0.0, {30, 32, 40}}, {0.5, {132, 138, 152}}, {1.0, {244, 246, 250}}}, 0.45},
    // Shadow: dark purples.
    {Kind::ramp, {{0.0, {14, 8, 26}}, {0.5, {72, 42, 112}}, {1.0, {168, 138, 208}}}, 0.5},
    // Star: bright yellow to white.
    {Kind::ramp, {{0.0, {120, 64, 16}}, {0.45, {255, 208, 56}}, {1.0, {255, 255, 236}}}, 0.5},
}};

int clamp_channel(double v)
{
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

Rgb mix(Rgb a, Rgb b, double t)
{
    return {clamp_channel(a.r + (b.r - a.r) * t), clamp_channel(a.g + (b.g - a.g) * t),
            clamp_channel(a.b + (b.b - a.b) * t)};
}

double brightness(Rgb c)
{
    return (0.299 * c.r + 0.587 * c.g + 0.114 * c.b) / 255.0;
}

Rgb on_ramp(const Ramp &ramp, double at)
{
    for (size_t i = 1; i < ramp.size(); ++i) {
        if (at <= ramp[i].at) {
            return mix(ramp[i - 1].rgb, ramp[i].rgb, (at - ramp[i - 1].at) / (ramp[i].at - ramp[i - 1].at));
        }
    }
    return ramp.back().rgb;
}

Rgb in_team(const BaseColour &base, const Team &team)
{
    switch (base.role) {
    case Role::main:
        return team.main[base.shade];
    case Role::secondary:
        return team.trim[base.shade];
    case Role::plain:
        break;
    }
    return base.rgb;
}

Rgb variant(const BaseColour &base, const Team &team, const Mode &mode)
{
    const Rgb own = in_team(base, team);
    const int grey = clamp_channel(255 * brightness(own));
    switch (mode.kind) {
    case Kind::normal:
        return own;
    case Kind::faded:
        return mix(own, {grey, grey, grey}, 0.55);
    case Kind::dark:
        return mix(own, {0, 0, 0}, 0.45);
    case Kind::light:
        return mix(own, {255, 255, 255}, 0.45);
    case Kind::ramp:
        break;
    }
    const Rgb toned = on_ramp(mode.ramp, brightness(own));
    return base.role == Role::plain ? toned : mix(toned, own, mode.team_keep);
}

int packed(Rgb c)
{
    return rgb(c.r, c.g, c.b);
}

void draw_palette()
{
    BITMAP *palette = image(25, 37);
    for (int i = 0; i < 25; ++i) {
        putpixel(palette, i, 0, packed(base_colours[i].rgb));
        for (int t = 0; t < 4; ++t) {
            for (int p = 1; p <= 9; ++p) {
                putpixel(palette, i, 9 * t + p, packed(variant(base_colours[i], teams[t], modes[p - 1])));
            }
        }
    }
    save(palette, "gfx/packs/Classic/palette.bmp");
    destroy_bitmap(palette);
}

[[noreturn]] void bad_source(const std::string &path, const std::string &what)
{
    std::fprintf(stderr, "moltwork_art: %s: %s\n", path.c_str(), what.c_str());
    std::exit(1);
}

// Lines of a source file without comments ('#' lines) and blank lines.
std::vector<std::string> content_lines(const std::string &path)
{
    std::ifstream in(path);
    if (!in) {
        bad_source(path, "cannot read");
    }
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line[0] != '#') {
            lines.push_back(line);
        }
    }
    return lines;
}

// skin/legend.txt: "<letter> <palette entry>" per line; '.' is transparent.
std::map<char, int> skin_legend()
{
    const std::string path = source_dir() + "/pixels/skin/legend.txt";
    std::map<char, int> legend{{'.', magenta()}};
    for (const std::string &line : content_lines(path)) {
        std::istringstream fields(line);
        char letter;
        int entry;
        if (!(fields >> letter >> entry) || entry < 0 || entry >= static_cast<int>(base_colours.size())) {
            bad_source(path, "bad legend line \"" + line + "\"");
        }
        legend[letter] = packed(base_colours[entry].rgb);
    }
    return legend;
}

BITMAP *skin_frame(const std::string &pose, const std::map<char, int> &legend)
{
    const std::string path = source_dir() + "/pixels/skin/" + pose + ".txt";
    const std::vector<std::string> rows = content_lines(path);
    if (rows.size() != 16) {
        bad_source(path, "a frame has 16 rows");
    }
    BITMAP *frame = image(16, 16);
    for (int y = 0; y < 16; ++y) {
        if (rows[y].size() != 16) {
            bad_source(path, "row " + std::to_string(y + 1) + " is not 16 wide");
        }
        for (int x = 0; x < 16; ++x) {
            auto found = legend.find(rows[y][x]);
            if (found == legend.end()) {
                bad_source(path, "letter '" + std::string(1, rows[y][x]) + "' is not in the legend");
            }
            putpixel(frame, x, y, found->second);
        }
    }
    return frame;
}

void draw_default_skin()
{
    static const char *const poses[6] = {"standing", "walking", "jumping", "sliding", "dying", "stomped"};
    const std::map<char, int> legend = skin_legend();
    BITMAP *sheet = image(192, 32);
    for (int n = 0; n < 6; ++n) {
        BITMAP *frame = skin_frame(poses[n], legend);
        stretch_blit(frame, sheet, 0, 0, 16, 16, 32 * n, 0, 32, 32);
        destroy_bitmap(frame);
    }
    save(sheet, "gfx/skins/0orva.bmp");
    destroy_bitmap(sheet);
}

} // namespace

void draw_game_data()
{
    draw_palette();
    draw_default_skin();
}

} // namespace art
