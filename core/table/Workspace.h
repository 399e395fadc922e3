#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/table/ByteCode.h"
#include "core/table/NamedTable.h"
#include "core/table/TableEntries.h"

namespace glyphwright {

// The code table and the codes that carry a table from the windows to the file. The Table Order
// has an owner of its own (TableOrder).
struct Workspace {
    TableEntries TableText;    // every code's entry, one byte or two, as Unicode text
    ByteCode CurrentCode = 0;  // start code of the table being made
    ByteCode LastCode = 0;     // last code filled by the latest assembly
    // The table's own id (its "@id" line; "" for none) and the tables that follow it in the file,
    // in file order, each with its id: what table switches name. Only the text formats hold them.
    std::string TableId;
    std::vector<NamedTable> FurtherTables;

    // The table of that id: this one or a further one; nullptr where none has it.
    [[nodiscard]] const TableEntries* TableNamed(std::string_view id) const {
        if (!TableId.empty() && id == TableId) return &TableText;
        for (const NamedTable& table : FurtherTables) {
            if (table.id == id) return &table.entries;
        }
        return nullptr;
    }
    // Tables read from a file come in: the table takes `id` when it has none; each of `further`
    // goes into the further table of its id, code by code, or comes in whole where none has it.
    void PutTables(const std::string& id, const std::vector<NamedTable>& further);

    friend bool operator==(const Workspace&, const Workspace&) = default;
};

}  // namespace glyphwright
