#include "core/script/ScriptLine.h"

#include <algorithm>

namespace glyphwright {

std::string HexNumber(std::uint64_t value, int digits) {
    char text[24];
    char* at = text + sizeof text;
    do {
        *--at = "0123456789ABCDEF"[value & 0xF];
        value >>= 4;
        --digits;
    } while (value != 0 || digits > 0);
    return std::string(at, text + sizeof text);
}

std::string SignedHex(std::int64_t value) {
    return value < 0 ? "$-" + HexNumber(static_cast<std::uint64_t>(-value))
                     : "$" + HexNumber(static_cast<std::uint64_t>(value));
}

void MakeRaw(Piece& piece) {
    piece.text.clear();
    for (const char byte : piece.bytes) {
        piece.text += "<$" + HexNumber(static_cast<unsigned char>(byte), 2) + '>';
    }
    piece.raw = true;
}

// Rewrites the pieces of one script line until the inserter reads them back as the same bytes:
// a line it would take for a command, a comment or nothing, and a text it would read as
// another code (a longer entry reaching into the next piece, a text an earlier line of the table
// also has), get raw bytes instead. One pass: a piece made raw can only change what the matches
// of the few pieces before it reach, so the pass steps back only that far.
void MakeReadable(std::vector<Piece>& pieces, const ScriptTable& table) {
    if (pieces.empty()) return;
    std::string line;
    std::vector<std::size_t> starts;
    for (const Piece& piece : pieces) {
        starts.push_back(line.size());
        line += piece.text;
    }
    const auto makeRaw = [&](std::size_t k) {
        const std::size_t before = pieces[k].text.size();
        MakeRaw(pieces[k]);
        line.replace(starts[k], before, pieces[k].text);
        const std::size_t grown = pieces[k].text.size() - before;  // raw text is never shorter
        for (std::size_t j = k + 1; j < starts.size(); ++j) starts[j] += grown;
    };
    // The inserter's first look at the line: a command, a comment, or blanks alone.
    for (;;) {
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line[first] != '#' && line.compare(first, 2, "//") != 0) {
            break;
        }
        const std::size_t at = first == std::string::npos ? 0 : first;
        const auto piece = static_cast<std::size_t>(
            std::upper_bound(starts.begin(), starts.end(), at) - starts.begin() - 1);
        if (pieces[piece].raw) break;
        makeRaw(piece);
    }
    const std::size_t reach = table.LongestText();
    for (std::size_t k = 0; k < pieces.size();) {
        if (pieces[k].raw || pieces[k].alone) {
            ++k;
            continue;
        }
        const ScriptTable::Match match = table.LongestMatch(line, starts[k]);
        if (match.length == pieces[k].text.size() && match.bytes == pieces[k].bytes) {
            ++k;
            continue;
        }
        makeRaw(k);
        // The pieces whose match could reach into this one are looked at again.
        std::size_t back = k;
        while (back > 0 && starts[back - 1] + reach > starts[k]) --back;
        k = back;
    }
}

}  // namespace glyphwright
