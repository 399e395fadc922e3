#include <gtest/gtest.h>

#include "support/EntryKinds.h"
#include "tablefile/ImportTable.h"
#include "tablefile/TableFormat.h"

namespace glyphwright {
namespace {

using Kind = ImportProblem::Kind;

using test::Linked;
using test::Switch;

// Every kind: text of one byte and two, a switch to a further table and one back, a linked
// entry, line breaks with and without a label and an end code, in two tables.
Workspace EveryKind(bool bareLineBreak) {
    Workspace workspace;
    workspace.TableId = "main";
    TableEntries& table = workspace.TableText;
    table.Put(0x10, {"あ"});
    table.Put(TableCode::TwoByte(0x8140), {"亜"});
    table.Put(0xF0, Switch("kanji", 0));
    table.Put(0xF5, Linked("color", 1));
    if (bareLineBreak) table.Put(0xFD, {"", EntryKind::LineBreak});
    table.Put(0xFE, {"[line]", EntryKind::LineBreak});
    table.Put(0xFF, {"end", EntryKind::EndCode});
    TableEntries kanji;
    kanji.Put(0x10, {"漢"});
    kanji.Put(0x11, {"字"});
    kanji.Put(0xFF, Switch("main", 2));
    workspace.FurtherTables.push_back({"kanji", kanji});
    return workspace;
}

Workspace Imported(const ImportedTable& read) {
    Workspace workspace;
    for (const auto& [code, entry] : read.entries) workspace.TableText.Put(code, entry);
    workspace.PutTables(read.id, read.further);
    return workspace;
}

// Written, imported and written again: the same bytes, and the same tables.
void ExpectRoundTrip(const Workspace& workspace, TableFormat format) {
    const auto written = FormatTable(workspace, format);
    ASSERT_TRUE(written.ok()) << FormatName(format);
    const ImportedTable read = ImportTable(written.value());
    EXPECT_TRUE(read.problems.empty()) << FormatName(format) << ": " << read.problems[0].text;
    const Workspace back = Imported(read);
    const auto again = FormatTable(back, format);
    ASSERT_TRUE(again.ok()) << FormatName(format);
    EXPECT_EQ(again.value(), written.value()) << FormatName(format);
    EXPECT_EQ(back.TableId, workspace.TableId);
    ASSERT_EQ(back.FurtherTables.size(), workspace.FurtherTables.size());
}

TEST(TableKindsTest, TheStandardsSpellingsInUtf8RoundTrip) {
    const Workspace workspace = EveryKind(true);
    EXPECT_EQ(FormatTable(workspace, TableFormat::Utf8).value(),
              "@main\n"
              "10=あ\n"
              "8140=亜\n"
              "!F0=kanji,0\n"
              "$F5=[color],1\n"
              "FD=\\n\n"
              "FE=[line]\\n\n"
              "/FF=[end]\n"
              "@kanji\n"
              "10=漢\n"
              "11=字\n"
              "!FF=main,2\n");
    ExpectRoundTrip(workspace, TableFormat::Utf8);
    // Read back, every field of every kind is as it was.
    const Workspace back = Imported(ImportTable(FormatTable(workspace, TableFormat::Utf8).value()));
    EXPECT_EQ(back.TableText, workspace.TableText);
    EXPECT_EQ(back.FurtherTables, workspace.FurtherTables);
}

TEST(TableKindsTest, ShiftJisHoldsTheSameKindsInItsOwnBytes) {
    const Workspace workspace = EveryKind(true);
    const std::string file = FormatTable(workspace, TableFormat::ShiftJis).value();
    EXPECT_EQ(file.substr(0, 23), "@main\r\n10=\x82\xA0\r\n8140=\x88\x9F\r\n");
    EXPECT_NE(file.find("\r\n$F5=[color],1\r\nFD=\\n\r\nFE=[line]\\n\r\n"), std::string::npos);
    ExpectRoundTrip(workspace, TableFormat::ShiftJis);
}

TEST(TableKindsTest, AbcdeSpellsSwitchesAndRawParametersItsOwnWay) {
    Workspace workspace = EveryKind(false);
    workspace.FurtherTables[0].entries.Put(0xFF, Switch("main", 2, "back"));
    EXPECT_EQ(FormatTable(workspace, TableFormat::Abcde).value(),
              "@main\n"
              "10=あ\n"
              "8140=亜\n"
              "!F0=,<@kanji>:0\n"
              "!F5=<[color]>,1\n"
              "FE=[line]\\n\n"
              "/FF=[end]\n"
              "@kanji\n"
              "10=漢\n"
              "11=字\n"
              "!FF=<[back]>,<@main>:2\n");
    ExpectRoundTrip(workspace, TableFormat::Abcde);
    const Workspace back =
        Imported(ImportTable(FormatTable(workspace, TableFormat::Abcde).value()));
    EXPECT_EQ(back.FurtherTables, workspace.FurtherTables);  // the switch's label too
    EXPECT_EQ(back.TableText.At(0xF5), Linked("color", 1));
}

// abcde names the table an "@id" line follows when it has no id yet, making the first table and
// the next one table (and refusing codes both hold): the first of several is always named.
TEST(TableKindsTest, AbcdeNamesTheFirstOfSeveralTables) {
    Workspace workspace = EveryKind(false);
    workspace.TableId.clear();
    workspace.FurtherTables[0].entries.Put(0xFF, {"end", EntryKind::EndCode});  // no way back
    const std::string written = FormatTable(workspace, TableFormat::Abcde).value();
    EXPECT_TRUE(written.starts_with("@main\n10=あ\n")) << written;
    EXPECT_EQ(FormatTable(Imported(ImportTable(written)), TableFormat::Abcde).value(), written);
    workspace.FurtherTables.push_back({"main", {}});
    EXPECT_TRUE(FormatTable(workspace, TableFormat::Abcde).value().starts_with("@main2\n"));
    // The other formats write no id that is not there; nor does abcde for one table alone.
    workspace.FurtherTables.pop_back();
    EXPECT_TRUE(FormatTable(workspace, TableFormat::Utf8).value().starts_with("10=あ\n"));
    workspace.FurtherTables.clear();
    workspace.TableText.Put(0xF0, {});
    EXPECT_TRUE(FormatTable(workspace, TableFormat::Abcde).value().starts_with("10=あ\n"));
}

// abcde drops a bare line break when it inserts, so the script could never get it back: every
// such code is named, and nothing is written.
TEST(TableKindsTest, AbcdeRefusesLineBreaksWithNoLabelNamingThemAll) {
    Workspace workspace = EveryKind(true);
    workspace.TableText.Put(0x0A, {"\\n", EntryKind::LineBreak});  // as the classic file shows it
    const auto refused = FormatTable(workspace, TableFormat::Abcde);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().kind, FormatError::Kind::UnlabelledLineBreak);
    EXPECT_EQ(refused.error().codes, (std::vector<TableCode>{0x0A, 0xFD}));
}

// The classic file holds none of the new kinds nor further tables: every such code and table is
// named in one refusal, whatever range was laid.
TEST(TableKindsTest, TheClassicFileRefusesTheKindsNamingEveryCode) {
    Workspace workspace = EveryKind(false);
    workspace.TableText.Put(TableCode::TwoByte(0x8140), {});
    workspace.CurrentCode = 0x10;
    workspace.LastCode = 0x10;
    const auto refused = FormatTable(workspace, TableFormat::Classic);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().kind, FormatError::Kind::NotClassic);
    EXPECT_EQ(refused.error().codes, (std::vector<TableCode>{0xF0, 0xF5}));
    EXPECT_EQ(refused.error().tables, std::vector<std::string>{"kanji"});
    EXPECT_EQ(ClassicCannotHold(workspace)->codes, refused.error().codes);
    // Without them the same table is a classic file again.
    workspace.FurtherTables.clear();
    workspace.TableText.Put(0xF0, {});
    workspace.TableText.Put(0xF5, {});
    EXPECT_TRUE(FormatTable(workspace, TableFormat::Classic).ok());
}

