#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>
#include <iterator>
#include <vector>

#include "storage/SaveFileAtomically.h"
#include "support/TempFolder.h"

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

// /dev/stdout, /dev/fd/N and /proc/self/fd/N name a descriptor this program holds, perhaps opened
// for appending to a log: the table is written into that descriptor, as onto standard output, and
// the file behind it is never replaced. A closed descriptor is a failure with its own reason.
TEST(SaveFileAtomically, APathToAnOpenDescriptorIsWrittenAsAStream) {
    TempFolder folder;
    WriteBytes(folder / "build.log", "important\n");
    const int log = ::open((folder / "build.log").c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(log, 0);
    struct stat before {};
    ASSERT_EQ(::fstat(log, &before), 0);
    const std::string number = std::to_string(log);
    ASSERT_EQ(::symlink(("/proc/self/fd/" + number).c_str(), (folder / "out.tbl").c_str()), 0);
    for (const std::string& path : {"/proc/self/fd/" + number, "/dev/fd/" + number,
                                   folder / "out.tbl"}) {
        const auto saved = SaveFileAtomically(path, "10=0\n");
        EXPECT_TRUE(saved.ok()) << path << ": " << std::strerror(saved.error().error);
    }
    struct stat after {};
    ASSERT_EQ(::stat((folder / "build.log").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(ReadBytes(folder / "build.log"), "important\n10=0\n10=0\n10=0\n");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"build.log", "out.tbl"}));
    ::close(log);

    const auto closed = SaveFileAtomically("/dev/fd/" + number, "10=0\n");
    ASSERT_FALSE(closed.ok());
    EXPECT_EQ(closed.error().error, EBADF);
    EXPECT_EQ(ReadBytes(folder / "build.log"), "important\n10=0\n10=0\n10=0\n");
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

TEST(SaveFileAtomically, APipeNobodyReadsIsRefusedAtOnce) {
    TempFolder folder;
    const std::string pipe = folder / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    auto saving = std::async(std::launch::async, [&] { return SaveFileAtomically(pipe, "10=0"); });
    const bool returned = saving.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    EXPECT_TRUE(returned) << "the save waits for a reader";
    // A reader lets a save stuck in open through, so the test ends either way.
    const int reader = returned ? -1 : ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    const auto result = saving.get();
    if (reader >= 0) ::close(reader);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, FileError::Kind::NoPipeReader);
}

TEST(SaveFileAtomically, APipeWithAReaderGetsMoreThanItHolds) {
    TempFolder folder;
    const std::string pipe = folder / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_EQ(::fcntl(reader, F_SETFL, 0), 0);
    const int writer = ::open(pipe.c_str(), O_WRONLY);  // the reader sees no end before the save
    ASSERT_GE(writer, 0);
    auto reading = std::async(std::launch::async, [reader] {
        std::string got;
        char buffer[65536];
        for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;) {
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    });
    const std::string bytes(256 * 1024, 'p');
    const auto result = SaveFileAtomically(pipe, bytes);
    ::close(writer);
    const std::string got = reading.get();
    ::close(reader);
    EXPECT_TRUE(result.ok()) << std::strerror(result.ok() ? 0 : result.error().error);
    EXPECT_TRUE(got == bytes) << got.size() << " bytes arrived";
}

TEST(SaveFileAtomically, DanglingLinksGetTheirTargetCreatedAndLoopsAreRefused) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "links");
    std::filesystem::create_directories(folder.path() / "out");
    // Relative targets count from the link's own folder.
    ASSERT_EQ(::symlink("b.tbl", (folder / "links/a.tbl").c_str()), 0);
    ASSERT_EQ(::symlink("../out/c.tbl", (folder / "links/b.tbl").c_str()), 0);
    const mode_t mask = ::umask(022);
    const auto result = SaveFileAtomically(folder / "links/a.tbl", "new");
    ::umask(mask);
    ASSERT_TRUE(result.ok()) << std::strerror(result.error().error);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "links/a.tbl"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "links/b.tbl"));
    EXPECT_EQ(ReadBytes(folder / "out/c.tbl"), "new");
    EXPECT_EQ(ModeOf(folder / "out/c.tbl") & 0777, 0644u);

    ASSERT_EQ(::symlink("loop.tbl", (folder / "loop.tbl").c_str()), 0);
    const auto loop = SaveFileAtomically(folder / "loop.tbl", "new");
    ASSERT_FALSE(loop.ok());
    EXPECT_EQ(loop.error().error, ELOOP);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "loop.tbl"));
}

