#pragma once

#include <optional>
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

}  // namespace glyphwright
