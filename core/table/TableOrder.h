#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/TableCode.h"
#include "core/table/Workspace.h"

namespace glyphwright {

struct CharacterSet;
class SetCatalogue;

// What changed in the Table Order, so that a view can follow it line by line.
struct OrderChange {
    enum class Kind {
        Appended,  // a line was added at the end; `line` is its 0-based index
        Inserted,  // a line was put back at `line`; the lines from there on moved down one
        Removed,   // the line at `line` went; the lines below moved up one
        StartSet,  // the line at `line` got a start code of its own
        Replaced,  // every line may have changed (a project opened, a new document)
    };
    Kind kind;
    int line;
};

// One line of the Table Order: the text it shows, whether it lays a set (its text named one when
// the line was added; false for a single entry) and its own start code. The set itself is looked
// up by name when asked for, since the user's sets can change under the line.
//
// The start is one- or two-byte, as typed: "@80" is the one-byte code 80, "@0080" the two-byte
// code 00 80. `start` holds the code's stored bytes (TableCode::Stored) and `wideStart` its width.
// A one-byte start of 0 means the line has none, as it always has (the classic program takes a
// start of 00 for "none"); a two-byte start of 0000 is a start like any other.
struct TableOrderLine {
    std::string text;
    bool laysSet = false;
    int start = 0;  // 00..FF one-byte (0 = none), or 0000..FFFF when wideStart
    bool wideStart = false;

    // The start as a code; nullopt for none.
    [[nodiscard]] std::optional<TableCode> StartCode() const {
        if (wideStart) return TableCode::TwoByte(static_cast<std::uint16_t>(start));
        if (start != 0) return TableCode::OneByte(static_cast<ByteCode>(start));
        return std::nullopt;
    }
    // Takes `code` as the start; nullopt, or the one-byte code 00, for none.
    void SetStartCode(std::optional<TableCode> code) {
        start = code ? code->Stored() : 0;
        wideStart = code && code->IsTwoByte();
    }

    friend bool operator==(const TableOrderLine&, const TableOrderLine&) = default;
};

// The Table Order: its lines in order, the text each one shows, and what is recorded for it.
// A plain value: the document that owns it tells the views what changed.
class TableOrder {
public:
    TableOrder();  // the built-in sets only
    // Set names are looked up in `sets`, which must outlive the order.
    explicit TableOrder(const SetCatalogue& sets);

    [[nodiscard]] const SetCatalogue& Catalogue() const { return *catalogue_; }
    // Looks set names up in `sets` from now on; the lines stay as they are.
    void UseCatalogue(const SetCatalogue& sets) { catalogue_ = &sets; }

    [[nodiscard]] int LineCount() const { return static_cast<int>(lines_.size()); }
    [[nodiscard]] bool IsFull() const { return LineCount() >= kMaxOrderLines; }
    [[nodiscard]] const std::string& LineText(int line) const;
    [[nodiscard]] const TableOrderLine& Line(int line) const;
    [[nodiscard]] const std::vector<TableOrderLine>& Lines() const { return lines_; }

    // The set recorded for the line at 0-based `line` ("" for none) and its own start (0 = none;
    // a two-byte start reads as its stored bytes, so StartCodeOf tells the two apart).
    [[nodiscard]] std::string_view SetNameOf(int line) const;
    [[nodiscard]] int StartOf(int line) const;
    [[nodiscard]] std::optional<TableCode> StartCodeOf(int line) const;
    // The set recorded for the line, as the catalogue has it now; null for none.
    [[nodiscard]] const CharacterSet* SetOf(int line) const;
    // Whether a line records the set named `name`: such a set must stay while the line does.
    [[nodiscard]] bool Uses(std::string_view name) const;

    // The one place a line's set is looked up by name; null when the catalogue has no such set.
    [[nodiscard]] const CharacterSet* FindSet(std::string_view name) const;

    // Adds a line showing `text` and, when the text names a set of the catalogue exactly, records
    // that set for it. False, and nothing changes, when the order is full.
    [[nodiscard]] bool AppendSetLine(const std::string& text);
    // Adds a line for a single entry: it shows `text` and records no set.
    [[nodiscard]] bool AppendEntryLine(const std::string& text);
    // Puts a line back at 0-based `line` (0..LineCount()); false when full or out of range.
    [[nodiscard]] bool Insert(int line, TableOrderLine value);
    // Removes the line at 0-based `line` with its records; out of range does nothing.
    void Remove(int line);
    // Gives the line at 0-based `line` its own start code (0 = none); out of range does nothing.
    void SetStart(int line, ByteCode start);
    // The same for a start of one or two bytes; nullopt (or the one-byte 00) for none.
    void SetStartCode(int line, std::optional<TableCode> start);

    // The lines alone: the catalogue is where names are looked up, not part of the order.
    friend bool operator==(const TableOrder& a, const TableOrder& b) {
        return a.lines_ == b.lines_;
    }

private:
    const SetCatalogue* catalogue_;
    std::vector<TableOrderLine> lines_;
};

}  // namespace glyphwright
