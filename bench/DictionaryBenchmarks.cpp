// Find Dictionary on a 16 MiB stand-in game in each of the five layouts, the whole of what the
// command does after the tables are read (the game read whole, then searched), beside the floor of
// reading the same file.

#include <benchmark/benchmark.h>

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/dictionary/FindDictionary.h"
#include "core/game/GameFile.h"
#include "support/DictionaryGame.h"

namespace glyphwright::bench {
namespace {

constexpr std::size_t kGameSize = std::size_t{16} << 20;

struct BenchGame {
    std::string path;
    LetterTable table;
};

// The stand-in game of `layout`, written once per run.
const BenchGame& Game(int layout) {
    static std::vector<BenchGame> games(5);
    BenchGame& game = games[static_cast<std::size_t>(layout)];
    if (game.path.empty()) {
        const auto made =
            testing::MakeDictionaryGame(static_cast<DictionaryLayout>(layout), kGameSize);
        game.path = ScratchPath("dictionary-" + std::to_string(layout) + ".bin");
        std::ofstream(game.path, std::ios::binary)
            .write(reinterpret_cast<const char*>(made.bytes.data()),
                   static_cast<std::streamsize>(made.bytes.size()));
        game.table = made.table;
    }
    return game;
}

std::vector<std::uint8_t> ReadWhole(const std::string& path) {
    const auto file = GameFile::Open(path);
    if (!file) throw std::runtime_error("cannot open " + path);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.value().Size()));
    const auto read = file.value().Read(0, bytes);
    if (!read || read.value() != bytes.size()) throw std::runtime_error("cannot read " + path);
    return bytes;
}

void FindDictionaryIn16MiB(benchmark::State& state) {
    const BenchGame& game = Game(static_cast<int>(state.range(0)));
    const std::atomic<bool> never{false};
    for (auto _ : state) {
        const auto bytes = ReadWhole(game.path);
        auto findings = FindDictionary(bytes, game.table, never);
        if (!findings || findings.value().found.empty()) {
            state.SkipWithError("no dictionary found");
            return;
        }
        benchmark::DoNotOptimize(findings);
    }
}
BENCHMARK(FindDictionaryIn16MiB)
    ->Name(kFindDictionary)
    ->DenseRange(0, 4)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void ReadGame16MiB(benchmark::State& state) {
    const BenchGame& game = Game(0);
    for (auto _ : state) {
        auto bytes = ReadWhole(game.path);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(ReadGame16MiB)->Name(kReadGame)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glyphwright::bench
