#include "app/app.h"
#include "document/document.h"
#include "files/files.h"
#include "tools/tools.h"

#include <cstdlib>
#include <string>

BITMAP *Background, *Banner, *Palette;
BITMAP *P_Selected, *P_Unselected, *I_Cape, *I_Tail, *I_Wings, *Cape, *Tail, *Wings;
BITMAP *Tool, *SelectedTool, *PencilTool, *FillTool, *ElipseTool, *RectangleTool, *LineTool, *BrushTool;
BITMAP *FrameToggleBar, *FrameToggleButtonClicked;
BITMAP *StandingBar, *WalkingBar, *JumpingBar, *SlidingBar, *DeathBar, *StompedBar;
BITMAP *SelectFrameBack, *SelectFrameHighlight, *SelectFrameWords;
BITMAP *FirstCanvasArrow, *SecondCanvasArrow;
FONT *Font, *WTitle, *WText;
BITMAP *Cursor, *TextCursor;
BITMAP *PreviewToggleBar, *PreviewToggleButtonClicked, *SelectPreviewMode, *SelectPreviewTeam;
BITMAP *SelectPreviewModeBack, *SelectPreviewTeamBack, *PreviewSubmenuArrows, *PreviewSubmenuArrowSelected;
BITMAP *PreviewModes_Parent, *Brushes_Parent, *BrushHighlight;
BITMAP *Brush[24];
BITMAP *PreviewModes[24];
BITMAP *TargetCanvas, *LeftArrow, *RightArrow;
BITMAP *Continuous, *NonContinuous, *EightWay, *NormalFill, *IgnoreBounds, *EightWayFill, *FillModeArrow;
BITMAP *Toolbar, *ToolbarText, *ToolbarShadow;
BITMAP *FileBack, *FileSelect, *FileText, *EditBack, *EditSelect, *EditText, *NoUndo, *NoRedo;
BITMAP *FramesBack, *FramesSelect, *FramesText;
BITMAP *WhichCanvasText, *WhichCanvasBack, *WhichCanvasSelect;
BITMAP *WhichFrameText, *WhichFrameBack, *WhichFrameSelect;
BITMAP *WhichFrameTextSub, *WhichFrameBackSub, *WhichFrameSelectSub;
BITMAP *WTopLeft, *WTop, *WTopRight, *WLeft, *WCenter, *WRight, *WBottomLeft, *WBottom, *WBottomRight;
BITMAP *ButtonColors;

