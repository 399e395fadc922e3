// The game text through tables of every kind of entry: linked entries with their parameters,
// switches into other tables, end codes and line breaks.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/text/CodeReader.h"
#include "core/text/TextThroughTable.h"
#include "support/EntryKinds.h"

namespace glyphwright {
namespace {

std::string Joined(const std::vector<TextCell>& cells) {
    std::string joined;
    for (const TextCell& cell : cells) joined += cell.text + "|";
    return joined;
}

// The tables a document's switches name, kept by id.
struct Tables {
    std::map<std::string, TableEntries> byId;

    [[nodiscard]] TableLookup Lookup() const {
        return [this](std::string_view id) -> const TableEntries* {
            const auto found = byId.find(std::string(id));
            return found == byId.end() ? nullptr : &found->second;
        };
    }
};

using test::Linked;
using test::Switch;

std::string Read(const DocumentContents& contents, const Tables& tables,
                 const std::vector<std::uint8_t>& bytes) {
    return Joined(
        ReadCodesThroughTable(bytes, CodesAsShown(contents, false, tables.Lookup(), "main")));
}

// A naive reader, written from what the game text promises and sharing nothing with it: the
// table in use is the last one switched into, looked up afresh at every byte in plain maps.
class NaiveReader {
public:
    struct Entry {
        EntryKind kind = EntryKind::Ordinary;
        std::string text;
        int parameters = 0;
        std::string table;
        int count = 0;
    };
    using Table = std::map<std::string, Entry>;  // by the code's bytes

    std::map<std::string, Table> tables;  // "main" is the one reading starts in

