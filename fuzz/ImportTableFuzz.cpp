// Any bytes as a table file a user was sent, read in the format found from the file or in one
// given: nothing may crash or hang, every line it cannot take is named by a line of the file, no
// code is taken twice, every linked entry and switch has its count in bounds and every switch
// names another table of the file, and reading the same bytes again gives the same tables.
//
// The input's first byte chooses the format (found, classic, UTF-8, Shift-JIS); the rest is the
// file.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "tablefile/ImportTable.h"

namespace {

using namespace glyphwright;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "ImportTable: %s\n", what);
    std::abort();
}

std::optional<TableFormat> ChosenFormat(std::uint8_t choice) {
    switch (choice % 4) {
        case 1: return TableFormat::Classic;
        case 2: return TableFormat::Utf8;
        case 3: return TableFormat::ShiftJis;
        default: return std::nullopt;
    }
}

bool SameProblems(const ImportedTable& a, const ImportedTable& b) {
    if (a.problems.size() != b.problems.size()) return false;
    for (std::size_t i = 0; i < a.problems.size(); ++i) {
        if (a.problems[i].line != b.problems[i].line || a.problems[i].kind != b.problems[i].kind ||
            a.problems[i].text != b.problems[i].text) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::optional<TableFormat> format = ChosenFormat(data[0]);
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);

    const ImportedTable table = ImportTable(file, format);
    if (format && table.format != *format) Fail("the format asked for is not the one read");

    // A line of the file is at most one more than its line feeds and carriage returns.
    std::size_t lines = 1;
    for (const char c : file) lines += (c == '\n' || c == '\r') ? 1 : 0;
    for (const ImportProblem& problem : table.problems) {
        if (problem.line < 1 || static_cast<std::size_t>(problem.line) > lines) {
            Fail("a problem names a line the file does not have");
        }
    }
    std::set<TableCode> codes;
    for (const auto& [code, entry] : table.entries) {
        if (!codes.insert(code).second) Fail("a code was taken twice");
    }
    std::set<std::string> ids;
    if (!table.id.empty()) ids.insert(table.id);
    for (const NamedTable& further : table.further) {
        if (!IsTableId(further.id) || !ids.insert(further.id).second) Fail("a table id is bad or twice");
    }
    // Each kind within its bounds; a switch reads on through another table the file holds.
    const auto check = [&ids](const TableEntry& entry, const std::string& own) {
        if (entry.kind == EntryKind::Linked &&
            (entry.parameters < 1 || entry.parameters > kMaxParameters)) {
            Fail("a linked entry's parameters are out of bounds");
        }
        if (entry.kind == EntryKind::TableSwitch &&
            (entry.count < 0 || entry.count > kMaxSwitchCount || entry.table == own ||
             !ids.contains(entry.table))) {
            Fail("a switch is out of bounds or names no other table of the file");
        }
    };
    for (const auto& [code, entry] : table.entries) check(entry, table.id);
    for (const NamedTable& further : table.further) {
        for (int code = 0; code < kCodeCount; ++code) {
            check(further.entries.At(static_cast<ByteCode>(code)), further.id);
        }
        for (const auto& [code, entry] : further.entries.TwoByte()) check(entry, further.id);
    }

    const ImportedTable again = ImportTable(file, format);
    if (again.format != table.format || again.entries != table.entries || again.id != table.id ||
        again.further != table.further || !SameProblems(again, table)) {
        Fail("the same bytes read twice gave two tables");
    }
    return 0;
}
