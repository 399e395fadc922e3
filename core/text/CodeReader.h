#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/Document.h"
#include "core/table/TableCode.h"
#include "core/table/TableEntries.h"
#include "core/table/TableEntry.h"
#include "core/table/Workspace.h"

namespace glyphwright {

// The tables a table switch may name: the entries of the table with that id, or null where there
// is none. What it returns must stay as it is while a reader uses it.
using TableLookup = std::function<const TableEntries*(std::string_view id)>;

// One code read from a game's bytes.
struct CodeToken {
    std::size_t offset = 0;  // of its first byte
    TableCode code;          // its width, with the parameters, is the token's length
    // The entry's text and kind; empty and Ordinary when the table holds none.
    std::string_view text;
    EntryKind kind = EntryKind::Ordinary;
    bool known = false;    // whether the table holds an entry at the code
    bool outside = false;  // a one-byte code outside the codes the file covers: it gives nothing
    // A linked entry: how many parameter bytes follow the code, and whether the bytes ended
    // before all the entry asks for (then `parameters` is how many there were).
    int parameters = 0;
    bool cut = false;
    // The table the token was read through: "" for the one the reader starts in.
    std::string_view table{};
    // A table switch: the id of the table it names, and whether that table was not followed (the
    // lookup knows no such table).
    std::string_view target{};
    bool unfollowed = false;

    [[nodiscard]] int Length() const { return code.Width() + parameters; }
};

// Reads bytes through a table of one- and two-byte codes as dumpers do: at each byte the longest
// code the table holds wins, so a two-byte entry goes before the one-byte entry of its first byte;
// a byte that begins no entry is a one-byte token of its own, known or not. The tables must
// outlive the reader and stay as they are while it is used.
//
// A linked entry takes its parameter bytes with it, whatever they are. A table switch reads what
// follows through the table it names: for its count of codes, or (count 0) until a code that
// table lacks; either way a code it lacks goes back to the table before, which reads the byte
// again. A switch to a table being read already (the table it came from, or the first one) goes
// back to it rather than deeper, so that switches to and fro never pile up; an end code goes back
// to the first table, where every string begins.
class CodeReader {
public:
    // One-byte codes outside first..last give nothing, as the file would not hold them.
    CodeReader(const CodeTable& oneByte, const EntryKinds& kinds, const TwoByteTable& twoByte,
               ByteCode first = 0, ByteCode last = kCodeCount - 1);
    CodeReader(const CodeReader&) = delete;
    CodeReader& operator=(const CodeReader&) = delete;

    // Where the one-byte linked entries and switches find their parameter counts and tables:
    // `entries`, the first table's entries as held (the texts and kinds above may have laid
    // members over them; a laid code is ordinary). Switches look their tables up through
    // `tables`; `home` is the first table's own id. Without this, a one-byte linked entry has no
    // parameters and no switch is followed.
    void ReadKinds(const TableEntries* entries, TableLookup tables = {}, std::string home = {});

    // Every token of `bytes`, in order.
    [[nodiscard]] std::vector<CodeToken> Read(std::span<const std::uint8_t> bytes) const;
    // The same into `tokens`, which is cleared first: a view that reads page after page keeps
    // its storage.
    void Read(std::span<const std::uint8_t> bytes, std::vector<CodeToken>& tokens) const;

private:
    // The two-byte entries of one first byte, by second byte; null where none.
    using Page = std::array<const TableEntry*, kCodeCount>;
    struct Switched;

    [[nodiscard]] const TableEntry* Details(const CodeToken& token) const;
    // Gives a known token of a kind what its entry asks for: the parameters, the switch.
    void TakeKind(const TableEntry& entry, std::span<const std::uint8_t> bytes, CodeToken& token,
                  std::vector<Switched>& switched) const;

    const CodeTable& oneByte_;
    const EntryKinds& kinds_;
    ByteCode first_;
    ByteCode last_;
    std::array<std::unique_ptr<Page>, kCodeCount> pages_;
    const TableEntries* entries_ = nullptr;
    TableLookup tables_;
    std::string home_;
};

}  // namespace glyphwright
