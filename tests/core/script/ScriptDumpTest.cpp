// The dump is judged by the inserter's round trip: a game whose strings and pointers are wiped,
// filled again from the unchanged script by an inserter written from Atlas's guide, must be the
// game again byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/script/ScriptDump.h"
#include "support/AtlasInserter.h"

namespace glyphwright {
namespace {

using Kind = DumpProblem::Kind;

// A table as its file writes it, and the same lines for the dumper.
struct Table {
    std::vector<ScriptEntry> entries;
    std::string file;
    // The tables switches name, by id: their entries, their lines for the dumper and their
    // files for the inserter.
    std::map<std::string, TableEntries> others;
    std::vector<ScriptSection> sections;
    std::map<std::string, std::string> files;  // by the path the script names, "game.<id>.tbl"

    void Add(TableCode code, EntryKind kind, std::string text) {
        file += (kind == EntryKind::EndCode ? "/" : "") + code.Hex() + '=' + text + '\n';
        entries.push_back({code, kind, std::move(text)});
    }
    // A linked entry: "$XX=label,N".
    void AddLinked(TableCode code, std::string label, int parameters) {
        file += "$" + code.Hex() + '=' + label + ',' + std::to_string(parameters) + '\n';
        entries.push_back({code, EntryKind::Linked, std::move(label), parameters});
    }
    // A switch to `table` for `count` codes: "!XX=table,count"; its text is none.
    void AddSwitch(TableCode code, std::string table, int count) {
        file += "!" + code.Hex() + '=' + table + ',' + std::to_string(count) + '\n';
        entries.push_back({code, EntryKind::TableSwitch, {}, 0, std::move(table), count});
    }
    // An entry of the table `id`, which a switch names.
    void AddOther(const std::string& id, TableCode code, const std::string& text) {
        if (others[id].At(code).Holds()) return;
        others[id].Put(code, {text});
        auto section = std::find_if(sections.begin(), sections.end(),
                                    [&](const ScriptSection& s) { return s.id == id; });
        if (section == sections.end()) section = sections.insert(sections.end(), {id, {}});
        section->entries.push_back({code, EntryKind::Ordinary, text});
        files["game." + id + ".tbl"] += code.Hex() + '=' + text + '\n';
    }
    // A switch in the table `id` back to the main one, "main".
    void AddSwitchBack(const std::string& id, TableCode code, int count) {
        TableEntry entry{{}, EntryKind::TableSwitch};
        entry.table = "main";
        entry.count = count;
        others[id].Put(code, entry);
        for (ScriptSection& section : sections) {
            if (section.id == id) {
                section.entries.push_back({code, EntryKind::TableSwitch, {}, 0, "main", count});
            }
        }
        files["game." + id + ".tbl"] += "!" + code.Hex() + "=main," + std::to_string(count) + '\n';
    }
};

// Texts that trip an inserter: pairs a longer entry also spells, the same text at two codes,
// command and comment starts, blanks, and text that looks like a raw byte.
const std::vector<std::string> kTexts = {
    "a", "b", "c", "ab", "abc", "bc", "the", "th", "e", "か", "かな", "な", " ", "  ",
    "#", "/", "//", "<", "$", "<$", "(", ")", "x", "y", "z", "[", "]", "\\", "n", "41>",
};

const std::vector<std::string> kKanji = {"漢", "字", "漢字", "読"};

Table RandomTable(std::mt19937& random) {
    Table table;
    table.Add(TableCode::OneByte(0x00), EntryKind::EndCode, "[end]");
    if (random() % 2 == 0) table.Add(TableCode::OneByte(0x01), EntryKind::EndCode, "[wait]");
    table.Add(TableCode::OneByte(0xFE), EntryKind::LineBreak, "\\n");
    for (int code = 0x10; code < 0xE0; ++code) {
        if (random() % 3 == 0) continue;  // codes with no entry: read as raw bytes
        table.Add(TableCode::OneByte(static_cast<ByteCode>(code)), EntryKind::Ordinary,
                  kTexts[random() % kTexts.size()]);
    }
    // F8 a colour with one or two bytes of parameters, F9 a switch to a table of kanji for a
    // count of codes or until a code it lacks. Its texts are some of the main table's, so that
    // some come back as text and some only raw.
    table.AddLinked(TableCode::OneByte(0xF8), random() % 2 == 0 ? "[color]" : "a",
                    1 + static_cast<int>(random() % 2));
    table.AddSwitch(TableCode::OneByte(0xF9), "kanji", static_cast<int>(random() % 3));
    for (int i = 0; i < 12; ++i) {
        // Texts the main table has too, and kanji it has not: either way read back through the
        // table switched to.
        const std::string text =
            random() % 3 == 0 ? kKanji[random() % kKanji.size()] : kTexts[random() % kTexts.size()];
        if (i % 2 == 0) {
            table.AddOther("kanji",
                           TableCode::OneByte(static_cast<ByteCode>(0x10 + random() % 0x20)), text);
        } else {
            // Second bytes that are no end code: read a byte at a time once the count is
            // spent, they still end no string.
            table.AddOther("kanji",
                           TableCode::TwoByte(static_cast<std::uint16_t>(0xF420 + random() % 0x20)),
                           text);
        }
    }
    // 30 of the kanji goes back to the main table before the kanji end.
    table.AddSwitchBack("kanji", TableCode::OneByte(0x30), static_cast<int>(random() % 2));
    // F0-F3 begin two-byte codes only.
    for (int i = 0; i < 40; ++i) {
        const auto stored = static_cast<std::uint16_t>(0xF000 + random() % 0x400);
        if (std::any_of(table.entries.begin(), table.entries.end(),
                        [&](const ScriptEntry& e) { return e.code == TableCode::TwoByte(stored); }))
            continue;
        table.Add(TableCode::TwoByte(stored), EntryKind::Ordinary, kTexts[random() % kTexts.size()]);
    }
    return table;
}

// One string's bytes: codes of the table, bytes it has no entry for, an end code last.
std::vector<std::uint8_t> RandomString(std::mt19937& random, const Table& table, bool unread) {
    std::vector<std::uint8_t> bytes;
    const std::size_t length = random() % 12;
    for (std::size_t i = 0; i < length; ++i) {
        if (unread && random() % 10 == 0) {
            bytes.push_back(static_cast<std::uint8_t>(0xE0 + random() % 0x10));  // no entry
            continue;
        }
        const ScriptEntry& entry = table.entries[random() % table.entries.size()];
        if (entry.kind == EntryKind::EndCode) continue;
        for (const char byte : entry.code.Bytes()) bytes.push_back(static_cast<std::uint8_t>(byte));
        // Parameters are any bytes, an end code's too.
        for (int p = 0; p < entry.parameters; ++p) bytes.push_back(static_cast<std::uint8_t>(random()));
        if (entry.kind == EntryKind::TableSwitch) {
            const TableEntries& kanji = table.others.at(entry.table);
            for (std::size_t k = random() % 4; k > 0; --k) {
                if (random() % 2 == 0 && !kanji.TwoByte().empty()) {
                    auto held = kanji.TwoByte().begin();
                    std::advance(held, static_cast<std::ptrdiff_t>(random() % kanji.TwoByte().size()));
                    bytes.push_back(static_cast<std::uint8_t>(held->first >> 8));
                    bytes.push_back(static_cast<std::uint8_t>(held->first));
                } else {
                    bytes.push_back(static_cast<std::uint8_t>(0x10 + random() % 0x20));
                }
            }
            if (random() % 3 == 0) bytes.push_back(0x30);  // back to the main table
        }
    }
    bytes.push_back(random() % 4 == 0 && table.entries[1].kind == EntryKind::EndCode ? 0x01 : 0x00);
    return bytes;
}

PointerKind RandomKind(std::mt19937& random) {
    switch (random() % 5) {
        case 0:
            return ReadPointerKind("gba").value();
        case 1:
            return ReadPointerKind("lorom").value();
        case 2:
            return ReadPointerKind("hirom").value();
        case 3:
            return ReadPointerKind("nes+" + std::to_string(random() % 3)).value();
        default: {
            PointerKind kind;
            kind.bytes = 2 + static_cast<int>(random() % 3);
            kind.bigEndian = random() % 2 == 0;
            kind.adjust = static_cast<std::int64_t>(random() % 0x3000) - 0x1000;
            return kind;
        }
    }
}

// The value a game stores for `offset`.
std::uint32_t ValueOf(const PointerKind& kind, std::uint64_t offset, bool highMirror) {
    switch (kind.map) {
        case PointerKind::Map::Gba:
            return static_cast<std::uint32_t>(offset + 0x08000000);
        case PointerKind::Map::LoRom:
            return static_cast<std::uint32_t>((offset / 0x8000) << 16 | 0x8000 | (offset & 0x7FFF)) |
                   (highMirror ? 0x800000u : 0u);
        case PointerKind::Map::HiRom:
            return static_cast<std::uint32_t>(offset) | (highMirror ? 0xC00000u : 0x400000u);
        case PointerKind::Map::Nes:
            return static_cast<std::uint32_t>(offset - 0x10 - static_cast<std::uint64_t>(kind.adjust) * 0x4000 + 0x8000);
        case PointerKind::Map::Linear:
            break;
    }
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(offset) - kind.adjust);
}

void Store(std::vector<std::uint8_t>& game, std::uint64_t at, const PointerKind& kind,
           std::uint32_t value) {
    for (int i = 0; i < kind.bytes; ++i) {
        const int shift = 8 * (kind.bigEndian ? kind.bytes - 1 - i : i);
        game[at + static_cast<unsigned>(i)] = static_cast<std::uint8_t>(value >> shift);
    }
}

struct Game {
    std::vector<std::uint8_t> bytes;
    DumpRequest request;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> strings;  // start, end
    bool intoStrings = false;  // some pointers point into the middle of a string
};

// Strings laid one after the other in a nes bank's window (so every kind can reach them), some
// with a gap before them; pointer tables after them, every string pointed to at least once,
// some more than once, a few pointers into the middle of a string.
Game RandomGame(std::mt19937& random, const Table& table) {
    Game game;
    game.bytes.resize(0x10 + 3 * 0x4000);
    for (auto& byte : game.bytes) byte = static_cast<std::uint8_t>(random());
    const auto kind = RandomKind(random);
    const std::uint64_t bank = kind.map == PointerKind::Map::Nes ? static_cast<std::uint64_t>(kind.adjust) : 1;
    std::uint64_t at = 0x10 + bank * 0x4000 + random() % 0x100;
    // Linear kinds take offsets that their width can hold once adjusted.
    if (kind.map == PointerKind::Map::Linear && kind.adjust > 0) at = std::max<std::uint64_t>(at, static_cast<std::uint64_t>(kind.adjust));
    const std::size_t count = 1 + random() % 40;
    const bool unread = random() % 2 == 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (random() % 5 == 0) at += 1 + random() % 8;
        const auto string = RandomString(random, table, unread);
        std::copy(string.begin(), string.end(), game.bytes.begin() + static_cast<std::ptrdiff_t>(at));
        game.strings.emplace_back(at, at + string.size());
        at += string.size();
    }
    const bool ranged = random() % 4 == 0;
    if (ranged) {
        game.request.range = ByteRange{game.strings.front().first, game.strings.back().second};
        // The bytes between strings belong to the range's strings then.
        game.strings = {{game.strings.front().first, game.strings.back().second}};
        return game;
    }
    std::vector<std::uint64_t> targets;
    for (const auto& [start, end] : game.strings) targets.push_back(start);
    for (std::size_t i = random() % 6; i > 0; --i) targets.push_back(targets[random() % targets.size()]);
    if (random() % 3 == 0) {
        const auto& [start, end] = game.strings[random() % game.strings.size()];
        if (end - start > 2) {
            targets.push_back(start + 1 + random() % (end - start - 2));
            game.intoStrings = true;
        }
    }
    std::shuffle(targets.begin(), targets.end(), random);
    // Split the pointers among one to three blocks of the same kind side by side, or apart.
    const bool highMirror = random() % 2 == 0;
    std::uint64_t table_at = at + 0x40 + random() % 0x100;
    for (std::size_t first = 0; first < targets.size();) {
        const std::size_t n = std::min(targets.size() - first, 1 + random() % targets.size());
        game.request.blocks.push_back({table_at, n, kind});
        for (std::size_t i = 0; i < n; ++i) {
            Store(game.bytes, table_at + i * static_cast<unsigned>(kind.bytes), kind,
                  ValueOf(kind, targets[first + i], highMirror));
        }
        table_at += n * static_cast<unsigned>(kind.bytes) + random() % 3 * 16;
        first += n;
    }
    return game;
}

