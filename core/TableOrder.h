#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Workspace.h"

namespace glyphwright {

struct CharacterSet;

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

// One line of the Table Order: the text it shows, the set it lays (found by name once, when the
// line was added; null for a single entry or a text that names no set) and its own start code.
struct TableOrderLine {
    std::string text;
    const CharacterSet* set = nullptr;
    int start = 0;  // 0 = none

    friend bool operator==(const TableOrderLine&, const TableOrderLine&) = default;
};

// The Table Order: its lines in order, the text each one shows, and what is recorded for it.
// A plain value: the document that owns it tells the views what changed.
class TableOrder {
public:
    [[nodiscard]] int LineCount() const { return static_cast<int>(lines_.size()); }
    [[nodiscard]] bool IsFull() const { return LineCount() >= kMaxOrderLines; }
    [[nodiscard]] const std::string& LineText(int line) const;
    [[nodiscard]] const TableOrderLine& Line(int line) const;
    [[nodiscard]] const std::vector<TableOrderLine>& Lines() const { return lines_; }

    // The set recorded for the line at 0-based `line` ("" for none) and its own start (0 = none).
    [[nodiscard]] std::string_view SetNameOf(int line) const;
    [[nodiscard]] int StartOf(int line) const;
    // The set recorded for the line; null for none.
    [[nodiscard]] const CharacterSet* SetOf(int line) const;

    // The one place a line's set is looked up by name; null when the name names no set.
    [[nodiscard]] static const CharacterSet* FindSet(std::string_view name);

    // Adds a line showing `text` and, when the text names a set exactly, records that set for it.
    // False, and nothing changes, when the order is full.
    [[nodiscard]] bool AppendSetLine(const std::string& text);
    // Adds a line for a single entry: it shows `text` and records no set.
    [[nodiscard]] bool AppendEntryLine(const std::string& text);
    // Puts a line back at 0-based `line` (0..LineCount()); false when full or out of range.
    [[nodiscard]] bool Insert(int line, TableOrderLine value);
    // Removes the line at 0-based `line` with its records; out of range does nothing.
    void Remove(int line);
    // Gives the line at 0-based `line` its own start code (0 = none); out of range does nothing.
    void SetStart(int line, ByteCode start);

    friend bool operator==(const TableOrder&, const TableOrder&) = default;

private:
    std::vector<TableOrderLine> lines_;
};

}  // namespace glyphwright
