// The GIF reader: round trips through the writer, the tolerated oddities of real files, and a table of
// hostile files that must be refused without harm.
#include "test_gif_support.h"

#include <tuple>

using namespace gif_test;

namespace
{

// Image data holding `codes`, each as wide as a decoder expects it: minimum code size, sub-blocks of up to
// 255 bytes, terminator.
Bytes image_data(int min_code_size, const std::vector<int> &codes)
{
    const int clear = 1 << min_code_size;
    int width = min_code_size + 1, next = clear + 2;
    bool first = true;
    Bytes stream;
    int bits = 0;
    for (const int code : codes) {
        for (int i = 0; i < width; i++, bits++) {
            if (bits % 8 == 0)
                stream.push_back(0);
            stream.back() |= ((code >> i) & 1) << (bits % 8);
        }
        if (code == clear) {
            width = min_code_size + 1;
            next = clear + 2;
            first = true;
            continue;
        }
        if (!first && ++next >= (1 << width) && width < 12)
            width++;
        first = false;
    }
    Bytes data = {static_cast<unsigned char>(min_code_size)};
    for (std::size_t at = 0; at < stream.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, stream.size() - at);
        data.push_back(static_cast<unsigned char>(length));
        data.insert(data.end(), stream.begin() + at, stream.begin() + at + length);
    }
    data.push_back(0);
    return data;
}

// GIF files put together byte by byte.
class GifBuilder
{
  public:
    GifBuilder &raw(const Bytes &more)
    {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }
    GifBuilder &text(const std::string &more) { return raw(Bytes(more.begin(), more.end())); }
    GifBuilder &word(int value)
    {
        return raw({static_cast<unsigned char>(value & 255), static_cast<unsigned char>(value >> 8)});
    }

    // Signature and screen descriptor, with a global table of `colours` (a power of two).
    GifBuilder &header(int w, int h, int colours)
    {
        text("GIF89a").word(w).word(h);
        raw({static_cast<unsigned char>(0xF0 | table_size(colours)), 0, 0});
        return table(colours);
    }
    GifBuilder &table(int colours)
    {
        for (int i = 0; i < colours; i++)
            raw({static_cast<unsigned char>(i * 10), static_cast<unsigned char>(i * 20),
                 static_cast<unsigned char>(i * 30)});
        return *this;
    }
    GifBuilder &image(int x, int y, int w, int h)
    {
        return raw({0x2C}).word(x).word(y).word(w).word(h).raw({0});
    }
    GifBuilder &control(int flags, int delay, int transparent)
    {
        return raw({0x21, 0xF9, 4, static_cast<unsigned char>(flags)})
            .word(delay)
            .raw({static_cast<unsigned char>(transparent), 0});
    }
    GifBuilder &loop(int id, int count)
    {
        return raw({0x21, 0xFF, 11})
            .text("NETSCAPE2.0")
            .raw({3, static_cast<unsigned char>(id)})
            .word(count)
            .raw({0});
    }
    GifBuilder &codes(int min_code_size, const std::vector<int> &codes)
    {
        return raw(image_data(min_code_size, codes));
    }
    GifBuilder &trailer() { return raw({0x3B}); }

    const Bytes &bytes() const { return bytes_; }

  private:
    static int table_size(int colours)
    {
        int bits = 0;
        while ((2 << bits) < colours)
            bits++;
        return bits;
    }

    Bytes bytes_;
};

// Codes 4 (clear), then the literals, then 5 (end): a stream of minimum code size 2.
std::vector<int> literals(const std::vector<int> &pixels)
{
    std::vector<int> codes = {4};
    codes.insert(codes.end(), pixels.begin(), pixels.end());
    codes.push_back(5);
    return codes;
}

class GifReader : public ::testing::Test
{
  protected:
    void SetUp() override { start_gif_library(); }

    AnimationPtr load(const Bytes &file)
    {
        const std::string path = dir.file("in.gif");
        write_bytes(path, file);
        return AnimationPtr(gif_load_raw_animation(path.c_str()));
    }

    AnimationPtr round_trip(const RawAnimation *animation)
    {
        const std::string path = dir.file("out.gif");
        EXPECT_EQ(gif_save_raw_animation(path.c_str(), animation), 0);
        return AnimationPtr(gif_load_raw_animation(path.c_str()));
    }

    ScratchDir dir;
};

} // namespace

