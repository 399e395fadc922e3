#pragma once

#include <array>
#include <string>

#include "core/table/TableCode.h"
#include "core/table/TableEntry.h"

namespace glyphwright {

using EntryKinds = std::array<EntryKind, kCodeCount>;

// Every entry of the table: code (one byte or two) to entry. Put is the one way an entry gets in
// or out; the document, projects, import and the command line all go through it.
//
// The one-byte codes' texts and kinds are also kept as whole arrays, which Put keeps in step:
// the code map and the game text read all 256 at once and would otherwise copy them each time.
class TableEntries {
public:
    // Puts `entry` on `code`, in place of what was there. An ordinary entry with no text is no
    // entry: on a two-byte code it takes the code away.
    void Put(TableCode code, TableEntry entry);

    // The entry at `code`; an empty ordinary one where the table holds none.
    [[nodiscard]] const TableEntry& At(TableCode code) const;
    // A one-byte code's text: "" where it holds none.
    [[nodiscard]] const std::string& operator[](ByteCode code) const { return texts_[code]; }

    [[nodiscard]] const CodeTable& Texts() const { return texts_; }
    [[nodiscard]] const EntryKinds& Kinds() const { return kinds_; }
    [[nodiscard]] const TwoByteTable& TwoByte() const { return twoByte_; }

    // Whether any code, of one byte or two, holds an entry.
    [[nodiscard]] bool HoldsAny() const;

    friend bool operator==(const TableEntries&, const TableEntries&) = default;

private:
    std::array<TableEntry, kCodeCount> oneByte_{};
    CodeTable texts_{};
    EntryKinds kinds_{};
    TwoByteTable twoByte_;
};

}  // namespace glyphwright