// A switch to a table the file would not hold is refused, naming the code and the id.
TEST(TableKindsTest, ASwitchToATableTheFileLacksIsRefused) {
    Workspace workspace = EveryKind(true);
    workspace.FurtherTables.clear();
    const auto refused = FormatTable(workspace, TableFormat::Utf8);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().kind, FormatError::Kind::UnknownTable);
    EXPECT_EQ(refused.error().code, TableCode(0xF0));
    EXPECT_EQ(refused.error().character, "kanji");
}

// A hand-written table in either spelling, with a byte-order mark, comments and CR LF, comes in
// whole.
TEST(TableKindsTest, HandWrittenTablesInEitherSpellingAreRead) {
    const ImportedTable read = ImportTable(
        "\xEF\xBB\xBF# a comment\r\n"
        "10=a\r\n"
        "!F0=<[kanji]>,<@Kanji_2>:3\r\n"
        "!F1=,4\r\n"
        "$F2=[wait],2\r\n"
        "FE=new\\n\r\n"
        "\r\n"
        "@Kanji_2\r\n"
        "#\r\n"
        "10=b\r\n"
        "!11=main.table,0\r\n"
        "@main.table\r\n");
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.id, "");
    const std::vector<std::pair<TableCode, TableEntry>> expected = {
        {0x10, {"a"}},
        {0xF0, Switch("Kanji_2", 3, "kanji")},
        {0xF1, Linked("", 4)},
        {0xF2, Linked("wait", 2)},
        {0xFE, {"new", EntryKind::LineBreak}}};
    EXPECT_EQ(read.entries, expected);
    ASSERT_EQ(read.further.size(), 2U);
    EXPECT_EQ(read.further[0].id, "Kanji_2");
    EXPECT_EQ(read.further[0].entries.At(0x11), Switch("main.table", 0));
    EXPECT_FALSE(read.further[1].entries.HoldsAny());
}

