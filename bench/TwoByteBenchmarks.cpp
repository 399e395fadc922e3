// The game text through a table of two-byte codes: a 4 KiB page read with the longest match first.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/text/CodeReader.h"

namespace glyphwright::bench {
namespace {

constexpr int kTwoByteEntries = 8000;

// 128 one-byte codes 00-7F and 8,000 two-byte codes from 8800 on, each a kanji (from U+4E00 on,
// in UTF-8 as the entries hold text), as a kanji game's table holds them.
struct KanjiTable {
    CodeTable oneByte{};
    EntryKinds kinds{};
    TwoByteTable twoByte;
    std::vector<std::uint8_t> page;  // 4 KiB: nine codes in ten two-byte, the rest one-byte

    KanjiTable() {
        for (int code = 0; code < 0x80; ++code) {
            oneByte[static_cast<std::size_t>(code)] =
                std::string(1, static_cast<char>('!' + code % 90));
        }
        for (int i = 0; i < kTwoByteEntries; ++i) {
            const unsigned kanji = 0x4E00U + static_cast<unsigned>(i);
            twoByte[static_cast<std::uint16_t>(0x8800 + i)] = {
                std::string{static_cast<char>(0xE0U | (kanji >> 12)),
                            static_cast<char>(0x80U | ((kanji >> 6) & 0x3FU)),
                            static_cast<char>(0x80U | (kanji & 0x3FU))}};
        }
        std::mt19937 random(4096);
        std::uniform_int_distribution<int> entry(0, kTwoByteEntries - 1);
        while (page.size() < 4096) {
            if (random() % 10 == 0) {
                page.push_back(static_cast<std::uint8_t>(random() % 0x80));
                continue;
            }
            const int code = 0x8800 + entry(random);
            page.push_back(static_cast<std::uint8_t>(code >> 8));
            page.push_back(static_cast<std::uint8_t>(code & 0xFF));
        }
        page.resize(4096);
    }
};

// The page read and the text of each code taken: what the game text does for a page.
std::size_t ReadPage(const CodeReader& reader, const KanjiTable& table) {
    const std::vector<CodeToken> tokens = reader.Read(table.page);
    std::size_t characters = 0;
    for (const CodeToken& token : tokens) characters += token.text.size();
    return characters;
}

// Arg 0: a page read through a reader made once for the table, as when the user
// pages through the game; arg 1: the reader made for the table alone, as when the table changes;
// arg 2: both, a table changed and the page read again.
void DecodeTwoBytePage(benchmark::State& state) {
    const KanjiTable table;
    const CodeReader kept(table.oneByte, table.kinds, table.twoByte);
    std::size_t characters = 0;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            characters = ReadPage(kept, table);
        } else {
            const CodeReader reader(table.oneByte, table.kinds, table.twoByte);
            benchmark::DoNotOptimize(&reader);
            if (state.range(0) == 2) characters = ReadPage(reader, table);
        }
        benchmark::DoNotOptimize(characters);
    }
    // The page must have been read through the table.
    if (state.range(0) != 1 && characters == 0) std::abort();
}
BENCHMARK(DecodeTwoBytePage)->Name(kDecodeTwoBytePage)->Arg(0)->Arg(1)->Arg(2)->UseRealTime();

}  // namespace
}  // namespace glyphwright::bench
