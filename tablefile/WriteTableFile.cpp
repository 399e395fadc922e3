#include "WriteTableFile.h"

#include "WritesCode.h"

namespace glyphwright {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::string_view kLineEnd = "\r\r\n";

}  // namespace

void WriteTableFile(std::string& file, const CodeTable& tableText, ByteCode first, ByteCode last) {
    for (int code = first; code <= last; ++code) {
        const std::string& entry = tableText[static_cast<std::size_t>(code)];
        // The first sixteen codes always get a line, even an empty one; above them only codes
        // that hold characters do.
        if (!WritesCode(TableFormat::Classic, code, entry, EntryKind::Ordinary, true)) {
            continue;
        }
        file += kHexDigits[code >> 4];
        file += kHexDigits[code & 0x0F];
        file += '=';
        file += entry;
        file += kLineEnd;
    }
    file += kLineEnd;
}

}  // namespace glyphwright
