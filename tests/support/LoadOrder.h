#pragma once

// A long Table Order for load tests and benchmarks: every set many times, own start codes,
// single entries in between. The same order every time (no randomness), so a failure repeats.

#include <cstdint>
#include <string>
#include <vector>

#include "core/table/Document.h"
#include "support/ReferenceTable.h"

namespace glyphwright::evidence {

struct LoadLine {
    bool single = false;  // a single entry rather than a set
    std::string name;     // set name (sets only)
    int start = 0;        // own start code, 0 = none (sets only)
    int code = 0;         // code of a single entry
    std::string text;     // bytes of a single entry: plain ASCII, the same in any code page
};

// `count` lines: every fourth a single entry, the rest the seven sets in turn. Two of every three
// sets get an own start; the others go on from the set before, which always has an own start. An
// own start leaves room for two more sets of up to 54 codes after its set, so that the order
// still fits when removals put two sets without an own start in a row. The last line lays "0-9"
// at F6, so a table started at 00 runs to FF.
inline std::vector<LoadLine> MakeLoadOrder(int count = 1000) {
    static const char* const kNames[] = {"Hiragana",   "Katakana",           "Dakuten",
                                         "Handakuten", "Uppercase Alphabet", "Lowercase Alphabet",
                                         "0-9"};
    static const int kSizes[] = {50, 54, 40, 10, 26, 26, 10};
    std::vector<LoadLine> lines;
    std::uint32_t seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) & 0xFFFF);
    };
    constexpr int kRoomAfter = 2 * 54;
    int set = 0;
    int setLines = 0;
    for (int i = 0; i + 1 < count; ++i) {
        LoadLine line;
        if (i % 4 == 3) {
            line.single = true;
            line.code = next() % 256;
            line.text = "s" + std::to_string(i);
        } else {
            const int size = kSizes[set];
            line.name = kNames[set];
            set = (set + 1) % 7;
            if (setLines++ % 3 != 2) line.start = 1 + next() % (256 - kRoomAfter - size);
        }
        lines.push_back(line);
    }
    if (count > 0) lines.push_back({false, "0-9", 0xF6, 0, {}});
    return lines;
}

// The records and table that including `lines` in order would leave, before any MAKE TABLE:
// set lines record their name and own start at their position, single entries fill their slot
// at once and record nothing.
struct LoadState {
    ReferenceOrder order;
    Table table;
    int lineCount = 0;
};

inline LoadState IncludeAll(const std::vector<LoadLine>& lines) {
    LoadState state;
    for (const LoadLine& line : lines) {
        ++state.lineCount;
        const auto at = static_cast<std::size_t>(state.lineCount);
        if (line.single) {
            state.table[static_cast<std::size_t>(line.code)] = line.text;
        } else {
            state.order.names[at] = line.name;
            state.order.starts[at] = line.start;
        }
    }
    return state;
}

// The program's own state after `lines`, put straight in as the windows leave it: the set lines
// in the Table Order with their own starts, the single entries in the table and on their lines.
inline DocumentContents LoadedContents(const std::vector<LoadLine>& lines) {
    DocumentContents contents;
    for (const LoadLine& line : lines) {
        if (line.single) {
            contents.table.TableText.Put(TableCode::OneByte(static_cast<ByteCode>(line.code)),
                                         {line.text});
            (void)contents.order.AppendEntryLine(line.text);
            continue;
        }
        (void)contents.order.AppendSetLine(line.name);
        if (line.start != 0) {
            contents.order.SetStart(contents.order.LineCount() - 1,
                                    static_cast<ByteCode>(line.start));
        }
    }
    return contents;
}

}  // namespace glyphwright::evidence