// The game with its strings and pointers overwritten.
std::vector<std::uint8_t> Wiped(const Game& game) {
    std::vector<std::uint8_t> wiped = game.bytes;
    for (const auto& [start, end] : game.strings) std::fill(&wiped[start], &wiped[end], 0xA5);
    for (const PointerBlock& block : game.request.blocks) {
        std::fill(&wiped[block.offset], &wiped[block.End()], 0x5A);
    }
    return wiped;
}

TEST(ScriptDump, InsertersRoundTripRandomGamesTablesAndPointerKinds) {
    std::mt19937 random(33);
    int withProblems = 0;
    int withColour = 0;
    int withKanji = 0;
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        const Table table = RandomTable(random);
        Game game = RandomGame(random, table);
        game.request.tablePath = "game.tbl";
        const ScriptTable read(table.entries, table.sections, "main");
        const DumpResult dump = DumpScript(game.bytes, read, game.request);
        std::vector<std::uint8_t> inserted = Wiped(game);
        test::AtlasInserter inserter(table.file, table.files);
        const auto failed = inserter.Insert(dump.script, inserted);
        ASSERT_FALSE(failed) << *failed << "\n" << dump.script;
        const auto differs = std::mismatch(inserted.begin(), inserted.end(), game.bytes.begin());
        ASSERT_TRUE(differs.first == inserted.end())
            << "first differs at $" << std::hex << (differs.first - inserted.begin()) << "\n"
            << dump.script;
        // The only problems are those the game was made with.
        for (const DumpProblem& problem : dump.problems) {
            EXPECT_TRUE(problem.kind == Kind::UnreadableBytes ||
                        (problem.kind == Kind::IntoString && game.intoStrings))
                << static_cast<int>(problem.kind);
        }
        withProblems += dump.problems.empty() ? 0 : 1;
        // A colour: its code and its parameters raw, whatever its label.
        withColour += dump.script.find("<$F8><$") != std::string::npos ? 1 : 0;
        // After a switch, the other table's text as text: a kanji the main table lacks.
        for (std::size_t at = dump.script.find("#ACTIVETBL(Table_1)\n"); at != std::string::npos;
             at = dump.script.find("#ACTIVETBL(Table_1)\n", at + 1)) {
            const std::string line =
                dump.script.substr(at + 20, dump.script.find('\n', at + 20) - at - 20);
            if (std::any_of(kKanji.begin(), kKanji.end(), [&](const std::string& k) {
                    return line.find(k) != std::string::npos;
                })) {
                ++withKanji;
                break;
            }
        }
    }
    EXPECT_GT(withColour, 30);
    EXPECT_GT(withKanji, 10);
    // Both clean games and games with something to tell were met.
    EXPECT_GT(withProblems, 10);
    EXPECT_LT(withProblems, 290);
}

}  // namespace
}  // namespace glyphwright

