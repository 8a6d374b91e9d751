#include "tools/tools.h"

BITMAP *BrushCursor, *BrushCursor2;

int create_brush_cursors()
{
    BrushCursor = create_bitmap(96, 96);
    if (!BrushCursor) {
        allegro_message("Failed to create cursor for brush tool");
        return 57;
    }
    clear_to_color(BrushCursor, 0);
    BrushCursor2 = create_bitmap(96, 96);
    if (!BrushCursor2) {
        allegro_message("Failed to create cursor for brush tool");
        return 58;
    }
    clear_to_color(BrushCursor2, 0);
    return 0;
}
