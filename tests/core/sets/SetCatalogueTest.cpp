#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/table/AssembleTable.h"
#include "core/sets/BuiltInSets.h"
#include "core/sets/SetCatalogue.h"
#include "core/sets/SetFile.h"
#include "core/table/TableOrder.h"

namespace glyphwright {
namespace {

// "Town" in EUC-JP: ま, ち, and the pair きゃ as one member.
const UserSet kTown{"Town", {"\xA4\xDE", "\xA4\xC1", "\xA4\xAD\xA4\xE3"}};

TEST(SetCatalogue, BuiltInsFirstThenTheUsersSetsFoundByName) {
    SetCatalogue catalogue;
    ASSERT_EQ(catalogue.Sets().size(), BuiltInSets().size());
    ASSERT_TRUE(catalogue.SetUserSets({kTown, {"Digits backwards", {"9", "8", "7"}}}).ok());
    const auto sets = catalogue.Sets();
    ASSERT_EQ(sets.size(), BuiltInSets().size() + 2);
    EXPECT_EQ(sets[0].name, "Hiragana");
    EXPECT_EQ(sets[BuiltInSets().size()].name, "Town");
    EXPECT_EQ(catalogue.Find("Town")->member(2), "\xA4\xAD\xA4\xE3");
    EXPECT_EQ(catalogue.Find("Digits backwards")->size(), 3u);
    EXPECT_EQ(catalogue.Find("ASCII")->size(), 95u);
    EXPECT_EQ(catalogue.Find("town"), nullptr);
    EXPECT_TRUE(catalogue.IsBuiltIn(0));
    EXPECT_FALSE(catalogue.IsBuiltIn(BuiltInSets().size()));
}

TEST(SetCatalogue, RefusesABadSetNamingTheMemberAndChangesNothing) {
    using Kind = SetProblem::Kind;
    SetCatalogue catalogue;
    ASSERT_TRUE(catalogue.SetUserSets({kTown}).ok());
    const auto problem = [&](std::vector<UserSet> sets) {
        const auto set = catalogue.SetUserSets(std::move(sets));
        return set ? SetProblem{} : set.error();
    };
    EXPECT_EQ(problem({{"", {"a"}}}), (SetProblem{Kind::EmptyName, "", 0, ""}));
    EXPECT_EQ(problem({{"Katakana", {"a"}}}),
              (SetProblem{Kind::NameOfBuiltIn, "Katakana", 0, "Katakana"}));
    EXPECT_EQ(problem({kTown, {"Town", {"a"}}}), (SetProblem{Kind::NameTaken, "Town", 0, "Town"}));
    EXPECT_EQ(problem({{"None", {}}}), (SetProblem{Kind::NoMembers, "None", 0, ""}));
    EXPECT_EQ(problem({{"Gap", {"a", "b", "", "c"}}}),
              (SetProblem{Kind::EmptyMember, "Gap", 2, ""}));
    // A lone lead byte is no EUC-JP; a line break would split the table line.
    EXPECT_EQ(problem({{"Broken", {"a", "\xA4"}}}),
              (SetProblem{Kind::MemberNotStorable, "Broken", 1, ""}));
    EXPECT_EQ(problem({{"Broken", {"a\nb"}}}).kind, Kind::MemberNotStorable);
    ASSERT_EQ(catalogue.UserSets(), std::vector<UserSet>{kTown});
}

TEST(SetCatalogue, TheOrderLaysAUsersSetAndKnowsItUsesIt) {
    SetCatalogue catalogue;
    ASSERT_TRUE(catalogue.SetUserSets({kTown}).ok());
    TableOrder order(catalogue);
    ASSERT_TRUE(order.AppendSetLine("Town"));
    ASSERT_TRUE(order.AppendSetLine("0-9"));
    EXPECT_TRUE(order.Uses("Town"));
    EXPECT_FALSE(order.Uses("ASCII"));
    const auto assembly = PreviewAssembly(order, 0x10);
    ASSERT_TRUE(assembly.ok());
    EXPECT_EQ(assembly.value().laid[0x10].member, "ま");
    EXPECT_EQ(assembly.value().laid[0x12].member, "きゃ");
    EXPECT_EQ(assembly.value().laid[0x13].member, "0");
    EXPECT_EQ(assembly.value().last, 0x1C);
    // An edit of the set's members reaches the order's line; the lines are not copies.
    ASSERT_TRUE(catalogue.SetUserSets({{"Town", {"A", "B"}}}).ok());
    EXPECT_EQ(PreviewAssembly(order, 0x10).value().laid[0x12].member, "0");
    order.Remove(0);
    EXPECT_FALSE(order.Uses("Town"));
}

TEST(SetFile, WritesAndReadsBackTheSameSets) {
    const std::vector<UserSet> sets = {kTown, {"Blank and hash", {" ", "#", "= x"}}};
    const std::string text = WriteSetFile(sets);
    EXPECT_EQ(text,
              "Glyphwright character sets 1\n"
              "\n"
              "set Town\n"
              "= ま\n"
              "= ち\n"
              "= きゃ\n"
              "\n"
              "set Blank and hash\n"
              "=  \n"
              "= #\n"
              "= = x\n");
    const auto read = ReadSetFile(text);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value(), sets);
    // Comments, blank lines and CR LF line ends are read too.
    const auto windows = ReadSetFile(
        "Glyphwright character sets 1\r\n# mine\r\n\r\nset Town\r\n"
        "= ま\r\n= ち\r\n= きゃ\r\n");
    ASSERT_TRUE(windows.ok());
    EXPECT_EQ(windows.value(), std::vector<UserSet>{kTown});
    // A stray carriage return after a name is not part of it: kept, it would not survive a save.
    const auto stray = ReadSetFile("Glyphwright character sets 1\nset Town\r\r\n= ま\n= ち\n= きゃ\n");
    ASSERT_TRUE(stray.ok());
    EXPECT_EQ(stray.value(), std::vector<UserSet>{kTown});
}

TEST(SetFile, ADamagedFileIsToldByItsLine) {
    using Kind = SetFileError::Kind;
    const auto error = [](const std::string& text) {
        const auto read = ReadSetFile(text);
        return read ? SetFileError{} : read.error();
    };
    const std::string header = "Glyphwright character sets 1\n";
    EXPECT_EQ(error("").line, 1u);
    EXPECT_EQ(error("").kind, Kind::NotASetFile);
    EXPECT_EQ(error("set A\n= a\n").kind, Kind::NotASetFile);
    EXPECT_EQ(error(header + "= a\n"), (SetFileError{Kind::MemberOutsideSet, 2, {}, {}}));
    EXPECT_EQ(error(header + "set A\n= a\n\nmember b\n"),
              (SetFileError{Kind::UnknownLine, 5, {}, "member b"}));
    const SetFileError empty = error(header + "# two\nset A\n= a\n=\n= c\n");
    EXPECT_EQ(empty.kind, Kind::SetProblem);
    EXPECT_EQ(empty.line, 5u);
    EXPECT_EQ(empty.problem, (SetProblem{SetProblem::Kind::EmptyMember, "A", 1, ""}));
    const SetFileError unstorable = error(header + "set A\n= a\n= 😀\n");
    EXPECT_EQ(unstorable.line, 4u);
    EXPECT_EQ(unstorable.problem, (SetProblem{SetProblem::Kind::MemberNotStorable, "A", 1, "😀"}));
    const SetFileError twice = error(header + "set A\n= a\nset B\n= b\nset A\n= c\n");
    EXPECT_EQ(twice.line, 6u);
    EXPECT_EQ(twice.problem.kind, SetProblem::Kind::NameTaken);
    EXPECT_EQ(error(header + "set ASCII\n= a\n").line, 2u);
}

}  // namespace
}  // namespace glyphwright
