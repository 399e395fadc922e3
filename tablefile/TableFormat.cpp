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
Result<std::string, FormatError> ConvertEntry(std::string_view text, TextConverter* toShiftJis) {
    if (auto control = FindControl(text)) {
        return *control;
    }
    if (toShiftJis == nullptr) {
        return std::string(text);
    }
    const auto encoded = toShiftJis->Convert(text);
    if (!encoded) {
        const std::string_view rest = text.substr(encoded.error().offset);
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
        if (entry.text.empty() || entry.kind != EntryKind::Ordinary) continue;
        codesOf[entry.text].push_back(TableCode::TwoByte(code));
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
        // The classic file holds EUC-JP: every entry that has none is named at once.
        CodeTable bytes{};
        FormatError refused{0, FormatError::Kind::NotEucJp};
        for (int code = first; code <= last; ++code) {
            const auto slot = static_cast<std::size_t>(code);
            if (table[slot].empty()) continue;
            auto encoded = EncodeEucJp(table[slot]);
            if (encoded) {
                bytes[slot] = std::move(encoded).value();
                continue;
            }
            if (refused.codes.empty()) {
                refused.code = static_cast<ByteCode>(code);
                refused.character = encoded.error().character;
            }
            refused.codes.push_back(static_cast<ByteCode>(code));
        }
        if (!refused.codes.empty()) return refused;
        WriteTableFile(file, bytes, first, last);
        return file;
    }

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
        const std::string& entry = held.text;
        const EntryKind kind = held.kind;
        std::string text = "\\n";
        if (kind != EntryKind::LineBreak) {
            // Readers take these for the brackets of control codes. Every byte of a UTF-8
            // character outside ASCII is 80 or above, so a match here is the character itself.
            const std::string_view markup = kind == EntryKind::EndCode ? "[]" : "[]<>";
            if (const auto at = entry.find_first_of(markup); at != std::string::npos) {
                return FormatError{code, FormatError::Kind::Markup, std::string(1, entry[at])};
            }
            auto converted = ConvertEntry(entry, toShiftJis ? &*toShiftJis : nullptr);
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

std::optional<FormatError> ClassicCannotHold(const TableEntries& table) {
    const auto file = FormatTable(table, 0, kCodeCount - 1, TableFormat::Classic);
    if (file) return std::nullopt;
    return file.error();
}

Result<std::string, FormatError> FormatTable(const TableEntries& table, ByteCode first,
                                             ByteCode last, TableFormat format) {
    return FormatTable(table.Texts(), first, last, format, table.Kinds(), table.TwoByte());
}

}  // namespace glyphwright
