// The dump: 10,000 strings through 4 pointer tables read from the game file and written as an
// Atlas script, beside one read of the bytes those strings and pointers take.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/game/GameFile.h"
#include "core/script/ScriptDump.h"

namespace glyphwright::bench {
namespace {

constexpr std::uint64_t kTextStart = 0x10000;

struct DumpGame {
    std::string path;
    DumpRequest request;
    std::vector<ScriptEntry> table;
    std::uint64_t textEnd = 0;
    std::uint64_t pointersEnd = 0;
};

// ASCII and kana entries, an end code and a line break; 10,000 strings of 4 to 40 codes laid from
// 64 KiB on; 4 tables of 2,500 pointers after them: le32, be24, gba and lorom.
const DumpGame& Game() {
    static const DumpGame game = [] {
        DumpGame made;
        made.table.push_back({TableCode::OneByte(0x00), EntryKind::EndCode, "[end]"});
        made.table.push_back({TableCode::OneByte(0xFE), EntryKind::LineBreak, "\\n"});
        for (int code = 0x20; code < 0x7F; ++code) {
            made.table.push_back({TableCode::OneByte(static_cast<ByteCode>(code)), EntryKind::Ordinary,
                                  std::string(1, static_cast<char>(code))});
        }
        // ぁ from 80 on, one kana a code: U+3041 is E3 81 81 in UTF-8.
        for (int code = 0x80; code < 0xE0; ++code) {
            const int kana = 0x3041 + code - 0x80;
            const std::string text{static_cast<char>(0xE0 | kana >> 12),
                                   static_cast<char>(0x80 | (kana >> 6 & 0x3F)),
                                   static_cast<char>(0x80 | (kana & 0x3F))};
            made.table.push_back({TableCode::OneByte(static_cast<ByteCode>(code)), EntryKind::Ordinary, text});
        }
        std::mt19937 random(10000);
        std::vector<std::uint8_t> bytes(kTextStart, 0xFF);
        std::vector<std::uint64_t> starts;
        for (int i = 0; i < 10000; ++i) {
            starts.push_back(bytes.size());
            const int length = 4 + static_cast<int>(random() % 37);
            for (int c = 0; c < length; ++c) {
                bytes.push_back(random() % 20 == 0 ? 0xFE : static_cast<std::uint8_t>(0x20 + random() % 0xC0));
            }
            bytes.push_back(0x00);
        }
        made.textEnd = bytes.size();
        const char* kinds[] = {"le32", "be24", "gba", "lorom"};
        for (int block = 0; block < 4; ++block) {
            const PointerKind kind = ReadPointerKind(kinds[block]).value();
            made.request.blocks.push_back({bytes.size(), 2500, kind});
            for (int i = 0; i < 2500; ++i) {
                const std::uint64_t offset = starts[static_cast<std::size_t>(block * 2500 + i)];
                const std::uint32_t value = InserterPointerFor(kind, kind.map == PointerKind::Map::Gba ? 0x08000000u : 0x808000u).ValueFor(offset);
                for (int b = 0; b < kind.bytes; ++b) {
                    const int shift = 8 * (kind.bigEndian ? kind.bytes - 1 - b : b);
                    bytes.push_back(static_cast<std::uint8_t>(value >> shift));
                }
            }
        }
        made.pointersEnd = bytes.size();
        bytes.resize(bytes.size() + 0x10000, 0xFF);
        made.path = ScratchPath("dump-10000-strings.bin");
        std::ofstream(made.path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        made.request.tablePath = "game.tbl";
        return made;
    }();
    return game;
}

void DumpTenThousandStrings(benchmark::State& state) {
    const DumpGame& game = Game();
    const ScriptTable table(game.table);
    std::size_t strings = 0;
    for (auto _ : state) {
        const auto file = GameFile::Open(game.path);
        const auto bytes = file.value().ReadWindow(0, static_cast<std::size_t>(file.value().Size()));
        const DumpResult dump = DumpScript(bytes.value(), table, game.request);
        strings = dump.strings;
        benchmark::DoNotOptimize(dump.script.data());
    }
    if (strings != 10000) state.SkipWithError("the dump did not find the 10,000 strings");
}
BENCHMARK(DumpTenThousandStrings)->Name(kDumpCore)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: one read of the bytes the strings and their pointers take.
void ReadStringsAndPointers(benchmark::State& state) {
    const DumpGame& game = Game();
    std::vector<char> buffer(game.pointersEnd - kTextStart);
    for (auto _ : state) {
        const int fd = ::open(game.path.c_str(), O_RDONLY);
        const auto read = ::pread(fd, buffer.data(), buffer.size(), static_cast<off_t>(kTextStart));
        ::close(fd);
        if (read != static_cast<ssize_t>(buffer.size())) state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(ReadStringsAndPointers)->Name(kDumpFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace glyphwright::bench