namespace glyphwright {
namespace {

// Every kind of bad input in one game: each is told naming the pointer, marked in the script at
// its place, and the strings that can be read are still there.
TEST(ScriptDump, TellsWhatCannotComeBackAndStillWritesTheRest) {
    Table table;
    table.Add(TableCode::OneByte(0x00), EntryKind::EndCode, "[end]");
    table.Add(TableCode::OneByte(0x41), EntryKind::Ordinary, "A");
    const ScriptTable read(table.entries);
    std::vector<std::uint8_t> game(0x60, 0x41);
    game[0x24] = 0x00;  // the string at 20 ends here
    game[0x26] = 0x9A;  // the string at 25 holds a byte with no entry
    game[0x27] = 0x00;
    const auto put = [&](std::size_t at, std::uint16_t value) {
        game[at] = static_cast<std::uint8_t>(value);
        game[at + 1] = static_cast<std::uint8_t>(value >> 8);
    };
    // Block 1 at 00: a good pointer, one into the middle of the string at 20, one outside the
    // file, one into the pointers of block 2, one to a string that runs into block 2's pointers.
    const std::uint16_t pointers[] = {0x20, 0x22, 0x7000, 0x5A, 0x50};
    for (std::size_t i = 0; i < 5; ++i) put(2 * i, pointers[i]);
    // Block 2 at 58: four pointers to the string at 25, the rest past the file's end.
    for (std::size_t at = 0x58; at < 0x60; at += 2) put(at, 0x25);
    // Block 3 at 08 overlaps block 1's last pointer.
    put(0x0A, 0x20);
    DumpRequest request;
    // Block 4 lies where no file reaches: its offset would wrap round.
    request.blocks = {{0x00, 5, {}}, {0x58, 8, {}}, {0x08, 2, {}}, {0xFFFFFFFFFFFFFFF0u, 9, {}}};
    request.tablePath = "t.tbl";
    const DumpResult dump = DumpScript(game, read, request);

    const auto has = [&](Kind kind, std::size_t block, std::uint64_t index, std::uint64_t at) {
        return std::any_of(dump.problems.begin(), dump.problems.end(), [&](const DumpProblem& p) {
            return p.kind == kind && p.block == block && p.index == index && p.pointerOffset == at;
        });
    };
    EXPECT_TRUE(has(Kind::IntoString, 0, 1, 0x02));
    EXPECT_TRUE(has(Kind::OutsideFile, 0, 2, 0x04));
    EXPECT_TRUE(has(Kind::IntoPointers, 0, 3, 0x06));
    EXPECT_TRUE(std::any_of(dump.problems.begin(), dump.problems.end(), [](const DumpProblem& p) {
        return p.kind == Kind::IntoPointers && p.other == 1;  // block 2's pointers
    }));
    EXPECT_TRUE(has(Kind::NoEndCode, 0, 4, 0x08));
    EXPECT_TRUE(has(Kind::PointerPastEnd, 1, 4, 0x60));
    EXPECT_TRUE(has(Kind::BlocksOverlap, 2, 0, 0x08));
    EXPECT_TRUE(has(Kind::PointerPastEnd, 3, 0, 0xFFFFFFFFFFFFFFF0u));
    EXPECT_TRUE(has(Kind::UnreadableBytes, 1, 0, 0x58));
    // Marked in the script, where they are.
    for (const char* mark : {"// ! block 1 pointer 2 at $2 points here, into the string at $20.",
                             "// ! Pointer 3 at $4 holds $7000, outside the file: not written.",
                             "// ! Pointer 4 at $6 points to $5A, into the pointers of block 2: not written.",
                             "// ! No end code before $58, where pointers begin.",
                             "// ! Read without an entry: 9A", "overlap those of block 1",
                             "lie past the file's end"}) {
        EXPECT_NE(dump.script.find(mark), std::string::npos) << mark << "\n" << dump.script;
    }
    EXPECT_NE(dump.script.find("#WRITE(Ptr_1, $0)\n#WRITE(Ptr_3, $A)\nAA\n"), std::string::npos) << dump.script;
    EXPECT_NE(dump.script.find("A<$9A>[end]"), std::string::npos) << dump.script;
    ASSERT_EQ(dump.unread.size(), 1u);
    EXPECT_EQ(dump.unread.front(), (std::pair{TableCode::OneByte(0x9A), std::size_t{1}}));
}

}  // namespace
}  // namespace glyphwright

