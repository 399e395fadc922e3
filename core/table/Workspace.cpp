#include "core/table/Workspace.h"

#include <algorithm>

namespace glyphwright {

void Workspace::PutTables(const std::string& id, const std::vector<NamedTable>& further) {
    if (TableId.empty()) TableId = id;
    for (const NamedTable& table : further) {
        const auto held = std::find_if(FurtherTables.begin(), FurtherTables.end(),
                                       [&table](const NamedTable& t) { return t.id == table.id; });
        if (held == FurtherTables.end()) {
            FurtherTables.push_back(table);
            continue;
        }
        for (int code = 0; code < kCodeCount; ++code) {
            const auto slot = TableCode::OneByte(static_cast<ByteCode>(code));
            if (table.entries.At(slot).Holds()) held->entries.Put(slot, table.entries.At(slot));
        }
        for (const auto& [stored, entry] : table.entries.TwoByte()) {
            held->entries.Put(TableCode::TwoByte(stored), entry);
        }
    }
}

}  // namespace glyphwright
