// GIF as a bitmap file type of the graphics library and as a datafile object type.
#include "files/files.h"
#include "gif/gif_internal.h"

#include <cstring>

namespace
{

const int kGifObjectType = DAT_ID('G', 'I', 'F', ' ');

// The last frame as composed over all the ones before it, in the current colour depth; takes the animation.
BITMAP *composed_bitmap(RawAnimation *animation, RGB *pal)
{
    if (!animation)
        return nullptr;
    BITMAP *bitmap = nullptr;
    if (animation->frame_count > 0 && gif_screen_fits(animation, 1))
        bitmap = create_bitmap(animation->width, animation->height);
    if (bitmap) {
        PALETTE palette;
        gif_animation_palette(animation, palette);
        select_palette(palette);
        for (int i = 0; i < animation->frame_count; i++)
            gif_render_frame(animation, bitmap, i, 0, 0);
        unselect_palette();
        if (pal)
            std::memcpy(pal, palette, sizeof(PALETTE));
    }
    gif_destroy_raw_animation(animation);
    return bitmap;
}

BITMAP *load_gif_bitmap(const char *filename, RGB *pal)
{
    return composed_bitmap(gif_load_raw_animation(filename), pal);
}

BITMAP *load_gif_bitmap_pf(PACKFILE *file, RGB *pal)
{
    return composed_bitmap(gif_read_raw_animation(file), pal);
}

// One frame with a 256-colour local palette and no looping block.
int save_gif_bitmap(const char *filename, BITMAP *bmp, const RGB *pal)
{
    PALETTE palette;
    if (pal)
        std::memcpy(palette, pal, sizeof(PALETTE));
    else
        get_palette(palette);

    RawAnimation *animation = gif_create_raw_animation(1);
    animation->width = bmp->w;
    animation->height = bmp->h;
    animation->loop_count = -1;
    RawFrame &frame = animation->frames[0];
    frame.transparent = -1;
    frame.image = create_bitmap_ex(8, bmp->w, bmp->h);
    if (!frame.image) {
        gif_destroy_raw_animation(animation);
        return -1;
    }
    select_palette(palette);
    blit(bmp, frame.image, 0, 0, 0, 0, bmp->w, bmp->h);
    unselect_palette();
    frame.palette.count = 256;
    for (int i = 0; i < 256; i++) {
        frame.palette.entries[i].r = _rgb_scale_6[palette[i].r & 63];
        frame.palette.entries[i].g = _rgb_scale_6[palette[i].g & 63];
        frame.palette.entries[i].b = _rgb_scale_6[palette[i].b & 63];
    }

    const int result = gif_save_raw_animation(filename, animation);
    gif_destroy_raw_animation(animation);
    return result;
}

void *load_gif_object(PACKFILE *file, long)
{
    return gif_read_raw_animation(file);
}

void destroy_gif_object(void *animation)
{
    gif_destroy_raw_animation(static_cast<RawAnimation *>(animation));
}

} // namespace

void gif_init()
{
    register_bitmap_file_type("gif", load_gif_bitmap, save_gif_bitmap);
    register_image_decoder("gif", load_gif_bitmap_pf);
    register_datafile_object(kGifObjectType, load_gif_object, destroy_gif_object);
}