    [[nodiscard]] std::string Read(const std::vector<std::uint8_t>& bytes) const {
        const std::string text(bytes.begin(), bytes.end());
        std::vector<std::pair<std::string, int>> open;  // switched into: id, codes left or 0
        std::string out;
        std::size_t at = 0;
        while (at < text.size()) {
            const Table& table = tables.at(open.empty() ? "main" : open.back().first);
            const Entry* entry = nullptr;
            std::size_t width = 2;
            if (at + 1 < text.size() && table.count(text.substr(at, 2)) != 0) {
                entry = &table.at(text.substr(at, 2));
            } else if (table.count(text.substr(at, 1)) != 0) {
                entry = &table.at(text.substr(at, 1));
                width = 1;
            }
            if (entry == nullptr && !open.empty()) {
                open.pop_back();
                continue;
            }
            if (entry == nullptr) {
                out += Hex("[%02X]", bytes[at]) + "|";
                ++at;
                continue;
            }
            if (!open.empty() && open.back().second > 0) {
                if (--open.back().second == 0) open.pop_back();
            }
            std::size_t parameters = 0;
            switch (entry->kind) {
                case EntryKind::Ordinary:
                    out += entry->text;
                    break;
                case EntryKind::EndCode:
                    out += "{" + entry->text + "}";
                    open.clear();
                    break;
                case EntryKind::LineBreak:
                    out += "\u21B5";
                    break;
                case EntryKind::Linked: {
                    out += "[" + entry->text;
                    const std::size_t wanted = static_cast<std::size_t>(entry->parameters);
                    parameters = std::min(wanted, text.size() - at - width);
                    for (std::size_t i = 0; i < parameters; ++i) {
                        out += Hex(" $%02X", bytes[at + width + i]);
                    }
                    out += parameters < wanted ? " \u2026]" : "]";
                    break;
                }
                case EntryKind::TableSwitch: {
                    out += "{" + (entry->text.empty() ? "" : entry->text + " ") + "@" + entry->table;
                    bool known = true;
                    if (entry->table == "main") {
                        open.clear();
                    } else if (const auto back = std::find_if(
                                   open.begin(), open.end(),
                                   [&](const auto& o) { return o.first == entry->table; });
                               back != open.end()) {
                        open.erase(back + 1, open.end());
                    } else if (tables.count(entry->table) == 0) {
                        known = false;
                    } else {
                        open.emplace_back(entry->table, entry->count);
                    }
                    out += known ? "}" : "?}";
                    break;
                }
            }
            out += "|";
            for (std::size_t i = 1; i < width + parameters; ++i) out += "|";
            at += width + parameters;
        }
        return out;
    }

private:
    static std::string Hex(const char* format, std::uint8_t byte) {
        char hex[8];
        std::snprintf(hex, sizeof hex, format, static_cast<unsigned>(byte));
        return hex;
    }
};

// Random scripts through random tables of every kind: a main table and two more, switches among
// them, to themselves, to a table there is none of, with and without counts; linked entries
// near the end of the bytes. A small alphabet of bytes makes two-byte codes, codes a switched
// table lacks and cut parameters all frequent.
TEST(ReadKinds, GameTextMatchesANaiveReaderOverRandomTablesOfEveryKind) {
    std::mt19937 random(20261209);
    const auto pick = [&random](int below) {
        return std::uniform_int_distribution<int>(0, below - 1)(random);
    };
    const auto byteOf = [&pick]() {
        const int k = pick(10);
        return static_cast<std::uint8_t>(k < 5 ? k : 0x80 + k);
    };
    const std::vector<std::string> ids = {"main", "kana", "kanji", "gone"};
    int switches = 0;
    int linked = 0;
    for (int round = 0; round < 2000; ++round) {
        SCOPED_TRACE(round);
        NaiveReader naive;
        DocumentContents contents;
        Tables tables;
        for (const std::string id : {"main", "kana", "kanji"}) {
            NaiveReader::Table& table = naive.tables[id];
            const bool main = id == std::string("main");
            const auto put = [&](TableCode code, const TableEntry& entry) {
                if (main) {
                    contents.table.TableText.Put(code, entry);
                } else {
                    tables.byId[id].Put(code, entry);
                }
                if (!entry.Holds()) return;
                table[code.Bytes()] = {entry.kind, entry.text, entry.parameters, entry.table,
                                       entry.count};
            };
            if (!main) tables.byId[id];
            const auto entryOf = [&](int letter) {
                switch (pick(8)) {
                    case 0:
                        return TableEntry{"end", EntryKind::EndCode};
                    case 1:
                        return TableEntry{"\\n", EntryKind::LineBreak};
                    case 2:
                        return Linked("c" + std::to_string(letter), pick(4));
                    case 3:
                        return Switch(ids[static_cast<std::size_t>(pick(4))], pick(3),
                                      pick(2) == 0 ? "" : "s");
                    default:
                        return TableEntry{std::string(1, static_cast<char>(letter))};
                }
            };
            for (int i = main ? pick(8) : pick(5); i > 0; --i) {
                put(TableCode::OneByte(byteOf()), entryOf('a' + pick(26)));
            }
            for (int i = pick(6); i > 0; --i) {
                const auto stored = static_cast<std::uint16_t>(byteOf() << 8 | byteOf());
                put(TableCode::TwoByte(stored), entryOf('A' + pick(26)));
            }
        }
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(pick(80)));
        for (std::uint8_t& byte : bytes) byte = byteOf();

        const std::string read = Read(contents, tables, bytes);
        ASSERT_EQ(read, naive.Read(bytes));
        switches += read.find("@k") != std::string::npos ? 1 : 0;
        linked += read.find(" $") != std::string::npos ? 1 : 0;
    }
    // The rounds met what they are for.
    EXPECT_GT(switches, 200);
    EXPECT_GT(linked, 200);
}

// Parameters are raw bytes whatever they hold, an end code's byte included; the bytes' end
// cutting them is marked, never read past.
TEST(ReadKinds, LinkedEntriesShowTheirParametersInHex) {
    DocumentContents contents;
    contents.table.TableText.Put(0x41, {"A"});
    contents.table.TableText.Put(0xFF, {"end", EntryKind::EndCode});
    contents.table.TableText.Put(0xF5, Linked("[color]", 1));
    contents.table.TableText.Put(TableCode::TwoByte(0xF600), Linked("wait", 2));
    const Tables none;
    EXPECT_EQ(Read(contents, none, {0xF5, 0xFF, 0x41, 0xF6, 0x00, 0x12, 0x34, 0xFF}),
              "[color $FF]||A|[wait $12 $34]||||{end}|");
    EXPECT_EQ(Read(contents, none, {0x41, 0xF6, 0x00, 0x12}), "A|[wait $12 \u2026]|||");
    EXPECT_EQ(Read(contents, none, {0xF5}), "[color \u2026]|");
}

// A switch reads through the table it names for its count of codes, or until a code that table
// lacks; an end code always ends it, so a count past the string's end does not reach into the
// next string. A table there is none of is marked and not followed.
TEST(ReadKinds, SwitchesReadThroughTheOtherTable) {
    DocumentContents contents;
    contents.table.TableText.Put(0x10, {"a"});
    contents.table.TableText.Put(0x11, {"b"});
    contents.table.TableText.Put(0xFF, {"end", EntryKind::EndCode});
    contents.table.TableText.Put(0xF0, Switch("kanji", 0));
    contents.table.TableText.Put(0xF1, Switch("kanji", 2, "[k2]"));
    contents.table.TableText.Put(0xF2, Switch("gone", 0));
    Tables tables;
    tables.byId["kanji"].Put(0x10, {"漢"});
    tables.byId["kanji"].Put(0x11, {"字"});
    tables.byId["kanji"].Put(0xFF, {"!"});

    // Until a code it lacks; the byte is read again through the main table.
    EXPECT_EQ(Read(contents, tables, {0xF0, 0x10, 0x11, 0x12, 0x10}), "{@kanji}|漢|字|[12]|a|");
    // For two codes, then back.
    EXPECT_EQ(Read(contents, tables, {0xF1, 0x10, 0x11, 0x10}), "{k2 @kanji}|漢|字|a|");
    // The kanji table holds FF as text: until a code it lacks, FF is text and no end.
    EXPECT_EQ(Read(contents, tables, {0xF0, 0x10, 0xFF, 0x12, 0x10}), "{@kanji}|漢|!|[12]|a|");
    EXPECT_EQ(Read(contents, tables, {0xF2, 0x10}), "{@gone?}|a|");
    // Without the tables, no switch is followed.
    EXPECT_EQ(Read(contents, Tables{}, {0xF0, 0x10}), "{@kanji?}|a|");

    // An end code inside the count ends the switch: the next string starts in the main table.
    tables.byId["kanji"].Put(0xFE, {"end", EntryKind::EndCode});
    contents.table.TableText.Put(0xF3, Switch("kanji", 5));
    EXPECT_EQ(Read(contents, tables, {0xF3, 0x10, 0xFE, 0x10, 0x11}), "{@kanji}|漢|{end}|a|b|");
}

// Switches to and fro (main -> kanji -> kana -> kanji -> main ...) go back to the table already
// open rather than deeper: a long run of them reads to its end, each switch in its place.
TEST(ReadKinds, SwitchLoopsGoBackRatherThanDeeper) {
    DocumentContents contents;
    contents.table.TableText.Put(0x10, {"a"});
    contents.table.TableText.Put(0xF0, Switch("kanji", 0));
    Tables tables;
    tables.byId["kanji"].Put(0x10, {"漢"});
    tables.byId["kanji"].Put(0xF1, Switch("kana", 0));
    tables.byId["kanji"].Put(0xF3, Switch("main", 0));
    tables.byId["kana"].Put(0x10, {"か"});
    tables.byId["kana"].Put(0xF2, Switch("kanji", 0));
    tables.byId["kana"].Put(0xF0, Switch("kana", 0));  // to itself

    const std::vector<std::uint8_t> loop{0xF0, 0x10, 0xF1, 0x10, 0xF0, 0x10, 0xF2, 0x10, 0xF3, 0x10};
    EXPECT_EQ(Read(contents, tables, loop),
              "{@kanji}|漢|{@kana}|か|{@kana}|か|{@kanji}|漢|{@main}|a|");
    std::vector<std::uint8_t> many;
    for (int i = 0; i < 20000; ++i) many.insert(many.end(), loop.begin(), loop.end());
    const ShownCodes shown = CodesAsShown(contents, false, tables.Lookup(), "main");
    const std::vector<TextCell> cells = ReadCodesThroughTable(many, shown);
    ASSERT_EQ(cells.size(), many.size());
    EXPECT_EQ(cells[many.size() - 1].text, "a");
    EXPECT_EQ(cells[many.size() - 3].text, "漢");
}

}  // namespace
}  // namespace glyphwright
