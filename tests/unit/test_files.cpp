// Writing files whole, through links and with their permission bits.
#include "editor_harness.h"
#include "files/files.h"
#include "headless.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

using SafeWrite = InTemporaryFolder;

bool put(const std::string &path, const std::string &text)
{
    return write_file_safely(path, [&](PACKFILE *f) { return pack_fputs(text.c_str(), f) == 0; });
}

mode_t mode_of(const std::string &path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}
} // namespace

TEST_F(SafeWrite, ReplacesWholeKeepsPermissionBitsAndLeavesNothingBehind)
{
    const mode_t old_umask = umask(027);
    const bool made = put("new", "one");
    umask(old_umask);
    ASSERT_TRUE(made);
    EXPECT_EQ(mode_of("new"), 0640u) << "a new file gets the umask's default";
    chmod("new", 0604);
    ASSERT_TRUE(put("new", "two"));
    EXPECT_EQ(read_file("new"), "two");
    EXPECT_EQ(mode_of("new"), 0604u);

    EXPECT_FALSE(write_file_safely("new", [](PACKFILE *f) { return pack_fputs("cut", f) != 0; }));
    EXPECT_FALSE(put("missing/new", "x"));
    for (const std::size_t size : {20000, 100}) { // the disk fills up mid-write, or only at the last flush
        with_file_size_limit(40, [&] { EXPECT_FALSE(put("new", std::string(size, 'x'))) << size; });
    }
    EXPECT_EQ(read_file("new"), "two");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), {}), 1) << "no temporary left behind";
}

TEST_F(SafeWrite, WritesThroughLinksAndRefusesWhatIsNoRegularFile)
{
    fs::create_directories("real/deep");
    put("real/deep/file", "old");
    chmod("real/deep/file", 0600);
    fs::create_symlink("deep/file", "real/link"); // relative to the link's folder
    fs::create_symlink("real/link", "outer");     // a chain of two
    fs::create_symlink("real/deep/absent", "dangling");
    ASSERT_TRUE(put("outer", "new"));
    EXPECT_TRUE(fs::is_symlink("outer"));
    EXPECT_TRUE(fs::is_symlink("real/link"));
    EXPECT_EQ(read_file("real/deep/file"), "new");
    EXPECT_EQ(mode_of("real/deep/file"), 0600u);
    ASSERT_TRUE(put("dangling", "made"));
    EXPECT_EQ(read_file("real/deep/absent"), "made");

    fs::create_symlink("loop", "loop");
    mkfifo("fifo", 0644);
    fs::create_symlink("fifo", "to-fifo");
    for (const char *refused : {"loop", "fifo", "to-fifo", "real"}) {
        EXPECT_FALSE(put(refused, "x")) << refused;
    }
    EXPECT_TRUE(fs::is_fifo("fifo"));
    EXPECT_EQ(std::distance(fs::directory_iterator("real/deep"), {}), 2) << "no temporary left behind";
}

TEST_F(SafeWrite, ABatchReplacesItsFilesOnlyOnceAllAreSynced)
{
    put("old", "before");
    fs::create_directory("sub");
    begin_write_batch();
    ASSERT_TRUE(put("old", "after"));
    ASSERT_TRUE(put("sub/new", "made"));
    EXPECT_EQ(read_file("old"), "before");
    EXPECT_FALSE(path_exists("sub/new"));
    fs::remove_all("sub"); // its new file can no longer be put in place
    EXPECT_EQ(finish_write_batch(), std::vector<std::string>{"sub/new"});
    EXPECT_EQ(read_file("old"), "after");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), {}), 1) << "no temporary left behind";
}
