#include "core/dictionary/LetterTable.h"

#include "core/text/EucJp.h"

namespace glyphwright {

LetterTable LetterTableOf(const CodeTable& oneByte, const EntryKinds& kinds) {
    LetterTable table;
    EucJpDecoder decoder;
    for (int code = 0; code < kCodeCount; ++code) {
        const auto index = static_cast<std::size_t>(code);
        const std::string& bytes = oneByte[index];
        if (kinds[index] != EntryKind::Ordinary) {
            table.held.set(index);
            continue;
        }
        if (bytes.empty()) continue;
        table.held.set(index);
        if (auto text = decoder.Decode(bytes)) table.text[index] = std::move(text).value();
    }
    return table;
}

}  // namespace glyphwright
