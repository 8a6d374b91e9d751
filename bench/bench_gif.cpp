// The GIF library's encoder and decoder beside giflib's on the same indices, in memory: the two frames of a
// skin export, a screen-like picture of up to 256 colours, and full-HD noise in 16 and 256 colours.
#include "gif/gif_internal.h"

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace
{

using Bytes = std::vector<unsigned char>;

struct MemoryFile {
    const unsigned char *data;
    std::size_t size;
    std::size_t at;
    Bytes *written;
};

int memory_close(void *)
{
    return 0;
}

int memory_getc(void *userdata)
{
    MemoryFile *file = static_cast<MemoryFile *>(userdata);
    return file->at < file->size ? file->data[file->at++] : EOF;
}

int memory_ungetc(int c, void *userdata)
{
    static_cast<MemoryFile *>(userdata)->at--;
    return c;
}

long memory_fread(void *to, long count, void *userdata)
{
    MemoryFile *file = static_cast<MemoryFile *>(userdata);
    const std::size_t n = std::min<std::size_t>(count, file->size - file->at);
    std::memcpy(to, file->data + file->at, n);
    file->at += n;
    return static_cast<long>(n);
}

int memory_putc(int c, void *userdata)
{
    static_cast<MemoryFile *>(userdata)->written->push_back(static_cast<unsigned char>(c));
    return c;
}

long memory_fwrite(const void *from, long count, void *userdata)
{
    const unsigned char *bytes = static_cast<const unsigned char *>(from);
    Bytes *written = static_cast<MemoryFile *>(userdata)->written;
    written->insert(written->end(), bytes, bytes + count);
    return count;
}

int memory_fseek(void *userdata, int offset)
{
    static_cast<MemoryFile *>(userdata)->at += offset;
    return 0;
}

int memory_feof(void *userdata)
{
    const MemoryFile *file = static_cast<MemoryFile *>(userdata);
    return file->at >= file->size;
}

int memory_ferror(void *)
{
    return 0;
}

const PACKFILE_VTABLE kMemoryVtable = {memory_close,  memory_getc,  memory_ungetc, memory_fread, memory_putc,
                                       memory_fwrite, memory_fseek, memory_feof,   memory_ferror};

BITMAP *index_image(int w, int h, const std::function<int(int, int)> &index)
{
    BITMAP *image = create_bitmap_ex(8, w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            image->line[y][x] = static_cast<unsigned char>(index(x, y));
    return image;
}

RawAnimation *animation_of(std::vector<BITMAP *> frames, int colours, int loop_count)
{
    RawAnimation *animation = gif_create_raw_animation(static_cast<int>(frames.size()));
    animation->width = frames[0]->w;
    animation->height = frames[0]->h;
    animation->loop_count = loop_count;
    animation->palette.count = colours;
    for (int i = 0; i < colours; i++)
        animation->palette.entries[i] = {static_cast<unsigned char>(i * 7),
                                         static_cast<unsigned char>(i * 13),
                                         static_cast<unsigned char>(255 - i), 0};
    for (std::size_t i = 0; i < frames.size(); i++) {
        animation->frames[i].image = frames[i];
        animation->frames[i].transparent = -1;
    }
    return animation;
}

// The two exported frames of a skin: a standing and a walking figure of 16 x 16 magnified three times,
// background index 0 transparent, disposal 2, looping forever.
RawAnimation *skin_export()
{
    std::vector<BITMAP *> frames;
    for (int f = 0; f < 2; f++) {
        const auto figure = [f](int x, int y) {
            if ((x - 8) * (x - 8) + (y - 4) * (y - 4) < 10)
                return y == 3 && (x == 7 || x == 9) ? 9 : 2;
            if (x >= 5 && x <= 10 && y >= 7 && y <= 12)
                return 3 + (x + y + f) % 3;
            if (y >= 13 && (x == 5 + 2 * f || x == 10 - 2 * f))
                return 6 + f;
            return y == 15 ? 8 : 0;
        };
        frames.push_back(index_image(48, 48, [&](int x, int y) { return figure(x / 3, y / 3); }));
    }
    RawAnimation *animation = animation_of(frames, 16, 0);
    for (int f = 0; f < 2; f++) {
        animation->frames[f].delay = 33;
        animation->frames[f].disposal = 2;
        animation->frames[f].transparent = 0;
    }
    return animation;
}

// A desktop reduced to a 6 x 7 x 6 colour cube with ordered dithering: a dithered gradient, windows with
// title bars and lines of small glyphs, a photo-like area and a task bar.
RawAnimation *screen_like()
{
    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const auto cube = [](int x, int y, double r, double g, double b) {
        const double d = (kBayer[y & 3][x & 3] + 0.5) / 16;
        const int ri = std::min(5, static_cast<int>(r * 5 + d));
        const int gi = std::min(6, static_cast<int>(g * 6 + d));
        const int bi = std::min(5, static_cast<int>(b * 5 + d));
        return ri * 42 + gi * 6 + bi;
    };
    std::mt19937 random(1);
    std::vector<std::vector<int>> glyphs(64, std::vector<int>(35));
    for (auto &glyph : glyphs)
        for (int &bit : glyph)
            bit = random() % 3 == 0;
    std::vector<int> text(2000);
    for (int &c : text)
        c = random() % 64;

    struct Window {
        int x1, y1, x2, y2;
    };
    const std::vector<Window> windows = {{40, 30, 430, 380}, {300, 120, 760, 520}, {520, 40, 780, 250}};
    return animation_of(
        {index_image(800, 600,
                     [&](int x, int y) {
                         if (y >= 570)
                             return x < 60 ? cube(x, y, 0.1, 0.6, 0.2) : cube(x, y, 0.75, 0.75, 0.8);
                         for (auto w = windows.rbegin(); w != windows.rend(); ++w) {
                             if (x < w->x1 || x > w->x2 || y < w->y1 || y > w->y2)
                                 continue;
                             if (x == w->x1 || x == w->x2 || y == w->y1 || y == w->y2)
                                 return cube(x, y, 0.3, 0.3, 0.3);
                             if (y < w->y1 + 20)
                                 return cube(x, y, 0.1, 0.2 + 0.6 * (x - w->x1) / (w->x2 - w->x1), 0.9);
                             if (w == windows.rbegin() && x > w->x1 + 20 && y > w->y1 + 40 &&
                                 x < w->x1 + 220 && y < w->y1 + 190)
                                 return cube(x, y, 0.5 + 0.5 * std::sin(x * 0.05),
                                             0.5 + 0.5 * std::cos(y * 0.07 + x * 0.01),
                                             0.5 + 0.4 * std::sin((x + y) * 0.03));
                             const int column = (x - w->x1 - 6) / 6, line = (y - w->y1 - 26) / 10;
                             const int gx = (x - w->x1 - 6) % 6, gy = (y - w->y1 - 26) % 10;
                             if (column >= 0 && line >= 0 && gx < 5 && gy < 7 &&
                                 (column + line * 7) % 11 != 0) {
                                 const int c = text[(line * 97 + column) % text.size()];
                                 if (glyphs[c][gy * 5 + gx])
                                     return 0;
                             }
                             return 251;
                         }
                         return cube(x, y, 0.1, 0.3 + 0.3 * y / 600.0, 0.5 + 0.5 * y / 600.0);
                     })},
        256, -1);
}

RawAnimation *noise(int colours)
{
    std::mt19937 random(colours);
    return animation_of(
        {index_image(1920, 1080, [&](int, int) { return static_cast<int>(random() % colours); })}, colours,
        -1);
}

struct Subject {
    const char *name;
    RawAnimation *(*make)();
};

const Subject kSubjects[] = {
    {"skin_export_2x48x48", skin_export},
    {"screen_800x600", screen_like},
    {"noise16_1920x1080", [] { return noise(16); }},
    {"noise256_1920x1080", [] { return noise(256); }},
};

// Built on first use and kept: the images, and our encoding of them that both decoders read.
struct Prepared {
    RawAnimation *animation;
    Bytes file;
    long long pixels;
};

void encode_moltwork(const RawAnimation *animation, Bytes &out)
{
    out.clear();
    MemoryFile file = {nullptr, 0, 0, &out};
    PACKFILE *packfile = pack_fopen_vtable(&kMemoryVtable, &file);
    if (gif_write_raw_animation(packfile, animation) != 0)
        std::abort();
    pack_fclose(packfile);
}

const Prepared &prepared(int subject)
{
    static std::vector<Prepared> all;
    if (all.empty()) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        for (const Subject &s : kSubjects) {
            Prepared p = {s.make(), {}, 0};
            encode_moltwork(p.animation, p.file);
            for (int i = 0; i < p.animation->frame_count; i++)
                p.pixels +=
                    static_cast<long long>(p.animation->frames[i].image->w) * p.animation->frames[i].image->h;
            all.push_back(p);
        }
    }
    return all[subject];
}

int giflib_output(GifFileType *gif, const GifByteType *bytes, int count)
{
    Bytes *out = static_cast<Bytes *>(gif->UserData);
    out->insert(out->end(), bytes, bytes + count);
    return count;
}

void encode_giflib(const RawAnimation *animation, Bytes &out)
{
    out.clear();
    int error = 0;
    GifFileType *gif = EGifOpen(&out, giflib_output, &error);
    EGifSetGifVersion(gif, true);
    std::vector<GifColorType> colours;
    for (int i = 0; i < animation->palette.count; i++)
        colours.push_back({animation->palette.entries[i].r, animation->palette.entries[i].g,
                           animation->palette.entries[i].b});
    ColorMapObject *map = GifMakeMapObject(animation->palette.count, colours.data());
    EGifPutScreenDesc(gif, animation->width, animation->height, 8, animation->background, map);
    GifFreeMapObject(map);
    if (animation->loop_count != -1) {
        GifByteType loop[3] = {1, static_cast<GifByteType>(animation->loop_count & 255),
                               static_cast<GifByteType>(animation->loop_count >> 8)};
        EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
        EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
        EGifPutExtensionBlock(gif, 3, loop);
        EGifPutExtensionTrailer(gif);
    }
    for (int i = 0; i < animation->frame_count; i++) {
        const RawFrame &frame = animation->frames[i];
        GraphicsControlBlock control = {frame.disposal, false, frame.delay, frame.transparent};
        GifByteType extension[4];
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE,
                         static_cast<int>(EGifGCBToExtension(&control, extension)), extension);
        EGifPutImageDesc(gif, frame.x_offset, frame.y_offset, frame.image->w, frame.image->h, false, nullptr);
        for (int y = 0; y < frame.image->h; y++)
            EGifPutLine(gif, frame.image->line[y], frame.image->w);
    }
    EGifCloseFile(gif, &error);
}

