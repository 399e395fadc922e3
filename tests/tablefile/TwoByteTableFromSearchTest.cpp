// A two-byte table from the relative search to the file: a stand-in game stores its kana as
// 16-bit values from 8000, low byte first; the search finds the word, its start becomes a two-byte
// start code, and the table written in UTF-8 reads the game's text back, longest match first.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/sets/BuiltInSets.h"
#include "core/text/CodeReader.h"
#include "core/table/Document.h"
#include "core/table/DocumentCommand.h"
#include "core/text/EucJp.h"
#include "core/search/HitStart.h"
#include "core/search/RelativeSearch.h"
#include "support/TempFolder.h"
#include "tablefile/MakeTable.h"
#include "tablefile/TableFormat.h"

namespace glyphwright {
namespace {

// A start fits one byte as before; past FF, two bytes per letter give a two-byte code stored in
// the order the letters were read in, and one byte per letter gives none.
TEST(TwoByteTableFromSearch, AStartPastFFIsATwoByteCodeInTheLettersOrder) {
    EXPECT_EQ(UsableStart(0x40, 26, LetterWidth::OneByte), (HitStart{0x40, {}}));
    EXPECT_EQ(UsableStart(0x40, 26, LetterWidth::TwoBytesLittleEndian), (HitStart{0x40, {}}));
    EXPECT_EQ(UsableStart(0xF0, 26, LetterWidth::OneByte), std::nullopt);
    EXPECT_EQ(UsableStart(0xF0, 26, LetterWidth::TwoBytesBigEndian),
              (HitStart{TableCode::TwoByte(0x00F0), CodeOrder::BigEndian}));
    EXPECT_EQ(UsableStart(0x8000, 50, LetterWidth::TwoBytesLittleEndian),
              (HitStart{TableCode::TwoByte(0x0080), CodeOrder::LittleEndian}));
    EXPECT_EQ(UsableStart(0xFFF0, 26, LetterWidth::TwoBytesBigEndian), std::nullopt);
    EXPECT_EQ(UsableStart(-1, 26, LetterWidth::TwoBytesBigEndian), std::nullopt);
}

TEST(TwoByteTableFromSearch, TheFileWrittenReadsTheGameBack) {
    const CharacterSet& hiragana = *FindBuiltInSet("Hiragana");
    const auto place = [&hiragana](const char* kana) {
        const std::string bytes = EncodeEucJp(kana).value();
        for (std::size_t k = 0; k < hiragana.size(); ++k) {
            if (hiragana.member(k) == bytes) return static_cast<int>(k);
        }
        throw std::runtime_error("no such kana");
    };
    // Noise, then "さくらもち" and the end code FF, each letter the value 8000 + its place, low
    // byte first.
    std::string game(37, '\x11');
    const std::vector<const char*> word = {"さ", "く", "ら", "も", "ち"};
    for (const char* kana : word) {
        const int value = 0x8000 + place(kana);
        game += static_cast<char>(value & 0xFF);
        game += static_cast<char>(value >> 8);
    }
    game += '\xFF';
    test::TempFolder folder;
    test::WriteBytes(folder / "game.bin", game);
    const GameFile file = GameFile::Open(folder / "game.bin").value();

    const auto search = RelativeSearch::Prepare("さくらもち", LetterWidth::TwoBytesLittleEndian);
    ASSERT_TRUE(search.ok());
    const std::atomic<bool> cancel{false};
    const auto found = search.value().Run(file, cancel);
    ASSERT_TRUE(found.ok());
    const HitGroup* group = nullptr;
    for (const HitGroup& candidate : found.value().groups) {
        if (search.value().Sets()[candidate.set].name == "Hiragana") group = &candidate;
    }
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->firstOffset, 37U);
    const auto start = UsableStart(group->start, hiragana.size(), search.value().Width());
    ASSERT_EQ(start, (HitStart{TableCode::TwoByte(0x0080), CodeOrder::LittleEndian}));

    // As the windows would: the set on its start, the byte order the hit needs, an end code.
    Document document;
    DocumentCommand::IncludeSet(document, "Hiragana", std::optional(start->code)).Do(document);
    DocumentCommand::SetCodeOrder(document, *start->order).Do(document);
    DocumentCommand::PutEntry(document, 0xFF, {"end", EntryKind::EndCode}, "end").Do(document);
    Workspace table = document.Table();
    ASSERT_TRUE(ComposeTable(table, document.Order(), "00", document.TwoByteOrder()).ok());
    const auto written = FormatTable(table.TableText.Texts(), table.CurrentCode, table.LastCode,
                                     TableFormat::Utf8, table.TableText.Kinds(), table.TableText.TwoByte());
    ASSERT_TRUE(written.ok());
    const std::string& utf8 = written.value();
    EXPECT_TRUE(utf8.starts_with("0080=あ\n0180=い\n0280=う\n"));
    EXPECT_TRUE(utf8.ends_with("3180=ょ\n/FF=[end]\n"));
    EXPECT_EQ(std::count(utf8.begin(), utf8.end(), '\n'), 51);

    const CodeReader reader(table.TableText.Texts(), table.TableText.Kinds(), table.TableText.TwoByte());
    std::string read;
    for (const CodeToken& token : reader.Read(std::span(
             reinterpret_cast<const std::uint8_t*>(game.data()) + 37, game.size() - 37))) {
        read += token.kind == EntryKind::EndCode ? "[" + std::string(token.text) + "]"
                                                 : std::string(token.text);
    }
    EXPECT_EQ(read, "さくらもち[end]");
}

}  // namespace
}  // namespace glyphwright
