// The interface catalogue: every file of the built runtime tree has the size
// the screen layout relies on, and each one missing or unusable stops start-up
// with its own message and exit status.
#include "editor_harness.h"
#include "headless.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

namespace
{
// The size the layout draws each interface image at, 0 where it needs none: a folder of Moltwork/, then
// "name width height" for each .png in it.
const char *const SIZES = R"(
/  OrvaBack 800 600  Banner 240 100  FirstCanvasArrow 32 10  SecondCanvasArrow 32 6  Brushes 71 26
BrushHighlight 30 30  Target 132 14  Continuous 48 48  NonContinuous 48 48  8way 48 48  NormalFill 0 16
IgnoreBounds 0 16  EightWay 0 16  FillModeArrow 48 16
PowerUps/  Selected 36 36  Unselected 36 36  CapeIcon 32 32  TailIcon 32 32  WingsIcon 32 32  Cape 96 16
Tail 96 16  Wings 96 16
ToolIcons/  Tool 48 48  SelectedTool 48 48  PencilTool 44 44  FillTool 44 44  ElipseTool 44 44
RectangleTool 44 44  LineTool 44 44  BrushTool 44 44
MenuObjects/  FrameToggleBar 37 192  FrameToggleButtonClicked 31 19  SelectFrameBack 104 144
SelectFrameHighlight 104 22  SelectFrameWords 104 144  PreviewToggleBar 113 64
PreviewToggleButtonClicked 109 14  SelectPreviewMode 104 144  SelectPreviewTeam 104 96
SelectPreviewModeBack 104 144  SelectPreviewTeamBack 104 96  PreviewSubmenuArrows 13 96
PreviewSubmenuArrowSelected 12 24  PreviewModes 435 269  Toolbar 240 17  ToolbarText 240 17
ToolbarSelect 244 17  FileBack 96 64  FileSelect 92 16  FileText 96 64  EditBack 96 18  EditSelect 92 18
EditText 96 18  FramesBack 83 49  FramesSelect 79 16  FramesText 83 49  NoUndo 96 18  WhichCanvas 64 33
WhichCanvasBack 64 33  WhichCanvasSelect 60 15  WhichFrame 64 101  WhichFrameBack 64 101
WhichFrameSelect 60 16  WhichFrameSub 64 101  WhichFrameBackSub 64 101  WhichFrameSelectSub 60 16
Helps/  LeftArrow 14 14  RightArrow 14 14
WindowObjects/  WTopLeft 16 16  WTop 0 16  WTopRight 16 16  WLeft 16 0  WRight 16 0  WBottomLeft 16 16
WBottom 0 16  WBottomRight 16 16)";

const char *const BOOKS[] = {
    "Moltwork/Helps/BrushTool.png",   "Moltwork/Helps/PencilTool.png",    "Moltwork/Helps/FillTool.png",
    "Moltwork/Helps/EllipseTool.png", "Moltwork/Helps/RectangleTool.png", "Moltwork/Helps/LineTool.png",
};
const std::string PALETTE_FILE = "gfx/packs/Classic/palette.bmp";

std::string runtime(const std::string &relative)
{
    return std::string(MOLTWORK_RUNTIME_DIR) + "/" + relative;
}

// Starts the editor in a fresh copy of the runtime tree after changing it.
void expect_start(const std::function<void(const std::string &workdir)> &change, int status,
                  const std::string &message)
{
    const std::string workdir = make_workdir();
    change(workdir);
    const ChildResult result = run_in_child(workdir, [] { std::exit(start_editor_headless()); });
    EXPECT_EQ(result.exit_status, status);
    EXPECT_EQ(result.output, message);
}

std::string missing_message(const std::string &path)
{
    return "File \"" + path + "\" is missing or corrupt.\nAborting program.";
}

} // namespace

TEST(Catalogue, EveryImageHasTheSizeTheLayoutUsesAndEveryFontItsGlyphs)
{
    start_headless_library();
    std::istringstream sizes(SIZES);
    std::string folder, name;
    for (int width, height; sizes >> name;) {
        if (name.back() == '/') {
            folder = name == "/" ? "" : name;
            continue;
        }
        sizes >> width >> height;
        const std::string path = "Moltwork/" + folder + name + ".png";
        SCOPED_TRACE(path);
        BITMAP *bmp = load_bitmap(runtime(path).c_str(), nullptr);
        ASSERT_NE(bmp, nullptr);
        EXPECT_TRUE(!width || bmp->w == width) << bmp->w;
        EXPECT_TRUE(!height || bmp->h == height) << bmp->h;
        destroy_bitmap(bmp);
    }
    for (const char *book : BOOKS) {
        SCOPED_TRACE(book);
        BITMAP *bmp = load_bitmap(runtime(book).c_str(), nullptr);
        ASSERT_NE(bmp, nullptr);
        EXPECT_EQ((bmp->w + 1) % 241, 0);
        EXPECT_EQ(bmp->h, 92);
        destroy_bitmap(bmp);
    }
    for (const std::string font : {"Font", "AlertTitle", "AlertText"}) {
        FONT *f = load_bitmap_font(runtime("Moltwork/Fonts/" + font + ".png").c_str(), nullptr, nullptr);
        ASSERT_NE(f, nullptr) << font;
        EXPECT_EQ(text_height(f), 11);
        EXPECT_NE(text_length(f, "il"), text_length(f, "WM")) << "glyphs of their own widths";
        destroy_font(f);
    }
}