namespace glyphwright {
namespace {

// 40,000 codes on one line, each A reaching into the B after it through the entry AB: every A is
// written raw, in one pass over the line (a pass begun again at each change took 11 s of CPU).
TEST(ScriptDump, ALongLineWhereEveryCodeIsTakenByALongerEntry) {
    Table table;
    table.Add(TableCode::OneByte(0x00), EntryKind::EndCode, "[end]");
    table.Add(TableCode::OneByte(0x41), EntryKind::Ordinary, "A");
    table.Add(TableCode::OneByte(0x42), EntryKind::Ordinary, "B");
    table.Add(TableCode::OneByte(0x43), EntryKind::Ordinary, "AB");
    const ScriptTable read(table.entries);
    std::vector<std::uint8_t> game = {0x02, 0x00};
    for (int i = 0; i < 20000; ++i) {
        game.push_back(0x41);
        game.push_back(0x42);
    }
    game.push_back(0x00);
    DumpRequest request;
    request.blocks = {{0, 1, {}}};
    const DumpResult dump = DumpScript(game, read, request);
    std::string line;
    for (int i = 0; i < 20000; ++i) line += "<$41>B";
    EXPECT_NE(dump.script.find("\n" + line + "[end]\n"), std::string::npos);
    std::vector<std::uint8_t> inserted(game.size(), 0xA5);
    test::AtlasInserter inserter(table.file);
    ASSERT_FALSE(inserter.Insert(dump.script, inserted));
    EXPECT_TRUE(inserted == game);
}

}  // namespace
}  // namespace glyphwright

