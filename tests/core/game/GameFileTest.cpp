#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/game/GameFile.h"
#include "core/search/RelativeSearch.h"
#include "support/TempFolder.h"

namespace glyphwright {
namespace {

using Bytes = std::vector<std::uint8_t>;

GameFileError OpenFailure(const std::string& path) {
    const auto opened = GameFile::Open(path);
    return opened ? GameFileError{} : opened.error();
}

// The errno an unprivileged user meets opening a file nobody may read. Root reads anything, so
// as root the attempt is made by a child that has given up root first.
int UnreadableErrno(const std::string& path) {
    if (::geteuid() != 0) return OpenFailure(path).error;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(255);
        const GameFileError error = OpenFailure(path);
        ::_exit(error.kind == GameFileProblem::CannotOpen ? error.error : 254);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(GameFileTest, ReadsPiecesAndWindowsClippedAtTheEnd) {
    test::TempFolder folder;
    test::WriteBytes(folder / "game.bin", "0123456789");
    const GameFile file = GameFile::Open(folder / "game.bin").value();
    EXPECT_EQ(file.Size(), 10u);

    Bytes into(4, 0xEE);
    EXPECT_EQ(file.Read(8, into).value(), 2u);
    EXPECT_EQ(into, (Bytes{'8', '9', 0xEE, 0xEE}));
    EXPECT_EQ(file.Read(10, into).value(), 0u);
    EXPECT_EQ(file.ReadWindow(3, 4).value(), (Bytes{'3', '4', '5', '6'}));
    EXPECT_EQ(file.ReadWindow(7, 100).value(), (Bytes{'7', '8', '9'}));
    EXPECT_EQ(file.ReadWindow(12, 5).value(), Bytes{});
}

TEST(GameFileTest, RefusesWhatItCannotOpen) {
    test::TempFolder folder;
    const std::string missing = folder / "missing.bin";
    EXPECT_EQ(OpenFailure(missing), (GameFileError{GameFileProblem::CannotOpen, missing, ENOENT}));
    const std::string folderPath = folder.path();
    EXPECT_EQ(OpenFailure(folderPath), (GameFileError{GameFileProblem::NotAFile, folderPath, 0}));

    const std::string locked = folder / "locked.bin";
    test::WriteBytes(locked, "abc");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    ASSERT_EQ(::chmod(folderPath.c_str(), 0755), 0);
    EXPECT_EQ(UnreadableErrno(locked), EACCES);
}

// A file changed under a search ends the search with the reason, at the next block.
TEST(GameFileTest, ASearchFailsWhenItsFileChanges) {
    test::TempFolder folder;
    const std::string path = folder / "game.bin";
    const auto search = RelativeSearch::Prepare("abc", LetterWidth::OneByte).value();
    SearchOptions options;
    options.blockSize = 100;
    const std::atomic<bool> cancel{false};

    const auto failure = [&](const std::function<void()>& change) {
        test::WriteBytes(path, std::string(1000, 'a'));
        const GameFile file = GameFile::Open(path).value();
        bool changed = false;
        const auto run = search.Run(
            file, cancel,
            [&](std::uint64_t, std::uint64_t) {
                if (!std::exchange(changed, true)) change();
            },
            options);
        return run ? GameFileError{} : std::get<GameFileError>(run.error());
    };
    EXPECT_EQ(failure([&] { ASSERT_EQ(::truncate(path.c_str(), 500), 0); }),
              (GameFileError{GameFileProblem::SizeChanged, path, 0}));
    EXPECT_EQ(failure([&] { ASSERT_EQ(::truncate(path.c_str(), 2000), 0); }),
              (GameFileError{GameFileProblem::SizeChanged, path, 0}));
    EXPECT_EQ(failure([&] { ASSERT_EQ(std::remove(path.c_str()), 0); }),
              (GameFileError{GameFileProblem::Vanished, path, 0}));
    EXPECT_EQ(failure([&] {
                  test::WriteBytes(path + ".new", std::string(1000, 'a'));
                  ASSERT_EQ(std::rename((path + ".new").c_str(), path.c_str()), 0);
              }),
              (GameFileError{GameFileProblem::Vanished, path, 0}));
    // A change in the last block is seen too.
    options.blockSize = 5000;
    EXPECT_EQ(failure([&] { ASSERT_EQ(::truncate(path.c_str(), 10), 0); }),
              (GameFileError{GameFileProblem::SizeChanged, path, 0}));
}

}  // namespace
}  // namespace glyphwright
