#include <gtest/gtest.h>

#include <cerrno>
#include <random>

#include "support/TableOrder.h"
#include "support/TempFolder.h"
#include "tablefile/MakeTable.h"
#include "tablefile/ScriptedUser.h"
#include "tablefile/WriteTableFile.h"

namespace glyphwright {
namespace {

using test::ReadBytes;
using test::RecordOrder;
using test::ScriptedUser;
using test::TempFolder;

constexpr const char* kDigitsFrom10 =
    "10=0\r\r\n11=1\r\r\n12=2\r\r\n13=3\r\r\n14=4\r\r\n"
    "15=5\r\r\n16=6\r\r\n17=7\r\r\n18=8\r\r\n19=9\r\r\n\r\r\n";

class MakeTableTest : public ::testing::Test {
protected:
    Workspace ws;
    TableOrder order;
    ScriptedUser user;
    TempFolder folder;
    std::optional<TableFailure> failure;

    // "Written", "Cancelled" or "Failed"; the failure is kept in `failure`.
    std::string Make(std::string_view startCode) {
        const auto made = MakeTable(ws, order, startCode, user);
        if (!made) {
            failure = made.error();
            return "Failed";
        }
        return made.value() == MakeTableOutcome::Written ? "Written" : "Cancelled";
    }
    template <class Failure>
    const Failure& FailedWith() {
        EXPECT_TRUE(failure.has_value());
        EXPECT_TRUE(failure && std::holds_alternative<Failure>(*failure));
        static const Failure none{};
        return failure && std::holds_alternative<Failure>(*failure) ? std::get<Failure>(*failure)
                                                                    : none;
    }
};

TEST_F(MakeTableTest, WritesTheTableFromTheStartCodeBoxOrAsksForIt) {
    RecordOrder(order, {{"0-9"}});
    user.pathAnswers = {folder / "digits.tbl"};
    EXPECT_EQ(Make("10"), "Written");
    EXPECT_EQ(ReadBytes(folder / "digits.tbl"), kDigitsFrom10);
    EXPECT_EQ(user.log, std::vector<std::string>{"save path"});
    EXPECT_EQ(ws.CurrentCode, 0x10);

    user = ScriptedUser{};
    user.startCodeAnswers = {"10"};
    user.pathAnswers = {folder / "asked.tbl"};
    EXPECT_EQ(Make(""), "Written");
    EXPECT_EQ(user.log, (std::vector<std::string>{"start code", "save path"}));
    EXPECT_EQ(ReadBytes(folder / "asked.tbl"), kDigitsFrom10);
}

TEST_F(MakeTableTest, CancellingTheInputBoxChangesNothing) {
    RecordOrder(order, {{"0-9"}});
    user.startCodeAnswers = {std::nullopt};
    EXPECT_EQ(Make(""), "Cancelled");
    EXPECT_EQ(user.log, std::vector<std::string>{"start code"});
    EXPECT_TRUE(ws.TableText[0x00].empty());
}

TEST_F(MakeTableTest, ABadStartCodeIsReportedAsTypedAndNothingIsLaid) {
    RecordOrder(order, {{"0-9"}});
    struct Case {
        const char* boxText;
        std::optional<std::string> answer;
        std::string typed;
        HexError error;
    };
    for (const Case& c :
         {Case{"G", {}, "G", HexError::NotANumber}, Case{" ", {}, " ", HexError::NotANumber},
          Case{"", std::string("1FF"), "1FF", HexError::OutOfRange},
          Case{"", std::string(""), "", HexError::NotANumber}}) {
        user = ScriptedUser{};
        if (c.answer) user.startCodeAnswers = {c.answer};
        EXPECT_EQ(Make(c.boxText), "Failed") << c.typed;
        EXPECT_EQ(FailedWith<StartCodeError>().typed, c.typed);
        EXPECT_EQ(FailedWith<StartCodeError>().error, c.error);
        EXPECT_EQ(std::count(user.log.begin(), user.log.end(), "save path"), 0);
        EXPECT_TRUE(ws.TableText[0x00].empty());
    }
    EXPECT_TRUE(folder.Names().empty());
}

// The last code laid before the start code: a range with no code in it makes no file, not an
// empty one, and lays nothing; one code in the range is a table again.
TEST_F(MakeTableTest, ARangeThatHoldsNoCodeMakesNoFileInAnyFormat) {
    RecordOrder(order, {{"Hiragana", 0x80}, {"0-9", 0x10}});
    // Refused before any format is chosen, so alike for all three.
    Workspace scratch;
    const auto composed = ComposeTable(scratch, order, "50");
    ASSERT_FALSE(composed.ok());
    const auto* error = std::get_if<AssemblyError>(&composed.error());
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->kind, AssemblyError::Kind::EmptyRange);
    EXPECT_EQ(error->setStart, 0x50);
    EXPECT_EQ(error->last, 0x19);
    EXPECT_EQ(scratch.TableText, TableEntries{});  // nothing laid
    user.pathAnswers = {folder / "e.tbl"};
    EXPECT_EQ(Make("50"), "Failed");
    EXPECT_EQ(FailedWith<AssemblyError>().kind, AssemblyError::Kind::EmptyRange);
    EXPECT_TRUE(user.log.empty());  // no Save dialog
    EXPECT_TRUE(folder.Names().empty());