namespace glyphwright {
namespace {

// A range of 200,000 bytes is read a window at a time; strings and two-byte codes across the
// windows' edges come back whole.
TEST(ScriptDump, ARangeLongerThanOneWindow) {
    Table table;
    table.Add(TableCode::OneByte(0x00), EntryKind::EndCode, "[end]");
    table.Add(TableCode::OneByte(0x41), EntryKind::Ordinary, "A");
    table.Add(TableCode::TwoByte(0x8140), EntryKind::Ordinary, "か");
    table.Add(TableCode::TwoByte(0x8100), EntryKind::Ordinary, "く");
    const ScriptTable read(table.entries);
    std::vector<std::uint8_t> game;
    std::mt19937 random(200000);
    while (game.size() < 200000) {
        const auto pick = random() % 8;
        if (pick == 0) {
            game.push_back(0x00);
        } else if (pick < 4) {
            game.push_back(0x81);
            game.push_back(0x40);
        } else {
            game.push_back(0x41);
        }
    }
    // A two-byte code whose second byte is the end code, across the first window's edge.
    game[0xFFFF] = 0x81;
    game[0x10000] = 0x00;
    DumpRequest request;
    request.range = ByteRange{0, game.size()};
    const DumpResult dump = DumpScript(game, read, request);
    EXPECT_TRUE(dump.problems.empty());
    EXPECT_EQ(dump.script.find("<$"), std::string::npos) << "a code was cut";
    std::size_t ends = 0;
    for (std::size_t i = 0; i < game.size(); ++i) {
        if (game[i] == 0x81 && i + 1 < game.size() && (game[i + 1] == 0x40 || game[i + 1] == 0x00)) {
            ++i;
        } else if (game[i] == 0x00) {
            ++ends;
        }
    }
    EXPECT_EQ(dump.strings, ends + (game.back() == 0x00 ? 0 : 1));
    std::vector<std::uint8_t> inserted(game.size(), 0xA5);
    test::AtlasInserter inserter(table.file);
    ASSERT_FALSE(inserter.Insert(dump.script, inserted));
    EXPECT_TRUE(inserted == game);
}

}  // namespace
}  // namespace glyphwright