// Each line that cannot be taken is named with its line and why; the rest comes in, and a switch
// that was not taken leaves no entry behind.
TEST(TableKindsTest, WhatCannotBeTakenIsNamedByLine) {
    const ImportedTable read = ImportTable(
        "@main\n"                     // 1
        "!F0=nowhere,0\n"             // 2 no such table
        "!F1=main,0\n"                // 3 its own table: would never end
        "!F2=kanji,-1\n"              // 4 negative
        "!F3=kanji,99999999999999\n"  // 5 huge
        "$F4=[color],0\n"             // 6 no parameter
        "$F5=[color],256\n"           // 7 too many
        "$F6=color,1\n"               // 8 no brackets
        "!F7=,<@kanji>:$AB\n"         // 9 abcde's other match types
        "!F8=bad id,1\n"              // 10
        "!F9=kanji,1\n"               // 11 taken
        "@kanji\n"                    // 12
        "10=x\n"                      // 13
        "@\n"                         // 14 no id
        "11=lost\n"                   // 15 under no table: not taken
        "@kanji\n"                    // 16 twice
        "12=lost\n");                 // 17
    const std::vector<std::pair<int, Kind>> expected = {
        {2, Kind::UnknownTable}, {3, Kind::OwnTable},       {4, Kind::BadCount},
        {5, Kind::BadCount},     {6, Kind::BadCount},       {7, Kind::BadCount},
        {8, Kind::BadLine},      {9, Kind::Directive},      {10, Kind::BadLine},
        {14, Kind::BadTableId},  {16, Kind::DuplicateTable}};
    ASSERT_EQ(read.problems.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(read.problems[i].line, expected[i].first) << i;
        EXPECT_EQ(read.problems[i].kind, expected[i].second) << i;
    }
    EXPECT_EQ(read.problems[0].text, "!F0=nowhere,0");
    ASSERT_EQ(read.entries.size(), 1U);
    EXPECT_EQ(read.entries[0].first, TableCode(0xF9));
    ASSERT_EQ(read.further.size(), 1U);
    EXPECT_EQ(read.further[0].entries.At(0x10).text, "x");
    EXPECT_FALSE(read.further[0].entries.At(0x11).Holds());
    EXPECT_FALSE(read.further[0].entries.At(0x12).Holds());
}

// Switches that lead round through tables, each until a code the next lacks, are taken and told
// with their tables and lines: a reader still leaves them. A switch with a count comes back by
// itself and makes no loop.
TEST(TableKindsTest, SwitchLoopsUntilACodeAreToldNotRefused) {
    const ImportedTable read = ImportTable(
        "@main\n"          // 1
        "10=a\n"           // 2
        "!F0=kanji,0\n"    // 3 main to kanji
        "!F1=menu,0\n"     // 4 main to menu
        "@kanji\n"         // 5
        "20=b\n"           // 6
        "!F2=main,0\n"     // 7 kanji back to main: a loop
        "!F3=extra,0\n"    // 8 kanji to extra
        "@menu\n"          // 9
        "!F4=main,1\n"     // 10 back after one code: no loop
        "@extra\n"         // 11
        "!F5=kanji,0\n");  // 12 extra back to kanji: the same loop
    EXPECT_TRUE(read.problems.empty());
    const std::vector<SwitchLoop> loops = {{{"main", "kanji", "extra"}, {3, 7, 8, 12}}};
    EXPECT_EQ(read.loops, loops);
    ASSERT_EQ(read.further.size(), 3U);
    EXPECT_EQ(read.further[0].entries.At(0xF2).table, "main");

    // Counted switches every one: nothing to tell.
    EXPECT_TRUE(ImportTable("@main\n!F0=kanji,2\n@kanji\n!F2=main,1\n").loops.empty());
}

TEST(TableKindsTest, FormatNamesIncludeAbcde) {
    EXPECT_EQ(FormatNamed("abcde"), TableFormat::Abcde);
    EXPECT_EQ(FormatName(TableFormat::Abcde), "abcde");
}

}  // namespace
}  // namespace glyphwright
