// The generated help books, read back the way the editor reads them: pages of
// 240 x 92 side by side with a hidden one-pixel column between neighbours,
// each page an opaque panel that leaves the page-turn arrow spots plain.
#include "headless.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

namespace
{

constexpr int page_width = 240;
constexpr int page_height = 92;
constexpr int page_pitch = page_width + 1;
constexpr int arrow_size = 14;
constexpr int arrow_top = 12;
constexpr int arrow_lefts[] = {8, 217};

bool is_magenta(int c)
{
    return getr32(c) == 255 && getg32(c) == 0 && getb32(c) == 255;
}

class HelpBook : public testing::TestWithParam<const char *>
{
  protected:
    void SetUp() override
    {
        start_headless_library();
        path_ = std::string(MOLTWORK_RUNTIME_DIR) + "/Moltwork/Helps/" + GetParam();
        book_ = load_bitmap(path_.c_str(), nullptr);
        ASSERT_NE(book_, nullptr) << path_;
    }
    void TearDown() override
    {
        if (book_) {
            destroy_bitmap(book_);
        }
    }

    int page_count() const { return (book_->w + 1) / page_pitch; }

    std::string path_;
    BITMAP *book_ = nullptr;
};

TEST_P(HelpBook, HasSeveralPagesWithHiddenSeparators)
{
    EXPECT_EQ(book_->h, page_height);
    ASSERT_EQ((book_->w + 1) % page_pitch, 0) << path_ << " is " << book_->w << " wide";
    EXPECT_GE(page_count(), 2);
    for (int i = 1; i < page_count(); ++i) {
        const int x = page_pitch * i - 1;
        for (int y = 0; y < book_->h; ++y) {
            ASSERT_TRUE(is_magenta(getpixel(book_, x, y))) << "separator at x " << x << ", y " << y;
        }
    }
}

// The editor draws pages masked over its own backdrop: a transparent pixel
// would let the backdrop show through the text.
TEST_P(HelpBook, EveryPageIsOpaque)
{
    for (int i = 0; i < page_count(); ++i) {
        for (int y = 0; y < page_height; ++y) {
            for (int x = 0; x < page_width; ++x) {
                ASSERT_FALSE(is_magenta(getpixel(book_, page_pitch * i + x, y)))
                    << "page " << i + 1 << " is transparent at (" << x << ", " << y << ")";
            }
        }
    }
}

// Words or pictures that ran past their box would break the panel's bevelled
// edge: each of its four sides keeps one colour.
TEST_P(HelpBook, NothingRunsOverThePageEdge)
{
    for (int i = 0; i < page_count(); ++i) {
        const int left = page_pitch * i;
        const int right = left + page_width - 1;
        const int bottom = page_height - 1;
        for (int x = left; x < right; ++x) {
            ASSERT_EQ(getpixel(book_, x, 0), getpixel(book_, left, 0)) << "page " << i + 1 << ", top edge";
            ASSERT_EQ(getpixel(book_, x + 1, bottom), getpixel(book_, right, bottom))
                << "page " << i + 1 << ", bottom edge";
        }
        for (int y = 0; y < bottom; ++y) {
            ASSERT_EQ(getpixel(book_, left, y), getpixel(book_, left, 0))
                << "page " << i + 1 << ", left edge";
            ASSERT_EQ(getpixel(book_, right, y + 1), getpixel(book_, right, bottom))
                << "page " << i + 1 << ", right edge";
        }
    }
}

TEST_P(HelpBook, ArrowSpotsArePlainPanel)
{
    for (int i = 0; i < page_count(); ++i) {
        for (int left : arrow_lefts) {
            const int x0 = page_pitch * i + left;
            const int plain = getpixel(book_, x0, arrow_top);
            for (int y = arrow_top; y < arrow_top + arrow_size; ++y) {
                for (int x = x0; x < x0 + arrow_size; ++x) {
                    ASSERT_EQ(getpixel(book_, x, y), plain)
                        << "page " << i + 1 << " has content under the arrow at (" << left << ", "
                        << arrow_top << ")";
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tools, HelpBook,
                         testing::Values("PencilTool.png", "FillTool.png", "BrushTool.png", "EllipseTool.png",
                                         "RectangleTool.png", "LineTool.png"),
                         [](const testing::TestParamInfo<const char *> &info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