TEST_F(GifReader, ReadsBackEveryImageTheWriterWrites)
{
    for (const NamedImage &image : varied_images()) {
        SCOPED_TRACE(image.name);
        AnimationPtr animation(single_frame(image.make(), 256));
        AnimationPtr back = round_trip(animation.get());
        ASSERT_TRUE(back);
        ASSERT_EQ(back->frame_count, 1);
        EXPECT_TRUE(same_indices(back->frames[0].image, animation->frames[0].image));
    }
}

TEST_F(GifReader, ReadsBackEverySettingOfAnAnimation)
{
    AnimationPtr animation(gif_create_raw_animation(3));
    animation->width = 40;
    animation->height = 30;
    animation->background = 3;
    animation->loop_count = 12;
    animation->palette = distinct_palette(5);
    for (int i = 0; i < 3; i++) {
        RawFrame &frame = animation->frames[i];
        frame.image = noise_image(10 + i, 20 - i, 4 + i, 20 + i);
        frame.x_offset = 3 * i;
        frame.y_offset = 65535 - i;
        frame.delay = 33 * i + 1;
        frame.disposal = i + 1;
        frame.transparent = i == 1 ? -1 : i + 2;
    }
    animation->frames[1].palette = distinct_palette(100);

    AnimationPtr back = round_trip(animation.get());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, 40);
    EXPECT_EQ(back->height, 30);
    EXPECT_EQ(back->background, 3);
    EXPECT_EQ(back->loop_count, 12);
    EXPECT_EQ(back->palette.count, 8);
    EXPECT_EQ(std::memcmp(back->palette.entries, animation->palette.entries, 5 * sizeof(RawPaletteEntry)), 0);
    EXPECT_EQ(back->render_store, nullptr);
    ASSERT_EQ(back->frame_count, 3);
    for (int i = 0; i < 3; i++) {
        SCOPED_TRACE(i);
        const RawFrame &frame = back->frames[i];
        EXPECT_TRUE(same_indices(frame.image, animation->frames[i].image));
        EXPECT_EQ(frame.x_offset, 3 * i);
        EXPECT_EQ(frame.y_offset, 65535 - i);
        EXPECT_EQ(frame.delay, 33 * i + 1);
        EXPECT_EQ(frame.disposal, i + 1);
        EXPECT_EQ(frame.transparent, i == 1 ? -1 : i + 2);
        EXPECT_EQ(frame.palette.count, i == 1 ? 128 : 0);
    }
    EXPECT_EQ(std::memcmp(back->frames[1].palette.entries, animation->frames[1].palette.entries,
                          100 * sizeof(RawPaletteEntry)),
              0);
}

TEST_F(GifReader, LoopCountComesFromTheLoopingBlockOnly)
{
    const auto loop_count = [&](const std::function<void(GifBuilder &)> &add_loop) {
        GifBuilder file;
        file.header(1, 1, 2);
        add_loop(file);
        file.image(0, 0, 1, 1).codes(2, literals({1})).trailer();
        AnimationPtr animation = load(file.bytes());
        return animation ? animation->loop_count : -100;
    };
    EXPECT_EQ(loop_count([](GifBuilder &f) { f.loop(1, 9); }), 9);
    EXPECT_EQ(loop_count([](GifBuilder &f) { f.loop(1, 0); }), 0);
    EXPECT_EQ(loop_count([](GifBuilder &f) { f.loop(2, 9); }), 0);
    EXPECT_EQ(loop_count([](GifBuilder &) {}), 0);
    EXPECT_EQ(loop_count([](GifBuilder &f) {
                  f.raw({0x21, 0xFF, 11}).text("NETSCAPE2.1").raw({3, 1, 9, 0, 0});
              }),
              0);

    AnimationPtr once(single_frame(index_image(2, 2, [](int, int) { return 1; }), 2, -1));
    AnimationPtr back = round_trip(once.get());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->loop_count, 0);
}

TEST_F(GifReader, GraphicControlSettingsApplyToTheNextImageOnly)
{
    GifBuilder file;
    file.header(2, 1, 4)
        .control(0x0D, 50, 2) // disposal 3, transparent 2
        .control(0x08, 70, 3) // the last one wins: disposal 2, no transparency
        .image(0, 0, 2, 1)
        .codes(2, literals({1, 2}))
        .image(0, 0, 2, 1)
        .codes(2, literals({3, 0}))
        .trailer();
    AnimationPtr animation = load(file.bytes());
    ASSERT_TRUE(animation);
    ASSERT_EQ(animation->frame_count, 2);
    EXPECT_EQ(animation->frames[0].disposal, 2);
    EXPECT_EQ(animation->frames[0].delay, 70);
    EXPECT_EQ(animation->frames[0].transparent, -1);
    EXPECT_EQ(animation->frames[1].disposal, 0);
    EXPECT_EQ(animation->frames[1].delay, 0);
    EXPECT_EQ(animation->frames[1].transparent, -1);
    EXPECT_EQ(animation->frames[1].image->line[0][0], 3);
}

