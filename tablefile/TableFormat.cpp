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
        case TableFormat::Abcde:
            return "abcde";
    }
    return "classic";
}

std::optional<TableFormat> FormatNamed(std::string_view name) {
    for (const TableFormat format :
         {TableFormat::Classic, TableFormat::Utf8, TableFormat::ShiftJis, TableFormat::Abcde}) {
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

namespace {

bool IsNewKind(EntryKind kind) {
    return kind == EntryKind::Linked || kind == EntryKind::TableSwitch;
}

// Every code of `table`, one byte or two, whose entry a classic file cannot hold, ascending.
std::vector<TableCode> NewKindCodes(const TableEntries& table) {
    std::vector<TableCode> codes;
    for (int code = 0; code < kCodeCount; ++code) {
        if (IsNewKind(table.Kinds()[static_cast<std::size_t>(code)])) {
            codes.push_back(static_cast<ByteCode>(code));
        }
    }
    for (const auto& [stored, entry] : table.TwoByte()) {
        if (IsNewKind(entry.kind)) codes.push_back(TableCode::TwoByte(stored));
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

// A line break's label as the text formats write it before "\n": a text of "\n" alone, as
// the classic file shows a bare line break, is no label.
std::string_view LineBreakLabel(std::string_view text) {
    if (text.ends_with("\\n")) text.remove_suffix(2);
    return text;
}

// The classic file: EUC-JP, codes first..last; none of the kinds it cannot hold.
Result<std::string, FormatError> ClassicFile(const TableEntries& entries, ByteCode first,
                                             ByteCode last,
                                             const std::vector<NamedTable>& further) {
    // Every problem is named at once, the first as the refusal and the rest among its others.
    std::optional<FormatError> problems;
    const auto refuse = [&problems](FormatError error) {
        if (problems) {
            problems->others.push_back(std::move(error));
        } else {
            problems = std::move(error);
        }
    };
    const TwoByteTable& twoByte = entries.TwoByte();
    if (!twoByte.empty()) {
        FormatError refused{TableCode::TwoByte(twoByte.begin()->first),
                            FormatError::Kind::TwoByteCodes};
        for (const auto& held : twoByte) {
            refused.twoByteCodes.push_back(TableCode::TwoByte(held.first));
        }
        refuse(std::move(refused));
    }
    if (auto codes = NewKindCodes(entries); !codes.empty() || !further.empty()) {
        FormatError refused{codes.empty() ? TableCode(0) : codes.front(),
                            FormatError::Kind::NotClassic};
        refused.codes = std::move(codes);
        for (const NamedTable& table : further) refused.tables.push_back(table.id);
        refuse(std::move(refused));
    }
    const CodeTable& table = entries.Texts();
    // The classic file holds EUC-JP: every entry that has none is named at once.
    CodeTable bytes{};
    FormatError refused{0, FormatError::Kind::NotEucJp};
    EucJpEncoder toEucJp;
    for (int code = first; code <= last; ++code) {
        const auto slot = static_cast<std::size_t>(code);
        if (table[slot].empty()) continue;
        auto encoded = toEucJp.Encode(table[slot]);
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
    if (!refused.codes.empty()) refuse(std::move(refused));
    if (problems) return *problems;
    std::string file;
    WriteTableFile(file, bytes, first, last);
    return file;
}

// The entries of a text format's file, one-byte and two-byte, as their stored bytes sort.
std::vector<std::pair<TableCode, const TableEntry*>> TextLines(const TableEntries& entries,
                                                               TableFormat format, int first,
                                                               int last) {
    const TwoByteTable& twoByte = entries.TwoByte();
    std::vector<std::pair<TableCode, const TableEntry*>> lines;
    auto wide = twoByte.begin();
    const auto wideBefore = [&wide, &twoByte](int firstByte) {
        return wide != twoByte.end() && wide->first >> 8 < firstByte;
    };
    for (int code = 0; code < kCodeCount; ++code) {
        for (; wideBefore(code); ++wide) lines.emplace_back(TableCode::TwoByte(wide->first), &wide->second);
        const TableEntry& entry = entries.At(static_cast<ByteCode>(code));
        if (!WritesCode(format, code, entry.text, entry.kind, code >= first && code <= last)) {
            continue;
        }
        lines.emplace_back(static_cast<ByteCode>(code), &entry);
    }
    for (; wide != twoByte.end(); ++wide) lines.emplace_back(TableCode::TwoByte(wide->first), &wide->second);
    return lines;
}

// A label or text in the file's encoding, after the checks every text format makes.
Result<std::string, FormatError> Written(TableCode code, std::string_view text,
                                         std::string_view markup, TextConverter* toShiftJis) {
    // Readers take these for the brackets of control codes. Every byte of a UTF-8 character
    // outside ASCII is 80 or above, so a match here is the character itself.
    if (const auto at = text.find_first_of(markup); at != std::string_view::npos) {
        return FormatError{code, FormatError::Kind::Markup, std::string(1, text[at])};
    }
    auto converted = ConvertEntry(text, toShiftJis);
    if (!converted) {
        FormatError error = converted.error();
        error.code = code;
        return error;
    }
    return std::move(converted.value());
}

// One line of a text format, without its line end.
Result<std::string, FormatError> TextLine(TableCode code, const TableEntry& entry,
                                          TableFormat format, TextConverter* toShiftJis) {
    const bool abcde = format == TableFormat::Abcde;
    // A label inside "[…]", and in abcde inside "<[…]>" too. An ordinary entry's "[" and "]"
    // are read as text everywhere; "<" and ">" too except by abcde, which refuses the table.
    const std::string_view labelMarkup = abcde ? "[]<>" : "[]";
    std::string_view text = entry.text;
    std::string_view markup = abcde ? "<>" : "";
    switch (entry.kind) {
        case EntryKind::Ordinary:
            break;
        case EntryKind::EndCode:
        case EntryKind::Linked:
        case EntryKind::TableSwitch:
            markup = labelMarkup;
            break;
        case EntryKind::LineBreak:
            text = LineBreakLabel(text);
            markup = {};
            break;
    }
    auto written = Written(code, text, markup, toShiftJis);
    if (!written) return written.error();
    const std::string& label = written.value();
    const std::string hex = code.Hex();
    switch (entry.kind) {
        case EntryKind::Ordinary:
            return hex + '=' + label;
        case EntryKind::EndCode:
            return '/' + hex + "=[" + label + ']';
        case EntryKind::LineBreak:
            return hex + '=' + label + "\\n";
        case EntryKind::Linked: {
            const std::string count = std::to_string(entry.parameters);
            if (abcde) {
                return '!' + hex + '=' + (label.empty() ? "" : "<[" + label + "]>") + ',' + count;
            }
            return '$' + hex + "=[" + label + "]," + count;
        }
        case EntryKind::TableSwitch: {
            const std::string count = std::to_string(entry.count);
            if (abcde) {
                return '!' + hex + '=' + (label.empty() ? "" : "<[" + label + "]>") + ",<@" +
                       entry.table + ">:" + count;
            }
            return '!' + hex + '=' + entry.table + ',' + count;
        }
    }
    return hex + '=' + label;
}

// Every problem of a file, named at once: the first is the refusal, the rest its others.
class Problems {
public:
    void Add(FormatError error) {
        if (first_) {
            first_->others.push_back(std::move(error));
        } else {
            first_ = std::move(error);
        }
    }
    [[nodiscard]] const std::optional<FormatError>& First() const { return first_; }

private:
    std::optional<FormatError> first_;
};

// Appends the lines of one table of a text format to `file`; once a problem is found the rest is
// only checked.
void AppendTextTable(std::string& file, const TableEntries& entries, TableFormat format,
                     int first, int last, TextConverter* toShiftJis, std::string_view lineEnd,
                     Problems& problems) {
    const auto lines = TextLines(entries, format, first, last);
    if (format == TableFormat::Abcde) {
        FormatError unlabelled{0, FormatError::Kind::UnlabelledLineBreak};
        for (const auto& [code, entry] : lines) {
            if (entry->kind == EntryKind::LineBreak && LineBreakLabel(entry->text).empty()) {
                unlabelled.codes.push_back(code);
            }
        }
        if (!unlabelled.codes.empty()) {
            unlabelled.code = unlabelled.codes.front();
            problems.Add(std::move(unlabelled));
        }
    }
    for (const auto& [code, entry] : lines) {
        auto line = TextLine(code, *entry, format, toShiftJis);
        if (!line) {
            problems.Add(line.error());
            continue;
        }
        if (problems.First()) continue;
        file += line.value();
        file += lineEnd;
    }
}

Result<std::string, FormatError> TextFile(const TableEntries& entries, ByteCode first,
                                          ByteCode last, TableFormat format,
                                          const std::string& tableId,
                                          const std::vector<NamedTable>& further) {
    std::optional<TextConverter> toShiftJis;
    if (format == TableFormat::ShiftJis) {
        toShiftJis.emplace("CP932", "UTF-8");
    }
    TextConverter* converter = toShiftJis ? &*toShiftJis : nullptr;
    const std::string_view lineEnd = toShiftJis ? "\r\n" : "\n";
    std::string file;
    // abcde gives an "@id" line to the table it follows when that table has none yet: the first
    // table's lines and the next table's would be one table there. So in its format the first
    // table of several is always named, "main" unless a further table holds that id.
    std::string firstId = tableId;
    if (format == TableFormat::Abcde && firstId.empty() && !further.empty()) {
        const auto taken = [&further](const std::string& id) {
            return std::any_of(further.begin(), further.end(),
                               [&id](const NamedTable& table) { return table.id == id; });
        };
        firstId = "main";
        for (int n = 2; taken(firstId); ++n) firstId = "main" + std::to_string(n);
    }
    if (!firstId.empty()) {
        file += '@' + firstId;
        file += lineEnd;
    }
    Problems problems;
    AppendTextTable(file, entries, format, first, last, converter, lineEnd, problems);
    for (const NamedTable& table : further) {
        file += '@' + table.id;
        file += lineEnd;
        AppendTextTable(file, table.entries, format, 0, kCodeCount - 1, converter, lineEnd,
                        problems);
    }
    if (problems.First()) return *problems.First();
    return file;
}

TableEntries EntriesOf(const CodeTable& table, const EntryKinds& kinds,
                       const TwoByteTable& twoByte) {
    TableEntries entries;
    for (int code = 0; code < kCodeCount; ++code) {
        const auto slot = static_cast<std::size_t>(code);
        entries.Put(static_cast<ByteCode>(code), TableEntry{table[slot], kinds[slot]});
    }
    for (const auto& [stored, entry] : twoByte) entries.Put(TableCode::TwoByte(stored), entry);
    return entries;
}

// The first switch of `entries` to a table `workspace` does not have.
std::optional<FormatError> UnknownTarget(const Workspace& workspace, const TableEntries& entries) {
    std::optional<FormatError> unknown;
    const auto check = [&](TableCode code, const TableEntry& entry) {
        if (!unknown && entry.kind == EntryKind::TableSwitch &&
            workspace.TableNamed(entry.table) == nullptr) {
            unknown = FormatError{code, FormatError::Kind::UnknownTable, entry.table};
        }
    };
    for (int code = 0; code < kCodeCount; ++code) {
        check(static_cast<ByteCode>(code), entries.At(static_cast<ByteCode>(code)));
    }
    for (const auto& [stored, entry] : entries.TwoByte()) check(TableCode::TwoByte(stored), entry);
    return unknown;
}

}  // namespace

Result<std::string, FormatError> FormatTable(const CodeTable& table, ByteCode first, ByteCode last,
                                             TableFormat format, const EntryKinds& kinds,
                                             const TwoByteTable& twoByte) {
    return FormatTable(EntriesOf(table, kinds, twoByte), first, last, format);
}

std::optional<FormatError> ClassicCannotHold(const TableEntries& table) {
    const auto file = FormatTable(table, 0, kCodeCount - 1, TableFormat::Classic);
    if (file) return std::nullopt;
    return file.error();
}

std::optional<FormatError> ClassicCannotHold(const Workspace& workspace) {
    const auto file = ClassicFile(workspace.TableText, 0, kCodeCount - 1, workspace.FurtherTables);
    if (file) return std::nullopt;
    return file.error();
}

Result<std::string, FormatError> FormatTable(const TableEntries& table, ByteCode first,
                                             ByteCode last, TableFormat format) {
    if (format == TableFormat::Classic) return ClassicFile(table, first, last, {});
    return TextFile(table, first, last, format, {}, {});
}

Result<std::string, FormatError> FormatTable(const Workspace& workspace, TableFormat format) {
    if (format == TableFormat::Classic) {
        return ClassicFile(workspace.TableText, workspace.CurrentCode, workspace.LastCode,
                           workspace.FurtherTables);
    }
    if (auto unknown = UnknownTarget(workspace, workspace.TableText)) return *unknown;
    for (const NamedTable& table : workspace.FurtherTables) {
        if (auto unknown = UnknownTarget(workspace, table.entries)) return *unknown;
    }
    return TextFile(workspace.TableText, workspace.CurrentCode, workspace.LastCode, format,
                    workspace.TableId, workspace.FurtherTables);
}

std::vector<TableCode> AngleBracketCodes(const TableEntries& table, ByteCode first, ByteCode last,
                                         TableFormat format) {
    // The text the file holds for an entry: in the text formats a line break's is its label.
    const auto holdsAngle = [format](const TableEntry& entry) {
        std::string_view text = entry.text;
        if (entry.kind == EntryKind::LineBreak && format != TableFormat::Classic) {
            text = LineBreakLabel(text);
        }
        return text.find_first_of("<>") != std::string_view::npos;
    };
    std::vector<TableCode> codes;
    for (int code = 0; code < kCodeCount; ++code) {
        const TableEntry& entry = table.At(static_cast<ByteCode>(code));
        if (WritesCode(format, code, entry.text, entry.kind, code >= first && code <= last) &&
            holdsAngle(entry)) {
            codes.push_back(static_cast<ByteCode>(code));
        }
    }
    // A classic file holds no two-byte code.
    if (format != TableFormat::Classic) {
        for (const auto& [stored, entry] : table.TwoByte()) {
            if (holdsAngle(entry)) codes.push_back(TableCode::TwoByte(stored));
        }
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

}  // namespace glyphwright
