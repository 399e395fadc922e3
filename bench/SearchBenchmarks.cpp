// The relative search over a 256 MiB file against the floor of reading the same bytes and running
// memchr over them, and the search's peak memory on a 16 MiB and a 256 MiB file.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/sets/BuiltInSets.h"
#include "core/text/EucJp.h"
#include "core/game/GameFile.h"
#include "core/search/RelativeSearch.h"
#include "core/sets/SetCatalogue.h"

namespace glyphwright::bench {
namespace {

constexpr std::size_t kBlock = std::size_t{1} << 20;  // the search's default block
constexpr const char* kWord = "ゆうしゃ";
// Where ゆ, う, し, ゃ sit in Hiragana.
constexpr int kPlaces[] = {36, 2, 11, 47};

// Random bytes with the word planted every 64 KiB, in turn as one byte and as two bytes
// (little-endian) per letter, from a few start codes. The same bytes every time, so a file left
// by an earlier run is used as it is.
void WriteSearchFile(const std::string& path, std::size_t mib) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot write " + path);
    std::mt19937_64 random(1);
    std::vector<std::uint8_t> chunk(kBlock);
    for (std::size_t m = 0; m < mib; ++m) {
        for (std::size_t i = 0; i < chunk.size(); i += 8) {
            const std::uint64_t r = random();
            std::memcpy(chunk.data() + i, &r, 8);
        }
        for (std::size_t at = 100, k = 0; at + 8 < chunk.size(); at += 65536, ++k) {
            const int start = k % 3 == 0 ? 0x20 : 0x80 + static_cast<int>(k % 5);
            for (std::size_t j = 0; j < 4; ++j) {
                const auto code = static_cast<unsigned>(start + kPlaces[j]);
                if (k % 2 == 0) {
                    chunk[at + j] = static_cast<std::uint8_t>(code);
                } else {
                    chunk[at + 2 * j] = static_cast<std::uint8_t>(code);
                    chunk[at + 2 * j + 1] = 0;
                }
            }
        }
        if (::write(fd, chunk.data(), chunk.size()) != static_cast<ssize_t>(chunk.size())) {
            ::close(fd);
            throw std::runtime_error("cannot write " + path);
        }
    }
    ::close(fd);
}

RelativeSearch Prepared(LetterWidth width) {
    const auto search = RelativeSearch::Prepare(kWord, width);
    if (!search) throw std::runtime_error("the benchmark word is refused");
    return search.value();
}

// The built-in sets and twenty of the user's, each the hiragana in an order of its own, so that
// every one of them holds the word and the filter has a pattern for each.
const SetCatalogue& ThirtyOneSets() {
    static const SetCatalogue sets([] {
        std::vector<UserSet> own;
        std::mt19937 random(2);
        const CharacterSet& hiragana = BuiltInSets()[0];
        for (int n = 0; n < 20; ++n) {
            std::vector<std::string> members(hiragana.members.begin(), hiragana.members.end());
            std::shuffle(members.begin(), members.end(), random);
            own.push_back({"Own order " + std::to_string(n), std::move(members)});
        }
        return own;
    }());
    return sets;
}

RelativeSearch PreparedOverAllSets(LetterWidth width) {
    const auto search = RelativeSearch::Prepare(kWord, width, ThirtyOneSets().Sets());
    if (!search) throw std::runtime_error("the benchmark word is refused");
    return search.value();
}

// As ThirtyOneSets, each of the user's sets ending in pairs such as a DTE table has: ゆう and しゃ
// among them, so that ゆうしゃ is also three codes (ゆう+し+ゃ, ゆ+うし+ゃ, ゆ+う+しゃ) beside
// four.
const SetCatalogue& ThirtyOneSetsWithPairs() {
    static const SetCatalogue sets([] {
        std::vector<UserSet> own = ThirtyOneSets().UserSets();
        const char* pairs[] = {"ゆう", "しゃ", "うし", "きょ", "ちゃ", "でし", "ます", "った"};
        for (UserSet& set : own) {
            for (const char* pair : pairs) set.members.push_back(EncodeEucJp(pair).value());
        }
        return own;
    }());
    return sets;
}

void RelativeSearchWholeFile(benchmark::State& state) {
    const auto file = GameFile::Open(SearchBenchFile(256));
    if (!file) {
        state.SkipWithError("cannot open the search file");
        return;
    }
    const RelativeSearch search =
        Prepared(state.range(0) == 0 ? LetterWidth::OneByte : LetterWidth::TwoBytesLittleEndian);
    const std::atomic<bool> cancel{false};
    std::uint64_t hits = 0;
    for (auto _ : state) {
        const auto run = search.Run(file.value(), cancel);
        if (!run) {
            state.SkipWithError("the search failed");
            break;
        }
        hits = run.value().hitCount;
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.value().Size()));
}
BENCHMARK(RelativeSearchWholeFile)
    ->Name(kSearchCore)
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void RelativeSearchAllSets(benchmark::State& state) {
    const auto file = GameFile::Open(SearchBenchFile(256));
    if (!file) {
        state.SkipWithError("cannot open the search file");
        return;
    }
    const RelativeSearch search = PreparedOverAllSets(
        state.range(0) == 0 ? LetterWidth::OneByte : LetterWidth::TwoBytesLittleEndian);
    const std::atomic<bool> cancel{false};
    std::uint64_t hits = 0;
    for (auto _ : state) {
        const auto run = search.Run(file.value(), cancel);
        if (!run) {
            state.SkipWithError("the search failed");
            break;
        }
        hits = run.value().hitCount;
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["sets"] = static_cast<double>(search.Sets().size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.value().Size()));
}
BENCHMARK(RelativeSearchAllSets)
    ->Name(kSearchAllSets)
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void RelativeSearchWithPairs(benchmark::State& state) {
    const auto file = GameFile::Open(SearchBenchFile(256));
    if (!file) {
        state.SkipWithError("cannot open the search file");
        return;
    }
    const auto prepared = RelativeSearch::Prepare(
        kWord, state.range(0) == 0 ? LetterWidth::OneByte : LetterWidth::TwoBytesLittleEndian,
        ThirtyOneSetsWithPairs().Sets());
    if (!prepared) {
        state.SkipWithError("the benchmark word is refused");
        return;
    }
    const RelativeSearch& search = prepared.value();
    const std::atomic<bool> cancel{false};
    std::uint64_t hits = 0;
    for (auto _ : state) {
        const auto run = search.Run(file.value(), cancel);
        if (!run) {
            state.SkipWithError("the search failed");
            break;
        }
        hits = run.value().hitCount;
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["words"] = static_cast<double>(search.WordCount());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.value().Size()));
}
BENCHMARK(RelativeSearchWithPairs)
    ->Name(kSearchPairs)
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The floor: the same file read in the same blocks with pread, and memchr run over every byte
// (counting one byte value, so that each call scans on from the last find). Arg 1 leaves out
// memchr, to show what the reading alone costs.
void ReadAndMemchr(benchmark::State& state) {
    const bool scan = state.range(0) == 0;
    const std::string path = SearchBenchFile(256);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::vector<std::uint8_t> buffer(kBlock);
    for (auto _ : state) {
        std::uint64_t found = 0;
        for (off_t at = 0;;) {
            const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), at);
            if (n <= 0) break;
            const std::uint8_t* p = buffer.data();
            const std::uint8_t* end = p + n;
            while (scan && (p = static_cast<const std::uint8_t*>(std::memchr(
                                p, 0xA4, static_cast<std::size_t>(end - p)))) != nullptr) {
                ++found;
                ++p;
            }
            at += n;
        }
        benchmark::DoNotOptimize(found);
    }
    ::close(fd);
}
BENCHMARK(ReadAndMemchr)
    ->Name(kSearchFloor)
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