struct GiflibInput {
    const Bytes *file;
    std::size_t at;
};

int giflib_input(GifFileType *gif, GifByteType *to, int count)
{
    GiflibInput *in = static_cast<GiflibInput *>(gif->UserData);
    const std::size_t n = std::min<std::size_t>(count, in->file->size() - in->at);
    std::memcpy(to, in->file->data() + in->at, n);
    in->at += n;
    return static_cast<int>(n);
}

void BM_EncodeMoltwork(benchmark::State &state, int subject)
{
    const Prepared &p = prepared(subject);
    Bytes out;
    for (auto _ : state) {
        encode_moltwork(p.animation, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * p.pixels);
}

void BM_EncodeGiflib(benchmark::State &state, int subject)
{
    const Prepared &p = prepared(subject);
    Bytes out;
    for (auto _ : state) {
        encode_giflib(p.animation, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * p.pixels);
}

void BM_DecodeMoltwork(benchmark::State &state, int subject)
{
    const Prepared &p = prepared(subject);
    for (auto _ : state) {
        MemoryFile file = {p.file.data(), p.file.size(), 0, nullptr};
        PACKFILE *packfile = pack_fopen_vtable(&kMemoryVtable, &file);
        RawAnimation *animation = gif_read_raw_animation(packfile);
        pack_fclose(packfile);
        if (!animation)
            std::abort();
        gif_destroy_raw_animation(animation);
    }
    state.SetItemsProcessed(state.iterations() * p.pixels);
}

void BM_DecodeGiflib(benchmark::State &state, int subject)
{
    const Prepared &p = prepared(subject);
    for (auto _ : state) {
        GiflibInput in = {&p.file, 0};
        int error = 0;
        GifFileType *gif = DGifOpen(&in, giflib_input, &error);
        if (!gif || DGifSlurp(gif) != GIF_OK)
            std::abort();
        benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
        DGifCloseFile(gif, &error);
    }
    state.SetItemsProcessed(state.iterations() * p.pixels);
}

const bool kRegistered = [] {
    for (int i = 0; i < static_cast<int>(std::size(kSubjects)); i++) {
        const std::string name = kSubjects[i].name;
        benchmark::RegisterBenchmark(("GifEncode/" + name + "/moltwork").c_str(), BM_EncodeMoltwork, i);
        benchmark::RegisterBenchmark(("GifEncode/" + name + "/giflib").c_str(), BM_EncodeGiflib, i);
        benchmark::RegisterBenchmark(("GifDecode/" + name + "/moltwork").c_str(), BM_DecodeMoltwork, i);
        benchmark::RegisterBenchmark(("GifDecode/" + name + "/giflib").c_str(), BM_DecodeGiflib, i);
    }
    return true;
}();

} // namespace
