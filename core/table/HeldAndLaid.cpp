#include "core/table/HeldAndLaid.h"

namespace glyphwright {

bool HoldsAnEntry(const CodeTable& table, const EntryKinds& kinds) {
    for (std::size_t code = 0; code < table.size(); ++code) {
        if (HoldsEntry(table[code], kinds[code])) return true;
    }
    return false;
}

bool LaysASet(const TableOrder& order) {
    for (int line = 0; line < order.LineCount(); ++line) {
        if (order.SetOf(line) != nullptr) return true;
    }
    return false;
}

bool WritesEntriesOnly(const TableEntries& table, const TableOrder& order) {
    return !LaysASet(order) && table.HoldsAny();
}

bool WritesEntriesOnly(const CodeTable& table, const EntryKinds& kinds, const TableOrder& order) {
    return !LaysASet(order) && HoldsAnEntry(table, kinds);
}

}  // namespace glyphwright
