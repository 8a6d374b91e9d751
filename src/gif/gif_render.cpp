// Composing frames on a target bitmap, with the GIF disposal methods between them.
#include "gif/gif_internal.h"

#include <algorithm>

namespace
{

// The part of a frame's rectangle that lies inside the target's clipping rectangle.
struct Area {
    int x, y, w, h;
    bool empty() const { return w <= 0 || h <= 0; }
};

Area visible_area(const BITMAP *target, long long left, long long top, long long width, long long height)
{
    const long long x1 = std::max<long long>(left, target->cl);
    const long long y1 = std::max<long long>(top, target->ct);
    const long long x2 = std::min<long long>(left + width, target->cr);
    const long long y2 = std::min<long long>(top + height, target->cb);
    return {static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(std::max(0LL, x2 - x1)),
            static_cast<int>(std::max(0LL, y2 - y1))};
}

Area frame_area(const BITMAP *target, const RawFrame &frame, int x, int y)
{
    return visible_area(target, static_cast<long long>(x) + frame.x_offset,
                        static_cast<long long>(y) + frame.y_offset, frame.image->w, frame.image->h);
}

void release_store(RawAnimation *animation)
{
    if (animation->render_store)
        destroy_bitmap(animation->render_store);
    animation->render_store = nullptr;
}

void undo_previous_frame(RawAnimation *animation, BITMAP *target, int frame, int x, int y)
{
    if (frame == 0) {
        release_store(animation);
        const Area all = visible_area(target, x, y, animation->width, animation->height);
        if (!all.empty())
            rectfill(target, all.x, all.y, all.x + all.w - 1, all.y + all.h - 1, bitmap_mask_color(target));
        return;
    }
    const RawFrame &previous = animation->frames[frame - 1];
    if (!previous.image)
        return;
    const Area area = frame_area(target, previous, x, y);
    if (previous.disposal == 2 && !area.empty())
        rectfill(target, area.x, area.y, area.x + area.w - 1, area.y + area.h - 1, bitmap_mask_color(target));
    if (previous.disposal == 3 && animation->render_store) {
        blit(animation->render_store, target, 0, 0, area.x, area.y, area.w, area.h);
        release_store(animation);
    }
}

void save_area(RawAnimation *animation, BITMAP *target, const Area &area)
{
    release_store(animation);
    if (area.empty())
        return;
    animation->render_store = create_bitmap_ex(bitmap_color_depth(target), area.w, area.h);
    if (animation->render_store)
        blit(target, animation->render_store, area.x, area.y, 0, 0, area.w, area.h);
}

void draw_frame(const RawAnimation *animation, BITMAP *target, const RawFrame &frame, const Area &area,
                long long left, long long top)
{
    if (area.empty())
        return;
    const RawPalette &palette = frame.palette.count != 0 ? frame.palette : animation->palette;
    const int depth = bitmap_color_depth(target);
    int colours[256];
    for (int i = 0; i < 256; i++)
        colours[i] = makecol_depth(depth, palette.entries[i].r, palette.entries[i].g, palette.entries[i].b);
    for (int ty = area.y; ty < area.y + area.h; ty++) {
        const unsigned char *row = frame.image->line[ty - top];
        for (int tx = area.x; tx < area.x + area.w; tx++) {
            const int index = row[tx - left];
            if (index != frame.transparent)
                putpixel(target, tx, ty, colours[index]);
        }
    }
}

} // namespace

void gif_render_frame(RawAnimation *animation, BITMAP *target, int frame, int x, int y)
{
    if (!animation || !target || frame < 0 || frame >= animation->frame_count)
        return;
    undo_previous_frame(animation, target, frame, x, y);
    const RawFrame &current = animation->frames[frame];
    if (!current.image)
        return;
    const Area area = frame_area(target, current, x, y);
    if (current.disposal == 3)
        save_area(animation, target, area);
    draw_frame(animation, target, current, area, static_cast<long long>(x) + current.x_offset,
               static_cast<long long>(y) + current.y_offset);
}

bool gif_screen_fits(const RawAnimation *animation, int bitmap_count)
{
    const long long bytes_per_pixel = (get_color_depth() + 7) / 8;
    return animation->width > 0 && animation->height > 0 &&
           static_cast<long long>(animation->width) * animation->height * bytes_per_pixel * bitmap_count <=
               gif_memory_limit();
}

int gif_load_animation(const char *filename, BITMAP ***frames, int **delays)
{
    *frames = nullptr;
    if (delays)
        *delays = nullptr;
    RawAnimation *animation = gif_load_raw_animation(filename);
    if (!animation)
        return 0;
    const int count = animation->frame_count;
    if (count == 0 || !gif_screen_fits(animation, count)) {
        gif_destroy_raw_animation(animation);
        return 0;
    }

    BITMAP **bitmaps = new BITMAP *[count]();
    PALETTE palette;
    gif_animation_palette(animation, palette);
    select_palette(palette);
    int made = 0;
    for (; made < count; made++) {
        bitmaps[made] = create_bitmap(animation->width, animation->height);
        if (!bitmaps[made])
            break;
        if (made > 0)
            blit(bitmaps[made - 1], bitmaps[made], 0, 0, 0, 0, animation->width, animation->height);
        gif_render_frame(animation, bitmaps[made], made, 0, 0);
    }
    unselect_palette();

    if (made < count) {
        for (int i = 0; i < made; i++)
            destroy_bitmap(bitmaps[i]);
        delete[] bitmaps;
        gif_destroy_raw_animation(animation);
        return 0;
    }
    if (delays) {
        *delays = new int[count];
        for (int i = 0; i < count; i++)
            (*delays)[i] = animation->frames[i].delay;
    }
    *frames = bitmaps;
    gif_destroy_raw_animation(animation);
    return count;
}
