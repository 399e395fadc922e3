#include "core/table/TableEntries.h"

#include <algorithm>
#include <utility>

namespace glyphwright {

void TableEntries::Put(TableCode code, TableEntry entry) {
    if (code.IsTwoByte()) {
        if (entry.Holds()) {
            twoByte_[code.Stored()] = std::move(entry);
        } else {
            twoByte_.erase(code.Stored());
        }
        return;
    }
    const ByteCode slot = code.FirstByte();
    texts_[slot] = entry.text;
    kinds_[slot] = entry.kind;
    oneByte_[slot] = std::move(entry);
}

const TableEntry& TableEntries::At(TableCode code) const {
    static const TableEntry none;
    if (!code.IsTwoByte()) return oneByte_[code.FirstByte()];
    const auto held = twoByte_.find(code.Stored());
    return held == twoByte_.end() ? none : held->second;
}

bool TableEntries::HoldsAny() const {
    return !twoByte_.empty() ||
           std::any_of(oneByte_.begin(), oneByte_.end(),
                       [](const TableEntry& entry) { return entry.Holds(); });
}

}  // namespace glyphwright