TEST(Catalogue, PaletteBaseColoursAreDistinctAndEveryTeamVariantRecolours)
{
    start_headless_library();
    BITMAP *palette = load_bitmap(runtime(PALETTE_FILE).c_str(), nullptr);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->w, 25);
    EXPECT_EQ(palette->h, 37);
    const auto row = [&](int r) {
        std::vector<int> colours;
        for (int c = 0; c < 25; ++c) {
            colours.push_back(getpixel(palette, c, r));
        }
        return colours;
    };
    const std::vector<int> base = row(0);
    EXPECT_EQ(std::set<int>(base.begin(), base.end()).size(), 25u);
    EXPECT_EQ(std::count(base.begin(), base.end(), makecol(255, 0, 255)), 0);
    std::set<std::vector<int>> variants{base};
    for (int team = 0; team < 4; ++team) {
        for (int position : {1, 5, 6, 7, 8, 9}) {
            EXPECT_TRUE(variants.insert(row(9 * team + position)).second) << team << " " << position;
        }
    }
    destroy_bitmap(palette);
}

TEST(Catalogue, EveryFileTheTreeHoldsStopsStartUpWithItsMessageWhenMissing)
{
    expect_start([](const std::string &) {}, 0, "");
    std::vector<std::string> paths = {PALETTE_FILE};
    for (const auto &item : std::filesystem::recursive_directory_iterator(runtime("Moltwork"))) {
        if (item.is_regular_file()) {
            paths.push_back(item.path().string().substr(runtime("").size()));
        }
    }
    std::sort(paths.begin(), paths.end());
    for (const std::string &path : paths) {
        SCOPED_TRACE(path);
        const bool book = std::count(std::begin(BOOKS), std::end(BOOKS), path);
        expect_start([&](const std::string &dir) { std::remove((dir + "/" + path).c_str()); }, 255,
                     book ? "File " + path + " is missing or corrupt." : missing_message(path));
    }
}

TEST(Catalogue, SheetsOfTheWrongSizeAreRefused)
{
    start_headless_library();
    const char *const modes = "Failed to create sub-bitmaps of preview modes in \"PreviewModes.png\"";
    const struct {
        const char *path;
        int width, height, status;
        const char *message;
    } cases[] = {
        {"Moltwork/Helps/FillTool.png", 482, 92, 255,
         "Help dialog wrong dimensions. Please check and try again.\nError in Moltwork/Helps/FillTool.png"},
        {"Moltwork/Brushes.png", 70, 26, 50, "Failed to create brushes from \"Brushes.png\""},
        {"Moltwork/Brushes.png", 71, 25, 50, "Failed to create brushes from \"Brushes.png\""},
        {"Moltwork/MenuObjects/PreviewModes.png", 435, 268, 52, modes},
        {"Moltwork/MenuObjects/PreviewModes.png", 434, 269, 55, modes},
        {"Moltwork/MenuObjects/PreviewModes.png", 300, 269, 54, modes},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + std::to_string(c.width) + "x" + std::to_string(c.height));
        expect_start(
            [&](const std::string &dir) {
                BITMAP *sheet = create_bitmap(c.width, c.height);
                clear_to_color(sheet, makecol(255, 0, 255));
                save_bitmap((dir + "/" + c.path).c_str(), sheet, nullptr);
                destroy_bitmap(sheet);
            },
            c.status, c.message);
    }
}

TEST(Catalogue, ACutPaletteOfAStrangeNameStopsStartUpWithItsNameEscaped)
{
    const std::string name = "gfx/\x80\xff\x07\\p.bmp";
    expect_start(
        [&](const std::string &dir) {
            write_file(dir + "/" + name, crafted_bmp({25, 37, 24, 0, 100}));
            write_file(dir + "/Options.cfg", options_text("no", "0orva.bmp", name));
        },
        255, missing_message("gfx/\\x80\\xFF\\x07\\x5Cp.bmp"));
}
