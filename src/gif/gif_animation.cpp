#include "gif/gif_internal.h"

RawAnimation *gif_create_raw_animation(int frame_count)
{
    if (frame_count < 0)
        return nullptr;
    RawAnimation *animation = new RawAnimation();
    animation->frame_count = frame_count;
    animation->frames = frame_count > 0 ? new RawFrame[frame_count]() : nullptr;
    return animation;
}

void gif_destroy_raw_animation(RawAnimation *animation)
{
    if (!animation)
        return;
    for (int i = 0; i < animation->frame_count; i++) {
        if (animation->frames[i].image)
            destroy_bitmap(animation->frames[i].image);
    }
    if (animation->render_store)
        destroy_bitmap(animation->render_store);
    delete[] animation->frames;
    delete animation;
}

void gif_animation_palette(const RawAnimation *animation, RGB *palette)
{
    const RawPalette *source = &animation->palette;
    if (source->count == 0 && animation->frame_count > 0)
        source = &animation->frames[0].palette;
    for (int i = 0; i < 256; i++) {
        const RawPaletteEntry &entry = source->entries[i];
        const bool used = i < source->count;
        palette[i].r = used ? entry.r >> 2 : 0;
        palette[i].g = used ? entry.g >> 2 : 0;
        palette[i].b = used ? entry.b >> 2 : 0;
        palette[i].filler = 0;
    }
}