namespace glyphwright {
namespace {

// A pointer that points back at its own table, and a string that runs to the file's end: both
// told naming the pointer and marked where they are, and every string that can be read is
// still written, so that the inserter gives back all of it but the pointer that loops.
TEST(ScriptDump, APointerThatLoopsAndAStringWithNoEndBeforeTheFilesEnd) {
    Table table;
    table.Add(TableCode::OneByte(0x00), EntryKind::EndCode, "[end]");
    table.Add(TableCode::OneByte(0x41), EntryKind::Ordinary, "A");
    const ScriptTable read(table.entries);
    // Pointers at 00: to 02 (the pointer after it, in its own table), to 10, to 20.
    std::vector<std::uint8_t> game(0x28, 0x41);
    const std::uint16_t pointers[] = {0x02, 0x10, 0x20};
    for (std::size_t i = 0; i < 3; ++i) {
        game[2 * i] = static_cast<std::uint8_t>(pointers[i]);
        game[2 * i + 1] = 0;
    }
    game[0x12] = 0x00;  // "AA[end]" at 10; from 20 "AAAAAAAA" to the file's end
    DumpRequest request;
    request.blocks = {{0x00, 3, {}}};
    request.tablePath = "t.tbl";
    const DumpResult dump = DumpScript(game, read, request);

    ASSERT_EQ(dump.problems.size(), 2u) << dump.script;
    EXPECT_EQ(dump.problems[0], (DumpProblem{Kind::IntoPointers, 0, 0, 0x00, 0x02, 0, false}));
    EXPECT_EQ(dump.problems[1], (DumpProblem{Kind::NoEndCode, 0, 2, 0x04, 0x20, 0, false}));
    for (const char* mark : {"// ! Pointer 1 at $0 points to $2, back into its own table of pointers: not written.",
                             "#WRITE(Ptr_1, $2)\nAA[end]\n",
                             "#WRITE(Ptr_1, $4)\nAAAAAAAA\n// ! No end code before $28, the file's end.\n"}) {
        EXPECT_NE(dump.script.find(mark), std::string::npos) << mark << "\n" << dump.script;
    }
    // Wiped where the inserter writes: the two pointers and the two strings.
    std::vector<std::uint8_t> inserted = game;
    for (const auto& [from, to] : {std::pair{0x02, 0x06}, {0x10, 0x13}, {0x20, 0x28}}) {
        std::fill(inserted.begin() + from, inserted.begin() + to, 0xA5);
    }
    test::AtlasInserter inserter(table.file);
    ASSERT_FALSE(inserter.Insert(dump.script, inserted));
    EXPECT_TRUE(inserted == game);
}

// A range that begins past the file's end reads nothing, and says so instead of an empty dump.
TEST(ScriptDump, ARangePastTheFilesEndIsTold) {
    Table table;
    table.Add(TableCode::OneByte(0x00), EntryKind::EndCode, "[end]");
    const ScriptTable read(table.entries);
    const std::vector<std::uint8_t> game(0x40, 0x00);
    DumpRequest request;
    request.range = ByteRange{0x40, 0x80};
    const DumpResult dump = DumpScript(game, read, request);
    EXPECT_EQ(dump.strings, 0u);
    ASSERT_EQ(dump.problems.size(), 1u);
    EXPECT_EQ(dump.problems[0], (DumpProblem{Kind::RangePastEnd, 0, 0, 0, 0x40, 0, true}));
    EXPECT_NE(dump.script.find("// ! The range begins past the file's end, $40: nothing read.\n"),
              std::string::npos)
        << dump.script;
}

// The dump tells its progress as it goes, percentages rising to 100, and gives the same script
// as without; cancelled on the way it stops at once and gives nothing.
TEST(ScriptDump, TellsItsProgressAndStopsWhenCancelled) {
    std::mt19937 random(4);
    const Table table = RandomTable(random);
    const ScriptTable read(table.entries);
    std::vector<std::uint8_t> game(0x40000);
    for (std::size_t at = 0; at < game.size(); ++at) {
        game[at] = at % 23 == 0 ? 0x00 : static_cast<std::uint8_t>(0x10 + random() % 0xD0);
    }
    DumpRequest request;
    request.blocks = {{0, 0x400, ReadPointerKind("le16").value()}};
    request.range = ByteRange{0x10000, game.size()};
    for (std::size_t i = 0; i < 0x400; ++i) {
        const std::uint64_t target = 0x1000 + 23 * i + 1;
        game[2 * i] = static_cast<std::uint8_t>(target);
        game[2 * i + 1] = static_cast<std::uint8_t>(target >> 8);
    }
    request.tablePath = "t.tbl";

    std::atomic<bool> cancel{false};
    std::vector<int> told;
    const auto dump = DumpScript(game, read, request, cancel, [&](int percent) { told.push_back(percent); });
    ASSERT_TRUE(dump);
    EXPECT_EQ(dump.value().script, DumpScript(game, read, request).script);
    // The pointed strings, and the range's: one after each end code in it, and one before the first.
    EXPECT_EQ(dump.value().strings, 0x400u + (game.size() - 0x10000) / 23 + 1);
    ASSERT_GT(told.size(), 20u);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(std::adjacent_find(told.begin(), told.end()), told.end()) << "a percentage told twice";
    EXPECT_EQ(told.back(), 100);

    // Each part of the work can be cancelled: pointers, range, strings and the script.
    for (const int at : {5, 20, 45, 80}) {
        SCOPED_TRACE(at);
        told.clear();
        cancel = false;
        const auto stopped = DumpScript(game, read, request, cancel, [&](int percent) {
            told.push_back(percent);
            if (percent >= at) cancel = true;
        });
        EXPECT_FALSE(stopped);
        ASSERT_FALSE(told.empty());
        EXPECT_GE(told.back(), at);
        EXPECT_LT(told.back(), at + 5) << "the dump went on after it was cancelled";
    }
}

}  // namespace
}  // namespace glyphwright

