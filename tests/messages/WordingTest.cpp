#include <gtest/gtest.h>

#include <QString>

#include "CodeMapMessages.h"
#include "FindFontMessages.h"
#include "ImportTableMessages.h"
#include "MakeTableMessages.h"
#include "SetsMessages.h"
#include "core/table/CodeMap.h"
#include "core/table/TableCode.h"
#include "tablefile/TableFormat.h"

namespace glyphwright {
namespace {

// No translation is loaded, so the English plurals must come from the texts themselves: "1 text"
// and "2 texts", never "1 texts" or "2 set(s)".
TEST(WordingTest, CountsAgreeWithTheirNouns) {
    EXPECT_EQ(SetsMessages::SetMemberCount(1), QStringLiteral("1 member"));
    EXPECT_EQ(SetsMessages::SetMemberCount(3), QStringLiteral("3 members"));
    EXPECT_EQ(SetsMessages::SetsImported(1, QStringLiteral("a.txt")),
              QStringLiteral("1 set imported from a.txt."));
    EXPECT_EQ(SetsMessages::SetsExported(2, QStringLiteral("a.txt")),
              QStringLiteral("2 sets exported to a.txt."));
    EXPECT_EQ(CodeMapMessages::CodeMapLegendCodes(1), QStringLiteral("1 code on the map"));
    EXPECT_EQ(CodeMapMessages::CodeMapLegendCodes(0), QStringLiteral("0 codes on the map"));
    EXPECT_EQ(
        CodeMapMessages::CodeMapDuplicates({}, 1),
        QStringLiteral("The same text at more than one code: 1 text; point here for the list."));
    EXPECT_EQ(
        CodeMapMessages::CodeMapDuplicates({}, 2),
        QStringLiteral("The same text at more than one code: 2 texts; point here for the list."));
    EXPECT_EQ(ImportTableMessages::ImportTheRest(1),
              QStringLiteral("Import the other entry? No imports nothing."));
    EXPECT_EQ(ImportTableMessages::ImportTheRest(12),
              QStringLiteral("Import the other 12 entries? No imports nothing."));
    EXPECT_EQ(FindFontMessages::Found(1, 1),
              QStringLiteral("1 candidate, best first; 1 packed stream. Open one to see it in "
                             "the Font window."));
    EXPECT_EQ(FindFontMessages::Found(2, 0),
              QStringLiteral("2 candidates, best first; 0 packed streams. Open one to see it in "
                             "the Font window."));
    EXPECT_EQ(FindFontMessages::CandidatePacked(QStringLiteral("lz10"), QStringLiteral("9A000"),
                                                QStringLiteral("1bpp 8x8"), 1),
              QStringLiteral("In the lz10 stream at 9A000: 1bpp 8x8, 1 glyph"));
    EXPECT_EQ(FindFontMessages::CandidateRaw(QStringLiteral("40"), QStringLiteral("8bpp 8x8"), 3),
              QStringLiteral("At 40: 8bpp 8x8, 3 glyphs"));
}

// Lists of codes: commas between all but the last two, "and" before the last, and each text's
// list apart from the next.
TEST(WordingTest, ListsOfCodesReadAsSentences) {
    const QList<QPair<QString, QList<int>>> twice = {
        {QStringLiteral("あ"), {0x00, 0x32}},
        {QStringLiteral("い"), {0x01, 0x33, 0xA0}},
    };
    EXPECT_EQ(CodeMapMessages::CodeMapDuplicates(twice, 0),
              QStringLiteral("The same text at more than one code: あ at 00 and 32; "
                             "い at 01, 33 and A0."));
    EXPECT_EQ(CodeMapMessages::CodeMapDuplicates(twice, 1),
              QStringLiteral("The same text at more than one code: あ at 00 and 32; "
                             "い at 01, 33 and A0; and 1 more."));
    EXPECT_EQ(CodeMapMessages::CodeMapDuplicatesList(twice),
              QStringLiteral("あ at 00 and 32\nい at 01, 33 and A0"));

    // The table's own codes, one byte or two, as the file writes them.
    const std::vector<DuplicateText> written = {
        {"あ", {TableCode::OneByte(0x10), TableCode::TwoByte(0x8140)}},
        {"\xFF", {TableCode::OneByte(0x11), TableCode::OneByte(0x12)}},
    };
    EXPECT_EQ(MakeTableMessages::DuplicateWarning(written),
              QStringLiteral("The table was written, but the same text stands at more than one "
                             "code: あ at 10 and 8140; the bytes FF at 11 and 12. Programs that "
                             "insert text disagree about which of those codes they write."));
}

// What a file cannot hold is said in one message, every problem in it; bytes that are no text
// are named as bytes, not quoted as characters.
TEST(WordingTest, EveryProblemOfAFileInOneMessage) {
    FormatError refused{0x10, FormatError::Kind::Unconvertible, "\xFF"};
    EXPECT_EQ(MakeTableMessages::Failure(refused),
              QStringLiteral("The entry at code 10 cannot be written in the chosen format: it "
                             "has no code for the bytes FF. Choose another format, or change the "
                             "entry. No file was written."));
    refused.character = "丂";
    refused.others = {FormatError{0x11, FormatError::Kind::LineBreak, "\n"},
                      FormatError{0x12, FormatError::Kind::Markup, "]"}};
    EXPECT_EQ(MakeTableMessages::Failure(refused),
              QStringLiteral("The entry at code 10 cannot be written in the chosen format: it "
                             "has no code for \"丂\". Choose another format, or change the entry. "
                             "The entry at code 11 holds a line break, which would split its line "
                             "for every program that reads the file. The label of the end code 12 "
                             "holds \"]\", which would end or open again the brackets the file "
                             "writes the label in. Choose another character. No file was "
                             "written."));
    for (int code = 0x13; code < 0x16; ++code) {
        refused.others.push_back(FormatError{static_cast<ByteCode>(code),
                                             FormatError::Kind::ControlCharacter, "\x01"});
    }
    // The kinds' own problems too, with the closing sentence said once.
    const FormatError kinds{0xFE, FormatError::Kind::UnlabelledLineBreak, {}, {}, {0xFE}};
    EXPECT_EQ(MakeTableMessages::Failure(kinds).count(QStringLiteral("No file was written.")), 1)
        << MakeTableMessages::Failure(kinds).toStdString();
    const QString many = MakeTableMessages::Failure(refused);
    EXPECT_TRUE(many.contains(QStringLiteral("code 14 holds the control character 01")));
    EXPECT_FALSE(many.contains(QStringLiteral("code 15")));
    EXPECT_TRUE(many.endsWith(QStringLiteral(
        "One more entry cannot be written either. No file was written.")));

    EXPECT_EQ(MakeTableMessages::AngleBracketWarning({TableCode(0x3C), TableCode(0x3E)}),
              QStringLiteral("The table was written, but the entries at codes 3C, 3E hold \"<\" "
                             "or \">\": abcde takes them for its own markup and refuses a table "
                             "that holds them. The other programs that read tables insert them "
                             "as text."));
}

}  // namespace
}  // namespace glyphwright
