#include "core/dictionary/LetterTable.h"


namespace glyphwright {

LetterTable LetterTableOf(const CodeTable& oneByte, const EntryKinds& kinds) {
    LetterTable table;
    for (int code = 0; code < kCodeCount; ++code) {
        const auto index = static_cast<std::size_t>(code);
        const std::string& text = oneByte[index];
        if (kinds[index] != EntryKind::Ordinary) {
            table.held.set(index);
            continue;
        }
        if (text.empty()) continue;
        table.held.set(index);
        table.text[index] = text;
    }
    return table;
}

}  // namespace glyphwright
