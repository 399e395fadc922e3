// MAKE TABLE's own work against the floor of writing the same bytes, and the Table Order actions
// on a 1000-line order, all through the core without windows.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "BenchSupport.h"
#include "core/AssembleTable.h"
#include "core/BuiltInSets.h"
#include "evidence/LoadOrder.h"
#include "tablefile/MakeTable.h"
#include "tablefile/SaveFileAtomically.h"
#include "tablefile/WriteTableFile.h"

namespace glyphwright::bench {
namespace {

// Answers MAKE TABLE's Save dialog with one fixed path; anything else is a fault in the setup.
class FixedPath final : public UserQueries {
public:
    explicit FixedPath(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> AskText(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> AskSavePath(const std::string&) override { return path_; }
    void ShowMessage(const std::string&, const std::string& text, MessageIcon) override {
        message = text;
    }
    std::string message;

private:
    std::string path_;
};

// Eight lines that fill all 256 codes from 00: the seven sets in catalogue order reach D7, and
// "Dakuten" once more takes D8 to FF.
int RecordFullTable(Workspace& ws) {
    int line = 0;
    for (const CharacterSet& set : BuiltInSets())
        ws.OrderNames[static_cast<std::size_t>(++line)] = std::string(set.name);
    ws.OrderNames[static_cast<std::size_t>(++line)] = "Dakuten";
    return line;
}

std::string FullTableBytes() {
    Workspace ws;
    const int lines = RecordFullTable(ws);
    if (!AssembleTable(ws, lines).ok()) std::abort();
    std::string file;
    WriteTableFile(file, ws.TableText, 0x00, ws.LastCode);
    return file;
}

// Arg 0: the scratch folder on the disk; arg 1: tmpfs, where nothing waits for a disk.
std::string FilePath(const benchmark::State& state, const std::string& name) {
    return state.range(0) == 0 ? ScratchPath(name) : "/dev/shm/glyphwright-bench-" + name;
}

void MakeTableFullTable(benchmark::State& state) {
    Workspace ws;
    const int lines = RecordFullTable(ws);
    FixedPath user(FilePath(state, "make-table.tbl"));
    for (auto _ : state) {
        if (MakeTable(ws, "00", lines, user) != MakeTableOutcome::Written) {
            state.SkipWithError(user.message.c_str());
            break;
        }
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * FullTableBytes().size()));
}
BENCHMARK(MakeTableFullTable)->Name(kMakeTableCore)->Arg(0)->Arg(1)->UseRealTime();

// The floor: the finished bytes written to a file with one open, write and close.
void WritePreparedBytes(benchmark::State& state) {
    const std::string bytes = FullTableBytes();
    const std::string path = FilePath(state, "floor.tbl");
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) ==
                                       static_cast<ssize_t>(bytes.size());
        if (fd < 0 || ::close(fd) != 0 || !ok) {
            state.SkipWithError("cannot write the scratch file");
            break;
        }
    }
}
BENCHMARK(WritePreparedBytes)->Name(kWriteFloor)->Arg(0)->Arg(1)->UseRealTime();

// The same with the bytes forced to the disk before the close, as a save that must survive a
// crash has to.
void WritePreparedBytesDurably(benchmark::State& state) {
    const std::string bytes = FullTableBytes();
    const std::string path = ScratchPath("floor-durable.tbl");
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool ok =
            fd >= 0 &&
            ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
            ::fsync(fd) == 0;
        if (fd < 0 || ::close(fd) != 0 || !ok) {
            state.SkipWithError("cannot write the scratch file");
            break;
        }
    }
}
BENCHMARK(WritePreparedBytesDurably)->Name(kWriteDurably)->UseRealTime();

// The parts of MAKE TABLE, to see where its time goes.
void SavePreparedBytesSafely(benchmark::State& state) {
    const std::string bytes = FullTableBytes();
    const std::string path = ScratchPath("safe.tbl");
    for (auto _ : state) {
        if (!SaveFileAtomically(path, bytes).ok()) {
            state.SkipWithError("cannot save the scratch file");
            break;
        }
    }
}
BENCHMARK(SavePreparedBytesSafely)->Name(kSaveSafely)->UseRealTime();

void AssembleAndFormat(benchmark::State& state) {
    Workspace ws;
    const int lines = RecordFullTable(ws);
    std::string file;
    for (auto _ : state) {
        if (!AssembleTable(ws, lines).ok()) std::abort();
        file.clear();
        WriteTableFile(file, ws.TableText, 0x00, ws.LastCode);
        benchmark::DoNotOptimize(file.data());
    }
}
BENCHMARK(AssembleAndFormat)->Name(kAssembleFormat)->UseRealTime();

// The 1000-line Table Order as the windows would have recorded it.
struct LoadedWorkspace {
    Workspace ws;
    int lines = 0;
    LoadedWorkspace() {
        const evidence::LoadState loaded = evidence::IncludeAll(evidence::MakeLoadOrder(1000));
        for (std::size_t i = 0; i < ws.OrderNames.size(); ++i)
            ws.OrderNames[i] = loaded.order.names[i];
        for (std::size_t i = 0; i < ws.OrderStarts.size(); ++i) {
            ws.OrderStarts[i] = static_cast<std::int16_t>(loaded.order.starts[i + 1]);
        }
        for (std::size_t c = 0; c < ws.TableText.size(); ++c) ws.TableText[c] = loaded.table[c];
        lines = loaded.lineCount;
    }
};

// Including a set as line 1000: the name test and the record, as the include chooser does them.
void IncludeOnLongOrder(benchmark::State& state) {
    LoadedWorkspace loaded;
    for (auto _ : state) {
        const std::string text = "Katakana";
        if (FindBuiltInSet(text) != nullptr) loaded.ws.OrderNames[1000] = text;
        benchmark::DoNotOptimize(loaded.ws.OrderNames[1000].data());
    }
}
BENCHMARK(IncludeOnLongOrder)->Name(kIncludeCore)->UseRealTime();

// Removing line 500 of 1000: the records below it move up.
void RemoveFromLongOrder(benchmark::State& state) {
    LoadedWorkspace loaded;
    for (auto _ : state) {
        loaded.ws.RemoveOrderLine(499);
        benchmark::DoNotOptimize(loaded.ws.OrderNames.data());
    }
}
BENCHMARK(RemoveFromLongOrder)->Name(kRemoveCore)->UseRealTime();

void MakeTableLongOrder(benchmark::State& state) {
    LoadedWorkspace loaded;
    FixedPath user(ScratchPath("long-order.tbl"));
    for (auto _ : state) {
        if (MakeTable(loaded.ws, "00", loaded.lines, user) != MakeTableOutcome::Written) {
            state.SkipWithError(user.message.c_str());
            break;
        }
    }
}
BENCHMARK(MakeTableLongOrder)->Name(kMakeTableLongCore)->UseRealTime();

}  // namespace
}  // namespace glyphwright::bench
