// MAKE TABLE's own work against the floor of writing the same bytes, and the Table Order actions
// on a 1000-line order, all through the core without windows.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "BenchSupport.h"
#include "core/table/AssembleTable.h"
#include "core/sets/BuiltInSets.h"
#include "support/LoadOrder.h"
#include "tablefile/MakeTable.h"
#include "storage/SaveFileAtomically.h"
#include "tablefile/TableFormat.h"
#include "tablefile/WriteTableFile.h"

namespace glyphwright::bench {
namespace {

// Answers MAKE TABLE's Save dialog with one fixed path; anything else is a fault in the setup.
class FixedPath final : public UserQueries {
public:
    explicit FixedPath(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> AskStartCode() override { return std::nullopt; }
    std::optional<SaveTarget> AskSaveTarget() override { return SaveTarget{path_}; }

private:
    std::string path_;
};

// MAKE TABLE, which must write its file.
bool MakeTableWrites(Workspace& ws, const TableOrder& order, UserQueries& user) {
    const auto made = MakeTable(ws, order, "00", user);
    return made.ok() && made.value() == MakeTableOutcome::Written;
}

// Eight lines that fill all 256 codes from 00: the seven classic sets in catalogue order reach D7,
// and "Dakuten" once more takes D8 to FF.
void RecordFullTable(TableOrder& order) {
    for (const CharacterSet& set : BuiltInSets().first(kClassicSetCount))
        (void)order.AppendSetLine(std::string(set.name));
    (void)order.AppendSetLine("Dakuten");
}

std::string FullTableBytes() {
    Workspace ws;
    TableOrder lines;
    RecordFullTable(lines);
    if (!AssembleTable(lines, ws).ok()) std::abort();
    // The classic file, as MAKE TABLE writes it: the entries' text converted to EUC-JP.
    auto file = FormatTable(ws.TableText, 0x00, ws.LastCode, TableFormat::Classic);
    if (!file) std::abort();
    return std::move(file).value();
}

// Arg 0: the scratch folder on the disk; arg 1: tmpfs, where nothing waits for a disk.
std::string FilePath(const benchmark::State& state, const std::string& name) {
    return state.range(0) == 0 ? ScratchPath(name) : "/dev/shm/glyphwright-bench-" + name;
}

void MakeTableFullTable(benchmark::State& state) {
    Workspace ws;
    TableOrder lines;
    RecordFullTable(lines);
    FixedPath user(FilePath(state, "make-table.tbl"));
    for (auto _ : state) {
        if (!MakeTableWrites(ws, lines, user)) {
            state.SkipWithError("MAKE TABLE wrote no file");
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
    TableOrder lines;
    RecordFullTable(lines);
    std::string file;
    for (auto _ : state) {
        if (!AssembleTable(lines, ws).ok()) std::abort();
        auto made = FormatTable(ws.TableText, 0x00, ws.LastCode, TableFormat::Classic);
        if (!made) std::abort();
        file = std::move(made).value();
        benchmark::DoNotOptimize(file.data());
    }
}
BENCHMARK(AssembleAndFormat)->Name(kAssembleFormat)->UseRealTime();

// The 1000-line Table Order as the windows would have made it.
struct LoadedWorkspace {
    Workspace ws;
    TableOrder order;
    LoadedWorkspace() {
        for (const evidence::LoadLine& line : evidence::MakeLoadOrder(1000)) {
            if (line.single) {
                ws.TableText.Put(TableCode::OneByte(static_cast<ByteCode>(line.code)), {line.text});
                (void)order.AppendEntryLine(line.text);
            } else {
                (void)order.AppendSetLine(line.name);
                order.SetStart(order.LineCount() - 1, static_cast<ByteCode>(line.start));
            }
        }
    }
};

// Including a set as line 1000 (and taking it out again, to include it anew next time).
void IncludeOnLongOrder(benchmark::State& state) {
    LoadedWorkspace loaded;
    loaded.order.Remove(999);
    for (auto _ : state) {
        if (!loaded.order.AppendSetLine("Katakana")) std::abort();
        loaded.order.Remove(999);
    }
}
BENCHMARK(IncludeOnLongOrder)->Name(kIncludeCore)->UseRealTime();

// Removing line 500 of 1000: the lines and records below it move up (and one line is included
// again at the end, so that there are 1000 each time).
void RemoveFromLongOrder(benchmark::State& state) {
    LoadedWorkspace loaded;
    for (auto _ : state) {
        loaded.order.Remove(499);
        if (!loaded.order.AppendSetLine("0-9")) std::abort();
    }
}
BENCHMARK(RemoveFromLongOrder)->Name(kRemoveCore)->UseRealTime();

void MakeTableLongOrder(benchmark::State& state) {
    LoadedWorkspace loaded;
    FixedPath user(ScratchPath("long-order.tbl"));
    for (auto _ : state) {
        if (!MakeTableWrites(loaded.ws, loaded.order, user)) {
            state.SkipWithError("MAKE TABLE wrote no file");
            break;
        }
    }
}
BENCHMARK(MakeTableLongOrder)->Name(kMakeTableLongCore)->UseRealTime();

}  // namespace
}  // namespace glyphwright::bench
