#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "support/TempFolder.h"
#include "tablefile/SaveFileAtomically.h"

namespace glyphwright {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode;
}

TEST(SaveFileAtomically, CreatesANewFileWithTheUsualPermissions) {
    TempFolder folder;
    const mode_t mask = ::umask(022);
    const auto result = SaveFileAtomically(folder / "new.tbl", "10=0\r\r\n\r\r\n");
    ::umask(mask);
    ASSERT_TRUE(result.ok()) << std::strerror(result.error().error);
    EXPECT_EQ(ReadBytes(folder / "new.tbl"), "10=0\r\r\n\r\r\n");
    EXPECT_EQ(ModeOf(folder / "new.tbl") & 0777, 0644u);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"new.tbl"});
}

TEST(SaveFileAtomically, ReplacesAnExistingFileWholeAndKeepsItsPermissions) {
    TempFolder folder;
    WriteBytes(folder / "old.tbl", std::string(5000, 'x'));
    ASSERT_EQ(::chmod((folder / "old.tbl").c_str(), 0600), 0);
    ASSERT_TRUE(SaveFileAtomically(folder / "old.tbl", "short").ok());
    EXPECT_EQ(ReadBytes(folder / "old.tbl"), "short");
    EXPECT_EQ(ModeOf(folder / "old.tbl") & 0777, 0600u);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"old.tbl"});
}

TEST(SaveFileAtomically, WritesThroughASymbolicLink) {
    TempFolder folder;
    WriteBytes(folder / "real.tbl", "old");
    ASSERT_EQ(::symlink((folder / "real.tbl").c_str(), (folder / "link.tbl").c_str()), 0);
    ASSERT_TRUE(SaveFileAtomically(folder / "link.tbl", "new").ok());
    EXPECT_EQ(ReadBytes(folder / "real.tbl"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "link.tbl"));
}

TEST(SaveFileAtomically, AFailedWriteLeavesTheOldFileAndNoPartialFile) {
    TempFolder folder;
    const std::string target = folder / "table.tbl";
    WriteBytes(target, "the old table");
    // A child whose files may not grow past 100 bytes: the write fails half-way with EFBIG.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto result = SaveFileAtomically(target, std::string(1000, 'n'));
        ::_exit(!result.ok() && result.error().error == EFBIG ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write did not fail with EFBIG";
    EXPECT_EQ(ReadBytes(target), "the old table");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"table.tbl"});
}

TEST(SaveFileAtomically, AFullDeviceIsReportedAndStaysADevice) {
    const auto result = SaveFileAtomically("/dev/full", "10=0\r\r\n\r\r\n");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().path, "/dev/full");
    EXPECT_EQ(result.error().error, ENOSPC);
    EXPECT_TRUE(S_ISCHR(ModeOf("/dev/full")));
}

TEST(SaveFileAtomically, WritesToADeviceThatTakesIt) {
    EXPECT_TRUE(SaveFileAtomically("/dev/null", "10=0\r\r\n").ok());
    EXPECT_TRUE(S_ISCHR(ModeOf("/dev/null")));
}

TEST(SaveFileAtomically, RefusesFoldersMissingFoldersAndEmptyNames) {
    TempFolder folder;
    const auto intoFolder = SaveFileAtomically(folder.path(), "x");
    ASSERT_FALSE(intoFolder.ok());
    EXPECT_EQ(intoFolder.error().error, EISDIR);

    const auto missing = SaveFileAtomically(folder / "no/such/folder.tbl", "x");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().error, ENOENT);

    const auto unnamed = SaveFileAtomically("", "x");
    ASSERT_FALSE(unnamed.ok());
    EXPECT_EQ(unnamed.error().kind, FileError::Kind::NoFileName);
    EXPECT_TRUE(folder.Names().empty());
}

TEST(SaveFileAtomically, RelativePathsLandInTheWorkingFolder) {
    TempFolder folder;
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const auto result = SaveFileAtomically("plain", "bytes");
    std::filesystem::current_path(cwd);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(ReadBytes(folder / "plain"), "bytes");
}

}  // namespace
}  // namespace glyphwright
