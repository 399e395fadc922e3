#include <gtest/gtest.h>

#include "support/TableOrder.h"
#include "support/TempFolder.h"
#include "tablefile/MakeTable.h"
#include "tablefile/ScriptedUser.h"

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
    ScriptedUser user;
    TempFolder folder;

    MakeTableOutcome Make(std::string_view startCode, int lines) {
        return MakeTable(ws, startCode, lines, user);
    }
    void ExpectOneMessageContaining(std::initializer_list<std::string> parts) {
        ASSERT_EQ(user.messages.size(), 1u);
        EXPECT_EQ(user.messages[0].title, "Glyphwright");
        EXPECT_EQ(user.messages[0].icon, MessageIcon::Exclamation);
        for (const std::string& part : parts) {
            EXPECT_NE(user.messages[0].text.find(part), std::string::npos)
                << "\"" << part << "\" missing from: " << user.messages[0].text;
        }
    }
};

TEST_F(MakeTableTest, WritesTheTableFromTheStartCodeBox) {
    const int lines = RecordOrder(ws, {{"0-9"}});
    user.pathAnswers = {folder / "digits.tbl"};
    EXPECT_EQ(Make("10", lines), MakeTableOutcome::Written);
    EXPECT_EQ(ReadBytes(folder / "digits.tbl"), kDigitsFrom10);
    EXPECT_TRUE(user.textPrompts.empty());
    EXPECT_EQ(user.pathFilters, std::vector<std::string>{".tbl files (*.tbl)"});
    EXPECT_TRUE(user.messages.empty());
    EXPECT_EQ(ws.CurrentCode, 0x10);
    EXPECT_EQ(ws.HexText, "&H10");
}

TEST_F(MakeTableTest, AsksForTheStartCodeWhenTheBoxIsEmpty) {
    const int lines = RecordOrder(ws, {{"0-9"}});
    user.textAnswers = {"10"};
    user.pathAnswers = {folder / "asked.tbl"};
    EXPECT_EQ(Make("", lines), MakeTableOutcome::Written);
    EXPECT_EQ(user.textPrompts, std::vector<std::string>{
                                    "What hex byte does the font table start at?|"
                                    "Where does font table begin"});
    EXPECT_EQ(ReadBytes(folder / "asked.tbl"), kDigitsFrom10);
}

TEST_F(MakeTableTest, CancellingTheInputBoxIsSilentAndChangesNothing) {
    const int lines = RecordOrder(ws, {{"0-9"}});
    user.textAnswers = {std::nullopt};
    EXPECT_EQ(Make("", lines), MakeTableOutcome::Cancelled);
    EXPECT_TRUE(user.messages.empty());
    EXPECT_TRUE(user.pathFilters.empty());
    EXPECT_TRUE(ws.TableText[0x00].empty());
}

TEST_F(MakeTableTest, ABadStartCodeIsNamedInAMessageAndNothingIsLaid) {
    const int lines = RecordOrder(ws, {{"0-9"}});
    struct Case {
        const char* boxText;
        std::optional<std::string> answer;
        std::string shown;
    };
    for (const Case& c : {Case{"G", {}, "\"G\""}, Case{" ", {}, "\" \""},
                          Case{"", std::string("1FF"), "\"1FF\""},
                          Case{"", std::string(""), "No start code"}}) {
        user = ScriptedUser{};
        if (c.answer) user.textAnswers = {c.answer};
        EXPECT_EQ(Make(c.boxText, lines), MakeTableOutcome::Failed) << c.shown;
        ExpectOneMessageContaining({c.shown});
        EXPECT_TRUE(user.pathFilters.empty());
        EXPECT_TRUE(ws.TableText[0x00].empty());
    }
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(MakeTableTest, ASetRunningPastFFIsNamedWithItsLineAndNoDialogIsShown) {
    const int lines = RecordOrder(ws, {{"0-9"}, {""}, {"Hiragana", 0xF0}});
    ws.LastCode = 0x77;
    EXPECT_EQ(Make("00", lines), MakeTableOutcome::Failed);
    ExpectOneMessageContaining({"\"Hiragana\"", "line 3", "F0", "past code FF"});
    EXPECT_TRUE(user.pathFilters.empty());
    EXPECT_TRUE(ws.TableText[0x00].empty());  // all or nothing: the digits were not laid either
    EXPECT_TRUE(ws.TableText[0xF0].empty());
    EXPECT_EQ(ws.LastCode, 0x77);
}

TEST_F(MakeTableTest, NothingToLayFromStartCode00IsSaid) {
    ws.TableText[0x05] = "single";
    const int lines = RecordOrder(ws, {{""}, {"katakana"}});
    EXPECT_EQ(Make("0", lines), MakeTableOutcome::Failed);
    ExpectOneMessageContaining({"00", "nothing to write"});
    EXPECT_TRUE(user.pathFilters.empty());
}

TEST_F(MakeTableTest, NoSetFromAHigherStartCodeWritesTheTrailerAlone) {
    ws.TableText[0x20] = "single";
    const int lines = RecordOrder(ws, {{""}});
    user.pathAnswers = {folder / "empty.tbl"};
    EXPECT_EQ(Make("10", lines), MakeTableOutcome::Written);
    EXPECT_EQ(ReadBytes(folder / "empty.tbl"), "\r\r\n");
}

TEST_F(MakeTableTest, CancellingTheSaveDialogKeepsTheLaidSlotsForTheNextRun) {
    const int lines = RecordOrder(ws, {{"0-9"}});
    user.pathAnswers = {std::nullopt};
    EXPECT_EQ(Make("10", lines), MakeTableOutcome::Cancelled);
    EXPECT_TRUE(user.messages.empty());
    EXPECT_EQ(ws.TableText[0x19], "9");
    EXPECT_TRUE(folder.Names().empty());

    // The digits stay laid at 10..19 when the next run lays them from 30 instead.
    user.pathAnswers = {folder / "both.tbl"};
    ws.TableText[0x1F] = "";
    EXPECT_EQ(Make("30", lines), MakeTableOutcome::Written);
    EXPECT_EQ(ws.TableText[0x10], "0");
}

TEST_F(MakeTableTest, ThePathIsUsedExactlyAsTheDialogGivesIt) {
    const int lines = RecordOrder(ws, {{"0-9"}});
    user.pathAnswers = {folder / "no extension"};
    EXPECT_EQ(Make("10", lines), MakeTableOutcome::Written);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"no extension"});
}