namespace glyphwright {
namespace {

// Text after a switch is the other table's text, told to the inserter by its table's name, and
// the inserter puts it back; a byte neither table holds is the one code read without an entry.
TEST(ScriptDump, ReadsThroughSwitchesIntoTheOtherTable) {
    Table table;
    table.Add(TableCode::OneByte(0x00), EntryKind::EndCode, "[end]");
    table.Add(TableCode::OneByte(0x41), EntryKind::Ordinary, "A");
    table.AddSwitch(TableCode::OneByte(0xF9), "kanji", 0);
    table.AddOther("kanji", TableCode::OneByte(0x50), "漢");
    table.AddOther("kanji", TableCode::TwoByte(0x5152), "字");
    const ScriptTable read(table.entries, table.sections);
    // A, the switch, two kanji, back at a byte the kanji lack: A, the switch, a kanji and 53,
    // which neither table holds, then the end.
    const std::vector<std::uint8_t> string = {0x41, 0xF9, 0x50, 0x51, 0x52, 0x41,
                                              0x00, 0x41, 0xF9, 0x50, 0x53, 0x00};
    std::vector<std::uint8_t> game(0x20, 0xEE);
    std::copy(string.begin(), string.end(), game.begin() + 0x10);
    DumpRequest request;
    request.range = ByteRange{0x10, 0x10 + string.size()};
    request.tablePath = "game.tbl";
    const DumpResult dump = DumpScript(game, read, request);
    EXPECT_EQ(dump.script,
              "// Atlas script (Atlas 1.12, abcde -cm abcde::Atlas)\n"
              "#VAR(GameTable, TABLE)\n"
              "#ADDTBL(\"game.tbl\", GameTable)\n"
              "// Table_1: the table \"kanji\"\n"
              "#VAR(Table_1, TABLE)\n"
              "#ADDTBL(\"game.kanji.tbl\", Table_1)\n"
              "#ACTIVETBL(GameTable)\n"
              "\n"
              "// The strings from $10 to $1C, read between end codes\n"
              "#JMP($10)\n"
              "// $000010 (read between end codes)\n"
              "A<$F9>\n"
              "#ACTIVETBL(Table_1)\n"
              "漢字\n"
              "#ACTIVETBL(GameTable)\n"
              "A[end]\n"
              "// $000017 (read between end codes)\n"
              "A<$F9>\n"
              "#ACTIVETBL(Table_1)\n"
              "漢\n"
              "#ACTIVETBL(GameTable)\n"
              "<$53>[end]\n"
              "// ! Read without an entry: 53\n");
    // Coverage counts the codes of the other table as read.
    const std::vector<std::pair<TableCode, std::size_t>> unread = {{TableCode::OneByte(0x53), 1}};
    EXPECT_EQ(dump.unread, unread);

    std::vector<std::uint8_t> inserted(game.size(), 0xEE);
    test::AtlasInserter inserter(table.file, table.files);
    const auto failed = inserter.Insert(dump.script, inserted);
    ASSERT_FALSE(failed) << *failed;
    EXPECT_EQ(inserted, game);
}

// abcde reads a labelled line break without its "\n" and ignores the script's newlines: its
// script spells the break "[line]" and still ends the line there. Atlas reads the table line as
// it is. A bare "\n" and an ordinary text are written alike for both.
TEST(ScriptDump, ALabelledLineBreakIsWrittenAsEachInserterReadsIt) {
    Table table;
    table.Add(TableCode::OneByte(0x00), EntryKind::EndCode, "[end]");
    table.Add(TableCode::OneByte(0x41), EntryKind::Ordinary, "A");
    table.Add(TableCode::OneByte(0x42), EntryKind::Ordinary, "B\\n");
    table.Add(TableCode::OneByte(0xFE), EntryKind::LineBreak, "[line]\\n");
    table.Add(TableCode::OneByte(0xFD), EntryKind::LineBreak, "\\n");
    const std::vector<std::uint8_t> game = {0x41, 0xFE, 0x42, 0xFD, 0x41, 0x00};
    DumpRequest request;
    request.range = ByteRange{0, game.size()};
    request.tablePath = "game.tbl";
    const auto text = [](const std::string& script) {
        return script.substr(script.find("// $000000"));
    };
    const ScriptTable forAtlas(table.entries);
    EXPECT_EQ(text(DumpScript(game, forAtlas, request).script),
              "// $000000 (read between end codes)\nA[line]\\n\nB\\n\\n\nA[end]\n");
    const ScriptTable forAbcde(table.entries, {}, {}, Inserter::Abcde);
    const std::string abcde = DumpScript(game, forAbcde, request).script;
    EXPECT_EQ(abcde.substr(0, abcde.find('\n')),
              "// Atlas script for abcde (abcde -cm abcde::Atlas)");
    EXPECT_EQ(text(abcde), "// $000000 (read between end codes)\nA[line]\nB\\n\\n\nA[end]\n");
}

// Each inserter puts its own script back byte for byte, through pointers, a labelled break in
// the first table and one in a table a switch reads through; the other's script it does not.
TEST(ScriptDump, EachInserterPutsItsOwnScriptBack) {
    Table table;
    table.Add(TableCode::OneByte(0x00), EntryKind::EndCode, "[end]");
    table.Add(TableCode::OneByte(0x41), EntryKind::Ordinary, "A");
    table.Add(TableCode::OneByte(0x42), EntryKind::Ordinary, "B");
    table.Add(TableCode::OneByte(0xFE), EntryKind::LineBreak, "[line]\\n");
    table.AddSwitch(TableCode::OneByte(0xF9), "kanji", 0);
    table.AddOther("kanji", TableCode::OneByte(0x50), "漢");
    table.sections.front().entries.push_back(
        {TableCode::OneByte(0x51), EntryKind::LineBreak, "[br]\\n"});
    table.files["game.kanji.tbl"] += "51=[br]\\n\n";
    // Two strings at 8 and 0E, their 16-bit pointers at 0 and 2, a third pointer sharing the
    // first string.
    const std::vector<std::uint8_t> game = {0x08, 0x00, 0x0E, 0x00, 0x08, 0x00, 0xEE, 0xEE,
                                            0x41, 0xFE, 0xFE, 0x42, 0xFE, 0x00,
                                            0xF9, 0x50, 0x51, 0x50, 0x41, 0x00};
    DumpRequest request;
    request.blocks.push_back(ReadPointerBlock("0:3:le16").value());
    request.tablePath = "game.tbl";
    const auto inserted = [&](const std::string& script, test::AtlasInserter::Reading reading) {
        std::vector<std::uint8_t> wiped(game.size(), 0);
        std::fill(wiped.begin() + 6, wiped.begin() + 8, 0xEE);
        test::AtlasInserter inserter(table.file, table.files, reading);
        const auto failed = inserter.Insert(script, wiped);
        EXPECT_FALSE(failed) << *failed;
        return wiped;
    };
    using Reading = test::AtlasInserter::Reading;
    const ScriptTable forAtlas(table.entries, table.sections);
    const ScriptTable forAbcde(table.entries, table.sections, {}, Inserter::Abcde);
    const DumpResult atlas = DumpScript(game, forAtlas, request);
    const DumpResult abcde = DumpScript(game, forAbcde, request);
    EXPECT_TRUE(atlas.problems.empty());
    EXPECT_TRUE(abcde.problems.empty());
    EXPECT_EQ(inserted(atlas.script, Reading::Atlas), game);
    EXPECT_EQ(inserted(abcde.script, Reading::Abcde), game);
    EXPECT_NE(abcde.script.find("A[line]\n[line]\nB[line]\n[end]\n"), std::string::npos);
    EXPECT_NE(abcde.script.find("漢[br]\n"), std::string::npos) << abcde.script;
    // Neither reads the other's breaks.
    std::vector<std::uint8_t> scratch(game.size(), 0);
    EXPECT_TRUE(test::AtlasInserter(table.file, table.files, Reading::Abcde)
                    .Insert(atlas.script, scratch));
    EXPECT_TRUE(test::AtlasInserter(table.file, table.files, Reading::Atlas)
                    .Insert(abcde.script, scratch));
}

}  // namespace
}  // namespace glyphwright
