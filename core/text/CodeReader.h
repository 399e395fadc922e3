#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "core/table/Document.h"
#include "core/table/TableCode.h"
#include "core/table/TableEntry.h"
#include "core/table/Workspace.h"

namespace glyphwright {

// One code read from a game's bytes.
struct CodeToken {
    std::size_t offset = 0;  // of its first byte
    TableCode code;          // its width is the token's length, 1 or 2
    // The entry's text and kind; empty and Ordinary when the table holds none.
    std::string_view text;
    EntryKind kind = EntryKind::Ordinary;
    bool known = false;    // whether the table holds an entry at the code
    bool outside = false;  // a one-byte code outside the codes the file covers: it gives nothing

    [[nodiscard]] int Length() const { return code.Width(); }
};

// Reads bytes through a table of one- and two-byte codes as dumpers do: at each byte the longest
// code the table holds wins, so a two-byte entry goes before the one-byte entry of its first byte;
// a byte that begins no entry is a one-byte token of its own, known or not. The tables must
// outlive the reader and stay as they are while it is used.
class CodeReader {
public:
    // One-byte codes outside first..last give nothing, as the file would not hold them.
    CodeReader(const CodeTable& oneByte, const EntryKinds& kinds, const TwoByteTable& twoByte,
               ByteCode first = 0, ByteCode last = kCodeCount - 1);
    CodeReader(const CodeReader&) = delete;
    CodeReader& operator=(const CodeReader&) = delete;

    // Every token of `bytes`, in order.
    [[nodiscard]] std::vector<CodeToken> Read(std::span<const std::uint8_t> bytes) const;
    // The same into `tokens`, which is cleared first: a view that reads page after page keeps
    // its storage.
    void Read(std::span<const std::uint8_t> bytes, std::vector<CodeToken>& tokens) const;

private:
    // The two-byte entries of one first byte, by second byte; null where none.
    using Page = std::array<const TableEntry*, kCodeCount>;

    const CodeTable& oneByte_;
    const EntryKinds& kinds_;
    ByteCode first_;
    ByteCode last_;
    std::array<std::unique_ptr<Page>, kCodeCount> pages_;
};

}  // namespace glyphwright
