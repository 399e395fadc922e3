#include "core/dictionary/FindDictionary.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "core/text/EucJp.h"
#include "support/DictionaryGame.h"

namespace glyphwright {
namespace {

using testing::DictionaryGame;
using testing::MakeDictionaryGame;

const char* Name(DictionaryLayout layout) {
    switch (layout) {
        case DictionaryLayout::Pairs: return "pairs";
        case DictionaryLayout::TwoArrays: return "two arrays";
        case DictionaryLayout::EndedEntries: return "ended entries";
        case DictionaryLayout::LengthPrefixed: return "length-prefixed";
        case DictionaryLayout::PointerTable: return "pointer table";
    }
    return "?";
}

class DictionaryLayouts : public ::testing::TestWithParam<DictionaryLayout> {};

// The aim: on a 16 MiB game, at least 95 % of the 128 entries right, in the layout the game uses,
// where the game keeps it, and few proposals that are wrong.
TEST_P(DictionaryLayouts, FindsNearlyEveryEntryOfA16MiBGame) {
    const DictionaryGame game = MakeDictionaryGame(GetParam(), 16u << 20);
    ASSERT_EQ(game.truth.size(), 128u);
    const std::atomic<bool> never{false};
    const auto started = std::chrono::steady_clock::now();
    const auto findings = FindDictionary(game.bytes, game.table, never);
    const auto took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
    ASSERT_TRUE(findings);
    ASSERT_FALSE(findings.value().found.empty());
    const FoundDictionary& best = findings.value().found.front();
    const int right = testing::RightEntries(game, best);
    std::printf("%s: %d of 128 right, %zu proposed, certainty %.2f, %.2f s\n", Name(GetParam()),
                right, best.entries.size(), best.certainty, took.count());
    EXPECT_EQ(best.layout, GetParam());
    // A stray letter before the entries may read as part of the first one.
    EXPECT_LE(best.offset, game.dictionaryOffset);
    EXPECT_GE(best.offset + 2, game.dictionaryOffset);
    EXPECT_GE(right, 122);
    EXPECT_LE(static_cast<int>(best.entries.size()) - right, 6);
    EXPECT_GT(best.knownAfter, best.knownBefore);
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, DictionaryLayouts,
                         ::testing::Values(DictionaryLayout::Pairs, DictionaryLayout::TwoArrays,
                                           DictionaryLayout::EndedEntries,
                                           DictionaryLayout::LengthPrefixed,
                                           DictionaryLayout::PointerTable));

// The search stops when asked, and says so instead of handing back half a finding.
TEST(FindDictionary, StopsWhenCancelled) {
    const DictionaryGame game = MakeDictionaryGame(DictionaryLayout::Pairs, 4u << 20);
    const std::atomic<bool> stop{true};
    int last = -1;
    const auto findings =
        FindDictionary(game.bytes, game.table, stop, [&](int percent) { last = percent; });
    EXPECT_FALSE(findings);
    EXPECT_LT(last, 100);
}

// A table that already holds every code the script uses leaves nothing to find; and one that
// holds none of the dictionary's letters gives nothing to read a dictionary with.
TEST(FindDictionary, FindsNothingWhereNothingIsMissingOrNoLettersAreKnown) {
    DictionaryGame game = MakeDictionaryGame(DictionaryLayout::Pairs, 4u << 20);
    const std::atomic<bool> never{false};
    LetterTable whole = game.table;
    for (const auto& [code, text] : game.truth) {
        whole.text[code] = text;
        whole.held.set(code);
    }
    for (int code = 0; code < kCodeCount; ++code) whole.held.set(static_cast<std::size_t>(code));
    const auto complete = FindDictionary(game.bytes, whole, never);
    ASSERT_TRUE(complete);
    EXPECT_TRUE(complete.value().missing.empty());
    EXPECT_TRUE(complete.value().found.empty());

    const auto empty = FindDictionary(game.bytes, LetterTable{}, never);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty.value().found.empty());
}

// The table is read through one adapter: entries become letters, end codes and line breaks are
// held without being letters.
TEST(LetterTableOf, ReadsLettersAndHeldCodes) {
    CodeTable oneByte{};
    EntryKinds kinds{};
    oneByte[0x10] = "あ";
    oneByte[0x11] = "てき";
    oneByte[0x00] = "end";
    kinds[0x00] = EntryKind::EndCode;
    const LetterTable table = LetterTableOf(oneByte, kinds);
    EXPECT_EQ(table.text[0x10], "あ");
    EXPECT_EQ(table.text[0x11], "てき");
    EXPECT_TRUE(table.Holds(0x00));
    EXPECT_FALSE(table.IsLetter(0x00));
    EXPECT_FALSE(table.Holds(0x13));
}

}  // namespace
}  // namespace glyphwright