namespace
{
struct ImageFile {
    BITMAP **target;
    const char *path;
};

const ImageFile POWER_UPS[] = {
    {&P_Selected, "Moltwork/PowerUps/Selected.png"}, {&P_Unselected, "Moltwork/PowerUps/Unselected.png"},
    {&I_Cape, "Moltwork/PowerUps/CapeIcon.png"},     {&I_Tail, "Moltwork/PowerUps/TailIcon.png"},
    {&I_Wings, "Moltwork/PowerUps/WingsIcon.png"},   {&Cape, "Moltwork/PowerUps/Cape.png"},
    {&Tail, "Moltwork/PowerUps/Tail.png"},           {&Wings, "Moltwork/PowerUps/Wings.png"},
};

const ImageFile TOOL_ICONS[] = {
    {&Tool, "Moltwork/ToolIcons/Tool.png"},
    {&SelectedTool, "Moltwork/ToolIcons/SelectedTool.png"},
    {&PencilTool, "Moltwork/ToolIcons/PencilTool.png"},
    {&FillTool, "Moltwork/ToolIcons/FillTool.png"},
    {&ElipseTool, "Moltwork/ToolIcons/ElipseTool.png"},
    {&RectangleTool, "Moltwork/ToolIcons/RectangleTool.png"},
    {&LineTool, "Moltwork/ToolIcons/LineTool.png"},
    {&BrushTool, "Moltwork/ToolIcons/BrushTool.png"},
};

const ImageFile FRAME_CHOOSER[] = {
    {&FrameToggleBar, "Moltwork/MenuObjects/FrameToggleBar.png"},
    {&FrameToggleButtonClicked, "Moltwork/MenuObjects/FrameToggleButtonClicked.png"},
    {&StandingBar, "Moltwork/MenuObjects/Standing.png"},
    {&WalkingBar, "Moltwork/MenuObjects/Walking.png"},
    {&JumpingBar, "Moltwork/MenuObjects/Jumping.png"},
    {&SlidingBar, "Moltwork/MenuObjects/Sliding.png"},
    {&DeathBar, "Moltwork/MenuObjects/Lose.png"},
    {&StompedBar, "Moltwork/MenuObjects/Stomped.png"},
    {&SelectFrameBack, "Moltwork/MenuObjects/SelectFrameBack.png"},
    {&SelectFrameHighlight, "Moltwork/MenuObjects/SelectFrameHighlight.png"},
    {&SelectFrameWords, "Moltwork/MenuObjects/SelectFrameWords.png"},
    {&FirstCanvasArrow, "Moltwork/FirstCanvasArrow.png"},
    {&SecondCanvasArrow, "Moltwork/SecondCanvasArrow.png"},
};

const ImageFile PREVIEW_CHOOSER[] = {
    {&PreviewToggleBar, "Moltwork/MenuObjects/PreviewToggleBar.png"},
    {&PreviewToggleButtonClicked, "Moltwork/MenuObjects/PreviewToggleButtonClicked.png"},
    {&SelectPreviewMode, "Moltwork/MenuObjects/SelectPreviewMode.png"},
    {&SelectPreviewTeam, "Moltwork/MenuObjects/SelectPreviewTeam.png"},
    {&SelectPreviewModeBack, "Moltwork/MenuObjects/SelectPreviewModeBack.png"},
    {&SelectPreviewTeamBack, "Moltwork/MenuObjects/SelectPreviewTeamBack.png"},
    {&PreviewSubmenuArrows, "Moltwork/MenuObjects/PreviewSubmenuArrows.png"},
    {&PreviewSubmenuArrowSelected, "Moltwork/MenuObjects/PreviewSubmenuArrowSelected.png"},
};

const ImageFile SHEETS[] = {
    {&PreviewModes_Parent, "Moltwork/MenuObjects/PreviewModes.png"},
    {&Brushes_Parent, "Moltwork/Brushes.png"},
    {&BrushHighlight, "Moltwork/BrushHighlight.png"},
};

const ImageFile PANEL_IMAGES[] = {
    {&TargetCanvas, "Moltwork/Target.png"},         {&LeftArrow, "Moltwork/Helps/LeftArrow.png"},
    {&RightArrow, "Moltwork/Helps/RightArrow.png"}, {&Continuous, "Moltwork/Continuous.png"},
    {&NonContinuous, "Moltwork/NonContinuous.png"}, {&EightWay, "Moltwork/8way.png"},
    {&NormalFill, "Moltwork/NormalFill.png"},       {&IgnoreBounds, "Moltwork/IgnoreBounds.png"},
    {&EightWayFill, "Moltwork/EightWay.png"},       {&FillModeArrow, "Moltwork/FillModeArrow.png"},
};

const ImageFile MENUS_AND_WINDOWS[] = {
    {&Toolbar, "Moltwork/MenuObjects/Toolbar.png"},
    {&ToolbarText, "Moltwork/MenuObjects/ToolbarText.png"},
    {&ToolbarShadow, "Moltwork/MenuObjects/ToolbarSelect.png"},
    {&FileBack, "Moltwork/MenuObjects/FileBack.png"},
    {&FileSelect, "Moltwork/MenuObjects/FileSelect.png"},
    {&FileText, "Moltwork/MenuObjects/FileText.png"},
    {&EditBack, "Moltwork/MenuObjects/EditBack.png"},
    {&EditSelect, "Moltwork/MenuObjects/EditSelect.png"},
    {&EditText, "Moltwork/MenuObjects/EditText.png"},
    {&FramesBack, "Moltwork/MenuObjects/FramesBack.png"},
    {&FramesSelect, "Moltwork/MenuObjects/FramesSelect.png"},
    {&FramesText, "Moltwork/MenuObjects/FramesText.png"},
    {&NoUndo, "Moltwork/MenuObjects/NoUndo.png"},
    {&NoRedo, "Moltwork/MenuObjects/NoRedo.png"},
    {&WhichCanvasText, "Moltwork/MenuObjects/WhichCanvas.png"},
    {&WhichCanvasBack, "Moltwork/MenuObjects/WhichCanvasBack.png"},
    {&WhichCanvasSelect, "Moltwork/MenuObjects/WhichCanvasSelect.png"},
    {&WhichFrameText, "Moltwork/MenuObjects/WhichFrame.png"},
    {&WhichFrameBack, "Moltwork/MenuObjects/WhichFrameBack.png"},
    {&WhichFrameSelect, "Moltwork/MenuObjects/WhichFrameSelect.png"},
    {&WhichFrameTextSub, "Moltwork/MenuObjects/WhichFrameSub.png"},
    {&WhichFrameBackSub, "Moltwork/MenuObjects/WhichFrameBackSub.png"},
    {&WhichFrameSelectSub, "Moltwork/MenuObjects/WhichFrameSelectSub.png"},
    {&WTopLeft, "Moltwork/WindowObjects/WTopLeft.png"},
    {&WTop, "Moltwork/WindowObjects/WTop.png"},
    {&WTopRight, "Moltwork/WindowObjects/WTopRight.png"},
    {&WLeft, "Moltwork/WindowObjects/WLeft.png"},
    {&WCenter, "Moltwork/WindowObjects/WCenter.png"},
    {&WRight, "Moltwork/WindowObjects/WRight.png"},
    {&WBottomLeft, "Moltwork/WindowObjects/WBottomLeft.png"},
    {&WBottom, "Moltwork/WindowObjects/WBottom.png"},
    {&WBottomRight, "Moltwork/WindowObjects/WBottomRight.png"},
    {&ButtonColors, "Moltwork/WindowObjects/ButtonColors.png"},
};

[[noreturn]] void missing_or_corrupt(const char *path)
{
    allegro_message(
        "%s", ("File \"" + printable_path(path) + "\" is missing or corrupt.\nAborting program.").c_str());
    std::exit(-1);
}

// Shows the missing-file message and ends the process when the file is unreadable or fails the image check.
BITMAP *custom_load_bitmap(const char *path)
{
    BITMAP *bmp = load_checked_bitmap(path);
    if (!bmp) {
        missing_or_corrupt(path);
    }
    return bmp;
}

template <size_t N> void load_all(const ImageFile (&files)[N])
{
    for (const ImageFile &file : files) {
        *file.target = custom_load_bitmap(file.path);
    }
}

FONT *load_font_or_exit(const char *path)
{
    FONT *f = load_checked_font(path);
    if (!f) {
        missing_or_corrupt(path);
    }
    return f;
}

// A sub-image must lie wholly inside its sheet: the library would quietly
// clip it, and a clipped brush or picture would later be read out of bounds.
BITMAP *sub_image(BITMAP *parent, int x, int y, int w, int h)
{
    if (x + w > parent->w || y + h > parent->h) {
        return nullptr;
    }
    return create_sub_bitmap(parent, x, y, w, h);
}

int cut_brushes()
{
    for (int k = 0; k < 24; ++k) {
        Brush[k] = sub_image(Brushes_Parent, 9 * (k % 8), 9 * (k / 8), 8, 8);
        if (!Brush[k]) {
            allegro_message("Failed to create brushes from \"Brushes.png\"");
            return 50;
        }
    }
    return 0;
}

int cut_preview_modes()
{
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 6; ++r) {
            PreviewModes[6 * c + r] = sub_image(PreviewModes_Parent, 109 * c, 45 * r, 108, 44);
            if (!PreviewModes[6 * c + r]) {
                allegro_message("Failed to create sub-bitmaps of preview modes in \"PreviewModes.png\"");
                return 52 + c;
            }
        }
    }
    return 0;
}

} // namespace

