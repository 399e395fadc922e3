// MAKE TABLE against file systems that refuse the file: a read-only mount, a full one, a folder
// where the file should be, a file where a folder should be. Each must end with a message that
// names the path and the system's reason, leave no partial file and leave an existing file as it
// was. The mounts are made in a child process with a private mount namespace, so the machine's
// own mounts are never touched; where the system allows no such namespace the test is skipped.

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/TableOrder.h"
#include "support/TempFolder.h"
#include "tablefile/MakeTable.h"
#include "tablefile/ScriptedUser.h"

namespace glyphwright {
namespace {

using test::ReadBytes;
using test::RecordOrder;
using test::ScriptedUser;
using test::TempFolder;
using test::WriteBytes;

constexpr const char* kOldTable = "10=old\r\r\n\r\r\n";

// What a MAKE TABLE run inside the child saw, sent back to the test through a pipe.
struct ChildReport {
    bool skipped = false;
    std::string skipReason;
    std::string outcome;                // "Written", "Cancelled" or "Failed"
    std::vector<std::string> messages;  // texts of the message boxes shown
    std::string targetAfter;            // bytes at the target path afterwards ("<none>" if absent)
    std::vector<std::string> namesAfter;  // the folder's entries afterwards, as the child saw them
};

bool WriteToFile(const char* path, const std::string& text) {
    const int fd = ::open(path, O_WRONLY);
    if (fd < 0) return false;
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    return ::close(fd) == 0 && ok;
}

// Enters a mount namespace of our own whose mounts do not propagate back to the machine's. As
// root a mount namespace is enough; otherwise a user namespace maps us to root inside it.
std::string EnterPrivateMounts() {
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (uid == 0) {
        if (::unshare(CLONE_NEWNS) != 0) return std::string("unshare: ") + std::strerror(errno);
    } else {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            return std::string("unshare of a user namespace: ") + std::strerror(errno);
        }
        if (!WriteToFile("/proc/self/setgroups", "deny") ||
            !WriteToFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !WriteToFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
            return "cannot map the user namespace";
        }
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return std::string("making mounts private: ") + std::strerror(errno);
    }
    return {};
}

std::string Encode(const ChildReport& report) {
    std::string out;
    auto field = [&out](const std::string& text) {
        out += std::to_string(text.size()) + ":" + text;
    };
    field(report.skipped ? "1" : "0");
    field(report.skipReason);
    field(report.outcome);
    field(report.targetAfter);
    field(std::to_string(report.messages.size()));
    for (const auto& m : report.messages) field(m);
    field(std::to_string(report.namesAfter.size()));
    for (const auto& n : report.namesAfter) field(n);
    return out;
}

ChildReport Decode(const std::string& in) {
    std::size_t at = 0;
    auto field = [&]() {
        const std::size_t colon = in.find(':', at);
        if (colon == std::string::npos) throw std::runtime_error("truncated report");
        const std::size_t size = std::stoul(in.substr(at, colon - at));
        std::string text = in.substr(colon + 1, size);
        at = colon + 1 + size;
        return text;
    };
    ChildReport report;
    report.skipped = field() == "1";
    report.skipReason = field();
    report.outcome = field();
    report.targetAfter = field();
    for (std::size_t n = std::stoul(field()); n > 0; --n) report.messages.push_back(field());
    for (std::size_t n = std::stoul(field()); n > 0; --n) report.namesAfter.push_back(field());
    return report;
}

// "Written", "Cancelled", or "Failed" with the failure as "\"path\": the system's reason" in
// `said`.
std::string OutcomeName(const Result<MakeTableOutcome, TableFailure>& made,
                        std::vector<std::string>& said) {
    if (made) return made.value() == MakeTableOutcome::Written ? "Written" : "Cancelled";
    if (const auto* file = std::get_if<FileError>(&made.error())) {
        said.push_back("\"" + file->path + "\": " + std::strerror(file->error));
    } else {
        said.emplace_back("not a file failure");
    }
    return "Failed";
}

// In a child with private mounts: `prepare` sets up the folder (returns a reason to skip, or
// nothing), then MAKE TABLE saves to `target`; the child reports what it saw afterwards.
ChildReport MakeTableInPrivateMounts(const TempFolder& folder, const std::string& target,
                                     const std::function<std::string()>& prepare) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        ::close(pipeEnds[0]);
        ChildReport report;
        std::string problem = EnterPrivateMounts();
        if (problem.empty()) problem = prepare();
        if (!problem.empty()) {
            report.skipped = true;
            report.skipReason = problem;
        } else {
            Workspace ws;
            // A table of some size, so that a nearly full file system cannot take it.
            for (int code = 0x10; code <= 0xFF; ++code) {
                ws.TableText.Put(TableCode::OneByte(static_cast<ByteCode>(code)), {std::string(300, 'x')});
            }
            // Digits laid at F6..FF make the written range 00..FF, every one of these included.
            TableOrder order;
            RecordOrder(order, {{"0-9", 0xF6}});
            ScriptedUser user;
            user.pathAnswers = {target};
            report.outcome = OutcomeName(MakeTable(ws, order, "00", user), report.messages);
            report.targetAfter =
                ::access(target.c_str(), F_OK) == 0 ? ReadBytes(target) : std::string("<none>");
            report.namesAfter = folder.Names();
        }
        const std::string bytes = Encode(report);
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = ::write(pipeEnds[1], bytes.data() + sent, bytes.size() - sent);
            if (n <= 0) ::_exit(2);
            sent += static_cast<std::size_t>(n);
        }
        ::_exit(0);  // no destructors: the parent owns the folder
    }
    ::close(pipeEnds[1]);
    std::string bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("child failed");
    return Decode(bytes);
}

