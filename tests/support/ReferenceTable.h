#pragma once

// A second, deliberately plain reading of how a Table Order becomes a table file, for checking
// AssembleTable, WriteTableFile and TableOrder::Remove against something they do not share code
// with. Only the member bytes of the sets come from the catalogue (BuiltInSetsTest checks those
// member by member); the lookup, the laying and the file format are written out again here.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/sets/BuiltInSets.h"

namespace glyphwright::evidence {

using Table = std::array<std::string, 256>;

// The Table Order records by line: names[n] and starts[n] belong to the 1-based line n. Index 0 is
// unused so that a line number is its index. The workspace keeps a start for line 1001 too (its
// OrderStarts[1000]), so starts runs one further than names.
struct ReferenceOrder {
    std::vector<std::string> names = std::vector<std::string>(1001);
    std::vector<int> starts = std::vector<int>(1002);

    // Removing line n (1-based) moves every later line's records up one and leaves an empty last
    // record behind. Lines outside 1..1000 have no records, so nothing happens.
    void Remove(int line) {
        if (line < 1 || line > 1000) return;
        names.erase(names.begin() + line);
        names.emplace_back();
        starts.erase(starts.begin() + line);
        starts.push_back(0);
    }
};

inline std::optional<std::span<const std::string_view>> ReferenceMembers(std::string_view name) {
    for (const CharacterSet& set : BuiltInSets()) {
        if (set.name.size() == name.size() && set.name.compare(name) == 0) return set.members;
    }
    return std::nullopt;
}

struct ReferenceAssembly {
    bool ok = false;
    Table table;   // the slots after the assembly (unchanged when it failed)
    int last = 0;  // LastCode after the assembly (unchanged when it failed)
};

// Lays the sets of lines 1..lineCount from `start` on. All or nothing: a set that would run past
// FF, more than 1000 lines, an order that lays no set at all, or one whose last code comes before
// the start code leave the table and the last code alone.
inline ReferenceAssembly ReferenceAssemble(const Table& before, int lastBefore, int start,
                                           const ReferenceOrder& order, int lineCount) {
    ReferenceAssembly failed{false, before, lastBefore};
    if (lineCount > 1000) return failed;
    Table table = before;
    int next = start;
    bool laid = false;
    for (int line = 1; line <= lineCount; ++line) {
        const auto members = ReferenceMembers(order.names[static_cast<std::size_t>(line)]);
        if (!members) continue;
        laid = true;
        const int own = order.starts[static_cast<std::size_t>(line)];
        if (own > 0) next = own;
        for (const std::string_view member : *members) {
            if (next > 255) return failed;
            table[static_cast<std::size_t>(next)] = member;
            ++next;
        }
    }
    if (!laid || next - 1 < start) return failed;
    return {true, table, next - 1};
}

// The bytes of the table file for codes first..last.
inline std::string ReferenceFile(const Table& table, int first, int last) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string file;
    for (int code = first; code <= last; ++code) {
        const std::string& entry = table[static_cast<std::size_t>(code)];
        if (code >= 16 && entry.empty()) continue;
        file += kDigits[code / 16];
        file += kDigits[code % 16];
        file += '=';
        file += entry;
        file += "\r\r\n";
    }
    return file + "\r\r\n";
}

// Reads a table file back line by line. Entries may hold any byte, CR and LF included, so the
// reader takes each entry's length from `table` rather than looking for the line end. Returns
// the codes in the order found, or a description of the first thing that is wrong.
struct ParsedFile {
    std::vector<int> codes;
    std::string fault;  // empty when the file is well formed
};

inline ParsedFile ParseTableFile(std::string_view file, const Table& table) {
    ParsedFile parsed;
    auto hexValue = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;  // lower case is not written
    };
    std::size_t at = 0;
    while (true) {
        if (file.substr(at) == "\r\r\n") return parsed;  // the trailer, and nothing after it
        if (file.size() - at < 6) {
            parsed.fault = "file ends inside a line at byte " + std::to_string(at);
            return parsed;
        }
        const int high = hexValue(file[at]);
        const int low = hexValue(file[at + 1]);
        if (high < 0 || low < 0 || file[at + 2] != '=') {
            parsed.fault = "no \"XX=\" at byte " + std::to_string(at);
            return parsed;
        }
        const int code = high * 16 + low;
        if (!parsed.codes.empty() && code <= parsed.codes.back()) {
            parsed.fault = "code " + std::to_string(code) + " is not above the one before";
            return parsed;
        }
        at += 3;
        const std::string& entry = table[static_cast<std::size_t>(code)];
        if (file.substr(at, entry.size()) != entry) {
            parsed.fault = "entry of code " + std::to_string(code) + " differs";
            return parsed;
        }
        at += entry.size();
        if (file.substr(at, 3) != "\r\r\n") {
            parsed.fault = "line of code " + std::to_string(code) + " does not end 0D 0D 0A";
            return parsed;
        }
        at += 3;
        parsed.codes.push_back(code);
    }
}

// The codes that must have a line: every code of first..last up to 0F, and above that the codes
// whose slot holds something.
inline std::vector<int> ExpectedCodes(const Table& table, int first, int last) {
    std::vector<int> codes;
    for (int code = first; code <= last; ++code) {
        if (code < 16 || !table[static_cast<std::size_t>(code)].empty()) codes.push_back(code);
    }
    return codes;
}

}  // namespace glyphwright::evidence
