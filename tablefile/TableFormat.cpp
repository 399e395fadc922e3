#include "TableFormat.h"

#include <optional>
#include <string_view>

#include "WriteTableFile.h"
#include "core/EucJp.h"
#include "core/TextConverter.h"

namespace glyphwright {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string SpacedHex(std::string_view bytes) {
    std::string hex;
    for (const char byte : bytes) {
        if (!hex.empty()) hex += ' ';
        hex += kHexDigits[static_cast<unsigned char>(byte) >> 4];
        hex += kHexDigits[static_cast<unsigned char>(byte) & 0x0F];
    }
    return hex;
}

// The first character of `utf8` that a line-based reader would trip over, with its kind.
std::optional<FormatError> FindControl(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '\r' || byte == '\n') {
            return FormatError{0, FormatError::Kind::LineBreak, std::string(1, utf8[i])};
        }
        if (byte < 0x20 || byte == 0x7F) {
            return FormatError{0, FormatError::Kind::ControlCharacter, std::string(1, utf8[i])};
        }
        // U+0080..U+009F are C2 80..C2 9F; every other C2 pair is printable.
        if (byte == 0xC2 && i + 1 < utf8.size() &&
            static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            return FormatError{0, FormatError::Kind::ControlCharacter,
                               std::string(utf8.substr(i, 2))};
        }
    }
    return std::nullopt;
}

// The text of one entry in the target encoding, or why it cannot be written.
Result<std::string, FormatError> ConvertEntry(std::string_view entry, EucJpDecoder& decoder,
                                              TextConverter* toShiftJis) {
    const auto decoded = decoder.Decode(entry);
    if (!decoded) {
        return FormatError{0, FormatError::Kind::Unconvertible, SpacedHex(decoded.error().bytes)};
    }
    const std::string& text = decoded.value();
    if (auto control = FindControl(text)) {
        return *control;
    }
    if (toShiftJis == nullptr) {
        return text;
    }
    // Through UTF-8 rather than EUC-JP directly: iconv passes through the same Unicode either way,
    // and the character CP932 lacks is then at hand as text.
    const auto encoded = toShiftJis->Convert(text);
    if (!encoded) {
        const std::string_view rest = std::string_view(text).substr(encoded.error().offset);
        const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(rest.front()));
        return FormatError{0, FormatError::Kind::Unconvertible,
                           std::string(rest.substr(0, length))};
    }
    return encoded.value();
}

}  // namespace

std::string FormatName(TableFormat format) {
    switch (format) {
        case TableFormat::Classic:
            return "classic";
        case TableFormat::Utf8:
            return "utf8";
        case TableFormat::ShiftJis:
            return "sjis";
    }
    return "classic";
}

std::optional<TableFormat> FormatNamed(std::string_view name) {
    for (const TableFormat format :
         {TableFormat::Classic, TableFormat::Utf8, TableFormat::ShiftJis}) {
        if (FormatName(format) == name) return format;
    }
    return std::nullopt;
}

Result<std::string, FormatError> FormatTable(const CodeTable& table, ByteCode first, ByteCode last,
                                             TableFormat format) {
    std::string file;
    if (format == TableFormat::Classic) {
        WriteTableFile(file, table, first, last);
        return file;
    }

    EucJpDecoder decoder;
    std::optional<TextConverter> toShiftJis;
    if (format == TableFormat::ShiftJis) {
        toShiftJis.emplace("CP932", "UTF-8");
    }
    const std::string_view lineEnd = toShiftJis ? "\r\n" : "\n";

    for (int code = first; code <= last; ++code) {
        const std::string& entry = table[static_cast<std::size_t>(code)];
        if (entry.empty()) {
            continue;
        }
        auto text = ConvertEntry(entry, decoder, toShiftJis ? &*toShiftJis : nullptr);
        if (!text) {
            FormatError error = text.error();
            error.code = static_cast<ByteCode>(code);
            return error;
        }
        file += kHexDigits[code >> 4];
        file += kHexDigits[code & 0x0F];
        file += '=';
        file += text.value();
        file += lineEnd;
    }
    return file;
}

}  // namespace glyphwright
