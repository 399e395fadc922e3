#include "TableOrder.h"

#include <algorithm>
#include <stdexcept>

#include "SetCatalogue.h"

namespace glyphwright {

namespace {

std::size_t Slot(int line) {
    return static_cast<std::size_t>(line);
}

}  // namespace

TableOrder::TableOrder(const SetCatalogue& sets) : catalogue_(&sets) {}

TableOrder::TableOrder() : TableOrder(SetCatalogue::BuiltInsOnly()) {}

const std::string& TableOrder::LineText(int line) const {
    return lines_.at(Slot(line));
}

const std::string& TableOrder::SetNameOf(int line) const {
    if (line < 0 || line >= LineCount()) throw std::out_of_range("no such Table Order line");
    return names_[Slot(line) + 1];
}

int TableOrder::StartOf(int line) const {
    if (line < 0 || line >= LineCount()) throw std::out_of_range("no such Table Order line");
    return starts_[Slot(line)];
}

const CharacterSet* TableOrder::SetOf(int line) const {
    if (line < 0 || line >= LineCount()) throw std::out_of_range("no such Table Order line");
    const std::string& name = names_[Slot(line) + 1];
    return name.empty() ? nullptr : catalogue_->Find(name);
}

bool TableOrder::Uses(std::string_view name) const {
    return std::find(names_.begin() + 1, names_.begin() + 1 + LineCount(), name) !=
           names_.begin() + 1 + LineCount();
}

bool TableOrder::AppendSetLine(const std::string& text) {
    return Append(text, catalogue_->Find(text) != nullptr);
}

bool TableOrder::AppendEntryLine(const std::string& text) {
    return Append(text, false);
}

bool TableOrder::Append(const std::string& text, bool recordSet) {
    if (IsFull()) return false;
    const OrderChange change{OrderChange::Kind::Appended, LineCount()};
    AboutTo(change);
    lines_.push_back(text);
    // The slots past the last line are always blank, so a line that records nothing has none.
    if (recordSet) names_[lines_.size()] = text;
    Changed(change);
    return true;
}

void TableOrder::Remove(int line) {
    if (line < 0 || line >= LineCount()) return;
    const OrderChange change{OrderChange::Kind::Removed, line};
    AboutTo(change);
    const auto at = static_cast<std::ptrdiff_t>(line);
    lines_.erase(lines_.begin() + at);
    // The line's name lives one slot above its start; the records below move up with their lines.
    std::move(names_.begin() + at + 2, names_.end(), names_.begin() + at + 1);
    names_.back().clear();
    std::move(starts_.begin() + at + 1, starts_.end(), starts_.begin() + at);
    starts_.back() = 0;
    Changed(change);
}

void TableOrder::SetStart(int line, ByteCode start) {
    if (line < 0 || line >= LineCount()) return;
    const OrderChange change{OrderChange::Kind::StartSet, line};
    AboutTo(change);
    starts_[Slot(line)] = start;
    Changed(change);
}

void TableOrder::AddObserver(TableOrderObserver& observer) {
    observers_.push_back(&observer);
}

void TableOrder::RemoveObserver(TableOrderObserver& observer) {
    std::erase(observers_, &observer);
}

void TableOrder::AboutTo(const OrderChange& change) {
    // A copy: an observer may stop observing while it hears of a change.
    for (TableOrderObserver* observer : std::vector(observers_))
        observer->OrderAboutToChange(change);
}

void TableOrder::Changed(const OrderChange& change) {
    for (TableOrderObserver* observer : std::vector(observers_)) observer->OrderChanged(change);
}

}  // namespace glyphwright
