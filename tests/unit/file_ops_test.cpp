#include "kestrow/core/file_ops.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "temp_dir.h"

namespace {

using kestrow::readRegularFile;
using kestrow::writeFileAtomically;

mode_t modeOf(const std::string& path) {
    struct stat info = {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(FileOps, CreatedFilesHave0644LessTheCurrentUmask) {
    const TempDir dir;
    const mode_t previous = ::umask(022);
    for (const mode_t mask : {022, 077, 002}) {
        SCOPED_TRACE("umask 0" + std::to_string(mask / 8) + std::to_string(mask % 8));
        ::umask(mask);
        const std::string fresh = dir.path("fresh-" + std::to_string(mask));
        const std::string replaced = dir.path("replaced");
        dir.write("replaced", "old");
        ::chmod(replaced.c_str(), 0600);
        EXPECT_FALSE(writeFileAtomically(fresh, "x"));
        EXPECT_FALSE(writeFileAtomically(replaced, "y"));
        EXPECT_EQ(modeOf(fresh), 0644 & ~mask);
        EXPECT_EQ(modeOf(replaced), 0644 & ~mask);
    }
    ::umask(previous);
}

TEST(FileOps, WriteThenReadRoundTripsLargeContent) {
    const TempDir dir;
    std::string content;
    for (int i = 0; content.size() < 300000; ++i) {
        content += "Printer " + std::to_string(i) + (i % 3 == 0 ? "\r\n" : "\n");
    }
    ASSERT_FALSE(writeFileAtomically(dir.path("big"), content));
    const auto read = readRegularFile(dir.path("big"));
    EXPECT_FALSE(read.error);
    EXPECT_TRUE(read.content == content);
    EXPECT_EQ(dir.countStartingWith(std::string(kestrow::temporaryFilePrefix)), 0);
}

TEST(FileOps, RemovesOnlyTemporariesOfDeadWritersOfOurs) {
    const TempDir dir;
    const std::string prefix(kestrow::temporaryFilePrefix);
    const std::string deadFile = dir.leftoverOfADeadWriter(prefix);
    const std::string dead =
        deadFile.substr(prefix.size(), deadFile.find('-', prefix.size()) - prefix.size());
    const std::string liveFile = prefix + std::to_string(::getpid()) + "-abc123";
    const std::string deadLink = prefix + dead + "-link00";
    for (const auto& name : {liveFile, prefix + dead + ".txt", std::string("other-") + dead}) {
        dir.write(name, "partial");
    }
    dir.makeLink(deadLink, dir.path(liveFile));
    // A writer whose pid we cannot see (another pid namespace) still holds its file's lock.
    const std::string lockedFile = prefix + dead + "-locked";
    dir.write(lockedFile, "partial");
    const int lockHolder = ::open(dir.path(lockedFile).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(lockHolder, LOCK_EX), 0);

    EXPECT_EQ(kestrow::removeAbandonedTemporaries(dir.root().string()), 1);
    EXPECT_FALSE(dir.exists(deadFile));
    // The live writer's file, the odd name, the link, the locked file.
    EXPECT_EQ(dir.countStartingWith(prefix), 4);
    ::close(lockHolder);
    EXPECT_EQ(kestrow::removeAbandonedTemporaries(dir.root().string()), 1);
}

TEST(FileOps, ReadRefusesAnythingButARegularFileAtOnce) {
    const struct {
        const char* label;
        std::function<void(const TempDir&)> plant;
        std::string description;
    } rows[] = {
        {"nothing there", [](const TempDir&) {}, "No such file or directory"},
        {"directory", [](const TempDir& dir) { dir.makeDirectory("list"); }, "Is a directory"},
        {"link to a directory", [](const TempDir& dir) { dir.makeLink("list", dir.root().string()); },
         "Is a directory"},
        // A FIFO without a writer would block an ordinary open or read forever.
        {"FIFO", [](const TempDir& dir) { dir.makeFifo("list"); }, "Not a regular file."},
        {"link to a character device", [](const TempDir& dir) { dir.makeLink("list", "/dev/zero"); },
         "Not a regular file."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const TempDir dir;
        row.plant(dir);
        const auto read = readRegularFile(dir.path("list"));
        ASSERT_TRUE(read.error);
        EXPECT_EQ(read.error->description(), row.description);
        EXPECT_EQ(read.content, "");
    }
}

} // namespace
