#pragma once

#include <string_view>

#include "TableFormat.h"
#include "core/table/Document.h"

namespace glyphwright {

// Whether a table file in `format` holds a line for `code`, whose entry as the file would have it
// (a laid member over what was held) is `bytes` of `kind`. `inLaidRange`: the code lies between
// the start code and the last code the Table Order laid.
//
// The classic file keeps to that range: its codes 00-0F always get a line, those above only when
// they hold something. The text formats write the whole table, laid or not: every code that holds
// an entry, and a control code even with no text. The writers and the code map both ask here, so
// what the map shows cannot differ from the file.
[[nodiscard]] bool WritesCode(TableFormat format, int code, std::string_view bytes, EntryKind kind,
                              bool inLaidRange);

// Whether a table file in `format` is written when the Table Order lays no set: the text formats
// write the entries held, the classic file only what was laid.
[[nodiscard]] constexpr bool WritesWithNothingLaid(TableFormat format) {
    return format != TableFormat::Classic;
}

}  // namespace glyphwright
