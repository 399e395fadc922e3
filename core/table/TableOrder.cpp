#include "core/table/TableOrder.h"

#include <algorithm>
#include <stdexcept>

#include "core/sets/SetCatalogue.h"

namespace glyphwright {

const TableOrderLine& TableOrder::Line(int line) const {
    if (line < 0 || line >= LineCount()) throw std::out_of_range("no such Table Order line");
    return lines_[static_cast<std::size_t>(line)];
}

TableOrder::TableOrder(const SetCatalogue& sets) : catalogue_(&sets) {}

TableOrder::TableOrder() : TableOrder(SetCatalogue::BuiltInsOnly()) {}

const std::string& TableOrder::LineText(int line) const {
    return Line(line).text;
}

std::string_view TableOrder::SetNameOf(int line) const {
    const TableOrderLine& found = Line(line);
    return found.laysSet ? std::string_view(found.text) : std::string_view();
}

int TableOrder::StartOf(int line) const {
    return Line(line).start;
}

std::optional<TableCode> TableOrder::StartCodeOf(int line) const {
    return Line(line).StartCode();
}

const CharacterSet* TableOrder::SetOf(int line) const {
    const TableOrderLine& found = Line(line);
    return found.laysSet ? FindSet(found.text) : nullptr;
}

const CharacterSet* TableOrder::FindSet(std::string_view name) const {
    return catalogue_->Find(name);
}

bool TableOrder::Uses(std::string_view name) const {
    return std::any_of(lines_.begin(), lines_.end(), [&](const TableOrderLine& line) {
        return line.laysSet && line.text == name;
    });
}

bool TableOrder::AppendSetLine(const std::string& text) {
    return Insert(LineCount(), {text, FindSet(text) != nullptr, 0});
}

bool TableOrder::AppendEntryLine(const std::string& text) {
    return Insert(LineCount(), {text, false, 0});
}

bool TableOrder::Insert(int line, TableOrderLine value) {
    if (IsFull() || line < 0 || line > LineCount()) return false;
    lines_.insert(lines_.begin() + line, std::move(value));
    return true;
}

void TableOrder::Remove(int line) {
    if (line < 0 || line >= LineCount()) return;
    lines_.erase(lines_.begin() + line);
}

void TableOrder::SetStart(int line, ByteCode start) {
    if (line < 0 || line >= LineCount()) return;
    lines_[static_cast<std::size_t>(line)].SetStartCode(TableCode::OneByte(start));
}

void TableOrder::SetStartCode(int line, std::optional<TableCode> start) {
    if (line < 0 || line >= LineCount()) return;
    lines_[static_cast<std::size_t>(line)].SetStartCode(start);
}

}  // namespace glyphwright