// A file of one image `width` x 1 whose data holds `codes`, with `extra` bytes before the image.
Bytes row_file(int width, const std::vector<int> &codes, const Bytes &extra = {}, int min_code_size = 2)
{
    return GifBuilder()
        .header(width, 1, 4)
        .raw(extra)
        .image(0, 0, width, 1)
        .codes(min_code_size, codes)
        .trailer()
        .bytes();
}

TEST_F(GifReader, ToleratesWhatRealFilesContain)
{
    Bytes gif87a = row_file(2, literals({1, 0}));
    gif87a[4] = '7';
    Bytes no_trailer = row_file(2, literals({1, 0}));
    no_trailer.pop_back();
    const Bytes comment = {0x21, 0xFE, 3, 'a', 'b', 'c', 0};
    Bytes plain_text = {0x21, 0x01, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 2, 7, 7, 0};
    Bytes other_application = {0x21, 0xFF, 11,  'X', 'M', 'P', ' ', 'D', 'a',
                               't',  'a',  'X', 'M', 'P', 2,   1,   2,   0};
    // The dictionary fills up with the 4091st code, and a clear code follows.
    std::vector<int> full_then_clear = {4}, after_clear;
    for (int i = 0; i < 4091; i++)
        full_then_clear.push_back(i % 4);
    after_clear.assign(full_then_clear.begin() + 1, full_then_clear.end());
    full_then_clear.insert(full_then_clear.end(), {4, 3, 5});
    after_clear.push_back(3);

    const std::vector<std::tuple<std::string, Bytes, std::vector<int>>> cases = {
        {"GIF87a", gif87a, {1, 0}},
        {"no trailer", no_trailer, {1, 0}},
        {"stray bytes between blocks", row_file(2, literals({1, 0}), {0x00, 0x99}), {1, 0}},
        {"comment extension", row_file(2, literals({1, 0}), comment), {1, 0}},
        {"plain text extension", row_file(2, literals({1, 0}), plain_text), {1, 0}},
        {"other application extension", row_file(2, literals({1, 0}), other_application), {1, 0}},
        {"no clear code first", row_file(2, {1, 0, 5}), {1, 0}},
        {"end code before the image is full", row_file(3, literals({1})), {1, 0, 0}},
        {"no end code", row_file(2, {4, 1, 1}), {1, 1}},
        {"codes beyond the full image", row_file(2, {4, 1, 1, 1, 1, 5}), {1, 1}},
        {"string running past the image", row_file(3, {4, 1, 1, 6, 5}), {1, 1, 1}},
        {"a code defined by itself", row_file(3, {4, 1, 6, 5}), {1, 1, 1}},
        {"minimum code size 1", row_file(3, {2, 1, 0, 4, 3}, {}, 1), {1, 0, 1}},
        {"clear code after a full dictionary", row_file(4092, full_then_clear), after_clear},
    };
    for (const auto &[name, file, expected] : cases) {
        SCOPED_TRACE(name);
        AnimationPtr animation = load(file);
        ASSERT_TRUE(animation);
        ASSERT_EQ(animation->frame_count, 1);
        const BITMAP *image = animation->frames[0].image;
        EXPECT_EQ(std::vector<int>(image->line[0], image->line[0] + image->w), expected);
    }
}

