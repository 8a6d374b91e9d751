// The GIF writer's header fields for each table size. The pixels it writes are checked against giflib
// in test_gif_interop.cpp.
#include "test_gif_support.h"

using namespace gif_test;

using GifWriter = GifTest;

TEST_F(GifWriter, TablesRoundUpCodeSizesStartAtTwoAndLoopBlocksFollowTheCountAndReadBack)
{
    struct Case {
        int colours, table_bits, largest, m, loop_count;
    };
    for (const Case c :
         {Case{0, 0, 0, 2, -1}, Case{1, 1, 1, 2, 0}, Case{2, 1, 3, 2, 65535}, Case{3, 2, 4, 3, -1},
          Case{5, 3, 8, 4, 7}, Case{17, 5, 128, 8, -1}, Case{256, 8, 255, 8, 0}}) {
        SCOPED_TRACE(c.colours);
        AnimationPtr animation(
            single_frame(index_image(4, 4, [&](int x, int y) { return x + y == 6 ? c.largest : 0; }),
                         c.colours, c.loop_count));
        animation->palette.entries[1].r += 9; // outside the palette when it has one colour
        const std::string path = save(animation.get());
        const Bytes global = read(path);
        const std::size_t table = c.table_bits ? 3 << c.table_bits : 0, loop = c.loop_count < 0 ? 0 : 19;
        EXPECT_EQ(global[10], c.table_bits ? 0xF0 + c.table_bits - 1 : 0x70);
        EXPECT_EQ(global[13 + table + 1], loop ? 0xFF : 0xF9); // a looping block or the graphic control
        EXPECT_EQ(loop ? global[13 + table + 16] | global[13 + table + 17] << 8 : -1, c.loop_count);
        EXPECT_EQ(global[13 + table + loop + 8 + 10], c.m); // the minimum code size
        AnimationPtr back = load(path);
        EXPECT_EQ(back->palette.count, table / 3);
        EXPECT_EQ(back->loop_count, c.loop_count);
        if (c.colours == 1) {
            EXPECT_EQ(back->palette.entries[1].r, 0); // padded with black
        }
    }
}