TEST_F(MakeTableTest, AnExistingFileIsReplacedWhole) {
    test::WriteBytes(folder / "old.tbl", std::string(4096, '#'));
    const int lines = RecordOrder(ws, {{"0-9"}});
    user.pathAnswers = {folder / "old.tbl"};
    EXPECT_EQ(Make("10", lines), MakeTableOutcome::Written);
    EXPECT_EQ(ReadBytes(folder / "old.tbl"), kDigitsFrom10);
}

TEST_F(MakeTableTest, AFileThatCannotBeWrittenIsNamedWithTheSystemsReason) {
    const int lines = RecordOrder(ws, {{"0-9"}});
    struct Case {
        std::string path;
        std::string reason;
    };
    for (const Case& c : {Case{"/dev/full", "No space left on device"},
                          Case{folder / "missing/t.tbl", "No such file or directory"},
                          Case{folder.path(), "Is a directory"}}) {
        user = ScriptedUser{};
        user.pathAnswers = {c.path};
        EXPECT_EQ(Make("10", lines), MakeTableOutcome::Failed) << c.path;
        ExpectOneMessageContaining({"\"" + c.path + "\"", c.reason});
    }
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(MakeTableTest, SingleEntriesInsideTheRangeAreWrittenThoseOutsideAreNot) {
    ws.TableText[0x5E] = "\xB4\xC1";  // a single entry inside the range
    ws.TableText[0x05] = "low";         // one below the start code
    ws.TableText[0xA0] = "high";        // one above the last code
    int lines = RecordOrder(ws, {{"Uppercase Alphabet", 0x30}});
    user.pathAnswers = {folder / "a.tbl", folder / "b.tbl"};
    EXPECT_EQ(Make("50", lines), MakeTableOutcome::Written);
    // Laid at 30..49, so the last code lies below the start code: only the trailer.
    EXPECT_EQ(ReadBytes(folder / "a.tbl"), "\r\r\n");

    lines = RecordOrder(ws, {{"Uppercase Alphabet", 0x30}, {"0-9", 0x70}});
    EXPECT_EQ(Make("40", lines), MakeTableOutcome::Written);
    EXPECT_EQ(ReadBytes(folder / "b.tbl"),
              "40=Q\r\r\n41=R\r\r\n42=S\r\r\n43=T\r\r\n44=U\r\r\n45=V\r\r\n46=W\r\r\n"
              "47=X\r\r\n48=Y\r\r\n49=Z\r\r\n5E=\xB4\xC1\r\r\n70=0\r\r\n71=1\r\r\n72=2\r\r\n"
              "73=3\r\r\n74=4\r\r\n75=5\r\r\n76=6\r\r\n77=7\r\r\n78=8\r\r\n79=9\r\r\n\r\r\n");
}

}  // namespace
}  // namespace glyphwright