int load_catalogue()
{
    Background = custom_load_bitmap("Moltwork/OrvaBack.png");
    Banner = custom_load_bitmap("Moltwork/Banner.png");
    Palette = custom_load_bitmap(options.palette_path.c_str());
    load_all(POWER_UPS);
    if (int code = create_frames()) {
        return code;
    }
    load_all(TOOL_ICONS);
    if (int code = create_floating_graphic()) {
        return code;
    }
    load_all(FRAME_CHOOSER);
    Font = load_font_or_exit("Moltwork/Fonts/Font.png");
    WTitle = load_font_or_exit("Moltwork/Fonts/AlertTitle.png");
    WText = load_font_or_exit("Moltwork/Fonts/AlertText.png");
    Cursor = custom_load_bitmap("Moltwork/Cursor.png");
    set_pointer(Cursor);
    TextCursor = custom_load_bitmap("Moltwork/Text.png");
    load_all(PREVIEW_CHOOSER);
    if (int code = create_sheet_bitmaps()) {
        return code;
    }
    load_all(SHEETS);
    if (int code = cut_brushes()) {
        return code;
    }
    if (int code = cut_preview_modes()) {
        return code;
    }
    read_color_table(Palette);
    if (int code = create_brush_cursors()) {
        return code;
    }
    load_all(PANEL_IMAGES);
    load_all(MENUS_AND_WINDOWS);
    return 0;
}

void release_static_sources()
{
    for (BITMAP **used_once : {&Background, &Banner, &Tool, &FrameToggleBar, &PreviewToggleBar}) {
        destroy_bitmap(*used_once);
        *used_once = nullptr;
    }
}
