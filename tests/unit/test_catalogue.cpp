// The interface catalogue: every file the editor loads exists in the built
// runtime tree with the size the screen layout relies on, and every missing or
// unusable file stops start-up with its own message and exit status.
#include "app/app.h"
#include "crafted_bmp.h"
#include "editor_harness.h"
#include "headless.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// In start-up order: "path width height", the sizes the layout draws them at
// (0 where the layout needs no particular size).
// clang-format off
const char *const CATALOGUE[] = {
    "Moltwork/OrvaBack.png 800 600", "Moltwork/Banner.png 240 100", "gfx/packs/Classic/palette.bmp 25 37",
    "Moltwork/PowerUps/Selected.png 36 36", "Moltwork/PowerUps/Unselected.png 36 36",
    "Moltwork/PowerUps/CapeIcon.png 32 32", "Moltwork/PowerUps/TailIcon.png 32 32",
    "Moltwork/PowerUps/WingsIcon.png 32 32", "Moltwork/PowerUps/Cape.png 96 16",
    "Moltwork/PowerUps/Tail.png 96 16", "Moltwork/PowerUps/Wings.png 96 16",
    "Moltwork/ToolIcons/Tool.png 48 48", "Moltwork/ToolIcons/SelectedTool.png 48 48",
    "Moltwork/ToolIcons/PencilTool.png 44 44", "Moltwork/ToolIcons/FillTool.png 44 44",
    "Moltwork/ToolIcons/ElipseTool.png 44 44", "Moltwork/ToolIcons/RectangleTool.png 44 44",
    "Moltwork/ToolIcons/LineTool.png 44 44", "Moltwork/ToolIcons/BrushTool.png 44 44",
    "Moltwork/MenuObjects/FrameToggleBar.png 37 192", "Moltwork/MenuObjects/FrameToggleButtonClicked.png 31 19",
    "Moltwork/MenuObjects/Standing.png 0 0", "Moltwork/MenuObjects/Walking.png 0 0",
    "Moltwork/MenuObjects/Jumping.png 0 0", "Moltwork/MenuObjects/Sliding.png 0 0",
    "Moltwork/MenuObjects/Lose.png 0 0", "Moltwork/MenuObjects/Stomped.png 0 0",
    "Moltwork/MenuObjects/SelectFrameBack.png 104 144", "Moltwork/MenuObjects/SelectFrameHighlight.png 104 22",
    "Moltwork/MenuObjects/SelectFrameWords.png 104 144", "Moltwork/FirstCanvasArrow.png 32 10",
    "Moltwork/SecondCanvasArrow.png 32 6", "Moltwork/Fonts/Font.png 0 0", "Moltwork/Fonts/AlertTitle.png 0 0",
    "Moltwork/Fonts/AlertText.png 0 0", "Moltwork/Cursor.png 0 0", "Moltwork/Text.png 0 0",
    "Moltwork/MenuObjects/PreviewToggleBar.png 113 64",
    "Moltwork/MenuObjects/PreviewToggleButtonClicked.png 109 14",
    "Moltwork/MenuObjects/SelectPreviewMode.png 104 144", "Moltwork/MenuObjects/SelectPreviewTeam.png 104 96",
    "Moltwork/MenuObjects/SelectPreviewModeBack.png 104 144",
    "Moltwork/MenuObjects/SelectPreviewTeamBack.png 104 96",
    "Moltwork/MenuObjects/PreviewSubmenuArrows.png 13 96",
    "Moltwork/MenuObjects/PreviewSubmenuArrowSelected.png 12 24",
    "Moltwork/MenuObjects/PreviewModes.png 435 269", "Moltwork/Brushes.png 71 26",
    "Moltwork/BrushHighlight.png 30 30", "Moltwork/Target.png 132 14", "Moltwork/Helps/LeftArrow.png 14 14",
    "Moltwork/Helps/RightArrow.png 14 14", "Moltwork/Continuous.png 48 48", "Moltwork/NonContinuous.png 48 48",
    "Moltwork/8way.png 48 48", "Moltwork/NormalFill.png 0 16", "Moltwork/IgnoreBounds.png 0 16",
    "Moltwork/EightWay.png 0 16", "Moltwork/FillModeArrow.png 48 16", "Moltwork/MenuObjects/Toolbar.png 240 17",
    "Moltwork/MenuObjects/ToolbarText.png 240 17", "Moltwork/MenuObjects/ToolbarSelect.png 244 17",
    "Moltwork/MenuObjects/FileBack.png 96 64", "Moltwork/MenuObjects/FileSelect.png 92 16",
    "Moltwork/MenuObjects/FileText.png 96 64", "Moltwork/MenuObjects/EditBack.png 96 18",
    "Moltwork/MenuObjects/EditSelect.png 92 18", "Moltwork/MenuObjects/EditText.png 96 18",
    "Moltwork/MenuObjects/FramesBack.png 83 49", "Moltwork/MenuObjects/FramesSelect.png 79 16",
    "Moltwork/MenuObjects/FramesText.png 83 49", "Moltwork/MenuObjects/NoUndo.png 96 18",
    "Moltwork/MenuObjects/WhichCanvas.png 64 33", "Moltwork/MenuObjects/WhichCanvasBack.png 64 33",
    "Moltwork/MenuObjects/WhichCanvasSelect.png 60 15", "Moltwork/MenuObjects/WhichFrame.png 64 101",
    "Moltwork/MenuObjects/WhichFrameBack.png 64 101", "Moltwork/MenuObjects/WhichFrameSelect.png 60 16",
    "Moltwork/MenuObjects/WhichFrameSub.png 64 101", "Moltwork/MenuObjects/WhichFrameBackSub.png 64 101",
    "Moltwork/MenuObjects/WhichFrameSelectSub.png 60 16", "Moltwork/WindowObjects/WTopLeft.png 16 16",
    "Moltwork/WindowObjects/WTop.png 0 16", "Moltwork/WindowObjects/WTopRight.png 16 16",
    "Moltwork/WindowObjects/WLeft.png 16 0", "Moltwork/WindowObjects/WCenter.png 0 0",
    "Moltwork/WindowObjects/WRight.png 16 0", "Moltwork/WindowObjects/WBottomLeft.png 16 16",
    "Moltwork/WindowObjects/WBottom.png 0 16", "Moltwork/WindowObjects/WBottomRight.png 16 16",
    "Moltwork/WindowObjects/ButtonColors.png 0 0"};
