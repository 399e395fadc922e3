#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Workspace.h"

namespace glyphwright {

struct CharacterSet;
class SetCatalogue;

// What changed in the Table Order, so that a view can follow it line by line.
struct OrderChange {
    enum class Kind {
        Appended,  // a line was added at the end; `line` is its 0-based index
        Removed,   // the line at `line` went; the lines below moved up one
        StartSet,  // the line at `line` got a start code of its own
    };
    Kind kind;
    int line;
};

// Hears about every change of a Table Order: once just before it is made, once just after.
class TableOrderObserver {
public:
    virtual void OrderAboutToChange(const OrderChange& change) = 0;
    virtual void OrderChanged(const OrderChange& change) = 0;

protected:
    TableOrderObserver() = default;
    ~TableOrderObserver() = default;
    TableOrderObserver(const TableOrderObserver&) = default;
    TableOrderObserver& operator=(const TableOrderObserver&) = default;
};

// The Table Order: its lines in order, the text each one shows, and what is recorded for it.
// It is the only record of the lines; the list on the screen is a view on it.
//
// Records keep the layout the classic program gave them: the line at 0-based index i has its set
// name in OrderNames()[i + 1] (slot 0 is never used) and its own start code in OrderStarts()[i]
// (0 = none). Records move with their lines, and no record lingers past the last line.
class TableOrder {
public:
    // Set names are looked up in `sets`, which must outlive the order.
    explicit TableOrder(const SetCatalogue& sets);
    TableOrder();  // the built-in sets only
    TableOrder(const TableOrder&) = delete;
    TableOrder& operator=(const TableOrder&) = delete;

    [[nodiscard]] int LineCount() const { return static_cast<int>(lines_.size()); }
    [[nodiscard]] bool IsFull() const { return LineCount() >= kMaxOrderLines; }
    [[nodiscard]] const std::string& LineText(int line) const;

    [[nodiscard]] const std::array<std::string, kOrderSlots>& OrderNames() const { return names_; }
    [[nodiscard]] const std::array<std::int16_t, kOrderSlots>& OrderStarts() const {
        return starts_;
    }
    // The set recorded for the line at 0-based `line` ("" for none) and its own start (0 = none).
    [[nodiscard]] const std::string& SetNameOf(int line) const;
    [[nodiscard]] int StartOf(int line) const;
    // The set recorded for the line, as the catalogue has it now; null for none.
    [[nodiscard]] const CharacterSet* SetOf(int line) const;
    // Whether a line records the set named `name`: such a set must stay while the line does.
    [[nodiscard]] bool Uses(std::string_view name) const;

    // Adds a line showing `text` and, when the text names a set of the catalogue exactly, records
    // that set for it. False, and nothing changes, when the order is full.
    [[nodiscard]] bool AppendSetLine(const std::string& text);
    // Adds a line for a single entry: it shows `text` and records no set.
    [[nodiscard]] bool AppendEntryLine(const std::string& text);
    // Removes the line at 0-based `line` with its records; out of range does nothing.
    void Remove(int line);
    // Gives the line at 0-based `line` its own start code (0 = none); out of range does nothing.
    void SetStart(int line, ByteCode start);

    void AddObserver(TableOrderObserver& observer);
    void RemoveObserver(TableOrderObserver& observer);

private:
    bool Append(const std::string& text, bool recordSet);
    void AboutTo(const OrderChange& change);
    void Changed(const OrderChange& change);

    const SetCatalogue* catalogue_;
    std::vector<std::string> lines_;
    std::array<std::string, kOrderSlots> names_{};
    std::array<std::int16_t, kOrderSlots> starts_{};
    std::vector<TableOrderObserver*> observers_;
};

}  // namespace glyphwright
