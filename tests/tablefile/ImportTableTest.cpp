#include <gtest/gtest.h>

#include "core/text/EucJp.h"
#include "tablefile/ImportTable.h"
#include "tablefile/TableFormat.h"

namespace glyphwright {
namespace {

using Kind = ImportProblem::Kind;

// A table of every sort of entry: kana, kanji, ASCII, an end code and a line break.
struct Sample {
    CodeTable table{};
    EntryKinds kinds{};
    Sample() {
        table[0x10] = std::string("あ");
        table[0x11] = std::string("漢字");
        table[0x12] = "!?";
        table[0x13] = std::string("ー");  // its Shift-JIS trail byte is 5B, '['
        table[0xFE] = "";
        kinds[0xFE] = EntryKind::LineBreak;
        table[0xFF] = "end";
        kinds[0xFF] = EntryKind::EndCode;
    }
    [[nodiscard]] std::vector<std::pair<TableCode, TableEntry>> Entries() const {
        std::vector<std::pair<TableCode, TableEntry>> entries;
        for (int code = 0; code < kCodeCount; ++code) {
            const auto slot = static_cast<ByteCode>(code);
            if (!table[slot].empty() || kinds[slot] != EntryKind::Ordinary)
                entries.emplace_back(TableCode::OneByte(slot),
                                     TableEntry{table[slot], kinds[slot]});
        }
        return entries;
    }
};

// What we write, read back by the same rules, gives the same table, in each format; the format
// is found from the file alone.
TEST(ImportTableTest, WhatWeWriteReadsBackTheSameInEachFormat) {
    const Sample sample;
    for (const TableFormat format : {TableFormat::Utf8, TableFormat::ShiftJis}) {
        const std::string file =
            FormatTable(sample.table, 0x10, 0xFF, format, sample.kinds).value();
        const ImportedTable read = ImportTable(file);
        EXPECT_EQ(read.format, format);
        EXPECT_TRUE(read.problems.empty());
        EXPECT_EQ(read.entries, sample.Entries());
    }
    // The classic file writes every code 00-0F and an end code's label as text: the entries of
    // the range come back, as ordinary text.
    CodeTable classicTable = sample.table;
    const std::string classic = FormatTable(classicTable, 0x10, 0x13, TableFormat::Classic).value();
    const ImportedTable read = ImportTable(classic);
    EXPECT_EQ(read.format, TableFormat::Classic);
    EXPECT_TRUE(read.problems.empty());
    ASSERT_EQ(read.entries.size(), 4U);
    EXPECT_EQ(read.entries[1].second.text, sample.table[0x11]);
}

TEST(ImportTableTest, AnyLineEndAByteOrderMarkAndAnOverriddenFormat) {
    const std::string utf8 = "10=\xE3\x81\x82";  // あ
    for (const char* end : {"\n", "\r\n", "\r\r\n", "\r"}) {
        const ImportedTable read = ImportTable("\xEF\xBB\xBF" + utf8 + end + "11=b" + end);
        EXPECT_EQ(read.format, TableFormat::Utf8) << end;
        ASSERT_EQ(read.entries.size(), 2U) << end;
        EXPECT_EQ(read.entries[0].second.text, std::string("あ"));
    }
    // Each lone CR ends a line of its own, so a line after an empty one keeps its number.
    const ImportedTable bare = ImportTable("10=a\r\rbad\r12=c\r");
    ASSERT_EQ(bare.entries.size(), 2U);
    ASSERT_EQ(bare.problems.size(), 1U);
    EXPECT_EQ(bare.problems[0].line, 3);
    // Read as Shift-JIS, the same bytes are other characters.
    const ImportedTable forced = ImportTable("10=\x82\xA0\n", TableFormat::ShiftJis);
    ASSERT_EQ(forced.entries.size(), 1U);
    EXPECT_EQ(forced.entries[0].second.text, std::string("あ"));
}

// Everything that cannot be taken is listed with its line; the rest is taken.
TEST(ImportTableTest, WhatCannotBeTakenIsListedWithItsLineNumber) {
    const ImportedTable read = ImportTable(
        "10=a\n"
        "nonsense\n"
        "10=b\n"
        "123456=c\n"
        "(8000h)Title\n"
        "*FF\n"
        "11=\xF0\x9F\x98\x80\n"  // an emoji, which EUC-JP lacks: taken all the same
        "/12=end\n"
        "\n"
        "13=d\n");
    ASSERT_EQ(read.entries.size(), 3U);
    EXPECT_EQ(read.entries[1].second.text, "\xF0\x9F\x98\x80");
    EXPECT_EQ(read.entries[2].first, TableCode::OneByte(0x13));
    const std::vector<std::pair<int, Kind>> expected = {
        {2, Kind::BadLine},   {3, Kind::DuplicateCode}, {4, Kind::AboveFFFF}, {5, Kind::Directive},
        {6, Kind::Directive}, {8, Kind::BadLine}};
    ASSERT_EQ(read.problems.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(read.problems[i].line, expected[i].first) << i;
        EXPECT_EQ(read.problems[i].kind, expected[i].second) << i;
    }
}

// A table of both widths comes back as written, each entry at its code with its kind; "0080" is a
// two-byte code, not 80.
TEST(ImportTableTest, AMixedTableComesBackWithEveryCodeAtItsWidth) {
    const ImportedTable read = ImportTable(
        "0080=\xE3\x81\x82\n"  // あ
        "80=b\n"
        "8140=\xE4\xBA\x9C\n"  // 亜
        "/81FF=[end]\n"
        "FE01=\\n\n");
    EXPECT_TRUE(read.problems.empty());
    const std::vector<std::pair<TableCode, TableEntry>> expected = {
        {TableCode::TwoByte(0x0080), {std::string("あ")}},
        {TableCode::OneByte(0x80), {"b"}},
        {TableCode::TwoByte(0x8140), {std::string("亜")}},
        {TableCode::TwoByte(0x81FF), {"end", EntryKind::EndCode}},
        {TableCode::TwoByte(0xFE01), {"", EntryKind::LineBreak}},
    };
    EXPECT_EQ(read.entries, expected);
}

}  // namespace
}  // namespace glyphwright