    user.pathAnswers = {folder / "one.tbl"};
    EXPECT_EQ(Make("19"), "Written");
    EXPECT_EQ(ReadBytes(folder / "one.tbl"), "19=9\r\r\n\r\r\n");
}

TEST_F(MakeTableTest, AssemblyFailuresAskForNoPathAndLayNothing) {
    RecordOrder(order, {{"0-9"}, {""}, {"Hiragana", 0xF0}});
    ws.LastCode = 0x77;
    EXPECT_EQ(Make("00"), "Failed");
    EXPECT_EQ(FailedWith<AssemblyError>().kind, AssemblyError::Kind::PastFF);
    EXPECT_EQ(FailedWith<AssemblyError>().line, 3);
    EXPECT_TRUE(user.log.empty());
    EXPECT_TRUE(ws.TableText[0x00].empty());  // all or nothing: the digits were not laid either
    EXPECT_EQ(ws.LastCode, 0x77);

    // An order that names no set over an empty table has nothing to lay from any start code: no
    // file, not even the trailer alone.
    TableOrder none;
    RecordOrder(none, {{""}, {"katakana"}});
    ws = Workspace{};
    for (const char* start : {"0", "10"}) {
        const auto made = MakeTable(ws, none, start, user);
        ASSERT_FALSE(made.ok()) << start;
        ASSERT_TRUE(std::holds_alternative<AssemblyError>(made.error()));
        EXPECT_EQ(std::get<AssemblyError>(made.error()).kind, AssemblyError::Kind::NothingToLay);
    }
    EXPECT_TRUE(user.log.empty());
    EXPECT_TRUE(folder.Names().empty());
}

// Single entries and imports with no set laid: the text formats write them all, asking for no
// start code; the classic file, once chosen, is refused for having nothing laid, as ever.
TEST_F(MakeTableTest, WithNoSetLaidTheTextFormatsWriteEveryEntryHeld) {
    RecordOrder(order, {{"single"}, {"katakana"}});
    ws.TableText.Put(0x20, {"x"});
    ws.TableText.Put(0x05, {"あ"});
    ws.TableText.Put(0xFF, {"end", EntryKind::EndCode});
    ws.LastCode = 0x10;
    const auto make = [&](std::string_view start, TableFormat format, const std::string& path) {
        user = ScriptedUser{};
        user.format = format;
        user.pathAnswers = {folder / path};
        const auto made = MakeTable(ws, order, start, user);
        failure.reset();
        if (!made) failure = made.error();
        return made.ok() && made.value() == MakeTableOutcome::Written;
    };
    EXPECT_TRUE(make("", TableFormat::Utf8, "u.tbl"));
    EXPECT_EQ(user.log, std::vector<std::string>{"save path"});
    EXPECT_EQ(ReadBytes(folder / "u.tbl"), "05=あ\n20=x\n/FF=[end]\n");
    EXPECT_TRUE(make("10", TableFormat::ShiftJis, "s.tbl"));
    EXPECT_EQ(ReadBytes(folder / "s.tbl"), "05=\x82\xA0\r\n20=x\r\n/FF=[end]\r\n");

    // A start code typed is still read.
    EXPECT_FALSE(make("G", TableFormat::Utf8, "g.tbl"));
    EXPECT_EQ(FailedWith<StartCodeError>().typed, "G");
    EXPECT_TRUE(user.log.empty());

    EXPECT_FALSE(make("", TableFormat::Classic, "c.tbl"));
    EXPECT_EQ(FailedWith<AssemblyError>().kind, AssemblyError::Kind::NothingToLay);
    EXPECT_EQ(user.log, std::vector<std::string>{"save path"});
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"s.tbl", "u.tbl"}));
    EXPECT_EQ(ws.LastCode, 0x10);  // nothing was laid
}