void ExpectRefusedWith(const ChildReport& report, const std::string& target,
                       const std::string& reason) {
    EXPECT_EQ(report.outcome, "Failed");
    ASSERT_EQ(report.messages.size(), 1u);
    EXPECT_NE(report.messages[0].find("\"" + target + "\""), std::string::npos)
        << report.messages[0];
    EXPECT_NE(report.messages[0].find(reason), std::string::npos) << report.messages[0];
}

TEST(MakeTableOnARefusingFileSystem, AReadOnlyMountKeepsTheOldFileAndGetsNoNewOne) {
    TempFolder folder;
    const std::string old = folder / "old.tbl";
    WriteBytes(old, kOldTable);
    const std::string path = folder.path().string();
    auto readOnly = [&path]() -> std::string {
        if (::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
            ::mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) !=
                0) {
            return std::string("read-only bind mount: ") + std::strerror(errno);
        }
        return {};
    };

    const ChildReport replacing = MakeTableInPrivateMounts(folder, old, readOnly);
    if (replacing.skipped) GTEST_SKIP() << replacing.skipReason;
    ExpectRefusedWith(replacing, old, "Read-only file system");
    EXPECT_EQ(replacing.targetAfter, kOldTable);
    EXPECT_EQ(replacing.namesAfter, std::vector<std::string>{"old.tbl"});

    const ChildReport creating = MakeTableInPrivateMounts(folder, folder / "new.tbl", readOnly);
    ExpectRefusedWith(creating, folder / "new.tbl", "Read-only file system");
    EXPECT_EQ(creating.targetAfter, "<none>");
    EXPECT_EQ(creating.namesAfter, std::vector<std::string>{"old.tbl"});

    // Outside the child's namespace the folder was never read-only: nothing of the tries is left.
    EXPECT_EQ(ReadBytes(old), kOldTable);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"old.tbl"});
}

TEST(MakeTableOnARefusingFileSystem, AFullFileSystemKeepsTheOldFileAndLeavesNoPartOfTheNewOne) {
    TempFolder folder;
    const std::string old = folder / "old.tbl";
    const std::string path = folder.path().string();
    // A 64 KiB file system filled up but for a few pages: the new table (about 70 KiB) cannot fit.
    auto full = [&]() -> std::string {
        if (::mount("tmpfs", path.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
            return std::string("tmpfs mount: ") + std::strerror(errno);
        }
        WriteBytes(old, kOldTable);
        WriteBytes(folder / "filler", std::string(40 * 1024, 'f'));
        return {};
    };

    const ChildReport report = MakeTableInPrivateMounts(folder, old, full);
    if (report.skipped) GTEST_SKIP() << report.skipReason;
    ExpectRefusedWith(report, old, "No space left on device");
    EXPECT_EQ(report.targetAfter, kOldTable);
    EXPECT_EQ(report.namesAfter, (std::vector<std::string>{"filler", "old.tbl"}));
}

TEST(MakeTableOnARefusingFileSystem, NeitherAFolderNorAFileInTheWayIsTouched) {
    TempFolder folder;
    // The chosen name is a folder that holds a file.
    std::filesystem::create_directory(folder.path() / "table.tbl");
    WriteBytes(folder / "table.tbl/inside", "kept");
    // A file stands where the path needs a folder.
    WriteBytes(folder / "plain", kOldTable);

    struct Case {
        std::string target;
        std::string reason;
    };
    for (const Case& c : {Case{folder / "table.tbl", "Is a directory"},
                          Case{folder / "plain/t.tbl", "Not a directory"},
                          Case{folder / "missing/t.tbl", "No such file or directory"}}) {
        Workspace ws;
        TableOrder order;
        RecordOrder(order, {{"0-9"}});
        ScriptedUser user;
        user.pathAnswers = {c.target};
        std::vector<std::string> said;
        EXPECT_EQ(OutcomeName(MakeTable(ws, order, "10", user), said), "Failed") << c.target;
        ASSERT_EQ(said.size(), 1u) << c.target;
        EXPECT_NE(said[0].find("\"" + c.target + "\""), std::string::npos);
        EXPECT_NE(said[0].find(c.reason), std::string::npos) << said[0];
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"plain", "table.tbl"}));
    EXPECT_EQ(ReadBytes(folder / "table.tbl/inside"), "kept");
    EXPECT_EQ(ReadBytes(folder / "plain"), kOldTable);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "table.tbl"),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace glyphwright
