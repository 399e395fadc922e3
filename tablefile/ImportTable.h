#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TableFormat.h"
#include "core/table/Document.h"
#include "core/table/NamedTable.h"
#include "core/table/TableCode.h"

namespace glyphwright {

// A line of a table file that cannot be taken, and why.
struct ImportProblem {
    enum class Kind {
        BadLine,        // no entry of a kind read here, no "@id", comment or empty line
        DuplicateCode,  // a code an earlier line of its table already gave; the first is taken
        AboveFFFF,      // a code of more than two bytes
        Directive,      // a line the tables here do not hold ("*XX", "(…)", abcde's other switches)
        Unconvertible,  // text that is no text in the file's encoding
        BadTableId,     // "@" and no id of letters, digits, '_', '-' or '.'
        DuplicateTable, // "@id" of a table an earlier line began; its lines are not taken
        UnknownTable,   // a switch to an id no table of the file has
        OwnTable,       // a switch to the table it is in, which would read it again and again
        BadCount,       // parameters not 1 to 255, or a switch's count not 0 to 65535
    };
    int line = 0;  // 1-based
    Kind kind = Kind::BadLine;
    std::string text;  // the line as read, in UTF-8 where it could be decoded
};

// Switches that lead from a table, each for as long as the next table holds the codes read (count
// 0), through other tables back to the first. A reader leaves such a loop: a switch to a table it
// is reading already goes back to that table rather than deeper, and a code no table of the loop
// holds goes back too. So it is told, not refused: the user may have meant a count.
struct SwitchLoop {
    std::vector<std::string> tables;  // their ids, in the order of the file
    std::vector<int> lines;           // the switches' lines, 1-based, in order

    friend bool operator==(const SwitchLoop&, const SwitchLoop&) = default;
};

// What a table file holds: its (first) table's entries in file order, its id, the tables after
// it each under its "@id" line, and what could not be taken, by line.
struct ImportedTable {
    TableFormat format = TableFormat::Classic;
    std::vector<std::pair<TableCode, TableEntry>> entries;
    std::string id;  // the "@id" line before the first entry; "" for none
    std::vector<NamedTable> further;
    std::vector<ImportProblem> problems;
    std::vector<SwitchLoop> loops;  // taken, and told
};

// The format a table file is written in: a byte-order mark or valid UTF-8 means UTF-8, lines
// ending CR CR LF mean classic, and otherwise Shift-JIS if it reads as that, classic if not.
[[nodiscard]] TableFormat DetectTableFormat(std::string_view file);

// Reads a classic, UTF-8 (with or without a byte-order mark) or Shift-JIS table, with any line
// end (LF, CR LF, CR CR LF), in `format`, or in the format detected when none is given (abcde's
// files are UTF-8). Every kind is read in both spellings, the Table File Standard's and abcde's:
// "$XX=[label],N" and "!XX=<[label]>,N" (linked), "!XX=id,N" and "!XX=<[label]>,<@id>:N"
// (switch), "XX=label\n" (a line break) and "@id" lines; "#" begins a comment.
[[nodiscard]] ImportedTable ImportTable(std::string_view file,
                                        std::optional<TableFormat> format = std::nullopt);

}  // namespace glyphwright