TEST_F(GifReader, RefusesHostileFilesCleanly)
{
    // A 4 x 4 image whose data holds `codes`, with `extra` bytes before it.
    const auto square = [](const std::vector<int> &codes, const Bytes &extra = {}, int min_code_size = 2) {
        return GifBuilder()
            .header(4, 4, 2)
            .raw(extra)
            .image(0, 0, 4, 4)
            .codes(min_code_size, codes)
            .trailer()
            .bytes();
    };
    const auto after_header = [](const Bytes &rest) {
        return GifBuilder().header(4, 4, 2).raw(rest).bytes();
    };
    const std::vector<int> sixteen = literals(std::vector<int>(16, 1));
    // Images whose data ends at once, so that only their size can refuse them.
    const auto empty_image = [](int w, int h) {
        return Bytes{0x2C,
                     0,
                     0,
                     0,
                     0,
                     static_cast<unsigned char>(w & 255),
                     static_cast<unsigned char>(w >> 8),
                     static_cast<unsigned char>(h & 255),
                     static_cast<unsigned char>(h >> 8),
                     0,
                     2,
                     1,
                     0x2C,
                     0};
    };
    const Bytes huge_image = empty_image(20000, 20000);
    Bytes large_images;
    for (int i = 0; i < 3; i++) {
        const Bytes image = empty_image(10000, 10000);
        large_images.insert(large_images.end(), image.begin(), image.end());
    }
    std::vector<int> code_size_12 = {4096};
    code_size_12.insert(code_size_12.end(), 16, 1);
    code_size_12.push_back(4097);
    // Fills the dictionary, then one more code would fill the image.
    std::vector<int> past_full = {4};
    for (int i = 0; i < 4092; i++)
        past_full.push_back(i % 4);
    Bytes other_signature = square(sixteen), no_terminator = square(sixteen),
          second_frame_bad = square(sixteen);
    other_signature[4] = '8';
    no_terminator.erase(no_terminator.end() - 2, no_terminator.end());
    second_frame_bad.pop_back();
    GifBuilder bad_frame;
    bad_frame.image(0, 0, 4, 4).codes(2, {4, 1, 7, 5}).trailer();
    second_frame_bad.insert(second_frame_bad.end(), bad_frame.bytes().begin(), bad_frame.bytes().end());

    const std::vector<std::pair<std::string, Bytes>> cases = {
        {"empty file", {}},
        {"other signature", other_signature},
        {"PNG file", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13}},
        {"screen descriptor cut short", {'G', 'I', 'F', '8', '9', 'a', 4, 0}},
        {"global table cut short", {'G', 'I', 'F', '8', '9', 'a', 4, 0, 4, 0, 0xF1, 0, 0, 1, 2, 3, 4, 5, 6}},
        {"graphic control of size 5", square(sixteen, {0x21, 0xF9, 5, 0, 0, 0, 0, 0, 0})},
        {"graphic control cut short", after_header({0x21, 0xF9, 4, 0})},
        {"image descriptor cut short", after_header({0x2C, 0, 0, 0})},
        {"local table cut short", after_header({0x2C, 0, 0, 0, 0, 4, 0, 4, 0, 0x83, 1, 2, 3})},
        {"zero-width image", after_header({0x2C, 0, 0, 0, 0, 0, 0, 4, 0, 0, 2, 1, 0x0C, 0, 0x3B})},
        {"zero-height image", after_header({0x2C, 0, 0, 0, 0, 4, 0, 0, 0, 0, 2, 1, 0x0C, 0, 0x3B})},
        {"image too large to hold", after_header(huge_image)},
        {"images too large together", after_header(large_images)},
        {"minimum code size 12", square(code_size_12, {}, 12)},
        {"minimum code size 0", square({1, 0, 2}, {}, 0)},
        {"code beyond the next free code", square({4, 1, 7, 5})},
        {"undefined code after a clear", square({4, 6, 5})},
        {"codes after a full dictionary", row_file(4092, past_full)},
        {"data ending early", square({4, 1, 1})},
        {"no image data at all", after_header({0x2C, 0, 0, 0, 0, 4, 0, 4, 0, 0})},
        {"sub-block running past the end",
         after_header({0x2C, 0, 0, 0, 0, 4, 0, 4, 0, 0, 2, 200, 0x04, 0x01})},
        {"no terminator after the image data", no_terminator},
        {"extension running past the end", after_header({0x21, 0xFE, 16, 'a', 'b', 'c'})},
        {"application extension cut short", after_header({0x21, 0xFF, 11, 'N', 'E', 'T', 'S'})},
        {"bad second frame", second_frame_bad},
    };
    for (const auto &[name, file] : cases) {
        SCOPED_TRACE(name);
        const std::string path = dir.file("hostile.gif");
        write_bytes(path, file);
        EXPECT_EQ(gif_load_raw_animation(path.c_str()), nullptr);
        EXPECT_EQ(load_bitmap(path.c_str(), nullptr), nullptr);
        BITMAP **frames = reinterpret_cast<BITMAP **>(1);
        int *delays = reinterpret_cast<int *>(1);
        EXPECT_EQ(gif_load_animation(path.c_str(), &frames, &delays), 0);
        EXPECT_EQ(frames, nullptr);
        EXPECT_EQ(delays, nullptr);
    }
}

TEST_F(GifReader, AMissingFileGivesNothing)
{
    EXPECT_EQ(gif_load_raw_animation(dir.file("absent.gif").c_str()), nullptr);
    EXPECT_EQ(load_bitmap(dir.file("absent.gif").c_str(), nullptr), nullptr);
}
