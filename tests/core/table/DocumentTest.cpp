#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/table/AssembleTable.h"
#include "core/table/Document.h"
#include "core/table/DocumentCommand.h"
#include "core/sets/SetCatalogue.h"

namespace glyphwright {
namespace {

// Writes down what it hears, and checks that "about to" and "changed" come in pairs.
class Recorder final : public DocumentObserver {
public:
    std::vector<std::string> heard;

    void DocumentAboutToChange(const DocumentChange& change) override {
        heard.push_back("about " + Name(change));
    }
    void DocumentChanged(const DocumentChange& change) override { heard.push_back(Name(change)); }

private:
    static std::string Name(const DocumentChange& change) {
        std::string name;
        if (change.table) name += "table ";
        if (change.startCode) name += "start ";
        if (change.sets) name += "sets ";
        if (change.order) {
            static const char* const kKinds[] = {"appended", "inserted", "removed", "startset",
                                                 "replaced"};
            name += std::string(kKinds[static_cast<int>(change.orderChange.kind)]) + " " +
                    std::to_string(change.orderChange.line);
        }
        return name;
    }
};

TEST(Document, ObserversHearWhatChangedJustBeforeAndJustAfter) {
    Document document;
    Recorder recorder;
    document.AddObserver(recorder);
    DocumentCommand::IncludeSet(document, "Hiragana").Do(document);
    DocumentCommand::PutEntry(document, 0x41, {"A"}, "A").Do(document);
    const DocumentCommand remove = DocumentCommand::RemoveLine(document, 0);
    remove.Do(document);
    remove.Undo(document);
    DocumentCommand::SetStartCode(document, "10").Do(document);
    DocumentCommand::SetStartCode(document, "10").Do(document);  // the same text: nothing heard
    document.RemoveObserver(recorder);
    DocumentCommand::IncludeSet(document, "0-9").Do(document);
    EXPECT_EQ(recorder.heard, (std::vector<std::string>{
                                  "about appended 0", "appended 0", "about table appended 1",
                                  "table appended 1", "about removed 0", "removed 0",
                                  "about inserted 0", "inserted 0", "about start ", "start "}));
}

// A line lays its set as the user's sets have it now: edited, the new members; gone, nothing,
// though the line still shows the name. The document keeps its catalogue through a Replace,
// and copies of the order compare by their lines alone.
TEST(Document, ALineLaysItsSetAsTheCatalogueHasItNow) {
    SetCatalogue sets(std::vector<UserSet>{{"Town", {"\xA4\xDE", "\xA4\xC1"}}});
    Document document(sets);
    Recorder recorder;
    document.AddObserver(recorder);
    DocumentCommand::IncludeSet(document, "Town").Do(document);
    ASSERT_TRUE(document.Order().Line(0).laysSet);
    Workspace laid;
    ASSERT_TRUE(AssembleTable(document.Order(), laid).ok());
    EXPECT_EQ(laid.LastCode, 0x01);

    ASSERT_TRUE(sets.SetUserSets({{"Town", {"\xA4\xDE", "\xA4\xC1", "\xA4\xAB"}}}).ok());
    document.SetsChanged();
    EXPECT_EQ(recorder.heard,
              (std::vector<std::string>{"about appended 0", "appended 0", "about sets ", "sets "}));
    ASSERT_TRUE(AssembleTable(document.Order(), laid).ok());
    EXPECT_EQ(laid.LastCode, 0x02);
    EXPECT_EQ(laid.TableText[0x02], "か");

    // A project opened brings an order read against the built-in sets only: the document's
    // catalogue is the one its lines are looked up in all the same.
    DocumentContents contents;
    EXPECT_TRUE(contents.order.Insert(0, {"Town", true, 0}));
    EXPECT_EQ(contents.order.SetOf(0), nullptr);
    EXPECT_EQ(contents.order, document.Order());  // the catalogue is no part of the order
    document.Replace(std::move(contents));
    ASSERT_NE(document.Order().SetOf(0), nullptr);
    EXPECT_EQ(document.Order().SetOf(0)->size(), std::size_t{3});
    EXPECT_TRUE(document.Order().Uses("Town"));

    ASSERT_TRUE(sets.SetUserSets({}).ok());
    EXPECT_EQ(document.Order().SetOf(0), nullptr);
    EXPECT_EQ(document.Order().SetNameOf(0), "Town");
    document.RemoveObserver(recorder);
}

TEST(Document, ACommandThatChangesNothingIsEmpty) {
    Document document;
    EXPECT_TRUE(DocumentCommand::StoreTable(document, document.Table()).IsEmpty());
    EXPECT_TRUE(DocumentCommand::PutEntries(document, {{TableCode::OneByte(0x10), {}}}).IsEmpty());
    EXPECT_TRUE(
        DocumentCommand::PutEntries(document, {{TableCode::TwoByte(0x8140), {}}}).IsEmpty());
    EXPECT_TRUE(DocumentCommand::SetStartCode(document, "").IsEmpty());
    EXPECT_TRUE(DocumentCommand::SetCodeOrder(document, CodeOrder::BigEndian).IsEmpty());
    EXPECT_FALSE(
        DocumentCommand::PutEntries(document, {{TableCode::OneByte(0x10), {"x"}}}).IsEmpty());
}

// A two-byte entry lives beside the one-byte table: putting it leaves the one-byte code of its
// first byte alone, taking it away (an empty ordinary entry) leaves no trace, and a typed
// two-byte code leaves the current code where it was.
TEST(Document, TwoByteEntriesSitBesideTheOneByteTable) {
    Document document;
    const auto put = DocumentCommand::PutEntry(document, TableCode::TwoByte(0x8140),
                                               {"あ", EntryKind::Ordinary}, "x");
    put.Do(document);
    EXPECT_EQ(document.Contents().EntryAt(TableCode::TwoByte(0x8140)).text, "あ");
    EXPECT_EQ(document.TableText()[0x81], "");
    EXPECT_EQ(document.Table().CurrentCode, 0);
    DocumentCommand::PutEntries(document, {{TableCode::TwoByte(0x8140), {}}}).Do(document);
    EXPECT_TRUE(document.TableText().TwoByte().empty());
    const DocumentContents empty;
    put.Undo(document);  // undone over the removal: what was before the put
    EXPECT_EQ(document.Contents().table, empty.table);
}

// The revision tells a state the project file may hold: undone and redone, the document comes back
// to the revisions it had; a new change after an undo is a state of its own, never the one undone,
// so work saved and then undone and changed otherwise reads as changed.
TEST(Document, ARevisionComesBackWithItsStateAndNeverForAnother) {
    Document document;
    const std::uint64_t empty = document.Revision();
    const DocumentCommand include = DocumentCommand::IncludeSet(document, "Hiragana");
    include.Do(document);
    const std::uint64_t included = document.Revision();
    EXPECT_NE(included, empty);
    include.Undo(document);
    EXPECT_EQ(document.Revision(), empty);
    include.Do(document);
    EXPECT_EQ(document.Revision(), included);

    const DocumentCommand put = DocumentCommand::PutEntry(document, 0x41, {"A"}, "A");
    put.Do(document);
    const std::uint64_t saved = document.Revision();
    put.Undo(document);
    DocumentCommand::PutEntry(document, 0x41, {"A"}, "A").Do(document);  // the same contents
    EXPECT_EQ(document.Contents().EntryAt(TableCode::OneByte(0x41)).text, "A");
    EXPECT_NE(document.Revision(), saved);

    // A command that changes nothing makes no revision; neither do the user's sets edited.
    const std::uint64_t now = document.Revision();
    DocumentCommand::SetStartCode(document, "").Do(document);
    document.SetsChanged();
    EXPECT_EQ(document.Revision(), now);
    // What is kept without undo still makes a revision: the project file holds it.
    document.SetTableFile("a.tbl", "utf8");
    const std::uint64_t tableFile = document.Revision();
    EXPECT_NE(tableFile, now);
    document.SetTableFile("a.tbl", "utf8");
    EXPECT_EQ(document.Revision(), tableFile);
    document.SetFeatureSettings("font", "{}");
    EXPECT_NE(document.Revision(), tableFile);
    const std::uint64_t settings = document.Revision();
    document.Replace(DocumentContents());
    EXPECT_NE(document.Revision(), settings);
    EXPECT_NE(document.Revision(), empty);  // empty again, but not the state first seen
}

// Keys typed into the start code box one after another join as one step: undone, the text before
// the first key and its revision come back; redone, the last key's.
TEST(Document, StartCodeKeysJoinAsOneStep) {
    Document document;
    DocumentCommand::IncludeSet(document, "0-9").Do(document);
    const std::uint64_t before = document.Revision();
    DocumentCommand first = DocumentCommand::SetStartCode(document, "1");
    first.Do(document);
    const DocumentCommand second = DocumentCommand::SetStartCode(document, "10");
    second.Do(document);
    const std::uint64_t typed = document.Revision();
    ASSERT_TRUE(first.CanJoin(second));
    first.Join(second);
    first.Undo(document);
    EXPECT_EQ(document.StartCode(), "");
    EXPECT_EQ(document.Revision(), before);
    first.Do(document);
    EXPECT_EQ(document.StartCode(), "10");
    EXPECT_EQ(document.Revision(), typed);
    // Only start codes join: a line included between two keys stays a step of its own.
    EXPECT_FALSE(first.CanJoin(DocumentCommand::IncludeSet(document, "0-9")));
    EXPECT_FALSE(DocumentCommand::IncludeSet(document, "0-9").CanJoin(second));
}

// Random actions of every kind the windows offer, each undone in turn from the last: every state
// met on the way comes back exactly (table, kinds, codes, order, start code), and redone again
// they give the same states forward.
TEST(Document, RandomActionsUndoneOneByOneGiveBackEveryEarlierState) {
    std::mt19937 random(20261208);
    const auto pick = [&random](int below) {
        return std::uniform_int_distribution<int>(0, below - 1)(random);
    };
    static const char* const kNames[] = {"Hiragana", "Katakana", "0-9", "Uppercase A-Z", "nothing"};
    for (int round = 0; round < 40; ++round) {
        Document document;
        std::vector<DocumentCommand> done;
        std::vector<DocumentContents> states{document.Contents()};
        std::vector<std::uint64_t> revisions{document.Revision()};
        for (int step = 0; step < 60; ++step) {
            const TableOrder& order = document.Order();
            const int lines = order.LineCount();
            std::optional<DocumentCommand> command;
            // A code of one or two bytes, now and then one of a few that recur.
            const auto anyCode = [&pick]() {
                return pick(2) == 0 ? TableCode::OneByte(static_cast<ByteCode>(pick(256)))
                                    : TableCode::TwoByte(static_cast<std::uint16_t>(
                                          pick(2) == 0 ? 0x8000 + pick(4) : pick(65536)));
            };
            switch (pick(8)) {
                case 0:
                    if (pick(3) == 0) {
                        command = DocumentCommand::IncludeSet(document, kNames[pick(5)],
                                                              std::optional(anyCode()));
                    } else {
                        command = DocumentCommand::IncludeSet(
                            document, kNames[pick(5)], static_cast<ByteCode>(pick(2) * pick(200)));
                    }
                    break;
                case 1:
                    if (lines > 0) command = DocumentCommand::RemoveLine(document, pick(lines));
                    break;
                case 2:
                    if (lines > 0) {
                        command = DocumentCommand::SetLineStart(document, pick(lines),
                                                                std::optional(anyCode()));
                    }
                    break;
                case 3:
                    command = DocumentCommand::PutEntry(
                        document, anyCode(),
                        {std::string(static_cast<std::size_t>(1 + pick(3)),
                                     static_cast<char>('a' + pick(26))),
                         static_cast<EntryKind>(pick(3))},
                        "entry");
                    break;
                case 4: {
                    std::vector<std::pair<TableCode, TableEntry>> entries;
                    for (int i = pick(20); i > 0; --i) {
                        // Now and then an empty entry: it takes a two-byte code away.
                        entries.emplace_back(
                            anyCode(),
                            TableEntry{pick(4) == 0
                                           ? std::string()
                                           : std::string(1, static_cast<char>('A' + pick(26)))});
                    }
                    command = DocumentCommand::PutEntries(document, entries);
                    break;
                }
                case 5: {
                    // What a MAKE TABLE run lays, as the windows store it.
                    Workspace table = document.Table();
                    table.CurrentCode = static_cast<ByteCode>(pick(40));
                    if (AssembleTable(order, table).ok()) {
                        // A run may also have dropped and changed two-byte codes.
                        if (!table.TableText.TwoByte().empty() && pick(2) == 0) {
                            table.TableText.Put(
                                TableCode::TwoByte(table.TableText.TwoByte().begin()->first), {});
                        }
                        table.TableText.Put(TableCode::TwoByte(static_cast<std::uint16_t>(0x8000 + pick(4))), {"laid"});
                        command = DocumentCommand::StoreTable(document, table);
                    }
                    break;
                }
                case 7:
                    command = DocumentCommand::SetCodeOrder(
                        document, pick(2) == 0 ? CodeOrder::BigEndian : CodeOrder::LittleEndian);
                    break;
                case 6:
                    command = DocumentCommand::SetStartCode(document, std::to_string(pick(100)));
                    break;
            }
            if (!command || command->IsEmpty()) continue;
            command->Do(document);
            done.push_back(*command);
            states.push_back(document.Contents());
            // Each change is a state never seen before, even one that gives back earlier contents.
            ASSERT_EQ(std::count(revisions.begin(), revisions.end(), document.Revision()), 0);
            revisions.push_back(document.Revision());
        }
        for (std::size_t i = done.size(); i-- > 0;) {
            done[i].Undo(document);
            ASSERT_EQ(document.Contents(), states[i]) << "round " << round << ", undo " << i;
            ASSERT_EQ(document.Revision(), revisions[i]) << "round " << round << ", undo " << i;
        }
        for (std::size_t i = 0; i < done.size(); ++i) {
            done[i].Do(document);
            ASSERT_EQ(document.Contents(), states[i + 1]) << "round " << round << ", redo " << i;
            ASSERT_EQ(document.Revision(), revisions[i + 1]) << "round " << round << ", redo " << i;
        }
    }
}

}  // namespace
}  // namespace glyphwright
