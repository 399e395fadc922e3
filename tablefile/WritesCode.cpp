#include "WritesCode.h"

#include "core/table/HeldAndLaid.h"

namespace glyphwright {

bool WritesCode(TableFormat format, int code, std::string_view bytes, EntryKind kind,
                bool inLaidRange) {
    if (format == TableFormat::Classic) {
        return inLaidRange && (code <= 0x0F || !bytes.empty());
    }
    return HoldsEntry(bytes, kind);
}

}  // namespace glyphwright