// clang-format on

struct CatalogueFile {
    std::string path;
    int width = 0, height = 0;
};

CatalogueFile entry(const char *line)
{
    CatalogueFile file;
    std::istringstream(line) >> file.path >> file.width >> file.height;
    return file;
}

const char *const HELP_BOOKS[] = {
    "Moltwork/Helps/BrushTool.png",   "Moltwork/Helps/PencilTool.png",    "Moltwork/Helps/FillTool.png",
    "Moltwork/Helps/EllipseTool.png", "Moltwork/Helps/RectangleTool.png", "Moltwork/Helps/LineTool.png",
};

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

TEST(Catalogue, EveryFileExistsWithTheSizeTheLayoutUses)
{
    start_headless_library();
    for (const char *line : CATALOGUE) {
        const CatalogueFile file = entry(line);
        SCOPED_TRACE(file.path);
        if (file.path.find("/Fonts/") != std::string::npos) {
            FONT *f = load_bitmap_font(runtime(file.path).c_str(), nullptr, nullptr);
            ASSERT_NE(f, nullptr);
            EXPECT_EQ(text_height(f), 11);
            EXPECT_NE(text_length(f, "il"), text_length(f, "WM")) << "glyphs of their own widths";
            destroy_font(f);
            continue;
        }
        BITMAP *bmp = load_bitmap(runtime(file.path).c_str(), nullptr);
        ASSERT_NE(bmp, nullptr);
        EXPECT_TRUE(!file.width || bmp->w == file.width) << bmp->w;
        EXPECT_TRUE(!file.height || bmp->h == file.height) << bmp->h;
        destroy_bitmap(bmp);
    }
    for (const char *book : HELP_BOOKS) {
        SCOPED_TRACE(book);
        BITMAP *bmp = load_bitmap(runtime(book).c_str(), nullptr);
        ASSERT_NE(bmp, nullptr);
        EXPECT_EQ((bmp->w + 1) % 241, 0);
        EXPECT_EQ(bmp->h, 92);
        destroy_bitmap(bmp);
    }
    namespace fs = std::filesystem;
    int files = 0;
    for (const auto &item : fs::recursive_directory_iterator(runtime("Moltwork"))) {
        files += item.is_regular_file();
    }
    EXPECT_EQ(files, 95);
}

TEST(Catalogue, PaletteBaseColoursAreDistinctAndEveryTeamVariantRecolours)
{
    start_headless_library();
    BITMAP *palette = load_bitmap(runtime("gfx/packs/Classic/palette.bmp").c_str(), nullptr);
    ASSERT_NE(palette, nullptr);
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

TEST(Catalogue, EachMissingOrUnreadableFileStopsStartUpWithItsMessage)
{
    expect_start([](const std::string &) {}, 0, "");
    for (const char *line : CATALOGUE) {
        const std::string path = entry(line).path;
        SCOPED_TRACE(path);
        expect_start([&](const std::string &dir) { std::remove((dir + "/" + path).c_str()); }, 255,
                     missing_message(path));
    }
    for (const std::string book : HELP_BOOKS) {
        SCOPED_TRACE(book);
        expect_start([&](const std::string &dir) { std::remove((dir + "/" + book).c_str()); }, 255,
                     "File " + book + " is missing or corrupt.");
    }
    expect_start([](const std::string &dir) { write_file(dir + "/Moltwork/Target.png", "not a picture"); },
                 255, missing_message("Moltwork/Target.png"));
    expect_start(
        [](const std::string &dir) {
            write_file(dir + "/Options.cfg", options_text("no", "0orva.bmp", "mine/none.bmp"));
        },
        255, missing_message("mine/none.bmp"));
}

TEST(Catalogue, SheetsOfTheWrongSizeAreRefused)
{
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
                run_in_child(dir, [&] {
                    start_headless_library();
                    BITMAP *sheet = create_bitmap(c.width, c.height);
                    clear_to_color(sheet, makecol(255, 0, 255));
                    save_bitmap(c.path, sheet, nullptr);
                });
            },
            c.status, c.message);
    }
}

TEST(Catalogue, AHostileOrStrangelyNamedPaletteStopsStartUpWithAReadableMessage)
{
    const std::string palette = "gfx/packs/Classic/palette.bmp";
    expect_start(
        [&](const std::string &dir) {
            write_file(dir + "/" + palette, crafted_bmp({25, 37, 24, 0, 100}));
        },
        255, missing_message(palette));
    expect_start(
        [&](const std::string &dir) {
            write_file(dir + "/" + palette, crafted_bmp({40000, 40000, 8, 0, 0}).substr(0, 118));
        },
        255, missing_message(palette));
    expect_start(
        [](const std::string &dir) {
            write_file(dir + "/Options.cfg", options_text("no", "0orva.bmp", "gfx/\x80\xff\x07\\p.bmp"));
        },
        255, missing_message("gfx/\\x80\\xFF\\x07\\x5Cp.bmp"));
}
