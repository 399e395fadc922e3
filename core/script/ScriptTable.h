#pragma once

#include <array>
#include <functional>
#include <memory>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/table/Document.h"
#include "core/table/TableCode.h"
#include "core/table/TableEntries.h"
#include "core/table/TableEntry.h"
#include "core/text/CodeReader.h"

namespace glyphwright {

// One line of a table file as an inserter reads it: the code, its kind and the text right of the
// '=' exactly as the file holds it (an end code's label with its brackets, "[end]"; a line
// break's "\n"), in the file's own encoding.
struct ScriptEntry {
    TableCode code;
    EntryKind kind = EntryKind::Ordinary;
    std::string text;  // a linked entry's label alone, without its parameter count
    int parameters = 0;  // a linked entry: the bytes after the code
    std::string table{};  // a table switch: the table it names, and for how many codes
    int count = 0;
};

// The program that inserts the script. Atlas 1.12 reads a table line's text as it stands, so a
// labelled line break ("FE=[line]\n") is written "[line]\n" in its script. abcde's Atlas mode
// drops the "\n" of a table's text and ignores the script's own newlines: it wants "[line]".
enum class Inserter : std::uint8_t { Atlas, Abcde };

// A table after the first in the same file, under its "@id" line, as an inserter reads it.
struct ScriptSection {
    std::string id;
    std::vector<ScriptEntry> entries;  // in the order of the file's lines
};

// A table file seen from both sides: the game's bytes read into its codes the way dumpers read
// them (the longest code first), and script text turned back into bytes the way Atlas does it —
// at each place the longest text the table holds, the earlier line of the file winning where two
// codes share a text, and <$XX> or ($XX) for a raw byte.
class ScriptTable {
public:
    // `entries` in the order of the file's lines; `further`: the tables after it, which its
    // switches name, and `home` its own id. The bytes are read through all of them, the switches
    // followed.
    // `inserter`: the program whose reading of the table the script's text follows.
    explicit ScriptTable(std::vector<ScriptEntry> entries, std::vector<ScriptSection> further = {},
                         std::string home = {}, Inserter inserter = Inserter::Atlas);
    ScriptTable(const ScriptTable&) = delete;
    ScriptTable& operator=(const ScriptTable&) = delete;

    [[nodiscard]] const CodeReader& Reader() const { return *reader_; }
    [[nodiscard]] Inserter ReadBy() const { return inserter_; }
    // The script text of a code the table holds, as the file writes it.
    [[nodiscard]] std::string_view TextOf(const CodeToken& token) const { return token.text; }

    // What the inserter takes at `at` of `line`: the length of the text matched and the bytes
    // it writes; length 0 where nothing matches (the inserter stops with an error there).
    struct Match {
        std::size_t length = 0;
        std::string_view bytes;
    };
    [[nodiscard]] Match LongestMatch(std::string_view line, std::size_t at) const;
    // The length of the longest text the inserter matches: how far one match can reach.
    [[nodiscard]] std::size_t LongestText() const { return longestText_; }
    // Whether the inserter always reads the code's text back as the code, whatever follows: the
    // text is the first line with it, and no longer text begins with its first byte.
    [[nodiscard]] bool StandsAlone(TableCode code) const {
        return code.IsTwoByte() ? aloneTwoByte_[code.Stored()] : aloneOneByte_[code.FirstByte()];
    }

    // The tables after the first, in file order, each seen from both sides like this one.
    struct Further {
        std::string id;
        std::unique_ptr<ScriptTable> table;
    };
    [[nodiscard]] const std::vector<Further>& FurtherTables() const { return further_; }
    // The table a token was read through (CodeToken::table): this one for "", else the further
    // table of that id; this one where there is none.
    [[nodiscard]] const ScriptTable& TableOf(std::string_view id) const;

private:
    TableEntries entries_;
    Inserter inserter_ = Inserter::Atlas;
    std::vector<Further> further_;
    std::unique_ptr<CodeReader> reader_;
    // Text to the bytes it is written as; the first line of a text wins.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, std::string, TextHash, std::equal_to<>> toBytes_;
    // Per first byte of a text: the lengths of the texts that begin with it, as bits (length
    // 63 and longer share the top bit, and are then tried one by one).
    std::array<std::uint64_t, kCodeCount> lengths_{};
    std::array<std::size_t, kCodeCount> longest_{};
    std::size_t longestText_ = 0;
    std::array<bool, kCodeCount> aloneOneByte_{};
    std::vector<bool> aloneTwoByte_ = std::vector<bool>(65536);
};

}  // namespace glyphwright
