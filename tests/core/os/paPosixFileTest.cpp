#include "core/os/paPosixFile.h"

#include "support/TestSupport.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kelvo {
namespace {

using test::TempDir;

// Our flags must reach the system as the callers mean them: a wrong bit would silently turn
// an exclusive create into an overwrite or follow a planted link.
TEST(PosixFile, FlagsKeepTheirMeaning) {
    TempDir dir;
    const std::string file = dir.File("a.dat");
    int fd = os::Open(file, os::ofWrite | os::ofCreate | os::ofExclusive, 0600);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(os::Write(fd, "abc", 3), 3);
    EXPECT_EQ(os::Sync(fd), 0);
    EXPECT_EQ(os::Close(fd), 0);

    EXPECT_LT(os::Open(file, os::ofWrite | os::ofCreate | os::ofExclusive), 0);
    EXPECT_EQ(errno, EEXIST);

    fd = os::Open(file, os::ofWrite | os::ofAppend);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(os::Write(fd, "de", 2), 2);
    os::Close(fd);
    EXPECT_EQ(test::ReadWholeFile(file), "abcde");

    fd = os::Open(file, os::ofRead);
    char buffer[8] = {};
    EXPECT_EQ(os::Read(fd, buffer, sizeof buffer), 5);
    EXPECT_EQ(os::Write(fd, "x", 1), -1) << "read-only";
    os::TFileInfo info;
    ASSERT_EQ(os::StatOpen(fd, info), 0);
    EXPECT_TRUE(info.Regular);
    EXPECT_EQ(info.Size, 5);
    EXPECT_EQ(info.Mode, 0600u);
    EXPECT_TRUE(info.OwnedByUser);
    os::Close(fd);

    std::filesystem::create_symlink(dir.Path(), dir.File("link"));
    EXPECT_LT(os::Open(dir.File("link"), os::ofWrite | os::ofCreate | os::ofNoFollow), 0);
    ASSERT_EQ(os::Stat(dir.File("link"), info), 0);
    EXPECT_TRUE(info.Folder);
    ASSERT_EQ(os::StatLink(dir.File("link"), info), 0);
    EXPECT_FALSE(info.Folder);
    EXPECT_LT(os::Open(file, os::ofRead | os::ofFolder), 0);
}

TEST(PosixFile, NamesLinksAndRenames) {
    TempDir dir;
    test::WriteWholeFile(dir.File("one"), "1");
    ASSERT_EQ(os::Link(dir.File("one"), dir.File("two")), 0);
    ASSERT_EQ(os::Rename(dir.File("two"), dir.File("three")), 0);
    ASSERT_EQ(os::MakeFolder(dir.File("sub"), 0700), 0);
    std::vector<std::string> names;
    ASSERT_TRUE(os::FolderNames(dir.Path().string(), names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "one", "sub", "three"}));
    EXPECT_EQ(os::Unlink(dir.File("three")), 0);
    EXPECT_EQ(test::ReadWholeFile(dir.File("one")), "1");
    names.clear();
    EXPECT_FALSE(os::FolderNames(dir.File("missing"), names));
}

// The sanitizers bring an allocator of their own.
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
// A big read grows the heap once, not page by page, and gives it back once it is over.
TEST(PosixFile, TheHeapGrowsOnceForABigReadAndShrinksAfterIt) {
    if (::mallinfo2().arena == 0)
        GTEST_SKIP() << "another allocator serves malloc here";
    constexpr std::size_t big = std::size_t{64} << 20;
    const std::size_t before = ::mallinfo2().arena;
    {
        std::vector<std::unique_ptr<char[]>> objects;
        objects.reserve(100000);
        os::THeapGrowth growth(big);
        const std::size_t grown = ::mallinfo2().arena;
        EXPECT_GE(grown, before + big / 10 * 9);
        for (int i = 0; i < 100000; ++i)
            objects.push_back(std::make_unique<char[]>(200));
        EXPECT_EQ(::mallinfo2().arena, grown);
    }
    EXPECT_LT(::mallinfo2().arena, before + big / 4);
}
#endif

} // namespace
} // namespace kelvo