TEST_F(MakeTableTest, CancellingTheSaveDialogKeepsTheLaidSlotsForTheNextRun) {
    RecordOrder(order, {{"0-9"}});
    user.pathAnswers = {std::nullopt};
    EXPECT_EQ(Make("10"), "Cancelled");
    EXPECT_EQ(ws.TableText[0x19], "9");
    EXPECT_TRUE(folder.Names().empty());

    // The digits stay laid at 10..19 when the next run lays them from 30 instead.
    user.pathAnswers = {folder / "both.tbl"};
    EXPECT_EQ(Make("30"), "Written");
    EXPECT_EQ(ws.TableText[0x10], "0");
}

TEST_F(MakeTableTest, ThePathIsUsedAsGivenAndAnExistingFileIsReplacedWhole) {
    RecordOrder(order, {{"0-9"}});
    test::WriteBytes(folder / "old", std::string(4096, '#'));
    user.pathAnswers = {folder / "no extension", folder / "old"};
    EXPECT_EQ(Make("10"), "Written");
    EXPECT_EQ(Make("10"), "Written");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"no extension", "old"}));
    EXPECT_EQ(ReadBytes(folder / "old"), kDigitsFrom10);
}

TEST_F(MakeTableTest, AFileThatCannotBeWrittenIsReportedWithThePathAndTheSystemsReason) {
    RecordOrder(order, {{"0-9"}});
    struct Case {
        std::string path;
        int error;
    };
    for (const Case& c : {Case{"/dev/full", ENOSPC}, Case{folder / "missing/t.tbl", ENOENT},
                          Case{folder.path(), EISDIR}}) {
        user.pathAnswers = {c.path};
        EXPECT_EQ(Make("10"), "Failed") << c.path;
        EXPECT_EQ(FailedWith<FileError>().path, c.path);
        EXPECT_EQ(FailedWith<FileError>().error, c.error) << c.path;
    }
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(MakeTableTest, TheChosenFormatIsWrittenAndAnEntryItCannotHoldWritesNothing) {
    RecordOrder(order, {{"0-9"}});
    ws.TableText.Put(0x1A, {"あ"});  // あ
    user.format = TableFormat::Utf8;
    user.pathAnswers = {folder / "utf8.tbl"};
    EXPECT_EQ(Make("10"), "Written");
    EXPECT_EQ(ReadBytes(folder / "utf8.tbl"),
              "10=0\n11=1\n12=2\n13=3\n14=4\n15=5\n16=6\n17=7\n18=8\n19=9\n1A=あ\n");

    // A character Shift-JIS lacks: the old file stays as it was.
    RecordOrder(order, {{"0-9", 0x0C}});
    ws.TableText.Put(0x0A, {"丂"});  // 丂, in EUC-JP's supplementary plane
    test::WriteBytes(folder / "sjis.tbl", "old");
    user.format = TableFormat::ShiftJis;
    user.pathAnswers = {folder / "sjis.tbl"};
    EXPECT_EQ(Make("00"), "Failed");
    EXPECT_EQ(FailedWith<FormatError>().code, 0x0A);
    EXPECT_EQ(FailedWith<FormatError>().kind, FormatError::Kind::Unconvertible);
    EXPECT_EQ(ReadBytes(folder / "sjis.tbl"), "old");
}

TEST_F(MakeTableTest, SingleEntriesInsideTheRangeAreWrittenThoseOutsideAreNot) {
    ws.TableText.Put(0x5E, {"漢"});  // a single entry inside the range
    ws.TableText.Put(0x05, {"low"});       // one below the start code
    ws.TableText.Put(0xA0, {"high"});      // one above the last code
    RecordOrder(order, {{"Uppercase Alphabet", 0x30}});
    // Laid at 30..49, so the last code lies below the start code: no code, no file.
    EXPECT_EQ(Make("50"), "Failed");
    EXPECT_EQ(FailedWith<AssemblyError>().kind, AssemblyError::Kind::EmptyRange);
    user.pathAnswers = {folder / "b.tbl"};

    RecordOrder(order, {{"0-9", 0x70}});
    EXPECT_EQ(Make("40"), "Written");
    EXPECT_EQ(ReadBytes(folder / "b.tbl"),
              "40=Q\r\r\n41=R\r\r\n42=S\r\r\n43=T\r\r\n44=U\r\r\n45=V\r\r\n46=W\r\r\n"
              "47=X\r\r\n48=Y\r\r\n49=Z\r\r\n5E=\xB4\xC1\r\r\n70=0\r\r\n71=1\r\r\n72=2\r\r\n"
              "73=3\r\r\n74=4\r\r\n75=5\r\r\n76=6\r\r\n77=7\r\r\n78=8\r\r\n79=9\r\r\n\r\r\n");
}

// Over random orders, removals and earlier slots: the preview the code map shows lays exactly
// what MAKE TABLE then stores and writes.
TEST_F(MakeTableTest, ThePreviewIsWhatMakeTableWrites) {
    std::mt19937 random(20261207);
    const char* names[] = {
        "Hiragana",           "Katakana", "Dakuten", "Handakuten", "Uppercase Alphabet",
        "Lowercase Alphabet", "0-9",      "",        "x"};
    auto pick = [&random](int below) {
        return std::uniform_int_distribution<int>(0, below - 1)(random);
    };
    int written = 0;
    for (int round = 0; round < 300; ++round) {
        Workspace before;
        for (int slot = 0; slot < 6; ++slot)
            before.TableText.Put(TableCode::OneByte(static_cast<ByteCode>(pick(256))), {"e"});
        TableOrder lines;
        for (int line = pick(6); line >= 0; --line) {
            RecordOrder(lines, {{names[pick(9)], pick(3) == 0 ? pick(256) : 0}});
        }
        if (pick(3) == 0) lines.Remove(pick(lines.LineCount()));
        const auto start = static_cast<ByteCode>(pick(4) == 0 ? pick(256) : pick(32));

        ws = before;
        const auto preview = PreviewAssembly(lines, start);
        EXPECT_EQ(ws.TableText, before.TableText);  // the preview changes nothing
        user.pathAnswers = {folder / "t.tbl"};
        const auto made = MakeTable(
            ws, lines,
            std::string(1, "0123456789ABCDEF"[start >> 4]) + "0123456789ABCDEF"[start & 0xF], user);
        ASSERT_EQ(preview.ok(), made.ok()) << "round " << round;
        if (!preview) continue;
        ++written;
        CodeTable expected = before.TableText.Texts();
        for (int code = 0; code < kCodeCount; ++code) {
            const LaidCode& laid = preview.value().laid[static_cast<std::size_t>(code)];
            if (laid.line >= 0) expected[static_cast<std::size_t>(code)] = laid.member;
        }
        EXPECT_EQ(ws.TableText.Texts(), expected) << "round " << round;
        EXPECT_EQ(ws.LastCode, preview.value().last);
        const std::string file = FormatTable(expected, static_cast<ByteCode>(start),
                                             preview.value().last, TableFormat::Classic)
                                     .value();
        EXPECT_EQ(ReadBytes(folder / "t.tbl"), file) << "round " << round;
    }
    EXPECT_GT(written, 100);
}

}  // namespace
}  // namespace glyphwright
