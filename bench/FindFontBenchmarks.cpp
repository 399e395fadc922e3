// Find Font: how often the true font of a stand-in game comes first and among the first three,
// the stream scan's finds and false finds on a 16 MiB stand-in with 300 planted streams, and
// the time find-font takes on 4 and 32 MiB against one read of the file.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "BenchSupport.h"
#include "core/compression/StreamScan.h"
#include "core/fontfind/FontFinder.h"
#include "core/game/GameFile.h"
#include "support/FontFinderMeasure.h"

namespace glyphwright::bench {
namespace {

std::string Scratch(const std::string& name) {
    const char* folder = std::getenv("GLYPHWRIGHT_BENCH_SCRATCH");
    return std::string(folder != nullptr ? folder : "/tmp") + "/" + name;
}

GameFile WriteAndOpen(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    auto opened = GameFile::Open(path);
    if (!opened) std::abort();
    return std::move(opened).value();
}

void FindFontAccuracy(benchmark::State& state) {
    const auto plans = test::StandInPlans(1u << 20, true);
    std::vector<test::StandIn> standIns;
    for (const auto& plan : plans) standIns.push_back(test::FontStandIns::Make(plan));
    std::size_t first = 0;
    std::size_t topThree = 0;
    for (auto _ : state) {
        first = 0;
        topThree = 0;
        for (const test::StandIn& standIn : standIns) {
            const auto found = FindFonts(WriteAndOpen(Scratch("find-font-stand-in.bin"), standIn.bytes), FontSearch{});
            if (!found) {
                state.SkipWithError("the stand-in could not be read");
                return;
            }
            const std::size_t place = test::PlaceOfFont(found.value(), standIn);
            first += place == 1 ? 1 : 0;
            topThree += place >= 1 && place <= 3 ? 1 : 0;
        }
    }
    state.counters["games"] = static_cast<double>(standIns.size());
    state.counters[kFirstShare] = 100.0 * static_cast<double>(first) / static_cast<double>(standIns.size());
    state.counters[kTopThreeShare] = 100.0 * static_cast<double>(topThree) / static_cast<double>(standIns.size());
}
BENCHMARK(FindFontAccuracy)->Name(kFindFontAccuracy)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void StreamScan(benchmark::State& state) {
    const auto [bytes, planted] = test::FontStandIns::StreamsAmongDecoys(16u << 20, 300, 11);
    const GameFile file = WriteAndOpen(Scratch("stream-scan.bin"), bytes);
    std::vector<FoundStream> found;
    for (auto _ : state) {
        auto scanned = ScanStreams(file);
        if (!scanned) {
            state.SkipWithError("the stand-in could not be read");
            return;
        }
        found = std::move(scanned).value();
    }
    std::size_t right = 0;
    for (const FoundStream& stream : found) {
        right += std::binary_search(planted.begin(), planted.end(), stream.offset) ? 1 : 0;
    }
    state.counters["planted"] = static_cast<double>(planted.size());
    state.counters[kFoundShare] = 100.0 * static_cast<double>(right) / static_cast<double>(planted.size());
    state.counters[kFalseShare] =
        found.empty() ? 0.0 : 100.0 * static_cast<double>(found.size() - right) / static_cast<double>(found.size());
}
BENCHMARK(StreamScan)->Name(kStreamScan)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

const GameFile& TimedGame(std::size_t mebibytes) {
    static std::map<std::size_t, GameFile> games;
    auto found = games.find(mebibytes);
    if (found == games.end()) {
        test::StandInPlan plan = test::StandInPlans(mebibytes << 20, false)[3];
        const test::StandIn standIn = test::FontStandIns::Make(plan);
        found = games.emplace(mebibytes, WriteAndOpen(Scratch("find-font-" + std::to_string(mebibytes) + ".bin"),
                                                      standIn.bytes)).first;
    }
    return found->second;
}

void FindFontTime(benchmark::State& state) {
    const GameFile& file = TimedGame(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const auto found = FindFonts(file, FontSearch{});
        if (!found) state.SkipWithError("the stand-in could not be read");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(FindFontTime)->Name(kFindFont)->Arg(4)->Arg(32)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The floor: the file read once, 1 MiB at a time, as the finder reads it.
void ReadOnce(benchmark::State& state) {
    const GameFile& file = TimedGame(static_cast<std::size_t>(state.range(0)));
    std::vector<std::uint8_t> piece(1u << 20);
    for (auto _ : state) {
        for (std::uint64_t at = 0; at < file.Size(); at += piece.size()) {
            const auto read = file.Read(at, piece);
            benchmark::DoNotOptimize(read);
        }
    }
}
BENCHMARK(ReadOnce)->Name(kFindFontFloor)->Arg(4)->Arg(32)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace glyphwright::bench
