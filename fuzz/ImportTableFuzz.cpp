// Any bytes as a table file a user was sent, read in the format found from the file or in one
// given: nothing may crash or hang, every line it cannot take is named by a line of the file, no
// code is taken twice, and reading the same bytes again gives the same table.
//
// The input's first byte chooses the format (found, classic, UTF-8, Shift-JIS); the rest is the
// file.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
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

    const ImportedTable again = ImportTable(file, format);
    if (again.format != table.format || again.entries != table.entries || !SameProblems(again, table)) {
        Fail("the same bytes read twice gave two tables");
    }
    return 0;
}