TEST(SaveFileAtomically, APathJustShortOfTheSystemsLimitIsSaved) {
    TempFolder folder;
    // Folders with names of up to 255 characters, made relative to each other's descriptor.
    constexpr std::size_t kLength = 4086;
    const std::string name = "t.tbl";
    std::string path = folder.path();
    const std::size_t middle = kLength - path.size() - 1 - name.size();  // "/folder" segments
    const std::size_t count = (middle + 255) / 256;
    int at = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string part(middle / count + (i < middle % count ? 1 : 0) - 1, 'd');
        ASSERT_EQ(::mkdirat(at, part.c_str(), 0755), 0) << std::strerror(errno);
        const int next = ::openat(at, part.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        ::close(at);
        at = next;
        path += "/" + part;
    }
    ::close(at);
    const std::string inner = path;
    path += "/" + name;
    ASSERT_EQ(path.size(), kLength);

    const auto result = SaveFileAtomically(path, "long");
    ASSERT_TRUE(result.ok()) << std::strerror(result.error().error);
    EXPECT_EQ(ReadBytes(path), "long");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(inner), {}), 1);
}

TEST(SaveFileAtomically, AFileWithTwoNamesKeepsBoth) {
    TempFolder folder;
    WriteBytes(folder / "t.tbl", "an old and longer table");
    ASSERT_EQ(::link((folder / "t.tbl").c_str(), (folder / "u.tbl").c_str()), 0);
    ASSERT_TRUE(SaveFileAtomically(folder / "t.tbl", "new").ok());
    EXPECT_EQ(ReadBytes(folder / "u.tbl"), "new");
    struct stat info {};
    ASSERT_EQ(::stat((folder / "t.tbl").c_str(), &info), 0);
    EXPECT_EQ(info.st_nlink, 2u);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"t.tbl", "u.tbl"}));
}

// Saves as an ordinary user in a child: as root it becomes uid/gid 65534 with `groups` besides.
// Returns 0 when the save succeeded, else its errno (255 for another failure).
int SaveAsUser(const std::string& path, const std::string& bytes, const std::vector<gid_t>& groups,
               uid_t user) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::getuid() == 0 && (::setgroups(groups.size(), groups.data()) != 0 ||
                                ::setgid(user) != 0 || ::setuid(user) != 0)) {
            ::_exit(254);
        }
        const auto result = SaveFileAtomically(path, bytes);
        ::_exit(result.ok() ? 0 : result.error().error > 0 ? result.error().error : 255);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST(SaveFileAtomically, AFileTheUserMayWriteKeepsItsOwnerGroupAndMode) {
    const bool root = ::getuid() == 0;
    const uid_t user = root ? 65534 : ::getuid();
    const gid_t group = root ? 65534 : ::getgid();
    constexpr uid_t kOther = 1234;
    struct Case {
        const char* name;
        uid_t folderOwner;
        mode_t folderMode;
        uid_t fileOwner;
        gid_t fileGroup;
        mode_t fileMode;
        std::vector<gid_t> groups;
        int error;      // what the save should fail with; 0 when it should succeed
        bool replaced;  // the new table is a new file renamed over the old one
    };
    const std::vector<Case> cases = {
        {"own file, folder not writable", 0, 0555, user, group, 0640, {}, 0, false},
        {"another's 0666 file, sticky folder", 0, 01777, kOther, kOther, 0666, {}, 0, false},
        {"another's 0666 file, open folder", 0, 0777, kOther, kOther, 0666, {}, 0, false},
        {"own file, another group of the user", user, 0755, user, kOther, 0640, {kOther}, 0, true},
        {"another's 0644 file, open folder", 0, 0777, kOther, kOther, 0644, {}, EACCES, false},
    };
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    const std::string old = "an old and longer table";
    std::string skipped;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!root && (c.fileOwner != user || c.fileGroup != group)) {
            skipped += std::string(skipped.empty() ? "" : "; ") + c.name;
            continue;
        }
        const std::string inner = folder / c.name;
        const std::string file = inner + "/t.tbl";
        ASSERT_EQ(::mkdir(inner.c_str(), 0700), 0);
        WriteBytes(file, old);
        struct stat before {};
        ASSERT_EQ(::stat(file.c_str(), &before), 0);
        if (root) {
            ASSERT_EQ(::chown(inner.c_str(), c.folderOwner, c.folderOwner), 0);
            ASSERT_EQ(::chown(file.c_str(), c.fileOwner, c.fileGroup), 0);
        }
        ASSERT_EQ(::chmod(file.c_str(), c.fileMode), 0);
        ASSERT_EQ(::chmod(inner.c_str(), c.folderMode), 0);

        const int error = SaveAsUser(file, "new", c.groups, user);
        ::chmod(inner.c_str(), 0755);  // so that the folder can be listed and removed
        EXPECT_EQ(error, c.error) << std::strerror(error);
        EXPECT_EQ(ReadBytes(file), c.error == 0 ? "new" : old);
        struct stat after {};
        ASSERT_EQ(::stat(file.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, c.fileOwner);
        EXPECT_EQ(after.st_gid, c.fileGroup);
        EXPECT_EQ(after.st_mode & 07777, c.fileMode);
        EXPECT_EQ(after.st_nlink, 1u);
        EXPECT_EQ(after.st_ino != before.st_ino, c.replaced);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(inner), {}), 1);
    }
    if (!skipped.empty()) {
        GTEST_SKIP() << "only root can give files to another user; not run: " << skipped;
    }
}

}  // namespace
}  // namespace glyphwright
