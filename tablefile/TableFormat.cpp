#include "TableFormat.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "WriteTableFile.h"
#include "WritesCode.h"
#include "core/text/EucJp.h"
#include "core/text/TextConverter.h"

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

std::vector<DuplicateText> DuplicateEntries(const CodeTable& table, const EntryKinds& kinds,
                                            const TwoByteTable& twoByte) {
    std::map<std::string_view, std::vector<TableCode>> codesOf;
    for (int code = 0; code < kCodeCount; ++code) {
        const auto slot = static_cast<std::size_t>(code);
        if (table[slot].empty() || kinds[slot] != EntryKind::Ordinary) continue;
        codesOf[table[slot]].push_back(static_cast<ByteCode>(code));
    }
    for (const auto& [code, entry] : twoByte) {
        if (entry.bytes.empty() || entry.kind != EntryKind::Ordinary) continue;
        codesOf[entry.bytes].push_back(TableCode::TwoByte(code));
    }
    std::vector<DuplicateText> duplicates;
    for (auto& [text, codes] : codesOf) {
        if (codes.size() < 2) continue;
        std::sort(codes.begin(), codes.end());
        duplicates.push_back({std::string(text), codes});
    }
    std::sort(
        duplicates.begin(), duplicates.end(),
        [](const DuplicateText& a, const DuplicateText& b) { return a.codes[0] < b.codes[0]; });
    return duplicates;
}

Result<std::string, FormatError> FormatTable(const CodeTable& table, ByteCode first, ByteCode last,
                                             TableFormat format, const EntryKinds& kinds,
                                             const TwoByteTable& twoByte) {
    std::string file;
    if (format == TableFormat::Classic) {
        if (!twoByte.empty()) {
            FormatError refused{TableCode::TwoByte(twoByte.begin()->first),
                                FormatError::Kind::TwoByteCodes};
            for (const auto& held : twoByte) {
                refused.twoByteCodes.push_back(TableCode::TwoByte(held.first));
            }
            return refused;
        }
        WriteTableFile(file, table, first, last);
        return file;
    }

    EucJpDecoder decoder;
    std::optional<TextConverter> toShiftJis;
    if (format == TableFormat::ShiftJis) {
        toShiftJis.emplace("CP932", "UTF-8");
    }
    const std::string_view lineEnd = toShiftJis ? "\r\n" : "\n";

    // The codes the format writes, one-byte and two-byte, as their stored bytes sort.
    std::vector<std::pair<TableCode, TableEntry>> lines;
    auto wide = twoByte.begin();
    const auto wideBefore = [&wide, &twoByte](int firstByte) {
        return wide != twoByte.end() && wide->first >> 8 < firstByte;
    };
    for (int code = 0; code < kCodeCount; ++code) {
        for (; wideBefore(code); ++wide)
            lines.emplace_back(TableCode::TwoByte(wide->first), wide->second);
        const std::string& entry = table[static_cast<std::size_t>(code)];
        const EntryKind kind = kinds[static_cast<std::size_t>(code)];
        if (!WritesCode(format, code, entry, kind, code >= first && code <= last)) continue;
        lines.emplace_back(static_cast<ByteCode>(code), TableEntry{entry, kind});
    }
    for (; wide != twoByte.end(); ++wide)
        lines.emplace_back(TableCode::TwoByte(wide->first), wide->second);

    for (const auto& [code, held] : lines) {
        const std::string& entry = held.bytes;
        const EntryKind kind = held.kind;
        std::string text = "\\n";
        if (kind != EntryKind::LineBreak) {
            // Readers take these for the brackets of control codes. Every byte of an EUC-JP
            // character outside ASCII is 8E or above, so a match here is the character itself.
            const std::string_view markup = kind == EntryKind::EndCode ? "[]" : "[]<>";
            if (const auto at = entry.find_first_of(markup); at != std::string::npos) {
                return FormatError{code, FormatError::Kind::Markup, std::string(1, entry[at])};
            }
            auto converted = ConvertEntry(entry, decoder, toShiftJis ? &*toShiftJis : nullptr);
            if (!converted) {
                FormatError error = converted.error();
                error.code = code;
                return error;
            }
            text = std::move(converted.value());
        }
        if (kind == EntryKind::EndCode) file += '/';
        file += code.Hex();
        file += '=';
        if (kind == EntryKind::EndCode) {
            file += '[' + text + ']';
        } else {
            file += text;
        }
        file += lineEnd;
    }
    return file;
}

}  // namespace glyphwright
