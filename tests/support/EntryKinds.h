#pragma once

#include <string>
#include <utility>

#include "core/table/TableEntry.h"

namespace glyphwright::test {

// A linked entry: its label and how many bytes of parameters follow its code.
inline TableEntry Linked(std::string label, int parameters) {
    TableEntry entry{std::move(label), EntryKind::Linked};
    entry.parameters = parameters;
    return entry;
}

// A switch into the table `table` for `count` characters (0: until a code it lacks).
inline TableEntry Switch(std::string table, int count, std::string label = {}) {
    TableEntry entry{std::move(label), EntryKind::TableSwitch};
    entry.table = std::move(table);
    entry.count = count;
    return entry;
}

}  // namespace glyphwright::test
