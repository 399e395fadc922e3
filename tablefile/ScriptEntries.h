#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ImportTable.h"
#include "TableFormat.h"
#include "core/script/ScriptTable.h"
#include "core/table/Result.h"

namespace glyphwright {

// The entries of a table file as an inserter reads them: each code's text exactly as the file
// holds it, in the file's encoding, in the order of its lines. The file must import without a
// problem; else the problems.
[[nodiscard]] Result<std::vector<ScriptEntry>, ImportedTable> ReadScriptEntries(
    std::string_view file, std::optional<TableFormat> format = std::nullopt);

// All the tables of a table file so: the first with its id, and those after it.
struct ScriptTables {
    std::string id;
    std::vector<ScriptEntry> entries;
    std::vector<ScriptSection> further;
};
[[nodiscard]] Result<ScriptTables, ImportedTable> ReadScriptTables(
    std::string_view file, std::optional<TableFormat> format = std::nullopt);

// One table's lines as an inserter takes them, in the order given: "XX=text", an end code's
// "/XX=[end]", a linked entry's label alone; a switch, which it cannot read, is left out.
[[nodiscard]] std::string InserterTableFile(const std::vector<ScriptEntry>& entries);

}  // namespace glyphwright
