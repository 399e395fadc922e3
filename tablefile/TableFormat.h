#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/CodeMap.h"
#include "core/table/Document.h"
#include "core/table/Result.h"
#include "core/table/TableCode.h"
#include "core/table/TableEntry.h"
#include "core/table/Workspace.h"

namespace glyphwright {

enum class TableFormat {
    Classic,   // EUC-JP, lines end 0D 0D 0A; see WriteTableFile
    Utf8,      // UTF-8 without a byte-order mark, lines end LF
    ShiftJis,  // code page 932, lines end CR LF
    Abcde,     // UTF-8 like Utf8, with abcde's spellings of linked entries and table switches
};

// Where a table file goes: the path exactly as the user gave it, and its format.
struct SaveTarget {
    std::string path;
    TableFormat format = TableFormat::Classic;
};

// The format's name in projects and on the command line: "classic", "utf8", "sjis", "abcde".
[[nodiscard]] std::string FormatName(TableFormat format);
[[nodiscard]] std::optional<TableFormat> FormatNamed(std::string_view name);

// Why an entry cannot go into a UTF-8 or Shift-JIS file.
struct FormatError {
    enum class Kind {
        Unconvertible,     // a character the target encoding has no code for
        LineBreak,         // CR or LF: would split the line
        ControlCharacter,  // any other C0 control, DEL or a C1 control
        Markup,            // [ ] in an end code's label, which the file writes inside [ ]
        TwoByteCodes,      // a classic file was asked of a table holding two-byte codes
        NotEucJp,          // a classic file was asked of entries EUC-JP has no code for
        NotClassic,        // a classic file was asked of linked entries, switches or tables
        UnlabelledLineBreak,  // abcde: a line break with no label could not come back
        UnknownTable,      // a table switch to an id no table of the file has (`character`)
    };
    TableCode code;
    Kind kind = Kind::Unconvertible;
    // The offending character as the entry holds it: UTF-8, or the bytes themselves where the
    // entry holds no UTF-8 text (the messages name those as bytes).
    std::string character{};
    std::vector<TableCode> twoByteCodes{};  // TwoByteCodes: all of them, ascending
    // NotEucJp, NotClassic, UnlabelledLineBreak: every such code, ascending; `code` is the first
    std::vector<TableCode> codes{};
    std::vector<std::string> tables{};  // NotClassic: the ids of the further tables
    // What else stands in the file's way, each named the same way, by code: one refusal names
    // every problem, so the user need not mend one and try again to learn of the next.
    std::vector<FormatError> others{};

    friend bool operator==(const FormatError&, const FormatError&) = default;
};

// The ordinary entries of the whole table, one-byte and two-byte codes alike, that hold the same
// text as another, grouped by their first code: programs that insert text disagree about which
// code of such a group they write. Only the text formats warn of them, and those write the whole
// table.
[[nodiscard]] std::vector<DuplicateText> DuplicateEntries(
    const CodeTable& table, const EntryKinds& kinds = {},
    const TwoByteTable& twoByte = TwoByteTable{});

// The whole table file. Classic gives exactly WriteTableFile's bytes for the entries of codes
// first..last, the range the Table Order laid, in EUC-JP (an end code's label is plain text
// there); where EUC-JP has no code for an entry's text it fails naming every such code. The
// other two write the whole table, whatever was laid: one line "XX=" + text per code whose slot
// holds something, ascending, and nothing else (see WritesCode); an empty slot gets no line,
// since "05=" would tell a reader that byte 05 stands for nothing. There an end code is written
// "/XX=[label]" and a line break "XX=\n" (backslash and n), as the Table File Standard has them.
// Where entries cannot be written, the error is the lowest code's, with every other one among
// its `others`.
//
// `[` and `]` in an ordinary entry are written as they are: the programs that read these files
// insert them as text. So are `<` and `>`, but abcde refuses a whole table holding them; see
// AngleBracketCodes.
//
// The other kinds are written as the Table File Standard has them: a linked entry
// "$XX=[label],N" (N bytes of parameters follow the code), a table switch "!XX=id,N" (N
// characters read through table `id`, 0: until a code that table lacks), and a line break with
// a label "XX=[line]\n". The abcde format writes those two as abcde spells them:
// "!XX=<[label]>,N" and "!XX=<[label]>,<@id>:N" ("!XX=,<@id>:N" with no label), and refuses a
// line break with no label, which abcde would drop when it inserts. A classic file holds none of
// them: it fails naming every linked entry and switch (NotClassic).
//
// The two-byte codes of `twoByte` go into the UTF-8 and Shift-JIS files, all of them, among the
// one-byte codes in the order of their stored bytes: 80, 8000, 8001, …, 81. A classic file holds
// one-byte codes only: asked of a table with two-byte codes, it fails naming them all.
[[nodiscard]] Result<std::string, FormatError> FormatTable(
    const CodeTable& table, ByteCode first, ByteCode last, TableFormat format,
    const EntryKinds& kinds = {}, const TwoByteTable& twoByte = TwoByteTable{});
// Why a classic file could hold none of `table` whatever was laid: its two-byte codes, its
// linked entries and switches, or the one-byte entries EUC-JP has no code for, all named.
// Nothing when none is the case.
[[nodiscard]] std::optional<FormatError> ClassicCannotHold(const TableEntries& table);
// The same for the whole workspace: its further tables too.
[[nodiscard]] std::optional<FormatError> ClassicCannotHold(const Workspace& workspace);

// The same for every entry held.
[[nodiscard]] Result<std::string, FormatError> FormatTable(const TableEntries& table,
                                                           ByteCode first, ByteCode last,
                                                           TableFormat format);

// The whole file of a workspace: its table (codes CurrentCode..LastCode for a classic file), and
// in the text formats, after it, each further table under its "@id" line; the table's own
// "@id" line comes first when it has an id. A switch must name a table of the workspace.
[[nodiscard]] Result<std::string, FormatError> FormatTable(const Workspace& workspace,
                                                           TableFormat format);

// The codes whose entry, as the file in `format` holds it, has a `<` or `>`, ascending: abcde
// takes them for its markup and refuses the whole table, though the other programs that read
// tables insert them as text. The file is written, with a warning naming them.
[[nodiscard]] std::vector<TableCode> AngleBracketCodes(const TableEntries& table, ByteCode first,
                                                       ByteCode last, TableFormat format);

}  // namespace glyphwright
