#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TableFormat.h"
#include "core/table/Document.h"
#include "core/table/TableCode.h"

namespace glyphwright {

// A line of a table file that cannot be taken, and why.
struct ImportProblem {
    enum class Kind {
        BadLine,        // neither "XX=text", "/XX=[label]" nor an empty line
        DuplicateCode,  // a code an earlier line already gave; the first is taken
        AboveFFFF,      // a code of more than two bytes
        Directive,      // a line the tables here do not hold ("@name", "*XX", "$XX=…", "(…)")
        Unconvertible,  // text that is no text in the file's encoding
    };
    int line = 0;  // 1-based
    Kind kind = Kind::BadLine;
    std::string text;  // the line as read, in UTF-8 where it could be decoded
};

// What a table file holds: its entries in file order and what could not be taken.
struct ImportedTable {
    TableFormat format = TableFormat::Classic;
    std::vector<std::pair<TableCode, TableEntry>> entries;
    std::vector<ImportProblem> problems;
};

// The format a table file is written in: a byte-order mark or valid UTF-8 means UTF-8, lines
// ending CR CR LF mean classic, and otherwise Shift-JIS if it reads as that, classic if not.
[[nodiscard]] TableFormat DetectTableFormat(std::string_view file);

// Reads a classic, UTF-8 (with or without a byte-order mark) or Shift-JIS table, with any line
// end (LF, CR LF, CR CR LF), in `format`, or in the format detected when none is given.
[[nodiscard]] ImportedTable ImportTable(std::string_view file,
                                        std::optional<TableFormat> format = std::nullopt);

}  // namespace glyphwright
