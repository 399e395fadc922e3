#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/script/ScriptTable.h"

namespace glyphwright {

// One piece of a line of the script: a code's text, or its bytes raw.
struct Piece {
    std::string text;
    std::string bytes;  // what the game holds for it
    bool raw = false;
    bool lineEnds = false;  // a line break or an end code: the script's line ends after it
    bool alone = false;     // read back as itself wherever it stands
    // The table the inserter reads the text with: the id of the one it was read through ("" for
    // the first); raw bytes read the same through any, and stay with the line they are in.
    std::string_view table{};
    bool anyTable = false;
};

// `value` in capital hexadecimal digits, at least `digits` of them.
[[nodiscard]] std::string HexNumber(std::uint64_t value, int digits = 0);
// `value` in hexadecimal after a '$', its sign before the digits.
[[nodiscard]] std::string SignedHex(std::int64_t value);
// The piece's bytes written raw (<$9A>), as the inserter reads any byte.
void MakeRaw(Piece& piece);
// Rewrites the pieces of one script line until the inserter reads them back as the same bytes:
// what it would take for a command, a comment or nothing, or read as another code, goes raw.
void MakeReadable(std::vector<Piece>& pieces, const ScriptTable& table);

}  // namespace glyphwright