std::string SearchBenchFile(std::size_t mib) {
    const std::string path = ScratchPath("search-" + std::to_string(mib) + "MiB.bin");
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 ||
        static_cast<std::uint64_t>(info.st_size) != std::uint64_t{mib} << 20) {
        WriteSearchFile(path, mib);
    }
    return path;
}

int SearchAndPrintPeakRss(const std::string& path) {
    const auto file = GameFile::Open(path);
    if (!file) return 1;
    const std::atomic<bool> cancel{false};
    // The harder case: every set, the user's included.
    if (!PreparedOverAllSets(LetterWidth::OneByte).Run(file.value(), cancel)) return 1;
    std::printf("%ld\n", OwnPeakRssKb());
    return 0;
}

long OwnPeakRssKb() {
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;) {
        if (key == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 20, '\n');
    }
    return -1;
}

long SearchPeakRssKb(const std::string& path) {
    return ChildPeakRssKb(std::string(kSearchPeakRssFlag) + path);
}

long ChildPeakRssKb(const std::string& flag) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::execl("/proc/self/exe", "glyphwright_bench", flag.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    char text[64] = {};
    const ssize_t n = child > 0 ? ::read(pipeEnds[0], text, sizeof text - 1) : -1;
    ::close(pipeEnds[0]);
    int status = 0;
    if (child > 0) ::waitpid(child, &status, 0);
    return n > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? std::atol(text) : -1;
}

}  // namespace glyphwright::bench
